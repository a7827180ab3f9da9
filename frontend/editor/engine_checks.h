#pragma once

#include <QString>
#include <vector>

#include "document/system_data.h"

// The values of the description that the engine would refuse once they are in the data file,
// judged by the engine's own rules and named in its words.
namespace farvik::editor {

struct EngineRefusal {
    enum class Kind { Parameter, PathEntry, Seed, Trials };
    Kind kind = Kind::Parameter;
    int row = 0;         // element key k (txtparam*(k)) or path-entry key e (txtcamino(e))
    bool first = false;  // a parameter refusal concerns box 1, box 2, or both
    bool second = false;
    QString words;  // "parámetro 1 del elemento 1-2: la tasa de fallo debe ser ..."
};

// The faults of one element (distribution position 0..4) named by its label ("1-2", or its
// key in a general system), judged on the values as the data file will hold them.
std::vector<EngineRefusal> elementRefusals(const ElementRec& element, const QString& label);

// Whether the key a path entry holds names an element of the description, as the engine
// judges the file: a general system's elements are written with their keys.
bool pathKeyNamesElement(const SystemData& data, double key);

// Every refusal of the description, element by element, then path by path, then the seed and
// the trials: what Ejecutar lists. Paths count in a general system only, the only one whose
// file has them.
std::vector<EngineRefusal> engineRefusals(const SystemData& data);

// The message of Ejecutar for a description with refusals: the first `shown` of them, and
// how many more there are.
QString refusalSummary(const std::vector<EngineRefusal>& refusals, int shown = 5);

// The label of element j of subsystem i as the editor and the engine name it.
QString elementLabel(const SystemData& data, int i, int j);

}  // namespace farvik::editor
