#include "graph_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace farvik {
namespace {

// Dots are 0.003 of the plot's width in radius, but never so small that they cannot be
// seen on the screen.
constexpr qreal kDotShare = 0.003;
constexpr qreal kSmallestDot = 2.5;
// Antialiased segments this wide keep a core of their own colour.
constexpr qreal kSegmentWidth = 1.6;

void paintGrid(QPainter& painter, const QRectF& rect, qreal pixel) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(kGridGrey, pixel));
    for (int i = 1; i < 10; ++i) {
        const qreal x = gridLine(i, rect.left(), rect.width());
        const qreal y = gridLine(i, rect.top(), rect.height());
        painter.drawLine(QPointF(x, rect.top()), QPointF(x, rect.bottom()));
        painter.drawLine(QPointF(rect.left(), y), QPointF(rect.right(), y));
    }
    // The first and last lines frame the plot.
    painter.setPen(QPen(Qt::darkGray, pixel));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect);
}

// Segments first and dots on top, so that every point shows as a whole red dot.
void paintPolyline(QPainter& painter, const std::vector<QPointF>& points, std::size_t first,
                   const PlotMapping& map, qreal radius, qreal pixel) {
    if (first >= points.size()) return;
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(kLightBlue, kSegmentWidth * pixel));
    for (std::size_t i = first + 1; i < points.size(); ++i)
        painter.drawLine(map.toDevice(points[i - 1]), map.toDevice(points[i]));
    painter.setPen(QPen(kLightRed, pixel));
    painter.setBrush(kLightRed);
    for (std::size_t i = first; i < points.size(); ++i)
        painter.drawEllipse(map.toDevice(points[i]), radius, radius);
}

void paintBoxes(QPainter& painter, const std::vector<QPointF>& points, const PlotMapping& map,
                qreal pixel) {
    painter.setPen(QPen(kLightBlue, pixel));
    painter.setBrush(kLightRed);
    for (std::size_t i = 1; i < points.size(); ++i) {
        const QPointF corner = map.toDevice(QPointF(points[i - 1].x(), 0.0));
        const QPointF opposite = map.toDevice(points[i]);
        painter.drawRect(QRectF(corner, opposite).normalized());
    }
}

// The part of the segment a-b inside the range, found before the ends are mapped to the
// device, so that a hazard far above the plot still leaves the right slope on it.
bool clipToRange(QPointF& a, QPointF& b, const GraphRange& r) {
    double from = 0, to = 1;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.x0, r.x1 - a.x(), a.y() - r.y0, r.y1 - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double u = q[i] / p[i];
        if (p[i] < 0)
            from = std::max(from, u);
        else
            to = std::min(to, u);
        if (from > to) return false;
    }
    const QPointF start = a;
    a = start + from * (b - start);
    b = start + to * (b - start);
    return true;
}

// A line through the exact values, without dots: they are not observations. Undefined values
// break it.
void paintExact(QPainter& painter, const std::vector<QPointF>& points, const GraphRange& range,
                const PlotMapping& map, qreal pixel) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(kDarkGreen, 2 * pixel));
    painter.setBrush(Qt::NoBrush);
    const auto finite = [](QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); };
    for (std::size_t i = 1; i < points.size(); ++i) {
        QPointF a = points[i - 1], b = points[i];
        if (!finite(a) || !finite(b) || !clipToRange(a, b, range)) continue;
        painter.drawLine(map.toDevice(a), map.toDevice(b));
    }
}

}  // namespace

QPointF PlotMapping::toDevice(QPointF p) const {
    const double x = rect_.left() + (p.x() - range_.x0) / (range_.x1 - range_.x0) * rect_.width();
    const double y = rect_.top() + (range_.y1 - p.y()) / (range_.y1 - range_.y0) * rect_.height();
    return {x, y};
}

QPointF PlotMapping::toUser(QPointF d) const {
    const double x = range_.x0 + (d.x() - rect_.left()) / rect_.width() * (range_.x1 - range_.x0);
    const double y = range_.y1 - (d.y() - rect_.top()) / rect_.height() * (range_.y1 - range_.y0);
    return {x, y};
}

void paintPlot(QPainter& painter, const QRectF& rect, const GraphPicture& picture, qreal pixel) {
    painter.save();
    painter.fillRect(rect.adjusted(0, 0, pixel, pixel), Qt::white);
    paintGrid(painter, rect, pixel);
    if (picture.curve) {
        const PlotMapping map(rect, picture.range);
        painter.setClipRect(rect.adjusted(0, 0, pixel, pixel));
        const std::vector<QPointF>& points = picture.curve->points;
        const qreal radius = std::max(kDotShare * rect.width(), kSmallestDot * pixel);
        switch (picture.kind) {
            case kReliabilityGraph:
                paintPolyline(painter, points, 0, map, radius, pixel);
                break;
            case kFailureRateGraph:
                // Point 0 only anchors the range: the rate belongs to the middle of each
                // interval.
                paintPolyline(painter, points, 1, map, radius, pixel);
                break;
            case kFailureCountGraph:
                paintBoxes(painter, points, map, pixel);
                break;
        }
        if (picture.exact && picture.kind != kFailureCountGraph)
            paintExact(painter, *picture.exact, picture.range, map, pixel);
    }
    painter.restore();
}

}  // namespace farvik
