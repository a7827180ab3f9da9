#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

#include "graph_range.h"
#include "reliability_curves.h"

class QPainter;

namespace farvik {

// Colours of the 16-colour palette the graphs are drawn with.
inline const QColor kDarkBlue(0, 0, 128);   // 1: the rubber band
inline const QColor kLightBlue(0, 0, 255);  // 9: segments and box outlines
inline const QColor kLightRed(255, 0, 0);   // 12: dots and box fills
inline const QColor kGridGrey(215, 215, 215);
inline const QColor kDarkGreen(0, 128, 0);  // 2: the exact curve over the simulated one

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

// One graph as it stands on the plot: the curve, how it is drawn and the range it fills.
struct GraphPicture {
    GraphKind kind = kReliabilityGraph;
    const Curve* curve = nullptr;
    GraphRange range;
    // The exact curve drawn over the simulated one, when asked for (not for the histogram).
    const std::vector<QPointF>* exact = nullptr;
    // The round values the grid lines stand at, between the plot's edges.
    std::vector<double> xTicks;
    std::vector<double> yTicks;
};

// The texts of the legend: one for each curve when two share the plot, none for one.
QStringList legendEntries(const GraphPicture& picture);

// Paints the white plot with its frame, the grid lines at the picture's ticks, the curves
// and, for two curves, their legend. pixel is the size of one screen pixel in device units
// (1 on screen; more on a printer).
void paintPlot(QPainter& painter, const QRectF& rect, const GraphPicture& picture, qreal pixel);

// The rectangle the legend takes on a plot drawn in rect (empty without a legend), in the
// corner where it hides the fewest points of the curves.
QRectF legendRect(QPainter& painter, const QRectF& rect, const GraphPicture& picture, qreal pixel);

}  // namespace farvik
