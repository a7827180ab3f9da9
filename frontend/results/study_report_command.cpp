#include "study_report_command.h"

#include <QApplication>
#include <QFileInfo>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include "base/dialog_seam.h"
#include "study_report.h"
#include "study_report_pages.h"

namespace farvik {
namespace {

const QString kPdfFilter = QStringLiteral("Informe PDF (*.pdf)");
const QString kHtmlFilter = QStringLiteral("Página HTML con las imágenes incluidas (*.html)");

bool isHtml(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QStringLiteral("html") || suffix == QStringLiteral("htm");
}

bool writePdf(const QString& path, const StudyReport& report) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    {
        QPdfWriter pdf(&file);
        pdf.setTitle(QStringLiteral("Informe del estudio: ") + report.fileName);
        pdf.setCreator(QStringLiteral("Farvik"));
        pdf.setPageSize(QPageSize(QPageSize::A4));
        if (paintStudyReport(pdf, report) == 0) {
            file.cancelWriting();
            return false;
        }
    }
    return file.commit();
}

bool writeHtml(const QString& path, const StudyReport& report) {
    QSaveFile file(path);
    const QByteArray bytes = studyReportHtml(report);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

}  // namespace

bool writeStudyReport(QWidget* parent, const StudySource& source) {
    StudyReport report;
    try {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        report = buildStudyReport(source);
        QApplication::restoreOverrideCursor();
    } catch (const std::exception& e) {
        QApplication::restoreOverrideCursor();
        dialogs().message(parent, MessageIcon::Exclamation, MessageButtons::Ok, QString(),
                          QStringLiteral("No se puede hacer el informe del estudio: ") +
                              QString::fromStdString(e.what()));
        return false;
    }

    // Previewed as every print is, on the printer's pages drawn by the same code.
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QStringLiteral("Informe del estudio"));
    if (!dialogs().printPreview(parent, printer,
                                [&report](QPrinter& target) { paintStudyReport(target, report); }))
        return false;

    QString selected = kPdfFilter;
    const QFileInfo data(source.dataFileName);
    FileDialogRequest request{QStringLiteral("Informe del estudio"),
                              kPdfFilter + QStringLiteral(";;") + kHtmlFilter,
                              data.absolutePath() + QLatin1Char('/') + data.completeBaseName() +
                                  QStringLiteral("-informe.pdf")};
    request.selectedFilter = &selected;
    QString path = dialogs().saveFileName(parent, request);
    if (path.isEmpty()) return false;
    const bool html =
        isHtml(path) || (QFileInfo(path).suffix().isEmpty() && selected == kHtmlFilter);
    if (html && !isHtml(path)) path += QStringLiteral(".html");
    if (!html && !path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    if (QFileInfo::exists(path) &&
        dialogs().message(parent, MessageIcon::Question, MessageButtons::YesNo, QString(),
                          QStringLiteral("El fichero %1 ya existe. ¿Desea reemplazarlo?")
                              .arg(QFileInfo(path).fileName())) != MessageAnswer::Yes)
        return false;
    if (html ? writeHtml(path, report) : writePdf(path, report)) return true;
    dialogs().message(parent, MessageIcon::Exclamation, MessageButtons::Ok, QString(),
                      QStringLiteral("No se puede escribir el fichero ") + path);
    return false;
}

}  // namespace farvik
