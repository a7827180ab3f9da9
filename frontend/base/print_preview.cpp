#include "print_preview.h"

#include <QAction>
#include <QCoreApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace farvik {

QAction* previewPrintAction(const QPrintPreviewDialog& preview) {
    // The dialog names its print action with this text, translated as here.
    const QString text = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction* action : preview.findChildren<QAction*>())
        if (action->text() == text) return action;
    return nullptr;
}

QPrintPreviewDialog* newPrintPreview(QWidget* parent, QPrinter& printer, const PagePainter& paint) {
    auto* preview = new QPrintPreviewDialog(&printer, parent);
    preview->setWindowTitle(QStringLiteral("Vista preliminar"));
    QObject::connect(preview, &QPrintPreviewDialog::paintRequested, preview,
                     [paint](QPrinter* target) { paint(*target); });
    // Left to itself the preview would open a print dialog of its own and print from it;
    // closing it instead keeps one print dialog, the seam's, on every way to the printer.
    if (QAction* print = previewPrintAction(*preview)) {
        QObject::disconnect(print, SIGNAL(triggered(bool)), preview, nullptr);
        QObject::connect(print, &QAction::triggered, preview, &QDialog::accept);
    }
    return preview;
}

}  // namespace farvik
