#include "child_window.h"

#include <QMdiSubWindow>

namespace farvik {

void closeChildWindow(QWidget* widget) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(widget->parentWidget()))
        frame->close();
    else
        widget->close();
}

}  // namespace farvik
