#include "structure_function.h"

#include "path_diagram.h"
#include "row_structures.h"

namespace farvik::analysis {

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
