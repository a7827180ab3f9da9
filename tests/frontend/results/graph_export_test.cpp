// The graph window's exports: PNG and SVG of the graph as shown, the table as CSV, and the
// values at the grid lines for a small failure rate.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include "engine_results.h"
#include "results/frmgraficos.h"
#include "results/graph_export.h"
#include "results/graph_frame.h"
#include "scripted_dialogs.h"

namespace farvik {
namespace {

class GraphExportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(runExample(dir.path(), QStringLiteral("SERPAR")));
        window = std::make_unique<frmgraficos>(dir.path());
        window->resize(1000, 540);
        window->show();
        QApplication::sendPostedEvents();
        frame = window->findChild<GraphFrame*>(QStringLiteral("frmgrafico"));
        ASSERT_NE(frame, nullptr);
    }
    QByteArray read(const QString& name) {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void trigger(const char* action) {
        auto* a = window->findChild<QAction*>(QString::fromLatin1(action));
        ASSERT_NE(a, nullptr) << action;
        a->trigger();
    }

    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    std::unique_ptr<frmgraficos> window;
    GraphFrame* frame = nullptr;
};

TEST_F(GraphExportTest, PngAndSvgHoldTheGraphAsShownUnderItsTitle) {
    const QString title = window->graphTitle();
    EXPECT_EQ(title, QStringLiteral("tablafia.txt: Fiabilidad, 2000 pruebas"));
    dialogs.chooseFile(dir.filePath(QStringLiteral("grafico")));
    trigger("mnuexportarpng");
    const QImage png(dir.filePath(QStringLiteral("grafico.png")));
    ASSERT_FALSE(png.isNull());
    const int titleHeight = graphTitleHeight(*frame);
    EXPECT_EQ(png.size(), frame->size() + QSize(0, titleHeight));
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32),
              graphImage(*frame, title).convertToFormat(QImage::Format_RGB32));
    // Under the title line, the frame as the window shows it.
    EXPECT_EQ(png.copy(0, titleHeight, frame->width(), frame->height())
                  .convertToFormat(QImage::Format_RGB32),
              frame->grab().toImage().convertToFormat(QImage::Format_RGB32));
    int dark = 0;
    for (int y = 0; y < titleHeight; ++y)
        for (int x = 0; x < png.width(); ++x) dark += qGray(png.pixel(x, y)) < 100;
    EXPECT_GT(dark, 50) << "the title is written above the graph";

    dialogs.chooseFile(dir.filePath(QStringLiteral("grafico.svg")));
    trigger("mnuexportarsvg");
    QSvgRenderer svg(dir.filePath(QStringLiteral("grafico.svg")));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox().size(), frame->size() + QSize(0, titleHeight));
    // The texts of the frame are in the drawing as text.
    const QString text = QString::fromUtf8(read(QStringLiteral("grafico.svg")));
    EXPECT_TRUE(text.contains(title));
    EXPECT_TRUE(text.contains(QStringLiteral("Tiempo")));

    // Replacing asks first; No leaves the file alone.
    const QByteArray before = read(QStringLiteral("grafico.svg"));
    dialogs.chooseFile(dir.filePath(QStringLiteral("grafico.svg")));
    dialogs.answerNext(MessageAnswer::No);
    trigger("mnuexportarsvg");
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QStringLiteral("ya existe")));
    EXPECT_EQ(read(QStringLiteral("grafico.svg")), before);
}

// Both conventions of the save dialog, read back by Python's csv module and compared with
// the table number for number.
TEST_F(GraphExportTest, BothCsvFlavoursReadBackAsTheTablesNumbers) {
    const QString script =
        QStringLiteral(FARVIK_SOURCE_DIR "/tests/frontend/results/csv_read_back.py");
    const struct {
        QString filter;
        QString convention;
        char separator;
    } flavours[] = {{csvCommaFilter(), QStringLiteral("comma"), ','},
                    {csvSemicolonFilter(), QStringLiteral("semicolon"), ';'}};
    for (const auto& f : flavours) {
        dialogs.chooseFile(dir.filePath(QStringLiteral("tabla_") + f.convention));
        dialogs.chooseFilter(f.filter);
        trigger("mnuexportarcsv");
        const FileDialogRequest& asked = dialogs.fileRequests().last().request;
        EXPECT_EQ(asked.filter.split(QStringLiteral(";;")),
                  (QStringList{QStringLiteral("CSV (coma, punto decimal) (*.csv)"),
                               QStringLiteral("CSV para hoja de cálculo en español (punto y "
                                              "coma, coma decimal) (*.csv)")}));
        const QString file = dir.filePath(QStringLiteral("tabla_") + f.convention + ".csv");
        const QByteArray bytes = read(QFileInfo(file).fileName());
        ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF")) << f.convention.toStdString();
        EXPECT_TRUE(bytes.mid(3).startsWith(
            QStringLiteral("Límite inferior%1Límite superior").arg(f.separator).toUtf8()));

        QProcess python;
        python.start(QStringLiteral("python3"),
                     {script, file, f.convention, dir.filePath(QStringLiteral("tablafia.txt"))});
        ASSERT_TRUE(python.waitForFinished(30000));
        EXPECT_EQ(python.exitCode(), 0)
            << f.convention.toStdString() << ": " << python.readAllStandardError().toStdString();
    }
}

TEST(GraphCsv, NumbersTakeSeventeenDigitsAndZeroHasNoSign) {
    const QList<QByteArray> rows = {
        "        0.00000       10.00000       5        0.50000        0.06667",
        "       10.00000       20.00000       5       -0.00000        0.10000",
    };
    const QString comma = QString::fromUtf8(reliabilityCsv(tableText(rows), CsvFlavour::Comma));
    const QStringList lines = comma.mid(1).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4);  // the header, two rows and the empty rest
    EXPECT_EQ(lines[1], QStringLiteral("0,10,5,0.5,0.066669999999999993"));
    EXPECT_EQ(lines[2], QStringLiteral("10,20,5,0,0.10000000000000001"));
    const QString semicolon =
        QString::fromUtf8(reliabilityCsv(tableText(rows), CsvFlavour::Semicolon));
    EXPECT_TRUE(semicolon.contains(QStringLiteral("\r\n0;10;5;0,5;0,066669999999999993\r\n")));
    EXPECT_EQ(csvNumber(-0.0, CsvFlavour::Semicolon), QStringLiteral("0"));
    EXPECT_EQ(csvNumber(-1e-300, CsvFlavour::Comma).toDouble(), -1e-300);
}

TEST_F(GraphExportTest, ASmallRateGetsGridValuesThatDiffer) {
    window->chooseGraph(kFailureRateGraph);
    QApplication::sendPostedEvents();
    QStringList shown;
    for (int i = 1; i <= 9; ++i)
        if (frame->ticky(i)->isVisible()) shown << frame->ticky(i)->text();
    ASSERT_GE(shown.size(), 2);
    for (int i = 1; i < shown.size(); ++i) EXPECT_NE(shown[i], shown[i - 1]);
    // The range labels stay as they were.
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("x0y0y"))->text(), QStringLiteral("0.00"));
}

}  // namespace
}  // namespace farvik
