#include "reliability_bounds.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>

namespace farvik::analysis {
namespace {

using Mask = std::uint64_t;

double productOver(Mask set, const std::vector<double>& values) {
    double product = 1;
    for (int k = 0; set != 0; ++k, set >>= 1) {
        if (set & 1) product *= values[k];
    }
    return product;
}

// P(A_1 or ... or A_n) for events "every element of set i is in its state", from their
// probabilities `single` and those of each pair, given as products over the sets' union.
struct UnionBounds {
    double lower = 0;
    double upper = 1;
};

UnionBounds unionBounds(const std::vector<Mask>& sets, const std::vector<double>& values) {
    const std::size_t n = sets.size();
    UnionBounds b;
    if (n == 0) {
        b.upper = 0;
        return b;
    }
    std::vector<double> single(n);
    for (std::size_t i = 0; i < n; ++i) single[i] = productOver(sets[i], values);
    std::vector<double> pair(n * n, 0.0);
    double s1 = 0, s2 = 0, largest = 0;
    for (std::size_t i = 0; i < n; ++i) {
        s1 += single[i];
        largest = std::max(largest, single[i]);
        for (std::size_t j = i + 1; j < n; ++j) {
            const double both = productOver(sets[i] | sets[j], values);
            pair[i * n + j] = pair[j * n + i] = both;
            s2 += both;
        }
    }
    // Dawson-Sankoff: 2 S1 / (k + 1) - 2 S2 / (k (k + 1)), k = 1 + floor(2 S2 / S1).
    double lower = largest;
    if (s1 > 0) {
        const double k = 1 + std::floor(2 * s2 / s1);
        lower = std::max(lower, 2 * s1 / (k + 1) - 2 * s2 / (k * (k + 1)));
    }
    // Hunter-Worsley: S1 minus the pairs along a spanning tree of greatest weight (Prim).
    std::vector<bool> inTree(n, false);
    std::vector<double> link(n, -1);
    inTree[0] = true;
    for (std::size_t j = 1; j < n; ++j) link[j] = pair[j];
    double tree = 0;
    for (std::size_t added = 1; added < n; ++added) {
        std::size_t next = 0;
        double heaviest = -1;
        for (std::size_t j = 0; j < n; ++j) {
            if (!inTree[j] && link[j] > heaviest) {
                heaviest = link[j];
                next = j;
            }
        }
        inTree[next] = true;
        tree += heaviest;
        for (std::size_t j = 0; j < n; ++j) {
            if (!inTree[j]) link[j] = std::max(link[j], pair[next * n + j]);
        }
    }
    b.lower = std::min(1.0, lower);
    b.upper = std::min(1.0, s1 - tree);
    return b;
}

bool hitsAll(Mask cut, const std::vector<Mask>& paths) {
    for (Mask p : paths) {
        if ((p & cut) == 0) return false;
    }
    return true;
}

// A minimal cut from the whole set of elements: each element in `order` leaves it while
// what is left still meets every path.
Mask minimalCut(Mask all, const std::vector<int>& order, const std::vector<Mask>& paths) {
    Mask cut = all;
    for (int k : order) {
        const Mask without = cut & ~(Mask(1) << k);
        if (hitsAll(without, paths)) cut = without;
    }
    return cut;
}

}  // namespace

PathBounds::PathBounds(const SystemModel& model) {
    if (model.elements.size() > 64) throw std::invalid_argument("más de 64 elementos");
    for (const ModelElement& e : model.elements) laws_.push_back(e.law);
    std::vector<Mask> all;
    for (const auto& row : model.rows) {
        Mask m = 0;
        for (int k : row) m |= Mask(1) << k;
        all.push_back(m);
    }
    // Only the minimal paths: a path holding another adds nothing to the union.
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    for (Mask m : all) {
        bool holdsAnother = false;
        for (Mask o : all) holdsAnother = holdsAnother || (o != m && (o & m) == o);
        if (!holdsAnother) paths_.push_back(m);
    }
}

ReliabilityBounds PathBounds::at(double t) const {
    const int n = static_cast<int>(laws_.size());
    std::vector<double> p(n), q(n);
    for (int k = 0; k < n; ++k) {
        const ElementState s = elementState(laws_[k], t);
        p[k] = s.survival;
        q[k] = s.failure;
    }
    ReliabilityBounds b;
    const UnionBounds works = unionBounds(paths_, p);
    b.lower = works.lower;
    b.upper = works.upper;
    double noPathFails = 1;
    for (Mask path : paths_) noPathFails *= 1 - productOver(path, p);
    b.upper = std::min(b.upper, 1 - noPathFails);

    // Cuts likeliest to have failed whole: elements leave in order of survival, likeliest
    // to work first; then once more with each element of that cut made to leave first.
    Mask everything = 0;
    for (Mask path : paths_) everything |= path;
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int c) { return q[a] < q[c]; });
    std::vector<Mask> cuts{minimalCut(everything, order, paths_)};
    for (int k = 0; k < n; ++k) {
        if (!(cuts[0] >> k & 1)) continue;
        std::vector<int> first{k};
        for (int o : order) {
            if (o != k) first.push_back(o);
        }
        cuts.push_back(minimalCut(everything, first, paths_));
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    const UnionBounds fails = unionBounds(cuts, q);
    b.upper = std::min(b.upper, 1 - fails.lower);
    b.lower = std::min(b.lower, b.upper);
    return b;
}

}  // namespace farvik::analysis
