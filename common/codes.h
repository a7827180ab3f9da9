#pragma once

// Structure codes shared by the engine and the front-end (the distribution codes are in
// distributions.h).
namespace farvik {

// Structure code of a system data file.
enum StructureCode {
    kSeries = 1,          // elements in series
    kParallel = 2,        // elements in parallel
    kSeriesParallel = 3,  // subsystems in series, elements of a subsystem in parallel
    kParallelSeries = 4,  // subsystems in parallel, elements of a subsystem in series
    kGeneral = 5,         // general system given by its paths
};

// Largest number of subsystems or paths, and of elements in each, that the engine holds.
constexpr int kMaxDim = 50;

// The class the engine computes with. Its rows are the subsystems (classes 3 and 4) or the
// paths (class 5); a lone series or parallel system is one subsystem.
enum StructureClass {
    kSeriesOfParallelClass = 3,  // rows in series, the elements of a row in parallel
    kParallelOfSeriesClass = 4,  // rows in parallel, the elements of a row in series
    kGeneralClass = 5,           // the system works while one of its paths works
};

// Codes 1 and 4 are class 4, codes 2 and 3 class 3, code 5 class 5.
constexpr int structureClass(int structureCode) {
    return structureCode == kGeneral ? kGeneralClass
           : (structureCode == kSeries || structureCode == kParallelSeries)
               ? kParallelOfSeriesClass
               : kSeriesOfParallelClass;
}

}  // namespace farvik
