#include "result_printing.h"

#include <QDate>
#include <QFileInfo>

namespace farvik {

bool printResultFile(QWidget* parent, const QString& path, const QString& text) {
    PrintJob job;
    job.heading1 = headingLine1();
    job.heading2 = headingLine2(path, QDate::currentDate());
    job.text = text;
    return printWithDialog(parent, job);
}

}  // namespace farvik
