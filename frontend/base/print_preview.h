#pragma once

#include "base/dialog_seam.h"

class QAction;
class QPrintPreviewDialog;
class QPrinter;
class QWidget;

namespace farvik {

// Qt's print preview over printer, its pages drawn by paint. Its print button only closes it
// as accepted: the print dialog and the printing that follow are the caller's, as when
// printing without a preview. The caller owns the dialog.
QPrintPreviewDialog* newPrintPreview(QWidget* parent, QPrinter& printer, const PagePainter& paint);

// The preview's print button (its toolbar action), or nullptr.
QAction* previewPrintAction(const QPrintPreviewDialog& preview);

}  // namespace farvik
