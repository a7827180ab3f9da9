#pragma once

#include <string>
#include <vector>

#include "element_law.h"
#include "system_data.h"

namespace farvik::analysis {

// How the rows of a system combine, by the engine's structure class.
enum class Arrangement {
    SeriesOfParallel,  // class 3: rows in series, the elements of a row in parallel
    ParallelOfSeries,  // class 4: rows in parallel, the elements of a row in series
    Paths,             // class 5: the system works while every element of some path works
};

// One independent element of the system. For classes 3 and 4 the element at position j of
// subsystem i; for class 5 the element with key K, whatever the paths it stands on.
struct ModelElement {
    ElementLaw law;
    int key = 0;        // class 5
    int subsystem = 0;  // classes 3 and 4
    int position = 0;   // classes 3 and 4
    std::string label;  // "i-j", or the key
};

// A system as its structure function sees it. Elements come in the order of the engine's
// redundancy report (subsystem after subsystem; for paths, by key); rows list indices into
// `elements`, as often as the engine's tables hold them (a key repeated in a path stays).
struct SystemModel {
    Arrangement arrangement = Arrangement::ParallelOfSeries;
    std::vector<ModelElement> elements;
    std::vector<std::vector<int>> rows;
};

// The model of a system read by the engine's reader. For class 5 only the keys that stand on
// some path are elements of the structure: the others cannot change its life.
SystemModel modelOf(const brenta::SystemData& s);

}  // namespace farvik::analysis
