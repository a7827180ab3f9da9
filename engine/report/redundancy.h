#pragma once

#include <cstdint>
#include <string>

#include "running_moments.h"
#include "system_data.h"
#include "table50.h"

namespace brenta {

// Running means of the system time with each cell's element duplicated.
struct RedundancyStats {
    Table50<double> vmd;
    Table50<double> vmd2;

    void add(std::int32_t k, int j, int i, double xd) {
        double& mean = vmd(j, i);
        double& mean2 = vmd2(j, i);
        mean = mean + (xd - mean) / k;
        mean2 = mean2 + (xd * xd - mean2) / k;
    }
    // The same for cells 1..n of row i at once, xd[0..n-1]: one loop over whole vectors.
    void addRow(std::int32_t k, int i, const double* xd, int n) {
        double* mean = vmd.column(i);
        double* mean2 = vmd2.column(i);
        const double count = k;
        for (int j = 0; j < n; ++j) {
            const double x = xd[j];
            mean[j] = mean[j] + (x - mean[j]) / count;
            mean2[j] = mean2[j] + (x * x - mean2[j]) / count;
        }
    }
};

// The comparison of the duplications in resumen.TXT: mean life, gain and standard error of
// each, the best one, its 95% interval and the duplications not significantly different.
// The best is the largest gain, also when no gain is positive.
void appendRedundancyReport(std::string& out, const SystemData& s, const RedundancyStats& stats,
                            double vmedia);

}  // namespace brenta
