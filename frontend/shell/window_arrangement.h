#pragma once

#include <QList>
#include <QRect>
#include <QSize>

class QMdiArea;

namespace farvik {

// The arrangements of the Window menu, numbered as the commands that ask for them.
enum class Arrangement { Cascade = 0, TileHorizontal = 1, TileVertical = 2, ArrangeIcons = 3 };

// Tiling "horizontal" stacks the windows one below the other, each as wide as the area;
// "vertical" puts them side by side, each as high as the area. The last one takes what
// the division leaves over.
QList<QRect> tileRects(Arrangement arrangement, const QSize& area, int count);

// Minimized windows in a row along the bottom edge, wrapping upwards when the row is full.
QList<QRect> iconRects(const QSize& area, const QSize& iconSize, int count);

// Arranges the child windows of the frame.
void arrangeWindows(QMdiArea& area, Arrangement arrangement);

}  // namespace farvik
