#pragma once

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace farvik {

// Closes the child window of the main window that holds the widget (its frame with it), or
// the widget itself when it stands alone.
void closeChildWindow(QWidget* widget);

// Gives a new child window its preferred size, as far as the frame's visible area allows,
// and places it a little below and right of the frame's top left corner, over the data
// editor, where it is seen whole.
void placeChildWindow(QMdiArea& area, QMdiSubWindow& child);

}  // namespace farvik
