#include "structure_function.h"

#include <vector>

#include "path_diagram.h"
#include "row_structures.h"

namespace farvik::analysis {

void StructureFunction::reliabilities(const double* p, const double* q, std::size_t elements,
                                      std::size_t lanes, double* r) const {
    std::vector<double> pj(elements), qj(elements);
    for (std::size_t j = 0; j < lanes; ++j) {
        for (std::size_t k = 0; k < elements; ++k) {
            pj[k] = p[k * lanes + j];
            qj[k] = q[k * lanes + j];
        }
        r[j] = reliability(pj.data(), qj.data());
    }
}

std::unique_ptr<StructureFunction> structureFunction(const SystemModel& model,
                                                     const DiagramLimits& limits) {
    switch (model.arrangement) {
        case Arrangement::Paths:
            return std::make_unique<PathDiagram>(model.rows,
                                                 static_cast<int>(model.elements.size()), limits);
        case Arrangement::SeriesOfParallel:
            return std::make_unique<RowStructure>(model.rows, true);
        case Arrangement::ParallelOfSeries:
        default:
            return std::make_unique<RowStructure>(model.rows, false);
    }
}

}  // namespace farvik::analysis
