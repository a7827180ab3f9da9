#include "window_arrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

namespace farvik {

QList<QRect> tileRects(Arrangement arrangement, const QSize& area, int count) {
    QList<QRect> rects;
    if (count <= 0) return rects;
    const bool stacked = arrangement == Arrangement::TileHorizontal;
    const int length = stacked ? area.height() : area.width();
    const int step = length / count;
    for (int i = 0; i < count; ++i) {
        const int start = i * step;
        const int size = (i == count - 1) ? length - start : step;
        rects << (stacked ? QRect(0, start, area.width(), size)
                          : QRect(start, 0, size, area.height()));
    }
    return rects;
}

QList<QRect> iconRects(const QSize& area, const QSize& iconSize, int count) {
    QList<QRect> rects;
    const int perRow = std::max(1, area.width() / std::max(1, iconSize.width()));
    for (int i = 0; i < count; ++i) {
        const int row = i / perRow;
        const int column = i % perRow;
        rects << QRect(
            QPoint(column * iconSize.width(), area.height() - (row + 1) * iconSize.height()),
            iconSize);
    }
    return rects;
}

void arrangeWindows(QMdiArea& area, Arrangement arrangement) {
    if (arrangement == Arrangement::Cascade) {
        area.cascadeSubWindows();
        return;
    }
    QList<QMdiSubWindow*> open;
    QList<QMdiSubWindow*> minimized;
    for (QMdiSubWindow* w : area.subWindowList(QMdiArea::CreationOrder)) {
        if (w->isHidden()) continue;
        (w->isMinimized() ? minimized : open) << w;
    }
    const QSize viewport = area.viewport()->size();
    if (arrangement == Arrangement::ArrangeIcons) {
        if (minimized.isEmpty()) return;
        const QList<QRect> rects = iconRects(viewport, minimized.first()->size(), minimized.size());
        for (int i = 0; i < minimized.size(); ++i) minimized[i]->move(rects[i].topLeft());
        return;
    }
    // Tiled windows leave a row at the bottom for the minimized ones.
    QSize tiled = viewport;
    if (!minimized.isEmpty()) tiled.rheight() -= minimized.first()->height();
    const QList<QRect> rects = tileRects(arrangement, tiled, open.size());
    for (int i = 0; i < open.size(); ++i) {
        if (open[i]->isMaximized()) open[i]->showNormal();
        open[i]->setGeometry(rects[i]);
    }
}

}  // namespace farvik
