#pragma once

#include <vector>

#include "structure_function.h"

namespace farvik::analysis {

// Rows of elements, the rows in series and the elements of a row in parallel (class 3), or
// the rows in parallel and the elements of a row in series (class 4).
class RowStructure : public StructureFunction {
  public:
    RowStructure(std::vector<std::vector<int>> rows, bool seriesOfParallel);
    double reliability(const double* p, const double* q) const override;
    double reliabilityAndPartials(const double* p, const double* q, double* d) const override;
    double unreliability(const double* p, const double* q) const override;

  private:
    // ln of the product over the rows of P(the row's "all" event does not happen).
    double logOuter(const double* p, const double* q) const;

    std::vector<std::vector<int>> rows_;
    bool seriesOfParallel_;
};

}  // namespace farvik::analysis
