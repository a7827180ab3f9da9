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

NumberForm pointerForm(double from, double to) {
    const NumberForm ticks = tickForm(from, to);
    if (!ticks.exponent && ticks.digits <= 3) return {false, 4};
    return {ticks.exponent, std::min(ticks.digits + 1, kMostSignificant)};
}

}  // namespace farvik
