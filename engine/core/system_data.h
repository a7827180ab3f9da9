#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "codes.h"
#include "table50.h"

namespace brenta {

// The system as read from its data file. Vectors indexed from 1 have an unused slot 0.
struct SystemData {
    std::int32_t ntotal = 0;  // read and not used
    std::int32_t itipo = 0;   // structure code 1..5
    std::int32_t iredun = 0;  // 1: redundancy study; anything else: none
    std::int32_t kclase = 0;  // structure class (farvik::StructureClass)

    // Classes 3 and 4: subsystems and their element counts.
    std::int32_t nsub = 0;
    std::array<std::int32_t, kDim + 1> nelsub{};
    // Class 5: elements (keys in block order) and paths (keys of their elements).
    std::int32_t nel = 0;
    std::int32_t ncam = 0;
    std::array<std::int32_t, kDim + 1> nelcam{};
    std::array<std::int32_t, kDim + 1> iclave{};
    Table50<std::int32_t> icam;

    // Per-element tables, ndim x ndim, created when ndim is read: element j of
    // subsystem i (class 5: element with key K is (K, 1)).
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

    // Rows of the structure: subsystems (classes 3, 4) or paths (class 5).
    int rowCount() const { return kclase == farvik::kGeneralClass ? ncam : nsub; }
    int rowLength(int i) const { return kclase == farvik::kGeneralClass ? nelcam[i] : nelsub[i]; }
    bool redundancy() const { return iredun == 1; }
};

}  // namespace brenta
