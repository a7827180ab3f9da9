#include "graph_range.h"

#include <algorithm>
#include <cmath>

namespace farvik {
namespace {

// Wider than this the axis is taken as unbounded.
constexpr double kLargestInterval = 100000000.0;

bool unbounded(double width) {
    return !(width <= kLargestInterval);
}  // NaN included

}  // namespace

GraphRange fullRange(const Curve& curve) {
    return {curve.min.x(), curve.min.y(), curve.max.x(), curve.max.y()};
}

std::optional<QString> rangeRefusal(const GraphRange& r) {
    const double height = std::abs(r.y0 - r.y1);
    const double width = std::abs(r.x0 - r.x1);
    if (height == 0) return QStringLiteral("El intervalo en el eje y es cero.");
    if (width == 0) return QStringLiteral("El intervalo en el eje x es cero.");
    if (unbounded(height)) return QStringLiteral("El intervalo en el eje y tiende a infinito.");
    if (unbounded(width)) return QStringLiteral("El intervalo en el eje x tiende a infinito.");
    return std::nullopt;
}

QString refusalMessage(const QString& reason) {
    return reason + QLatin1Char('\n') + QStringLiteral("Elige otro intervalo");
}

std::optional<GraphRange> zoomRange(QPointF anchor, QPointF pointer) {
    const double ax = std::max(anchor.x(), 0.0), ay = std::max(anchor.y(), 0.0);
    const double px = std::max(pointer.x(), 0.0), py = std::max(pointer.y(), 0.0);
    const GraphRange r{std::min(ax, px), std::min(ay, py), std::max(ax, px), std::max(ay, py)};
    if (r.x1 - r.x0 == 0 || r.y1 - r.y0 == 0) return std::nullopt;
    return r;
}

QString fixedNumber(double value, int decimals) {
    QString text = QString::number(value, 'f', decimals);
    // A value that rounds to zero shows no sign.
    if (text.startsWith(QLatin1Char('-')) &&
        std::all_of(text.begin() + 1, text.end(), [](QChar c) { return c == '0' || c == '.'; }))
        text.remove(0, 1);
    return text;
}

}  // namespace farvik
