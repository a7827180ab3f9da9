#pragma once

#include <QList>

class QAction;
class QMdiArea;
class QObject;

namespace farvik {

class PrintableView;

// The current child window of the area when it can be printed; nullptr otherwise.
PrintableView* printableView(const QMdiArea& area);

// Keeps the print commands enabled exactly while the current child window can be printed.
// The connection lives as long as context.
void trackPrintableView(QMdiArea& area, QObject* context, const QList<QAction*>& commands);

}  // namespace farvik
