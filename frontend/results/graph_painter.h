#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>

#include "graph_range.h"
#include "reliability_curves.h"

class QPainter;

namespace farvik {

// Colours of the 16-colour palette the graphs are drawn with.
inline const QColor kDarkBlue(0, 0, 128);   // 1: the rubber band
inline const QColor kLightBlue(0, 0, 255);  // 9: segments and box outlines
inline const QColor kLightRed(255, 0, 0);   // 12: dots and box fills
inline const QColor kGridGrey(215, 215, 215);

// Places a range on a rectangle of the device: x0 on the left edge, x1 on the right one,
// y1 at the top and y0 at the bottom, so that y grows upwards.
class PlotMapping {
  public:
    PlotMapping(const QRectF& rect, const GraphRange& range) : rect_(rect), range_(range) {}

    QPointF toDevice(QPointF p) const;
    QPointF toUser(QPointF device) const;

  private:
    QRectF rect_;
    GraphRange range_;
};

// The i-th of the 11 grid lines (i = 0..10) across a length starting at from.
inline qreal gridLine(int i, qreal from, qreal length) {
    return from + i * length / 10;
}

// One graph as it stands on the plot: the curve, how it is drawn and the range it fills.
struct GraphPicture {
    GraphKind kind = kReliabilityGraph;
    const Curve* curve = nullptr;
    GraphRange range;
};

// Paints the white plot with its 11 + 11 grid lines and the curve. pixel is the size of
// one screen pixel in device units (1 on screen; more on a printer).
void paintPlot(QPainter& painter, const QRectF& rect, const GraphPicture& picture, qreal pixel);

}  // namespace farvik
