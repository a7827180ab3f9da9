#include "axis_ticks.h"

#include <algorithm>
#include <cmath>

#include "graph_range.h"

namespace farvik {
namespace {

constexpr int kLines = 11;
constexpr int kMostDecimals = 6;
// Below this, more decimals would be mostly zeros: the exponent form reads better.
constexpr double kSmallestFixed = 0.01;
constexpr int kMostSignificant = 15;  // what a double holds

bool neighboursDiffer(double from, double to, const NumberForm& form) {
    QString previous = form.text(tickValue(0, from, to));
    for (int i = 1; i < kLines; ++i) {
        const QString next = form.text(tickValue(i, from, to));
        if (next == previous) return false;
        previous = next;
    }
    return true;
}

}  // namespace

QString NumberForm::text(double value) const {
    if (!exponent) return fixedNumber(value, digits);
    if (value == 0) value = 0;  // no "-0"
    return QString::number(value, 'E', digits - 1);
}

double tickValue(int i, double from, double to) {
    if (i <= 0) return from;
    if (i >= kLines - 1) return to;
    return from + i * (to - from) / (kLines - 1);
}

NumberForm tickForm(double from, double to) {
    const bool fixedReads = std::max(std::abs(from), std::abs(to)) >= kSmallestFixed;
    for (int decimals = 2; decimals <= (fixedReads ? kMostDecimals : 2); ++decimals) {
        const NumberForm fixed{false, decimals};
        if (neighboursDiffer(from, to, fixed)) return fixed;
    }
    for (int significant = 2; significant < kMostSignificant; ++significant) {
        const NumberForm exp{true, significant};
        if (neighboursDiffer(from, to, exp)) return exp;
    }
    return {true, kMostSignificant};
}

QStringList tickLabels(double from, double to) {
    const NumberForm form = tickForm(from, to);
    QStringList labels;
    for (int i = 0; i < kLines; ++i) labels << form.text(tickValue(i, from, to));
    return labels;
}

QString roundTickLabel(double value, double step) {
    const int decimals = std::max(0, -int(std::floor(std::log10(step) + 1e-9)));
    if (decimals <= kMostDecimals) return fixedNumber(value, decimals);
    if (std::abs(value) < step / 2) return QStringLiteral("0");
    // The digits from the value's first one down to the step's.
    const int first = int(std::floor(std::log10(std::abs(value)) + 1e-9));
    return NumberForm{true, std::clamp(first + decimals + 1, 1, kMostSignificant)}.text(value);
}

AxisTicks roundTicksAt(double from, double to, double step) {
    AxisTicks ticks;
    ticks.step = step;
    const double low = std::min(from, to), high = std::max(from, to);
    // Multiples n * step: the products are as exact as the labels need.
    for (double n = std::floor(low / step) + 1; n * step < high; ++n) {
        const double value = n * step;
        if (value <= low) continue;
        ticks.values.push_back(value == 0 ? 0.0 : value);
        ticks.labels << roundTickLabel(value, step);
        if (ticks.values.size() > std::size_t(4 * kMostTicks)) break;  // a step far too fine
    }
    return ticks;
}

namespace {

// The steps 1, 2, 5 x 10^k from the largest not above `at least` up.
double roundStepBelow(double atLeast) {
    const double power = std::pow(10.0, std::floor(std::log10(atLeast)));
    for (double m : {5.0, 2.0, 1.0})
        if (m * power <= atLeast) return m * power;
    return power;
}

double nextRoundStep(double step) {
    const double power = std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    const double m = std::round(step / power);
    return m < 1.5 ? 2 * power : m < 3.5 ? 5 * power : 10 * power;
}

// Keeps the ticks whose labels stand clear of the ends; false when two of them would touch,
// when more are left than the axis has grid lines for, or when none is left (a coarser step
// may still put one between the ends).
bool fitTicks(AxisTicks& ticks, double from, double to, const AxisRoom& room) {
    AxisTicks kept;
    kept.step = ticks.step;
    double previousEnd = -1e300;
    for (std::size_t i = 0; i < ticks.values.size(); ++i) {
        const double at = axisPosition(ticks.values[i], from, to, room.length);
        const double half = room.extent(ticks.labels[i]) / 2;
        if (at - half < room.lowEnd + room.gap || at + half > room.length - room.highEnd - room.gap)
            continue;
        if (at - half < previousEnd + room.gap) return false;
        previousEnd = at + half;
        kept.values.push_back(ticks.values[i]);
        kept.labels << ticks.labels[i];
    }
    if (kept.values.empty() || kept.values.size() > std::size_t(kMostTicks)) return false;
    ticks = kept;
    return true;
}

}  // namespace

AxisTicks chooseTicks(double from, double to, const AxisRoom& room, bool counts) {
    const double width = std::abs(to - from);
    if (!(width > 0) || !std::isfinite(width) || !(room.length > 0)) return {};
    double step = roundStepBelow(width / (kMostTicks + 1));
    if (counts) step = std::max(step, 1.0);
    // Coarser steps until the labels fit; past the width no tick is left between the ends.
    for (; step <= 10 * width; step = nextRoundStep(step)) {
        AxisTicks ticks = roundTicksAt(from, to, step);
        if (fitTicks(ticks, from, to, room)) return ticks;
    }
    return {};
}

NumberForm pointerForm(double from, double to) {
    const NumberForm ticks = tickForm(from, to);
    if (!ticks.exponent && ticks.digits <= 3) return {false, 4};
    return {ticks.exponent, std::min(ticks.digits + 1, kMostSignificant)};
}

}  // namespace farvik
