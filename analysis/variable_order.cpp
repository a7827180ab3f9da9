#include "variable_order.h"

#include <algorithm>

namespace farvik::analysis {
namespace {

std::vector<int> firstNamed(const std::vector<std::vector<int>>& paths, int elements) {
    std::vector<bool> seen(elements, false);
    std::vector<int> order;
    for (const auto& path : paths) {
        for (int k : path) {
            if (!seen[k]) {
                seen[k] = true;
                order.push_back(k);
            }
        }
    }
    return order;
}

}  // namespace

// The diagram's width at a level is bounded by the ways the paths begun above it and not
// yet ended can stand (each alive or already broken). So each next variable is the element
// that most shortens the paths already begun, weighted by how near their end they are, with
// the paths not yet begun counting a tenth: the paths are finished a few at a time instead
// of all being left open. Ties go to the element named first.
std::vector<int> pathVariableOrder(const std::vector<std::vector<int>>& paths, int elements,
                                   VariableOrder order) {
    const std::vector<int> named = firstNamed(paths, elements);
    if (order == VariableOrder::FirstNamed) return named;

    // Each path's distinct elements, and the paths of each element.
    std::vector<std::vector<int>> pathsOf(elements);
    std::vector<int> size(paths.size()), left(paths.size());
    for (std::size_t p = 0; p < paths.size(); ++p) {
        std::vector<int> distinct = paths[p];
        std::sort(distinct.begin(), distinct.end());
        distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
        for (int k : distinct) pathsOf[k].push_back(static_cast<int>(p));
        size[p] = left[p] = static_cast<int>(distinct.size());
    }
    std::vector<bool> placed(elements, false);
    std::vector<int> result;
    while (result.size() < named.size()) {
        int best = -1;
        double bestScore = -1;
        for (int k : named) {
            if (placed[k]) continue;
            double score = 0;
            for (int p : pathsOf[k]) score += (left[p] < size[p] ? 10.0 : 1.0) / left[p];
            if (score > bestScore) {
                bestScore = score;
                best = k;
            }
        }
        placed[best] = true;
        result.push_back(best);
        for (int p : pathsOf[best]) --left[p];
    }
    return result;
}

}  // namespace farvik::analysis
