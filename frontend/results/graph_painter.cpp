#include "graph_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

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
    }
    painter.restore();
}

}  // namespace farvik
