// "Curva exacta" in the graph window: off unless ticked, and then the library's exact
// reliability and hazard drawn over the simulated curves.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QPainter>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <cmath>
#include <memory>

#include "datafile_layout.h"
#include "engine_results.h"
#include "exact_system.h"
#include "results/frmgraficos.h"
#include "results/graph_plot.h"
#include "scripted_dialogs.h"
#include "system_reading.h"

namespace farvik {
namespace {

DataFileElement element(int group, int index, double rate) {
    DataFileElement e;
    e.group = group;
    e.index = index;
    e.distribution = "1";
    e.params = {QString::number(rate, 'g', 17).toStdString(), "0", "0"};
    return e;
}

// Two exponential elements of rate 0.03 in series (code 1): R(t) = exp(-0.06 t), hazard 0.06.
QByteArray seriesData(double rate = 0.03) {
    DataFileContent c;
    c.structure = 1;
    c.redundancy = "2";
    c.total = "2";
    c.elementsPerSubsystem = {"2"};
    c.dimension = "2";
    c.elements = {element(1, 1, rate), element(1, 2, rate)};
    c.seed = "1";
    c.trials = "1000";
    return QByteArray::fromStdString(dataFileBytes(c));
}

class ExactCurveTest : public ::testing::Test {
  protected:
    std::unique_ptr<frmgraficos> open(const QByteArray& data = {}) {
        writeFile(dir.path(), QStringLiteral("tablafia.txt"), tableText(kTenTrialRows));
        auto w = std::make_unique<frmgraficos>(dir.path());
        if (!data.isEmpty()) w->setExactSource(data, QStringLiteral("SIS.DAT"));
        w->resize(1000, 540);
        w->show();
        QApplication::sendPostedEvents();
        return w;
    }
    // A click on the box, and the computation it starts, if any, waited for.
    static void tick(frmgraficos& w, bool on) {
        QSignalSpy done(&w, &frmgraficos::exactCurvesDone);
        w.chkexacta()->click();
        if (w.computingExact()) {
            ASSERT_TRUE(done.wait(30000));
        }
        QApplication::sendPostedEvents();
        ASSERT_EQ(w.chkexacta()->isChecked(), on);
    }
    static QImage image(frmgraficos& w) {
        QApplication::sendPostedEvents();
        return w.plot()->grab().toImage();
    }
    // Where the plot draws its legend, empty without one.
    static QRectF legendOf(frmgraficos& w) {
        QImage device(w.plot()->size(), QImage::Format_RGB32);
        QPainter painter(&device);
        painter.setFont(w.plot()->font());
        return legendRect(painter, w.plot()->plotRect(), w.plot()->picture(), 1.0);
    }
    static int greenPixels(const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.green() > 90 && c.red() < 90 && c.blue() < 90) ++n;
            }
        return n;
    }

    ScriptedDialogs dialogs;
    QTemporaryDir dir;
};

TEST_F(ExactCurveTest, OffByDefaultAndTheGraphUnchangedUntilTicked) {
    auto plain = open();
    EXPECT_EQ(plain->chkexacta()->text(), QStringLiteral("&Curva exacta"));
    EXPECT_FALSE(plain->chkexacta()->isChecked());
    EXPECT_FALSE(plain->chkexacta()->isEnabled()) << "no data file: nothing to compute from";

    auto w = open(seriesData());
    EXPECT_TRUE(w->chkexacta()->isEnabled());
    EXPECT_FALSE(w->chkexacta()->isChecked());
    EXPECT_EQ(w->plot()->picture().exact, nullptr);
    const QImage before = image(*w);
    ASSERT_EQ(before.size(), image(*plain).size());
    EXPECT_EQ(before, image(*plain)) << "a data file alone changes no pixel";
    EXPECT_EQ(greenPixels(before), 0);

    tick(*w, true);
    const QImage ticked = image(*w);
    EXPECT_GT(greenPixels(ticked), w->plot()->width() / 2) << "the curve crosses the plot";

    tick(*w, false);
    EXPECT_EQ(w->plot()->picture().exact, nullptr);
    EXPECT_EQ(image(*w), before) << "unticked, the graph is the simulation's alone again";
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(ExactCurveTest, TheCurvesAreTheLibrarysValuesAtThePlottedTimes) {
    auto w = open(seriesData());
    tick(*w, true);
    ASSERT_TRUE(w->exactCurves().has_value());
    const ExactCurves& curves = *w->exactCurves();
    const analysis::ExactSystem exact(
        *analysis::readSystem(seriesData().toStdString(), "SIS.DAT").model);

    // The times run from 0 to the table's last bound and hold the table's own times.
    ASSERT_EQ(curves.reliability.size(), curves.hazard.size());
    ASSERT_GT(curves.reliability.size(), static_cast<std::size_t>(kExactCurveSteps));
    EXPECT_EQ(curves.reliability.front().x(), 0.0);
    EXPECT_EQ(curves.reliability.back().x(), 30.0);
    for (double t : {5.0, 10.0, 15.0, 20.0, 25.0}) {
        EXPECT_TRUE(std::any_of(curves.reliability.begin(), curves.reliability.end(),
                                [t](QPointF p) { return p.x() == t; }))
            << t;
    }
    for (std::size_t i = 0; i < curves.reliability.size(); ++i) {
        const double t = curves.reliability[i].x();
        if (i > 0) {
            ASSERT_LT(curves.reliability[i - 1].x(), t);
        }
        ASSERT_EQ(curves.reliability[i].y(), exact.reliability(t)) << t;
        ASSERT_EQ(curves.hazard[i].x(), t);
        ASSERT_EQ(curves.hazard[i].y(), exact.hazard(t)) << t;
        // And the library's values are those of two exponentials in series.
        ASSERT_NEAR(curves.reliability[i].y(), std::exp(-0.06 * t), 1e-14) << t;
        ASSERT_NEAR(curves.hazard[i].y(), 0.06, 1e-14) << t;
    }

    // Each graph draws its own exact curve; the histogram none.
    EXPECT_EQ(w->plot()->picture().exact, &curves.reliability);
    w->findChild<QRadioButton*>(QStringLiteral("optgraf(2)"))->click();
    EXPECT_EQ(w->plot()->picture().exact, &curves.hazard);
    EXPECT_GT(greenPixels(image(*w)), w->plot()->width() / 2);
    w->findChild<QRadioButton*>(QStringLiteral("optgraf(1)"))->click();
    EXPECT_EQ(w->plot()->picture().exact, nullptr);
    EXPECT_EQ(greenPixels(image(*w)), 0);
}

// The hazard curve stays on the plot where it leaves the range: the segment is cut at the
// edge, not drawn through coordinates far outside it.
TEST_F(ExactCurveTest, AHazardAboveTheRangeIsCutAtTheEdge) {
    // Rate 1 each: a hazard of 2, far above the table's largest rate 0.2.
    auto w = open(seriesData(1.0));
    w->findChild<QRadioButton*>(QStringLiteral("optgraf(2)"))->click();
    const QImage before = image(*w);
    tick(*w, true);
    const QImage after = image(*w);
    // Only the legend of the two curves is new.
    const QRect legend = legendOf(*w).toAlignedRect().adjusted(-1, -1, 1, 1);
    ASSERT_FALSE(legend.isEmpty());
    int changed = 0;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (!legend.contains(x, y) && after.pixel(x, y) != before.pixel(x, y)) ++changed;
    EXPECT_EQ(changed, 0) << "a curve wholly above the range leaves no trace";
}

// The legend stands exactly where two curves share the plot, and names them.
TEST_F(ExactCurveTest, ALegendExactlyWhenTwoCurvesShareTheGraph) {
    auto w = open(seriesData());
    EXPECT_TRUE(legendEntries(w->plot()->picture()).isEmpty());
    EXPECT_TRUE(legendOf(*w).isEmpty());
    tick(*w, true);
    EXPECT_EQ(legendEntries(w->plot()->picture()),
              (QStringList{"Fiabilidad simulada", "Fiabilidad exacta"}));
    const QRect box = legendOf(*w).toAlignedRect();
    ASSERT_FALSE(box.isEmpty());
    // Its sample of the exact curve is green, inside the box.
    EXPECT_GT(greenPixels(image(*w).copy(box)), 10);
    w->findChild<QRadioButton*>(QStringLiteral("optgraf(2)"))->click();
    EXPECT_EQ(legendEntries(w->plot()->picture()),
              (QStringList{"Tasa de fallo simulada", "Tasa de fallo exacta"}));
    w->findChild<QRadioButton*>(QStringLiteral("optgraf(1)"))->click();
    EXPECT_TRUE(legendEntries(w->plot()->picture()).isEmpty()) << "the histogram is alone";
    tick(*w, false);
    w->findChild<QRadioButton*>(QStringLiteral("optgraf(0)"))->click();
    EXPECT_TRUE(legendOf(*w).isEmpty());
}

TEST_F(ExactCurveTest, DataTheEngineRefusesAreToldAndTheBoxGoesOff) {
    auto w = open(seriesData(0.0));
    tick(*w, false);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].text.startsWith(QStringLiteral("El motor no acepta")));
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QStringLiteral("SIS.DAT")));
    EXPECT_FALSE(w->exactCurves().has_value());
    EXPECT_EQ(w->plot()->picture().exact, nullptr);
}

}  // namespace
}  // namespace farvik
