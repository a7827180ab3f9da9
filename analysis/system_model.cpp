#include "system_model.h"

#include <array>

namespace farvik::analysis {

SystemModel modelOf(const brenta::SystemData& s) {
    SystemModel model;
    auto lawOf = [&s](int j, int i) {
        return ElementLaw{s.distribution(j, i), s.parameter(1, j, i), s.parameter(2, j, i)};
    };
    if (s.kclase == 5) {
        model.arrangement = Arrangement::Paths;
        std::array<bool, brenta::kDim + 1> onPath{};
        for (int p = 1; p <= s.ncam; ++p) {
            for (int m = 1; m <= s.nelcam[p]; ++m) onPath[s.icam(m, p)] = true;
        }
        std::array<int, brenta::kDim + 1> index{};
        for (int key = 1; key <= s.ndim; ++key) {
            if (!onPath[key]) continue;
            index[key] = static_cast<int>(model.elements.size());
            ModelElement e;
            e.law = lawOf(key, 1);
            e.key = key;
            e.label = std::to_string(key);
            model.elements.push_back(e);
        }
        for (int p = 1; p <= s.ncam; ++p) {
            std::vector<int> row;
            for (int m = 1; m <= s.nelcam[p]; ++m) row.push_back(index[s.icam(m, p)]);
            model.rows.push_back(row);
        }
        return model;
    }
    model.arrangement =
        s.kclase == 3 ? Arrangement::SeriesOfParallel : Arrangement::ParallelOfSeries;
    for (int i = 1; i <= s.nsub; ++i) {
        std::vector<int> row;
        for (int j = 1; j <= s.nelsub[i]; ++j) {
            row.push_back(static_cast<int>(model.elements.size()));
            ModelElement e;
            e.law = lawOf(j, i);
            e.subsystem = i;
            e.position = j;
            e.label = std::to_string(i) + "-" + std::to_string(j);
            model.elements.push_back(e);
        }
        model.rows.push_back(row);
    }
    return model;
}

}  // namespace farvik::analysis
