#pragma once

class QWidget;

namespace farvik {

// Closes the child window of the main window that holds the widget (its frame with it), or
// the widget itself when it stands alone.
void closeChildWindow(QWidget* widget);

}  // namespace farvik
