#pragma once

#include <array>

#include "codes.h"

namespace brenta {

constexpr int kDim = farvik::kMaxDim;

// A 50 x 50 table indexed from 1 and stored column by column (the first index varies
// fastest), so that one column (a subsystem or a path) is contiguous.
template <typename T>
struct Table50 {
    std::array<T, kDim * kDim> v{};

    T& operator()(int j, int i) { return v[(i - 1) * kDim + (j - 1)]; }
    const T& operator()(int j, int i) const { return v[(i - 1) * kDim + (j - 1)]; }
    T* column(int i) { return &v[(i - 1) * kDim]; }
    const T* column(int i) const { return &v[(i - 1) * kDim]; }
};

}  // namespace brenta
