// "Informe del estudio": every section of a real run's report in the PDF (read back with
// pdftotext), its figures those of the windows, the preview's pages the written ones, and
// the HTML with its pictures inside.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "engine_results.h"
#include "pdf_reader.h"
#include "results/frmcomprobacion.h"
#include "results/frmgraficos.h"
#include "results/study_report.h"
#include "results/study_report_command.h"
#include "scripted_dialogs.h"
#include "shell/main_window.h"

namespace farvik {
namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class StudyReportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(runExample(dir.path(), QStringLiteral("SERPAR"),
                               QStringLiteral("1\\n2\\n100\\n500\\n")));
        source.dataFileName = dir.filePath(QStringLiteral("SERPAR.DAT"));
        source.dataFile = readAll(source.dataFileName);
        source.resultsFolder = dir.path();
        source.date = QDate(2026, 12, 10);
        source.elements = {{"1-1", "Exponencial", "0.001", 1000.0},
                           {"1-2", "Weibull", "1.5 / 900", std::nullopt}};
        source.diagramSize = QSizeF(300, 120);
        source.paintDiagram = [](QPainter& p) {
            p.drawRect(QRectF(10, 10, 280, 100));
            QFont font = p.font();
            font.setPixelSize(14);  // as the diagram's own texts
            p.setFont(font);
            p.drawText(QPointF(40, 60), QStringLiteral("BLOQUES-DE-PRUEBA"));
        };
    }

    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    StudySource source;
};

// Every token that reads as zero with a minus sign.
QStringList negativeZeros(const QString& text) {
    QStringList found;
    for (const QString& token :
         text.split(QRegularExpression(QStringLiteral("[\\s,;()\\[\\]]+")), Qt::SkipEmptyParts)) {
        bool number = false;
        const double v = token.toDouble(&number);
        if (number && v == 0 && token.startsWith(QLatin1Char('-'))) found << token;
    }
    return found;
}

TEST_F(StudyReportTest, ThePdfHoldsEverySectionWithTheFiguresOfTheWindows) {
    const QString preview = dir.filePath(QStringLiteral("vista.pdf"));
    dialogs.previewToPdf(preview);
    dialogs.chooseFile(dir.filePath(QStringLiteral("informe")));
    ASSERT_TRUE(writeStudyReport(nullptr, source));
    EXPECT_EQ(dialogs.printSteps(), QStringList{QStringLiteral("preview")});
    const QString pdf = dir.filePath(QStringLiteral("informe.pdf"));
    const QStringList pages = pdfPageTexts(pdf);
    ASSERT_GE(pages.size(), 6);
    EXPECT_EQ(pdfPageCount(preview), pages.size()) << "the preview shows the pages written";
    for (int i = 0; i < pages.size(); ++i)
        EXPECT_TRUE(
            pages[i].contains(QStringLiteral("Página %1 de %2").arg(i + 1).arg(pages.size())))
            << "page " << i + 1;
    const QString all = pages.join(QLatin1Char('\n'));
    const QString words = all.simplified();
    for (const char* section : {"Informe del estudio",
                                "SERPAR.DAT",
                                "Serie-paralelo",
                                "10-12-2026",
                                "Diagrama de bloques",
                                "BLOQUES-DE-PRUEBA",
                                "Elementos del sistema",
                                "Weibull",
                                "1.5 / 900",
                                "Resumen de resultados",
                                "Fiabilidad R(t)",
                                "Vida media del sistema",
                                "Intervalo del 95 %",
                                "Causas del fallo del sistema",
                                "Estudio de redundancia",
                                "Gráficas",
                                "SERPAR.DAT: Fiabilidad, 2000 pruebas, semilla",
                                "SERPAR.DAT: Histograma de fallos",
                                "SERPAR.DAT: Tasa de fallo",
                                "Fiabilidad exacta",
                                "Comprobación exacta",
                                "Mejora de cada duplicación"})
        EXPECT_TRUE(words.contains(QString::fromUtf8(section))) << section;
    EXPECT_TRUE(negativeZeros(all).isEmpty()) << negativeZeros(all).join(' ').toStdString();

    // The summary's figures as the run wrote them.
    const auto summary = analysis::readSimulatedSummary(
        readAll(dir.filePath(QStringLiteral("resumen.TXT"))).toStdString());
    EXPECT_TRUE(words.contains(reportNumber(summary.meanLife)));
    EXPECT_TRUE(words.contains(interval95(summary.meanLife, summary.standardError)));
    EXPECT_TRUE(words.contains(QStringLiteral("0.9915")) ||
                words.contains(reportNumber(summary.reliability[0].value)));
    for (const auto& c : summary.causes) EXPECT_TRUE(words.contains(QString::number(c.count)));

    // The exact check's window, on the same run: its rows, figure for figure.
    frmcomprobacion check({source.dataFile, source.dataFileName,
                           readAll(dir.filePath(QStringLiteral("resumen.TXT")))});
    QSignalSpy done(&check, &frmcomprobacion::finished);
    if (check.computing()) {
        ASSERT_TRUE(done.wait(30000));
    }
    ASSERT_GT(check.table().rows.size(), 3);
    for (const auto& row : check.table().rows)
        for (int c = 0; c < 5; ++c)
            EXPECT_TRUE(words.contains(row.cells[c])) << row.cells.join(' ').toStdString();

    // The graph window's ranges of the three graphs.
    frmgraficos graphs(dir.path());
    for (int kind : {kReliabilityGraph, kFailureCountGraph, kFailureRateGraph}) {
        graphs.chooseGraph(kind);
        const GraphRange r = graphs.fullGraphRange();
        EXPECT_TRUE(words.contains(fixedNumber(r.x1, 2))) << kind;
        EXPECT_TRUE(words.contains(fixedNumber(r.y1, 2))) << kind;
    }
}

TEST_F(StudyReportTest, TheHtmlHoldsItsPicturesAndClosingThePreviewWritesNothing) {
    dialogs.closeNextPreview();
    EXPECT_FALSE(writeStudyReport(nullptr, source));
    EXPECT_TRUE(dialogs.fileRequests().isEmpty()) << "nothing asked once the preview is closed";

    dialogs.chooseFile(dir.filePath(QStringLiteral("informe")));
    dialogs.chooseFilter(QStringLiteral("Página HTML con las imágenes incluidas (*.html)"));
    ASSERT_TRUE(writeStudyReport(nullptr, source));
    const QString html = QString::fromUtf8(readAll(dir.filePath(QStringLiteral("informe.html"))));
    ASSERT_FALSE(html.isEmpty());
    EXPECT_EQ(html.count(QStringLiteral("src=\"data:image/png;base64,")), 4)
        << "the diagram and the three graphs";
    EXPECT_EQ(html.count(QStringLiteral("src=")), 4) << "nothing from outside the file";
    for (const char* section : {"Diagrama de bloques", "Elementos del sistema",
                                "Resumen de resultados", "Causas del fallo del sistema",
                                "Estudio de redundancia", "Gráficas", "Comprobación exacta"})
        EXPECT_TRUE(html.contains(QString::fromUtf8(section))) << section;
}

TEST(StudyReportCommand, OnTheFileMenuAndOnlyForTheResultsOfTheDocument) {
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    frmMain w(SettingsStore(dir.filePath(QStringLiteral("Omvira.conf"))));
    w.setProgramEnd([] {});
    QAction* item = w.findChild<QAction*>(QStringLiteral("mnuFileReport"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QStringLiteral("In&forme del estudio..."));
    item->trigger();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].text.startsWith(QStringLiteral("El informe del estudio")));
    EXPECT_EQ(dialogs.printSteps(), QStringList());
}

}  // namespace
}  // namespace farvik
