#include "what_if.h"

#include <algorithm>

namespace farvik::analysis {
namespace {

// Thrown from inside the quadrature's integrand to leave it when the answer is no longer
// wanted.
struct Stopped {};

}  // namespace

namespace {

// R at many times in passes of a few dozen times each through the structure function (as
// fast per time as one long pass), the stop looked at before each.
void reliabilitiesOrStop(const ExactSystem& exact, const std::vector<double>& t,
                         std::vector<double>& values, const std::atomic<bool>& stop) {
    constexpr std::size_t kTimesAPass = 32;
    values.clear();
    for (std::size_t from = 0; from == 0 || from < t.size(); from += kTimesAPass) {
        if (stop.load(std::memory_order_relaxed)) throw Stopped{};
        const std::size_t to = std::min(t.size(), from + kTimesAPass);
        const std::vector<double> part =
            exact.reliabilities(std::vector<double>(t.begin() + from, t.begin() + to));
        values.insert(values.end(), part.begin(), part.end());
    }
}

}  // namespace

std::optional<std::vector<double>> reliabilitiesAt(const ExactSystem& exact,
                                                   const std::vector<double>& times,
                                                   const std::atomic<bool>& stop) {
    std::vector<double> values;
    try {
        reliabilitiesOrStop(exact, times, values, stop);
    } catch (const Stopped&) {
        return std::nullopt;
    }
    return values;
}

std::optional<ReliabilityPicture> reliabilityPicture(const ExactSystem& exact,
                                                     const std::vector<double>& times,
                                                     const std::vector<double>& curveTimes,
                                                     const std::atomic<bool>& stop) {
    auto r = [&](const std::vector<double>& t, std::vector<double>& values) {
        reliabilitiesOrStop(exact, t, values, stop);
    };
    ReliabilityPicture picture;
    try {
        r(times, picture.atTimes);
        r(curveTimes, picture.curve);
        IntegrationLimits limits;
        limits.nonIncreasing = true;  // a reliability
        picture.meanLife = integrateHalfLine(BatchIntegrand(r), exact.breakpoints(), limits);
    } catch (const Stopped&) {
        return std::nullopt;
    }
    return picture;
}

std::vector<double> curveTimesTo(double end, int steps) {
    std::vector<double> times;
    for (int i = 0; i <= steps; ++i) times.push_back(end * i / steps);
    return times;
}

}  // namespace farvik::analysis
