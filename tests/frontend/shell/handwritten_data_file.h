#pragma once

#include <string>
#include <vector>

// Pieces of data files written out by hand, line by line, in code page 1252 ("\xDA" is Ú,
// "\xF3" ó, "\xE1" á, "\xFA" ú, "\xD3" Ó, "\xBF" ¿), to check the writer against and to
// give the reader files the front-end would not write.
namespace handwritten {

using Lines = std::vector<std::string>;

inline std::string file(const Lines& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

inline void add(Lines& to, const Lines& more) {
    to.insert(to.end(), more.begin(), more.end());
}

inline Lines head(const std::string& structure, const std::string& redundancy,
                  const std::string& total) {
    return {"N\xDAMERO TOTAL DE ELEMENTOS DEL SISTEMA",
            std::string(69, '-'),
            total,
            "",
            "DISPOSICION DE LOS ELEMENTOS EN EL SISTEMA",
            std::string(69, '-'),
            "1.- SISTEMA FORMADO POR ELEMENTOS SIMPLES EN SERIE",
            "2.- SISTEMA FORMADO POR ELEMENTOS SIMPLES EN PARALELO",
            "3.- SISTEMA FORMADO POR SUBSISTEMAS EN SERIE",
            "4.- SISTEMA FORMADO POR SUBSISTEMAS EN PARALELO",
            "5.- SISTEMA GENERAL",
            structure,
            "",
            "\xBF"
            "ESTUDIO DE REDUNDANCIA?",
            std::string(46, '-'),
            "1.- SI",
            "2.- NO",
            redundancy,
            "",
            "ESTRUCTURA DEL SISTEMA",
            std::string(46, '-')};
}

// The first lines of an element block of a general system, with its key.
inline Lines keyedElement(int key) {
    const std::string k = std::to_string(key);
    return {"DATOS DEL ELEMENTO " + k + "-1", std::string(39, '-'),
            "N\xFAmero clave del elemento " + k, k, ""};
}

// An element block from its distribution line on.
inline Lines distributionAndParameters(const std::string& code, const Lines& params) {
    return {"Distribuci\xF3n del fallo:",
            std::string(31, '-'),
            "1.-   EXPONENCIAL",
            "2.-   WEIBULL",
            "3.-   LOGNORMAL (PARAM. NORMAL)",
            "4.-   LOGNORMAL",
            "5.-   NORMAL",
            code,
            "",
            "Par\xE1metros de la distribuci\xF3n:",
            std::string(39, '-'),
            "Par\xE1metro 1 (0 si no procede):",
            params[0],
            "Par\xE1metro 2 (0 si no procede):",
            params[1],
            "Par\xE1metro 3 (0 si no procede):",
            params[2],
            ""};
}

inline Lines tail(const std::string& seed, const std::string& trials) {
    return {"DATOS DE LA SIMULACI\xD3N",
            std::string(36, '-'),
            "Semilla:",
            seed,
            "",
            "N\xFAmero de pruebas:",
            trials};
}

}  // namespace handwritten
