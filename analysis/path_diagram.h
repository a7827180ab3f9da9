#pragma once

#include <vector>

#include "structure_function.h"

namespace farvik::analysis {

// The structure function of a general system: the union over the paths of "every element
// of the path works", as a reduced ordered binary decision diagram built with BuDDy and
// copied into a flat table of its own, so that evaluating it needs neither BuDDy's global
// state nor a lock. An element standing on several paths is one variable of all of them, and
// a key repeated within a path is the same variable again (x and x is x), as the engine gives
// every position of a key the same time.
class PathDiagram : public StructureFunction {
  public:
    using Limits = DiagramLimits;

    // `paths` hold element indices 0..elements-1. Throws TooLargeError when the diagram
    // would pass the limits.
    PathDiagram(const std::vector<std::vector<int>>& paths, int elements, const Limits& limits);
    PathDiagram(const std::vector<std::vector<int>>& paths, int elements)
        : PathDiagram(paths, elements, Limits()) {}

    double reliability(const double* p, const double* q) const override;
    double reliabilityAndPartials(const double* p, const double* q, double* d) const override;
    double unreliability(const double* p, const double* q) const override;
    void reliabilities(const double* p, const double* q, std::size_t elements, std::size_t lanes,
                       double* r) const override;

    // Inner nodes of the diagram.
    std::size_t nodeCount() const { return nodes_.size(); }

  private:
    // The root's value with `whenFalse` and `whenTrue` at the two leaves.
    double evaluate(const double* p, const double* q, double whenFalse, double whenTrue) const;
    // Given each node's level in the diagram, in the table's order.
    void sortByLevel(const std::vector<int>& levelOf);

    struct Node {
        int element;  // variable tested
        int low;      // index of the child where it fails: 0 false, 1 true, else node + 2
        int high;     // where it works
    };
    // Children before parents; the root is the last node (an empty table: a constant root).
    std::vector<Node> nodes_;
    bool constantRoot_ = false;  // the value when the table is empty
    int elements_ = 0;
};

}  // namespace farvik::analysis
