// The graph window's exports: PNG and SVG of the graph as shown, the table as CSV, and the
// values at the grid lines for a small failure rate.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
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

TEST_F(GraphExportTest, PngAndSvgHoldTheGraphAsShownAtTheFramesSize) {
    dialogs.chooseFile(dir.filePath(QStringLiteral("grafico")));
    trigger("mnuexportarpng");
    const QImage png(dir.filePath(QStringLiteral("grafico.png")));
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png.size(), frame->size());
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32),
              graphImage(*frame).convertToFormat(QImage::Format_RGB32));

    dialogs.chooseFile(dir.filePath(QStringLiteral("grafico.svg")));
    trigger("mnuexportarsvg");
    QSvgRenderer svg(dir.filePath(QStringLiteral("grafico.svg")));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox().size(), frame->size());
    // The texts of the frame are in the drawing as text.
    const QByteArray text = read(QStringLiteral("grafico.svg"));
    EXPECT_TRUE(text.contains("Fiabilidad"));
    EXPECT_TRUE(text.contains("Tiempo"));

    // Replacing asks first; No leaves the file alone.
    const QByteArray before = read(QStringLiteral("grafico.svg"));
    dialogs.chooseFile(dir.filePath(QStringLiteral("grafico.svg")));
    dialogs.answerNext(MessageAnswer::No);
    trigger("mnuexportarsvg");
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QStringLiteral("ya existe")));
    EXPECT_EQ(read(QStringLiteral("grafico.svg")), before);
}

TEST_F(GraphExportTest, TheCsvHoldsTheTablesNumbersRowByRow) {
    dialogs.chooseFile(dir.filePath(QStringLiteral("tabla.csv")));
    trigger("mnuexportarcsv");
    const QList<QByteArray> lines = read(QStringLiteral("tabla.csv")).split('\n');
    const QList<QByteArray> table = read(QStringLiteral("tablafia.txt")).split('\n');
    ASSERT_GT(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("Límite inferior,Límite superior,Fallos,Fiabilidad,Tasa "
                                       "de fallo\r")
                            .toUtf8());
    int rows = 0;
    for (int i = 5; i < table.size(); ++i) {
        const QList<QByteArray> fields = table[i].simplified().split(' ');
        if (fields.size() != 5) continue;
        ++rows;
        ASSERT_LT(rows, lines.size());
        EXPECT_EQ(lines[rows], fields.join(',') + "\r");
    }
    EXPECT_GT(rows, 10);
    EXPECT_EQ(lines.size(), rows + 2);  // the header and the empty rest after the last CR LF
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
