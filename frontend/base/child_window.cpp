#include "child_window.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace farvik {

void closeChildWindow(QWidget* widget) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(widget->parentWidget()))
        frame->close();
    else
        widget->close();
}

void placeChildWindow(QMdiArea& area, QMdiSubWindow& child) {
    const QSize room = area.viewport()->size();
    const QSize size = child.sizeHint().boundedTo(room);
    child.resize(size);
    constexpr int kOffset = 24;
    child.move(qBound(0, room.width() - size.width(), kOffset),
               qBound(0, room.height() - size.height(), kOffset));
}

}  // namespace farvik
