// The graph window: what it draws, the scale step's refusals, the mouse, and printing.
#include "results/frmgraficos.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "engine_results.h"
#include "pdf_reader.h"
#include "results/graph_frame.h"
#include "results/graph_plot.h"
#include "scripted_dialogs.h"

namespace farvik {
namespace {

class GraficosTest : public ::testing::Test {
  protected:
    std::unique_ptr<frmgraficos> open(const QList<QByteArray>& rows = kTenTrialRows) {
        writeFile(dir.path(), QStringLiteral("tablafia.txt"), tableText(rows));
        auto window = std::make_unique<frmgraficos>(dir.path());
        window->show();
        // The first drawing follows the window's first resize.
        QApplication::sendPostedEvents();
        return window;
    }

    static QString label(const frmgraficos& w, const char* name) {
        const auto* l = w.findChild<QLabel*>(QString::fromLatin1(name));
        return l ? l->text() : QStringLiteral("<none>");
    }
    static QStringList rangeLabels(const frmgraficos& w) {
        return {label(w, "x0y0x"), label(w, "x0y0y"), label(w, "x1y0"), label(w, "x0y1")};
    }

    // Where a point of the table lies on the plot, in pixels.
    static QPoint pixel(const GraphPlot& plot, const GraphRange& r, double x, double y) {
        const double px = (x - r.x0) / (r.x1 - r.x0) * (plot.width() - 1);
        const double py = (r.y1 - y) / (r.y1 - r.y0) * (plot.height() - 1);
        return QPoint(qRound(px), qRound(py));
    }
    static GraphRange rangeBetween(const GraphPlot& plot, const GraphRange& r, QPoint a, QPoint b) {
        const auto x = [&](int px) { return r.x0 + px * (r.x1 - r.x0) / (plot.width() - 1); };
        const auto y = [&](int py) { return r.y1 - py * (r.y1 - r.y0) / (plot.height() - 1); };
        return {std::min(x(a.x()), x(b.x())), std::min(y(a.y()), y(b.y())),
                std::max(x(a.x()), x(b.x())), std::max(y(a.y()), y(b.y()))};
    }

    // Antialiased lines blend into their neighbours: the colour is looked for close by.
    static bool near(const QImage& image, QPoint at, const QColor& colour, int reach) {
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx) {
                const QPoint p = at + QPoint(dx, dy);
                if (!image.rect().contains(p)) continue;
                const QColor c = image.pixelColor(p);
                if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                        std::abs(c.blue() - colour.blue()) <
                    60)
                    return true;
            }
        return false;
    }

    static void expectNear(const GraphRange& a, const GraphRange& b) {
        const double dx = 1e-9 * std::abs(b.x1 - b.x0), dy = 1e-9 * std::abs(b.y1 - b.y0);
        EXPECT_NEAR(a.x0, b.x0, dx);
        EXPECT_NEAR(a.x1, b.x1, dx);
        EXPECT_NEAR(a.y0, b.y0, dy);
        EXPECT_NEAR(a.y1, b.y1, dy);
    }

    static void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(w, &event);
    }
    static void drag(GraphPlot* plot, QPoint from, QPoint to) {
        mouse(plot, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        mouse(plot, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
        mouse(plot, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        mouse(plot, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }

    ScriptedDialogs dialogs;
    QTemporaryDir dir;
};

TEST_F(GraficosTest, OpensOnTheReliabilityCurveBesideTheTable) {
    auto w = open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Gráficas"));
    EXPECT_TRUE(w->findChild<QRadioButton*>(QStringLiteral("optgraf(0)"))->isChecked());
    EXPECT_EQ(w->selectedGraph(), kReliabilityGraph);
    EXPECT_EQ(w->shownGraphRange(), (GraphRange{0, 0, 30, 1}));
    EXPECT_EQ(rangeLabels(*w), (QStringList{"0.00", "0.00", "30.00", "1.00"}));
    EXPECT_EQ(label(*w, "lbx"), QStringLiteral("Tiempo"));
    EXPECT_EQ(label(*w, "lby"), QStringLiteral("Fiabilidad"));
    const auto* table = w->findChild<QPlainTextEdit*>(QStringLiteral("rtxtdatos"));
    ASSERT_NE(table, nullptr);
    EXPECT_TRUE(table->toPlainText().contains(QString::fromLatin1(kTenTrialRows[1])));
    for (int i = 0; i <= 10; ++i) {
        EXPECT_NE(w->findChild<QWidget*>(QStringLiteral("Lineh(%1)").arg(i)), nullptr);
        EXPECT_NE(w->findChild<QWidget*>(QStringLiteral("Linev(%1)").arg(i)), nullptr);
    }
    EXPECT_TRUE(dialogs.messages().isEmpty());

    // Another graph: its own range and title.
    w->findChild<QRadioButton*>(QStringLiteral("optgraf(1)"))->click();
    EXPECT_EQ(w->selectedGraph(), kFailureCountGraph);
    EXPECT_EQ(rangeLabels(*w), (QStringList{"0.00", "0.00", "30.00", "5.00"}));
    EXPECT_EQ(label(*w, "lby"), QStringLiteral("Nº de fallos"));
}

TEST_F(GraficosTest, EachGraphShowsItsPointsInTheirColours) {
    auto w = open();
    GraphPlot* plot = w->plot();
    const QColor red(255, 0, 0), blue(0, 0, 255), white(Qt::white);
    // Whole dots and white paper are checked on the very pixel, lines close by.
    const auto at = [&](double x, double y, const QColor& colour) {
        const QImage image = plot->grab().toImage();
        const int reach = colour == blue ? 1 : 0;
        return near(image, pixel(*plot, w->shownGraphRange(), x, y), colour, reach);
    };

    // Reliability: dots at the points from (0, 1) on, light blue between them, white
    // away from them (and from the grid lines).
    EXPECT_TRUE(at(10, 0.5, red));
    EXPECT_TRUE(at(20, 0.2, red));
    EXPECT_TRUE(at(30, 0, red));
    EXPECT_TRUE(at(5, 0.75, blue));
    EXPECT_TRUE(at(16, 0.32, blue));
    EXPECT_TRUE(at(14, 0.83, white));
    EXPECT_TRUE(at(26.5, 0.44, white));

    // Histogram: red boxes outlined in blue, white above them.
    w->chooseGraph(kFailureCountGraph);
    EXPECT_TRUE(at(16, 1.6, red));
    EXPECT_TRUE(at(25, 1.2, red));
    EXPECT_TRUE(at(16, 3, blue));
    EXPECT_TRUE(at(16, 4.2, white));
    EXPECT_TRUE(at(26, 2.6, white));

    // Failure rate: from the middle of the first interval on; point 0 is not drawn, nor
    // a segment from it.
    w->chooseGraph(kFailureRateGraph);
    EXPECT_EQ(w->shownGraphRange(), (GraphRange{0, 0, 25, 0.2}));
    EXPECT_TRUE(at(5, 0.06667, red));
    EXPECT_TRUE(at(15, 0.08571, red));
    EXPECT_TRUE(at(11, 0.06667 + 0.6 * (0.08571 - 0.06667), blue));
    EXPECT_TRUE(at(3.7, 0.0493, white));
    EXPECT_TRUE(at(1, 0.013, white));
}

// The values beside the axes, as the window lays them out: each grid line that is shown has
// its value, the values are round and in order, and no two labels touch, at any size and
// after zooms.
TEST_F(GraficosTest, AxisValuesAreRoundLabelledAndApartBeforeAndAfterZooms) {
    auto w = open();
    auto* frame = w->findChild<GraphFrame*>(QStringLiteral("frmgrafico"));
    ASSERT_NE(frame, nullptr);
    const auto check = [&](const char* when) {
        QApplication::sendPostedEvents();
        const auto named = [&](const QString& name) { return w->findChild<QWidget*>(name); };
        QList<QRect> labels = {named("x0y0x")->geometry(), named("x1y0")->geometry()};
        QList<QRect> yLabels = {named("x0y0y")->geometry(), named("x0y1")->geometry()};
        // The end labels are as wide as their text, not as the label widget.
        const QFontMetrics fm(frame->font());
        labels[0].setWidth(fm.horizontalAdvance(qobject_cast<QLabel*>(named("x0y0x"))->text()));
        const QString x1 = qobject_cast<QLabel*>(named("x1y0"))->text();
        labels[1].setLeft(labels[1].right() - fm.horizontalAdvance(x1));
        int xShown = 0, yShown = 0;
        for (int i = 1; i <= 9; ++i) {
            QLabel* tx = frame->tickx(i);
            QLabel* ty = frame->ticky(i);
            EXPECT_EQ(tx->isVisible(), named(QStringLiteral("Linev(%1)").arg(i))->isVisible());
            EXPECT_EQ(ty->isVisible(), named(QStringLiteral("Lineh(%1)").arg(i))->isVisible());
            if (tx->isVisible()) {
                ++xShown;
                EXPECT_FALSE(tx->text().isEmpty()) << when;
                for (const QRect& other : labels)
                    EXPECT_FALSE(other.intersects(tx->geometry()))
                        << when << " " << tx->text().toStdString();
                labels << tx->geometry();
            }
            if (ty->isVisible()) {
                ++yShown;
                for (const QRect& other : yLabels)
                    EXPECT_FALSE(other.intersects(ty->geometry()))
                        << when << " " << ty->text().toStdString();
                yLabels << ty->geometry();
            }
        }
        EXPECT_EQ(std::size_t(xShown), frame->xTicks().values.size()) << when;
        EXPECT_EQ(std::size_t(yShown), frame->yTicks().values.size()) << when;
        EXPECT_GE(xShown, 2) << when;
        EXPECT_GE(yShown, 2) << when;
        for (double v : frame->xTicks().values)
            EXPECT_NEAR(v / frame->xTicks().step, std::round(v / frame->xTicks().step), 1e-9);
    };
    check("whole");
    EXPECT_EQ(frame->xTicks().labels, (QStringList{"5", "10", "15", "20", "25"}));
    w->zoomTo({3.3, 0.07, 27.1, 0.83});
    check("zoomed");
    w->zoomTo({10.37, 0.41, 11.9, 0.413});
    check("zoomed deep");
    w->resize(420, 300);
    w->zoomTo({3.3, 0.07, 27.1, 0.83});
    check("small window");
    // Counts are whole numbers.
    w->resize(1000, 540);
    w->chooseGraph(kFailureCountGraph);
    check("histogram");
    for (const QString& label : frame->yTicks().labels)
        EXPECT_FALSE(label.contains(QLatin1Char('.'))) << label.toStdString();
    EXPECT_EQ(frame->yTicks().labels, (QStringList{"1", "2", "3", "4"}));
}

TEST_F(GraficosTest, DraggingZoomsToTheSameRectangleInEitherDirection) {
    auto w = open();
    GraphPlot* plot = w->plot();
    const GraphRange full = w->shownGraphRange();
    const QPoint a = pixel(*plot, full, 5, 0.9), b = pixel(*plot, full, 22, 0.1);
    const GraphRange expected = rangeBetween(*plot, full, a, b);

    drag(plot, a, b);
    const GraphRange zoomed = w->shownGraphRange();
    expectNear(zoomed, expected);
    EXPECT_EQ(plot->picture().range, zoomed);
    EXPECT_EQ(rangeLabels(*w), (QStringList{fixedNumber(zoomed.x0, 2), fixedNumber(zoomed.y0, 2),
                                            fixedNumber(zoomed.x1, 2), fixedNumber(zoomed.y1, 2)}));
    EXPECT_EQ(w->fullGraphRange(), full);

    // Back to the whole curve with the right button, then the opposite drag.
    mouse(plot, QEvent::MouseButtonPress, a, Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(w->shownGraphRange(), full);
    EXPECT_EQ(plot->picture().range, full);
    drag(plot, b, a);
    EXPECT_EQ(w->shownGraphRange(), zoomed);

    // Bottom left to top right, inside the zoomed view.
    const QPoint c(plot->width() / 5, plot->height() * 4 / 5), d(plot->width() / 2, 10);
    drag(plot, c, d);
    expectNear(w->shownGraphRange(), rangeBetween(*plot, zoomed, c, d));
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(GraficosTest, AClickWithoutDraggingDoesNotZoom) {
    auto w = open();
    GraphPlot* plot = w->plot();
    const QPoint at = pixel(*plot, w->shownGraphRange(), 12, 0.4);
    mouse(plot, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(plot->dragging());
    mouse(plot, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(plot->dragging());
    EXPECT_EQ(w->shownGraphRange(), (GraphRange{0, 0, 30, 1}));
    EXPECT_EQ(plot->picture().range, (GraphRange{0, 0, 30, 1}));
    // A drag along one line has no height either.
    drag(plot, at, at + QPoint(40, 0));
    EXPECT_EQ(w->shownGraphRange(), (GraphRange{0, 0, 30, 1}));
}

TEST_F(GraficosTest, ResizingAndChangingGraphCancelTheZoom) {
    auto w = open();
    GraphPlot* plot = w->plot();
    drag(plot, QPoint(20, 20), QPoint(120, 90));
    ASSERT_NE(w->shownGraphRange(), (GraphRange{0, 0, 30, 1}));

    w->resize(w->width() + 60, w->height() + 40);
    QApplication::sendPostedEvents();
    EXPECT_EQ(w->shownGraphRange(), (GraphRange{0, 0, 30, 1}));
    EXPECT_EQ(plot->picture().range, (GraphRange{0, 0, 30, 1}));

    drag(plot, QPoint(20, 20), QPoint(120, 90));
    w->chooseGraph(kReliabilityGraph);
    EXPECT_EQ(plot->picture().range, (GraphRange{0, 0, 30, 1}));
}

TEST_F(GraficosTest, TheTooltipGivesThePointerInTheTablesUnits) {
    auto w = open();
    GraphPlot* plot = w->plot();
    const QPoint at(plot->width() / 3, plot->height() / 4);
    mouse(plot, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    const double x = at.x() * 30.0 / (plot->width() - 1);
    const double y = 1.0 - at.y() * 1.0 / (plot->height() - 1);
    EXPECT_EQ(plot->toolTip(), QStringLiteral("(%1,%2)").arg(QString::number(x, 'f', 4),
                                                             QString::number(y, 'f', 4)));
}

TEST_F(GraficosTest, ATableWithoutRowsIsRefusedOnceAndDrawsNothing) {
    auto w = open({});
    ASSERT_EQ(dialogs.messages().size(), 1);
    const ScriptedDialogs::Message& m = dialogs.messages().first();
    EXPECT_EQ(m.icon, MessageIcon::Critical);
    EXPECT_EQ(m.buttons, MessageButtons::Ok);
    EXPECT_EQ(m.title, QStringLiteral("Advertencia"));
    EXPECT_EQ(m.text, QStringLiteral("El intervalo en el eje y es cero.\nElige otro intervalo"));
    EXPECT_FALSE(w->plot()->hasPicture());
    EXPECT_EQ(label(*w, "x1y0"), QString());

    // Nothing to zoom into.
    drag(w->plot(), QPoint(10, 10), QPoint(80, 60));
    EXPECT_EQ(dialogs.messages().size(), 1);
}

TEST_F(GraficosTest, AGraphThatCannotBeDrawnLeavesThePreviousOne) {
    // No failure rate anywhere: that graph has no height.
    auto w = open({"        0.00000       10.00000       4        0.60000        0.00000",
                   "       10.00000       20.00000       6        0.00000        0.00000"});
    ASSERT_TRUE(dialogs.messages().isEmpty());
    w->chooseGraph(kFailureRateGraph);
    ASSERT_EQ(dialogs.messageTexts(),
              QStringList{"El intervalo en el eje y es cero.\nElige otro intervalo"});
    EXPECT_EQ(w->plot()->picture().kind, kReliabilityGraph);
    EXPECT_EQ(rangeLabels(*w), (QStringList{"0.00", "0.00", "20.00", "1.00"}));
    EXPECT_EQ(label(*w, "lby"), QStringLiteral("Fiabilidad"));
}

TEST_F(GraficosTest, PrintingAsksAboutTheGraphAndCancelPrintsNothing) {
    auto w = open();
    const QString pdf = dir.filePath(QStringLiteral("tabla.pdf"));
    dialogs.printToPdf(pdf);
    dialogs.answerNext(MessageAnswer::Cancel);
    w->findChild<QPushButton*>(QStringLiteral("btprint"))->click();
    ASSERT_EQ(dialogs.messages().size(), 1);
    const ScriptedDialogs::Message& m = dialogs.messages().first();
    EXPECT_EQ(m.icon, MessageIcon::Question);
    EXPECT_EQ(m.buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(m.title, QStringLiteral("Impresora"));
    EXPECT_EQ(m.text, QStringLiteral("¿Quiere imprimir los resultados con el gráfico?"));
    EXPECT_EQ(dialogs.printRequests(), 0);
    EXPECT_TRUE(dialogs.printSteps().isEmpty());
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(GraficosTest, PrintsTheTableAloneOrBelowTheGraph) {
    auto w = open();
    const QString alone = dir.filePath(QStringLiteral("sola.pdf"));
    const QString withGraph = dir.filePath(QStringLiteral("grafico.pdf"));
    dialogs.answerNext(MessageAnswer::No);
    dialogs.printToPdf(alone);
    w->printView();
    dialogs.answerNext(MessageAnswer::Yes);
    dialogs.printToPdf(withGraph);
    w->printView();
    ASSERT_EQ(dialogs.printRequests(), 2);

    const auto firstRowTop = [](const QList<PdfWord>& words) {
        for (const PdfWord& word : words)
            if (word.text == QStringLiteral("TABLA")) return word.yMin;
        return -1.0;
    };
    const QList<PdfWord> plain = pdfWords(alone);
    const QList<PdfWord> graph = pdfWords(withGraph);
    const QStringList graphPage = pdfPageTexts(withGraph);
    ASSERT_EQ(graphPage.size(), 1);
    EXPECT_TRUE(graphPage[0].simplified().contains(QStringLiteral("Archivo: tablafia Fecha: ")));
    EXPECT_TRUE(
        graphPage[0].contains(QString::fromLatin1(kTenTrialRows[2]).simplified().split(' ')[4]));

    // With the graph the text goes on below it, 9000 twips (450 points) into the page.
    ASSERT_GT(firstRowTop(plain), 0);
    EXPECT_LT(firstRowTop(plain), 200);
    EXPECT_GT(firstRowTop(graph), 450);
    // The graph's titles and range labels are on the page.
    QStringList above;
    for (const PdfWord& word : graph)
        if (word.yMax < 450) above << word.text;
    for (const char* expected : {"Fiabilidad", "Tiempo", "30.00", "1.00", "0.00"})
        EXPECT_TRUE(above.contains(QString::fromUtf8(expected))) << expected;
    // Its title line, and round values at its grid lines, each once, none overlapping.
    EXPECT_TRUE(above.join(' ').contains(QStringLiteral("tablafia.txt: Fiabilidad, 10 pruebas")));
    double titleLine = -1;
    for (const PdfWord& word : graph)
        if (word.text == QStringLiteral("pruebas")) titleLine = word.yMin;
    QList<PdfWord> values;
    for (const PdfWord& word : graph)
        if (word.yMax < 450 && word.yMin != titleLine &&
            QRegularExpression(QStringLiteral("^\\d+(\\.\\d)?$")).match(word.text).hasMatch())
            values << word;
    QStringList texts;
    for (const PdfWord& v : values) texts << v.text;
    for (const char* expected : {"5", "10", "15", "20", "25", "0.2", "0.4", "0.6", "0.8"})
        EXPECT_EQ(texts.count(QString::fromLatin1(expected)), 1) << expected;
    for (int i = 0; i < values.size(); ++i)
        for (int j = i + 1; j < values.size(); ++j) {
            const PdfWord &a = values[i], &b = values[j];
            const bool apart =
                a.xMax <= b.xMin || b.xMax <= a.xMin || a.yMax <= b.yMin || b.yMax <= a.yMin;
            EXPECT_TRUE(apart) << a.text.toStdString() << " and " << b.text.toStdString();
        }
}

// The page with the graph, as previewed and as printed, picture for picture.
TEST_F(GraficosTest, ThePreviewOfThePageWithTheGraphIsThePrintedPage) {
    auto w = open();
    const QString preview = dir.filePath(QStringLiteral("vista.pdf"));
    const QString printed = dir.filePath(QStringLiteral("grafico.pdf"));
    const QString plain = dir.filePath(QStringLiteral("sola.pdf"));
    dialogs.answerNext(MessageAnswer::Yes);
    dialogs.previewToPdf(preview);
    dialogs.printToPdf(printed);
    w->findChild<QPushButton*>(QStringLiteral("btprint"))->click();
    dialogs.answerNext(MessageAnswer::No);
    dialogs.printToPdf(plain);
    w->printView();
    EXPECT_EQ(dialogs.printSteps(),
              QStringList({QStringLiteral("preview"), QStringLiteral("print dialog"),
                           QStringLiteral("preview"), QStringLiteral("print dialog")}));

    const QList<QImage> shown = pdfPageImages(preview, 60);
    const QList<QImage> page = pdfPageImages(printed, 60);
    const QList<QImage> text = pdfPageImages(plain, 60);
    ASSERT_EQ(page.size(), 1);
    ASSERT_EQ(shown.size(), 1);
    ASSERT_EQ(text.size(), 1);
    EXPECT_TRUE(shown[0] == page[0]);
    // The graph is part of what is compared.
    EXPECT_FALSE(text[0] == page[0]);
}

}  // namespace
}  // namespace farvik
