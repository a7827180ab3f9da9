#pragma once

#include <cstdint>
#include <vector>

#include "system_model.h"

namespace farvik::analysis {

// Bounds on R(t) of a general system whose decision diagram is out of reach, from its
// minimal paths and from minimal cuts found for each time:
//   lower  the larger of the likeliest path alone and the Dawson-Sankoff bound of the union
//          of the path events (from the sums of single and pairwise probabilities);
//   upper  the least of the Esary-Proschan bound 1 - prod(1 - P(path)) (the elements are
//          independent, hence associated), the Hunter-Worsley bound of the union (along
//          the heaviest spanning tree of the pairs), and 1 minus a lower bound of the
//          probability that some cut found has failed whole.
// The cuts are grown greedily for each t from the elements likeliest to have failed.
struct ReliabilityBounds {
    double lower = 0;
    double upper = 1;
};

class PathBounds {
  public:
    // A model of class 5 of at most 64 elements.
    explicit PathBounds(const SystemModel& model);

    ReliabilityBounds at(double t) const;

  private:
    using Mask = std::uint64_t;
    std::vector<Mask> paths_;  // the minimal paths
    std::vector<ElementLaw> laws_;
};

}  // namespace farvik::analysis
