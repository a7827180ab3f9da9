#include "graph_painter.h"

#include <QFontMetricsF>
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

void paintGrid(QPainter& painter, const QRectF& rect, const GraphPicture& picture, qreal pixel) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(kGridGrey, pixel));
    if (picture.range.x1 != picture.range.x0 && picture.range.y1 != picture.range.y0) {
        const PlotMapping map(rect, picture.range);
        for (double x : picture.xTicks) {
            const qreal at = map.toDevice(QPointF(x, picture.range.y0)).x();
            painter.drawLine(QPointF(at, rect.top()), QPointF(at, rect.bottom()));
        }
        for (double y : picture.yTicks) {
            const qreal at = map.toDevice(QPointF(picture.range.x0, y)).y();
            painter.drawLine(QPointF(rect.left(), at), QPointF(rect.right(), at));
        }
    }
    // The edges frame the plot.
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

bool hasExactCurve(const GraphPicture& picture) {
    return picture.curve && picture.exact && !picture.exact->empty() &&
           picture.kind != kFailureCountGraph;
}

QFont legendFont(QPainter& painter) {
    QFont font = painter.font();
    font.setPointSizeF(std::max(font.pointSizeF(), 1.0) * 0.9);
    return font;
}

constexpr qreal kSampleWidth = 24;  // screen pixels of the line shown for each curve

// How many points of the curves fall inside a rectangle of the device.
int pointsInside(const QRectF& box, const GraphPicture& picture, const PlotMapping& map) {
    int n = 0;
    const auto count = [&](const std::vector<QPointF>& points) {
        for (const QPointF& p : points)
            if (std::isfinite(p.x()) && std::isfinite(p.y()) && box.contains(map.toDevice(p))) ++n;
    };
    count(picture.curve->points);
    if (picture.exact) count(*picture.exact);
    return n;
}

void paintLegend(QPainter& painter, const QRectF& rect, const GraphPicture& picture, qreal pixel) {
    const QRectF box = legendRect(painter, rect, picture, pixel);
    if (box.isEmpty()) return;
    const QStringList texts = legendEntries(picture);
    painter.save();
    painter.setFont(legendFont(painter));
    const QFontMetricsF fm(painter.font(), painter.device());
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::darkGray, pixel));
    painter.setBrush(Qt::white);
    painter.drawRect(box);
    const qreal pad = 4 * pixel;
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (int i = 0; i < texts.size(); ++i) {
        const qreal middle = box.top() + pad + (i + 0.5) * fm.height();
        const QPointF from(box.left() + pad, middle);
        const QPointF to = from + QPointF(kSampleWidth * pixel, 0);
        if (i == 0) {
            painter.setPen(QPen(kLightBlue, kSegmentWidth * pixel));
            painter.drawLine(from, to);
            painter.setPen(QPen(kLightRed, pixel));
            painter.setBrush(kLightRed);
            painter.drawEllipse((from + to) / 2, kSmallestDot * pixel, kSmallestDot * pixel);
        } else {
            painter.setPen(QPen(kDarkGreen, 2 * pixel));
            painter.drawLine(from, to);
        }
        painter.setPen(Qt::black);
        painter.drawText(QPointF(to.x() + pad, middle - fm.height() / 2 + fm.ascent()), texts[i]);
    }
    painter.restore();
}

}  // namespace

QStringList legendEntries(const GraphPicture& picture) {
    if (!hasExactCurve(picture)) return {};
    if (picture.kind == kFailureRateGraph)
        return {QStringLiteral("Tasa de fallo simulada"), QStringLiteral("Tasa de fallo exacta")};
    return {QStringLiteral("Fiabilidad simulada"), QStringLiteral("Fiabilidad exacta")};
}

QRectF legendRect(QPainter& painter, const QRectF& rect, const GraphPicture& picture, qreal pixel) {
    const QStringList texts = legendEntries(picture);
    if (texts.isEmpty()) return {};
    const QFontMetricsF fm(legendFont(painter), painter.device());
    const qreal pad = 4 * pixel;
    qreal widest = 0;
    for (const QString& t : texts) widest = std::max(widest, fm.horizontalAdvance(t));
    const QSizeF size(kSampleWidth * pixel + 3 * pad + widest,
                      texts.size() * fm.height() + 2 * pad);
    const qreal margin = 6 * pixel;
    const QRectF inner = rect.adjusted(margin, margin, -margin, -margin);
    if (size.width() > inner.width() || size.height() > inner.height()) return {};
    const PlotMapping map(rect, picture.range);
    const QRectF corners[] = {
        QRectF(QPointF(inner.right() - size.width(), inner.top()), size),
        QRectF(inner.topLeft(), size),
        QRectF(QPointF(inner.right() - size.width(), inner.bottom() - size.height()), size),
        QRectF(QPointF(inner.left(), inner.bottom() - size.height()), size)};
    QRectF best = corners[0];
    int fewest = pointsInside(best, picture, map);
    for (const QRectF& c : corners) {
        const int n = pointsInside(c, picture, map);
        if (n < fewest) {
            fewest = n;
            best = c;
        }
    }
    return best;
}

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
    paintGrid(painter, rect, picture, pixel);
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
        painter.setClipping(false);
        paintLegend(painter, rect, picture, pixel);
    }
    painter.restore();
}

}  // namespace farvik
