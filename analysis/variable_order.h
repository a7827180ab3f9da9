#pragma once

#include <vector>

namespace farvik::analysis {

// How the variables of a paths' decision diagram are ordered before it is built.
enum class VariableOrder {
    FirstNamed,   // in the order the paths first name the elements
    FinishPaths,  // greedily, the element that brings the paths already begun nearest to
                  // their end (see pathVariableOrder)
};

// The elements 0..elements-1 that stand on some path, in the order their variables take.
std::vector<int> pathVariableOrder(const std::vector<std::vector<int>>& paths, int elements,
                                   VariableOrder order);

}  // namespace farvik::analysis
