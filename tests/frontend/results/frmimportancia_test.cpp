// The window "Importancia y sensibilidad": a real brenta run's causes beside the exact ones,
// a typed time, sorting, the IB(t) graph and its export, a system out of reach, the Ver menu.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <random>

#include "datafile_layout.h"
#include "importance.h"
#include "results/frmimportancia.h"
#include "results/importance_plot.h"
#include "scripted_dialogs.h"
#include "summary_of_run.h"
#include "system_reading.h"

namespace farvik {
namespace {

DataFileElement element(int group, int index, int key, int dist, double p1, double p2) {
    DataFileElement e;
    e.group = group;
    e.index = index;
    e.key = key;
    e.distribution = std::to_string(dist);
    e.params = {QString::number(p1, 'g', 17).toStdString(),
                QString::number(p2, 'g', 17).toStdString(), "0"};
    return e;
}

// Code 3: an exponential and a Weibull in parallel, then a normal and a lognormal.
QByteArray serpar() {
    DataFileContent c;
    c.structure = 3;
    c.redundancy = "2";
    c.total = "4";
    c.elementsPerSubsystem = {"2", "2"};
    c.dimension = "2";
    c.elements = {element(1, 1, 0, 1, 0.001, 0), element(1, 2, 0, 2, 1.5, 900),
                  element(2, 1, 0, 5, 1200, 400), element(2, 2, 0, 4, 1500, 500)};
    c.seed = "5";
    c.trials = "20000";
    return QByteArray::fromStdString(dataFileBytes(c));
}

using testing::summaryOfRun;

void waitFor(frmimportancia& w) {
    QSignalSpy done(&w, &frmimportancia::finished);
    if (w.computing()) {
        ASSERT_TRUE(done.wait(60000));
    }
}

TEST(frmimportancia, CausesBesideTheRunsAndTheMeasuresAtEachTime) {
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    const QByteArray data = serpar();
    frmimportancia w({data,
                      dir.filePath(QStringLiteral("SIS.DAT")),
                      {200, 600},
                      summaryOfRun(dir.path(), data)});
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Importancia y sensibilidad"));
    waitFor(w);
    ASSERT_TRUE(w.report());

    QTableWidget* table = w.tblimportancia();
    ASSERT_EQ(table->rowCount(), 4);
    ASSERT_EQ(table->columnCount(), 9);
    EXPECT_EQ(table->horizontalHeaderItem(8)->text(), QStringLiteral("z"));
    const analysis::ExactSystem exact(*analysis::readSystem(data.toStdString(), "SIS.DAT").model);
    const auto causes = analysis::failureCauses(exact).value();
    double simulated = 0;
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(table->item(r, 0)->text(),
                  QString::fromStdString(exact.model().elements[r].label));
        EXPECT_NEAR(table->item(r, 6)->text().toDouble(), causes[r].value, 1e-9);
        simulated += table->item(r, 7)->text().toDouble();
        // 20000 trials of the very system: the shares agree within a few standard errors.
        EXPECT_LT(std::fabs(table->item(r, 8)->text().toDouble()), 4) << r;
    }
    EXPECT_NEAR(simulated, 1, 1e-9);
    const auto at200 = analysis::importanceAt(exact, 200);
    EXPECT_NEAR(table->item(2, 1)->text().toDouble(), at200[2].birnbaum, 1e-9 * at200[2].birnbaum);

    // A click on a header sorts by the numbers, not by their text.
    table->sortItems(1, Qt::DescendingOrder);
    for (int r = 1; r < 4; ++r) {
        EXPECT_GE(table->item(r - 1, 1)->text().toDouble(), table->item(r, 1)->text().toDouble());
    }

    // The sensitivities come ranked by the size of the mean life's elasticity.
    QTableWidget* sens = w.tblsensibilidad();
    ASSERT_EQ(sens->rowCount(), 1 + 2 + 2 + 2);
    for (int r = 1; r < sens->rowCount(); ++r) {
        EXPECT_GE(std::fabs(sens->item(r - 1, 4)->text().toDouble()),
                  std::fabs(sens->item(r, 4)->text().toDouble()));
    }

    // A time typed in the box: worked out and shown.
    auto* box = w.findChild<QComboBox*>(QStringLiteral("cbtiempo"));
    box->setEditText(QStringLiteral("450"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(box->count(), 3);
    EXPECT_TRUE(w.findChild<QLabel*>(QStringLiteral("lbencabezado"))->text().contains("t = 450"));
    const auto at450 = analysis::importanceAt(exact, 450);
    bool found = false;
    for (int r = 0; r < 4; ++r) {
        if (table->item(r, 0)->text() == QStringLiteral("1-1")) {
            EXPECT_NEAR(table->item(r, 1)->text().toDouble(), at450[0].birnbaum, 1e-9);
            found = true;
        }
    }
    EXPECT_TRUE(found);

    // The graph: five elements at most, here all four, exported as PNG.
    w.resize(900, 600);
    w.show();
    const QString png = dir.filePath(QStringLiteral("ib.png"));
    dialogs.chooseFile(png);
    ASSERT_TRUE(w.exportGraph());
    EXPECT_FALSE(QImage(png).isNull());
    EXPECT_EQ(w.report()->curves.size(), 4u);
}

// "¿Y si...?" asks for the element of the chosen row, whatever the order of the rows.
TEST(frmimportancia, WhatIfAsksForTheElementOfTheChosenRow) {
    frmimportancia w({serpar(), QStringLiteral("SIS.DAT"), {200}, std::nullopt});
    waitFor(w);
    auto* button = w.findChild<QPushButton*>(QStringLiteral("btysi"));
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->isEnabled());
    QSignalSpy asked(&w, &frmimportancia::whatIfRequested);
    QTableWidget* table = w.tblimportancia();
    table->sortItems(1, Qt::DescendingOrder);
    table->setCurrentCell(2, 3);
    ASSERT_TRUE(button->isEnabled());
    button->click();
    ASSERT_EQ(asked.count(), 1);
    EXPECT_EQ(asked[0][0].toString(), table->item(2, 0)->text());
    table->setCurrentCell(0, 1);  // as a double click does first
    emit table->cellDoubleClicked(0, 1);
    ASSERT_EQ(asked.count(), 2);
    EXPECT_EQ(asked[1][0].toString(), table->item(0, 0)->text());
    EXPECT_NE(asked[1][0].toString(), asked[0][0].toString());
}

TEST(frmimportancia, ASystemOutOfReachShowsBoundsAndCancelStops) {
    ScriptedDialogs dialogs;
    DataFileContent c;
    c.structure = 5;
    c.redundancy = "2";
    c.total = "50";
    c.elementCount = "50";
    c.dimension = "50";
    std::mt19937 rng(6);
    for (int k = 1; k <= 50; ++k) c.elements.push_back(element(k, 1, k, 1, 0.001, 0));
    for (int p = 0; p < 50; ++p) {
        c.entriesPerPath.push_back("13");
        std::vector<std::string> keys;
        for (int m = 0; m < 13; ++m) keys.push_back(std::to_string(1 + rng() % 50));
        c.pathKeys.push_back(keys);
    }
    c.seed = "1";
    c.trials = "100";
    frmimportancia w({QByteArray::fromStdString(dataFileBytes(c)), "G.DAT", {100}, std::nullopt});
    waitFor(w);
    const QString text = w.findChild<QLabel*>(QStringLiteral("lbencabezado"))->text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("El sistema es demasiado grande")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Cotas de R(100): entre "))) << text.toStdString();
    EXPECT_FALSE(w.exportTables());

    // A thousand elements, stopped at once.
    DataFileContent big;
    big.structure = 4;
    big.redundancy = "2";
    big.total = "1000";
    big.dimension = "50";
    for (int i = 1; i <= 50; ++i) {
        big.elementsPerSubsystem.push_back("20");
        for (int j = 1; j <= 20; ++j)
            big.elements.push_back(element(i, j, 0, 2, 1.5, 1000 + i + j));
    }
    big.seed = "1";
    big.trials = "100";
    frmimportancia stopped(
        {QByteArray::fromStdString(dataFileBytes(big)), "R.DAT", {}, std::nullopt});
    EXPECT_TRUE(stopped.computing());
    stopped.cancelRequested();
    waitFor(stopped);
    EXPECT_FALSE(stopped.report());
    EXPECT_EQ(stopped.findChild<QLabel*>(QStringLiteral("lbencabezado"))->text(),
              QStringLiteral("Cálculo cancelado."));
}

}  // namespace
}  // namespace farvik
