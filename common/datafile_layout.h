#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

// The line layout of a system data file (.dat): a questionnaire in which every value
// stands on a line of its own after the lines that say what it is (its lead: labels, dashes,
// empty lines). The leads below are the one description of the layout: the writer writes
// them, the front-end reads past them as items and the engine skips their labels.
namespace farvik {

namespace labels {
inline constexpr const char* kTotal = "NÚMERO TOTAL DE ELEMENTOS DEL SISTEMA";
inline constexpr const char* kArrangement = "DISPOSICION DE LOS ELEMENTOS EN EL SISTEMA";
inline constexpr const char* kStructure[5] = {
    "1.- SISTEMA FORMADO POR ELEMENTOS SIMPLES EN SERIE",
    "2.- SISTEMA FORMADO POR ELEMENTOS SIMPLES EN PARALELO",
    "3.- SISTEMA FORMADO POR SUBSISTEMAS EN SERIE",
    "4.- SISTEMA FORMADO POR SUBSISTEMAS EN PARALELO",
    "5.- SISTEMA GENERAL",
};
inline constexpr const char* kRedundancy = "¿ESTUDIO DE REDUNDANCIA?";
inline constexpr const char* kYes = "1.- SI";
inline constexpr const char* kNo = "2.- NO";
inline constexpr const char* kSystemStructure = "ESTRUCTURA DEL SISTEMA";
inline constexpr const char* kSubsystemCount = "Número de subsistemas:";
inline constexpr const char* kElementsInSubsystem = "Elementos en el subsistema ";  // + i + ":"
inline constexpr const char* kDimension = "Dimension de las matrices del sistema:";
inline constexpr const char* kElementCount = "Número de elementos en el sistema:";
inline constexpr const char* kPathCount = "Número de caminos en el sistema:";
inline constexpr const char* kElementsInPath = "Elementos en serie en el camino ";  // + p + ":"
inline constexpr const char* kElementData = "DATOS DEL ELEMENTO ";                  // + i + "-" + j
inline constexpr const char* kElementKey = "Número clave del elemento ";            // + K
// Its options are the distributions' own lines (Distribution::fileOption).
inline constexpr const char* kDistribution = "Distribución del fallo:";
inline constexpr const char* kParameters = "Parámetros de la distribución:";
inline constexpr const char* kParameter = "Parámetro ";  // + k + kParameterTail
inline constexpr const char* kParameterTail = " (0 si no procede):";
inline constexpr const char* kPaths = "ESQUEMA DE LOS CAMINOS";
inline constexpr const char* kPathElements =
    "Nombres de los elementos en serie del camino ";  // + p
inline constexpr const char* kSimulation = "DATOS DE LA SIMULACIÓN";
inline constexpr const char* kSeed = "Semilla:";
inline constexpr const char* kTrials = "Número de pruebas:";
}  // namespace labels

// One line in front of a value.
struct LeadLine {
    enum class Kind {
        Empty,  // an empty line; the engine passes over it as over every empty line
        Label,  // a label or a line of dashes; the engine skips it, whatever it says
        Free,   // written empty; the engine skips it even when it is not
    };
    Kind kind;
    std::string text;     // as written (empty for Empty and Free)
    std::string mention;  // how the engine names the line when the file ends before it
};
using Lead = std::vector<LeadLine>;

// The leads, piece by piece, in the order of the file. A value's lead is the pieces written
// since the value before it: the first subsystem count follows structureSection() and
// subsystemCountLabel(), an element's distribution follows elementTitle() (with the general
// structure: after the key, afterKeyLine()) and distributionLead(), and so on.
namespace lead {
Lead totalLead();
Lead structureLead();
Lead redundancyLead();
Lead structureSection();
Lead subsystemCountLabel();
Lead elementsInSubsystemLabel(int subsystem);
Lead elementCountLabel();
Lead pathCountLabel();
Lead elementsInPathLabel(int path);
Lead dimensionLabel();
Lead elementTitle(int group, int index);
Lead keyLabel(int key);
Lead afterKeyLine();
Lead distributionLead();
Lead parametersSection();
Lead parameterLabel(int k);
Lead pathsSection();
Lead pathLabel(int path);
Lead simulationSection();
Lead seedLabel();
Lead trialsLead();
}  // namespace lead

// How many lines the leads hold together.
std::size_t lineCount(std::initializer_list<Lead> leads);

// One element block. `group` and `index` are the two numbers of "DATOS DEL ELEMENTO i-j";
// `key` is written for the general structure only.
struct DataFileElement {
    int group = 1;
    int index = 1;
    int key = 0;
    std::string distribution;           // value text, "1".."5"
    std::array<std::string, 3> params;  // value texts
};

// A whole file with every value already in its text form (the writer decides the form).
struct DataFileContent {
    std::string total;
    int structure = 1;                              // selects the structure-dependent sections
    std::string redundancy;                         // "1" or "2"
    std::vector<std::string> elementsPerSubsystem;  // codes 1-4: one text per subsystem
    std::string elementCount;                       // code 5
    std::vector<std::string> entriesPerPath;        // code 5: one text per path
    std::string dimension;
    std::vector<DataFileElement> elements;
    std::vector<std::vector<std::string>> pathKeys;  // code 5: per path, its key texts
    std::string seed;
    std::string trials;
};

// The lines of the file, in UTF-8, without line ends; empty strings are the empty lines.
std::vector<std::string> dataFileLines(const DataFileContent& content);

// The bytes of the file: code page 1252, every line ended by CR LF.
std::string dataFileBytes(const DataFileContent& content);

}  // namespace farvik
