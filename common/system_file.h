#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "codes.h"
#include "free_form_reader.h"

// The values of a system data file exactly as they stand in it, read by the rules both
// programs follow: the engine runs what this reader takes and refuses what it refuses, and
// the front end opens the same files and names the same line with the same words.
namespace farvik {

struct SystemFile {
    static constexpr int kSize = kMaxDim + 1;  // vectors indexed from 1, slot 0 unused

    std::int32_t ntotal = 0;  // read and not used
    std::int32_t itipo = 0;   // structure code 1..5
    std::int32_t iredun = 0;  // 1: redundancy study; anything else: none
    std::int32_t kclase = 0;  // structure class (StructureClass)

    // Classes 3 and 4: subsystems and their element counts.
    std::int32_t nsub = 0;
    std::array<std::int32_t, kSize> nelsub{};
    // Class 5: elements (keys in block order) and paths (the keys of their elements).
    std::int32_t nel = 0;
    std::int32_t ncam = 0;
    std::array<std::int32_t, kSize> nelcam{};
    std::array<std::int32_t, kSize> iclave{};
    std::vector<std::vector<std::int32_t>> icam;  // icam[p][m - 1]: entry m of path p

    // Per-element values, ndim x ndim: element j of subsystem i (class 5: the element with
    // key K is (K, 1)). The parameters are as written: the lognormal of code 4 unconverted.
    std::int32_t ndim = 0;
    std::vector<std::int32_t> idist;
    std::vector<double> par;

    std::int32_t iseed = 0;
    std::int32_t nsim = 0;

    void createElementTables() {
        idist.assign(static_cast<std::size_t>(ndim) * ndim, 0);
        par.assign(3 * static_cast<std::size_t>(ndim) * ndim, 0.0);
    }
    std::int32_t& distribution(int j, int i) { return idist[(i - 1) * ndim + (j - 1)]; }
    std::int32_t distribution(int j, int i) const { return idist[(i - 1) * ndim + (j - 1)]; }
    // Parameter k (1..3) of element (j, i).
    double& parameter(int k, int j, int i) { return par[((i - 1) * ndim + (j - 1)) * 3 + (k - 1)]; }
    double parameter(int k, int j, int i) const {
        return par[((i - 1) * ndim + (j - 1)) * 3 + (k - 1)];
    }
};

// Reads a system data file, refusing (brenta::DataFileError, with the engine's message naming
// `fileName` and the line, and its exit status) any value that would make the simulation
// address outside its tables or draw from an undefined distribution. `fileName` is used in
// messages only.
SystemFile readSystemFile(std::istream& in, const std::string& fileName);

// A file whose layout reads whole, and the first value in it the engine would refuse.
struct SystemFileReading {
    SystemFile system;
    // The first refusal of a parameter, the seed or the number of trials, exactly as the
    // engine gives it (words, line, status); empty when the engine runs the file.
    std::optional<brenta::DataFileError> valueRefusal;
};

// Reads as readSystemFile does, but a parameter the distribution cannot draw from, a seed or
// a number of trials out of range does not stop the reading: the values stay as written and
// the first such refusal is kept, so that a file saved with such a value can be opened and
// put right. Every other refusal (layout, counts, codes, keys, paths) still throws; one met
// after a kept refusal throws the kept one instead, the one the engine stops at.
SystemFileReading readSystemFileKeepingValues(std::istream& in, const std::string& fileName);

}  // namespace farvik
