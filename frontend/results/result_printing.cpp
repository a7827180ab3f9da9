#include "result_printing.h"

#include <QDate>
#include <QFileInfo>
#include <QPrinter>

#include "base/dialog_seam.h"

namespace farvik {

bool printWithDialog(QWidget* parent, const PrintJob& job) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QStringLiteral("Farvik"));
    if (!dialogs().printSetup(parent, printer)) return false;
    return printJob(printer, job) > 0;
}

bool printResultFile(QWidget* parent, const QString& path, const QString& text) {
    PrintJob job;
    job.heading1 = headingLine1();
    job.heading2 = headingLine2(path, QDate::currentDate());
    job.text = text;
    return printWithDialog(parent, job);
}

}  // namespace farvik
