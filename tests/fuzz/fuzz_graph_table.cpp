// Fuzz target: the graph window's reader of the reliability table, and the ranges and scale
// steps that follow from what it reads.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "results/graph_range.h"
#include "results/reliability_curves.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<int>(size));
    farvik::ReliabilityCurves curves = farvik::readReliabilityTable(text);
    for (const farvik::Curve& curve : curves.curves) {
        if (curve.points.size() != static_cast<std::size_t>(curves.n)) __builtin_trap();
        const farvik::GraphRange range = farvik::fullRange(curve);
        if (!farvik::rangeRefusal(range)) {
            // A range the window accepts must be finite and not empty.
            if (!std::isfinite(range.x1 - range.x0) || !std::isfinite(range.y1 - range.y0)) {
                __builtin_trap();
            }
        }
        if (!curve.points.empty()) {
            farvik::zoomRange(curve.points.front(), curve.points.back());
        }
    }
    return 0;
}
