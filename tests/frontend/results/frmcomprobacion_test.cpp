// The window "Comprobación exacta": a real brenta run beside its exact values, the marks,
// export and print through the dialog seam, refusals, "Cancelar" and the Ver menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProcess>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <random>

#include "datafile_layout.h"
#include "document/system_data.h"
#include "exact_system.h"
#include "pdf_reader.h"
#include "reliability_bounds.h"
#include "results/frmcomprobacion.h"
#include "scripted_dialogs.h"
#include "shell/main_window.h"
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

// Two subsystems in series (code 3): an exponential and a Weibull in parallel, then a
// normal; the first rate given.
QByteArray serpar(double rate, int trials = 4000, const char* redundancy = "1") {
    DataFileContent c;
    c.structure = 3;
    c.redundancy = redundancy;
    c.total = "3";
    c.elementsPerSubsystem = {"2", "1"};
    c.dimension = "2";
    c.elements = {element(1, 1, 0, 1, rate, 0), element(1, 2, 0, 2, 1.5, 900),
                  element(2, 1, 0, 5, 1200, 400)};
    c.seed = "5";
    c.trials = std::to_string(trials);
    return QByteArray::fromStdString(dataFileBytes(c));
}

using testing::summaryOfRun;

void waitFor(frmcomprobacion& w) {
    QSignalSpy done(&w, &frmcomprobacion::finished);
    if (w.computing()) {
        ASSERT_TRUE(done.wait(30000));
    }
}

TEST(frmcomprobacion, SimulatedBesideExactWithExportAndPrint) {
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    const QByteArray data = serpar(0.001);
    const QString name = dir.filePath(QStringLiteral("SIS.DAT"));
    frmcomprobacion w({data, name, summaryOfRun(dir.path(), data)});
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Comprobación exacta"));
    waitFor(w);

    const ExactCheckTable& t = w.table();
    ASSERT_EQ(t.rows.size(), 2 + 1 + 3);
    EXPECT_EQ(t.rows[0].cells[0], QStringLiteral("R(200)"));
    EXPECT_EQ(t.rows[2].cells[0], QStringLiteral("Vida media"));
    EXPECT_EQ(t.rows[3].cells[0], QStringLiteral("Duplicando 1-1"));
    EXPECT_EQ(t.rows[5].cells[0], QStringLiteral("Duplicando 2-1"));
    for (const auto& row : t.rows) EXPECT_FALSE(row.marked) << row.cells.join(' ').toStdString();
    EXPECT_TRUE(t.verdict.startsWith(QStringLiteral("El mejor resultado simulado")));
    QTableWidget* table = w.tblcomprobacion();
    EXPECT_EQ(table->rowCount(), 6);
    EXPECT_EQ(table->horizontalHeaderItem(4)->text(), QStringLiteral("z"));

    // The exact mean life is the library's, to the last digit in the export.
    const analysis::ExactSystem exact(*analysis::readSystem(data.toStdString(), "SIS.DAT").model);
    // Each duplication's gain has its standard error and z beside it.
    for (int r = 3; r < 6; ++r) {
        EXPECT_NE(t.rows[r].cells[7], QStringLiteral("-")) << r;
        EXPECT_GT(t.rows[r].cells[7].toDouble(), 0) << r;
        EXPECT_LT(std::abs(t.rows[r].cells[8].toDouble()), 4) << r;
    }
    EXPECT_EQ(table->horizontalHeaderItem(7)->text(),
              QStringLiteral("Error estándar de la mejora"));

    // Written as comprobacion.csv: the extension added, the header row first, CR LF.
    dialogs.chooseFile(dir.filePath(QStringLiteral("comprobacion")));
    ASSERT_TRUE(w.exportToFile());
    QFile exported(dir.filePath(QStringLiteral("comprobacion.csv")));
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    const QByteArray bytes = exported.readAll();
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBFValor,Simulado,Exacto,Error estándar,z,"));
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
    const QStringList lines =
        QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + 6);
    const QStringList mean = lines[3].split(',');
    ASSERT_EQ(mean[0], QStringLiteral("Vida media"));
    EXPECT_EQ(mean[2].toDouble(), exact.meanLife().value);

    const QString pdf = dir.filePath(QStringLiteral("comprobacion.pdf"));
    dialogs.printToPdf(pdf);
    w.printView();
    const QString printed = pdfPageTexts(pdf).join(' ');
    EXPECT_TRUE(printed.contains(QStringLiteral("Vida media")));
    EXPECT_TRUE(printed.contains(QStringLiteral("Duplicando 2-1")));
    EXPECT_TRUE(printed.contains(QStringLiteral("mejora exacta")));
}

TEST(frmcomprobacion, ValuesFarFromTheSimulationAreMarked) {
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    // Simulated with one rate, compared with the exact values of another.
    const QByteArray summary = summaryOfRun(dir.path(), serpar(0.001, 20000, "2"));
    frmcomprobacion w({serpar(0.0014, 20000, "2"), dir.filePath("SIS.DAT"), summary});
    waitFor(w);
    const ExactCheckTable& t = w.table();
    ASSERT_EQ(t.rows.size(), 3);
    EXPECT_TRUE(t.rows[2].marked);  // the mean life
    EXPECT_EQ(t.rows[2].cells[9], QStringLiteral("*"));
    EXPECT_NE(w.tblcomprobacion()->item(2, 0)->background(), QBrush());
    EXPECT_TRUE(t.verdict.isEmpty());
}

TEST(frmcomprobacion, ExactAloneRefusedAndCancelled) {
    ScriptedDialogs dialogs;
    {
        frmcomprobacion w({serpar(0.001), QStringLiteral("SIS.DAT"), std::nullopt});
        waitFor(w);
        ASSERT_EQ(w.table().rows.size(), 1 + 3);
        EXPECT_EQ(w.table().rows[0].cells[1], QStringLiteral("-"));  // nothing simulated
        EXPECT_TRUE(w.table().verdict.startsWith(QStringLiteral("El mejor resultado exacto")));
    }
    {
        frmcomprobacion w({serpar(-1), QStringLiteral("MAL.DAT"), std::nullopt});
        waitFor(w);
        ASSERT_EQ(dialogs.messages().size(), 1);
        EXPECT_TRUE(dialogs.messages()[0].text.startsWith(
            QStringLiteral("El motor no acepta los datos: MAL.DAT, línea")));
        EXPECT_FALSE(w.exportToFile());  // nothing to export
    }
    {
        // Fifty subsystems of twenty in parallel: a thousand duplications, stopped at once.
        DataFileContent c;
        c.structure = 4;
        c.redundancy = "1";
        c.total = "1000";
        c.dimension = "50";
        for (int i = 1; i <= 50; ++i) {
            c.elementsPerSubsystem.push_back("20");
            for (int j = 1; j <= 20; ++j)
                c.elements.push_back(element(i, j, 0, 2, 1.5, 1000 + i + j));
        }
        c.seed = "1";
        c.trials = "100";
        frmcomprobacion w({QByteArray::fromStdString(dataFileBytes(c)), "R.DAT", std::nullopt});
        EXPECT_TRUE(w.computing());
        w.cancelRequested();
        waitFor(w);
        EXPECT_TRUE(w.table().rows.isEmpty());
        EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lbencabezado"))->text(),
                  QStringLiteral("Cálculo cancelado."));
    }
}

TEST(frmcomprobacion, ASystemOutOfReachShowsBoundsAtTheRunsTimes) {
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    // Fifty elements, fifty random paths of 13 keys: no diagram within the limits.
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
    c.trials = "2000";
    const QByteArray data = QByteArray::fromStdString(dataFileBytes(c));
    frmcomprobacion w(
        {data, dir.filePath(QStringLiteral("SIS.DAT")), summaryOfRun(dir.path(), data), false});
    waitFor(w);

    const ExactCheckTable& t = w.table();
    EXPECT_TRUE(t.bounds);
    ASSERT_EQ(t.rows.size(), 2);  // the run's times, 200 and 600; nothing exact to add
    EXPECT_EQ(t.rows[0].cells[0], QStringLiteral("R(200)"));
    EXPECT_EQ(t.rows[1].cells[0], QStringLiteral("R(600)"));
    const auto reading = analysis::readSystem(data.toStdString(), "SIS.DAT");
    ASSERT_TRUE(reading.model.has_value());
    const analysis::PathBounds bounds(*reading.model);
    for (int r = 0; r < 2; ++r) {
        const analysis::ReliabilityBounds b = bounds.at(r == 0 ? 200 : 600);
        EXPECT_EQ(t.rows[r].exportRow[2].number, b.lower);
        EXPECT_EQ(t.rows[r].exportRow[3].number, b.upper);
        EXPECT_LE(b.lower, b.upper);
        // A sound simulation lies within them (or within 4 standard errors).
        EXPECT_FALSE(t.rows[r].marked) << t.rows[r].cells.join(' ').toStdString();
    }
    QTableWidget* table = w.tblcomprobacion();
    EXPECT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->horizontalHeaderItem(2)->text(), QStringLiteral("Cota inferior"));
    EXPECT_EQ(table->horizontalHeaderItem(3)->text(), QStringLiteral("Cota superior"));
    const QString heading = w.findChild<QLabel*>(QStringLiteral("lbencabezado"))->text();
    EXPECT_TRUE(heading.startsWith(QStringLiteral("El sistema es demasiado grande")))
        << heading.toStdString();
    EXPECT_TRUE(heading.contains(QStringLiteral("cotas, no estimaciones")))
        << heading.toStdString();
    EXPECT_TRUE(dialogs.messages().empty());

    // Printed and exported like the exact values.
    dialogs.chooseFile(dir.filePath(QStringLiteral("cotas.csv")));
    ASSERT_TRUE(w.exportToFile());
    QFile exported(dir.filePath(QStringLiteral("cotas.csv")));
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    EXPECT_TRUE(exported.readAll().contains("Valor,Simulado,Cota inferior,Cota superior,"));
    const QString pdf = dir.filePath(QStringLiteral("cotas.pdf"));
    dialogs.printToPdf(pdf);
    w.printView();
    const QString printed = pdfPageTexts(pdf).join(' ');
    EXPECT_TRUE(printed.contains(QStringLiteral("Cota superior")));
    EXPECT_TRUE(printed.contains(QStringLiteral("R(600)")));

    // Without a run of its own there are no times to bound: the refusal is said as before.
    frmcomprobacion alone({data, QStringLiteral("SIS.DAT"), std::nullopt});
    waitFor(alone);
    EXPECT_TRUE(alone.table().rows.isEmpty());
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].text.startsWith(
        QStringLiteral("El sistema es demasiado grande para el cálculo exacto")));
}

TEST(frmcomprobacion, TheViewMenuChecksTheDocumentBeingEdited) {
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    frmMain w(SettingsStore(dir.filePath(QStringLiteral("Omvira.conf"))));
    w.setProgramEnd([] {});
    w.show();
    QAction* item = w.findChild<QAction*>(QStringLiteral("mnuViewExactCheck"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QStringLiteral("&Comprobación exacta"));
    // The new document's element has no rate yet: the engine's words say so.
    item->trigger();
    ASSERT_NE(w.exactCheckWindow(), nullptr);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(
        QStringLiteral("la tasa de fallo debe ser mayor que 0")));

    // With a rate of 0.002 the mean life is 500; the window of the earlier check is replaced.
    QPointer<QMdiSubWindow> first = w.exactCheckWindow();
    farvik::ElementRec element = w.systemDocument().system().subsystems[1].elements[1];
    element.params[1] = 0.002;
    ASSERT_TRUE(w.systemDocument().editElement(1, element, QString()));
    item->trigger();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    auto* check = qobject_cast<frmcomprobacion*>(w.exactCheckWindow()->widget());
    ASSERT_NE(check, nullptr);
    waitFor(*check);
    ASSERT_EQ(check->table().rows.size(), 1);
    EXPECT_EQ(check->table().rows[0].cells[0], QStringLiteral("Vida media"));
    EXPECT_NEAR(check->table().rows[0].exportCells[2].toDouble(), 500, 1e-10);
    EXPECT_EQ(dialogs.messages().size(), 1);
}

}  // namespace
}  // namespace farvik
