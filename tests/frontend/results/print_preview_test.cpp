// Qt's print preview as every "Imprimir" shows it: drawn by the print job's own code on the
// printer that will print, and handing the printing back to the caller.
#include "base/print_preview.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

#include "base/print_job.h"

namespace farvik {
namespace {

TEST(PrintPreviewTest, DrawsThePrintJobOnThePrinterAndItsPrintButtonOnlyCloses) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("salida.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    PrintJob job{headingLine1(), QStringLiteral("Archivo: resumen"), {}, {}};
    for (int i = 1; i <= 150; ++i) job.text += QStringLiteral("línea %1\n").arg(i);

    int paints = 0;
    int pages = 0;
    QPrinter* target = nullptr;
    const std::unique_ptr<QPrintPreviewDialog> preview(
        newPrintPreview(nullptr, printer, [&](QPrinter& p) {
            ++paints;
            target = &p;
            pages = printJob(p, job);
        }));
    EXPECT_EQ(preview->windowTitle(), QStringLiteral("Vista preliminar"));
    preview->show();  // not exec(): the test must not wait in a modal loop
    QApplication::processEvents();
    ASSERT_GE(paints, 1);
    EXPECT_EQ(target, &printer);
    const auto* widget = preview->findChild<QPrintPreviewWidget*>();
    ASSERT_NE(widget, nullptr);
    EXPECT_GE(pages, 3);
    EXPECT_EQ(widget->pageCount(), pages);
    // The preview's pages are not the printed ones.
    EXPECT_FALSE(QFile::exists(pdf));

    QAction* print = previewPrintAction(*preview);
    ASSERT_NE(print, nullptr);
    // Should the button open a print dialog of its own, it is closed at once and noted.
    bool otherDialog = false;
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != preview.get()) {
            otherDialog = true;
            modal->close();
        }
    });
    guard.start(20);
    const int paintsBefore = paints;
    print->trigger();
    guard.stop();
    EXPECT_FALSE(otherDialog);
    EXPECT_EQ(preview->result(), QDialog::Accepted);
    EXPECT_FALSE(preview->isVisible());
    EXPECT_EQ(paints, paintsBefore);
    EXPECT_FALSE(QFile::exists(pdf));
}

}  // namespace
}  // namespace farvik
