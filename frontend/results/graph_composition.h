#pragma once

#include <QRectF>
#include <QString>

class QFont;
class QPainter;

namespace farvik {

struct GraphPicture;

// The graph as it goes on paper: a title line, the plot with its grid at round values and
// their labels, the legend of two curves, the four range labels and the two axis titles,
// fitted into area. The plot begins at least indent from the area's left edge. pixel is the
// size of one screen pixel in device units.
void paintGraphComposition(QPainter& painter, const QRectF& area, const GraphPicture& picture,
                           const QFont& font, qreal indent, qreal pixel,
                           const QString& title = QString());

}  // namespace farvik
