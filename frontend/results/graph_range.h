#pragma once

#include <QPointF>
#include <QString>
#include <optional>

#include "reliability_curves.h"

namespace farvik {

// A rectangle of the plot in the table's own units: (x0, y0) the lower corner, (x1, y1)
// the upper one.
struct GraphRange {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;

    bool operator==(const GraphRange& o) const {
        return x0 == o.x0 && y0 == o.y0 && x1 == o.x1 && y1 == o.y1;
    }
    bool operator!=(const GraphRange& o) const { return !(*this == o); }
};

GraphRange fullRange(const Curve& curve);

// The scale step's verdict on a range: the reason it cannot be drawn, or nothing when it
// can. A range that cannot be drawn leaves the plot as it was.
std::optional<QString> rangeRefusal(const GraphRange& range);

// The message box text for a refusal.
QString refusalMessage(const QString& reason);

// The rectangle of a rubber-band drag from anchor to pointer, in either direction, with
// negative coordinates taken as 0. Nothing when it has no width or no height.
std::optional<GraphRange> zoomRange(QPointF anchor, QPointF pointer);

// A number with at least one integer digit and the given decimals, without grouping:
// "####0.00" is fixedNumber(v, 2).
QString fixedNumber(double value, int decimals);

}  // namespace farvik
