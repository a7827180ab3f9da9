// The results chooser: its options, the redundancy option, and what Aceptar does.
#include "results/frmprintres.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include "engine_results.h"

namespace farvik {
namespace {

class PrintresTest : public ::testing::Test {
  protected:
    PrintresTest() {
        // Named as the engine names them.
        for (const char* name : {"resumen.TXT", "fallo.txt", "redun.TXT", "tablafia.txt"})
            writeFile(dir.path(), QString::fromLatin1(name), "x\r\n");
    }

    std::unique_ptr<frmprintres> chooser() {
        auto c = std::make_unique<frmprintres>(
            dir.path(), frmprintres::Actions{[this](const QString& p) { shown << p; },
                                             [this] { ++graphs; }, [this] { ++reports; }});
        c->show();
        return c;
    }
    static QRadioButton* option(frmprintres& c, int i) {
        return c.findChild<QRadioButton*>(QStringLiteral("Optprintres(%1)").arg(i));
    }

    QTemporaryDir dir;
    QStringList shown;
    int graphs = 0;
    int reports = 0;
};

TEST_F(PrintresTest, TheStudyReportButtonClosesTheChooserAndAsksForTheReport) {
    auto c = chooser();
    auto* button = c->findChild<QPushButton*>(QStringLiteral("btinforme"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("&Informe del estudio..."));
    button->click();
    EXPECT_EQ(reports, 1);
    EXPECT_FALSE(c->isVisible());
    EXPECT_TRUE(shown.isEmpty());
    // Without the action, no button.
    frmprintres plain(dir.path(), frmprintres::Actions{{}, {}, {}});
    EXPECT_EQ(plain.findChild<QPushButton*>(QStringLiteral("btinforme")), nullptr);
}

TEST_F(PrintresTest, OffersFourChoicesTheRedundancyOneOnlyWithRedundancy) {
    auto c = chooser();
    EXPECT_EQ(c->windowTitle(), QStringLiteral("Archivos de Resultados"));
    const QStringList captions = {"Resumen de resultados", "Tiempos de fallo",
                                  "Tiempos de fallo al duplicar los componentes (Redundancia)",
                                  "Tabla de Fiabilidad"};
    for (int i = 0; i < 4; ++i) {
        ASSERT_NE(option(*c, i), nullptr);
        EXPECT_EQ(option(*c, i)->text(), captions[i]);
    }
    EXPECT_EQ(c->findChild<QPushButton*>(QStringLiteral("Command1"))->text(),
              QStringLiteral("Aceptar"));

    option(*c, 2)->setChecked(true);
    c->setRedundancyOffered(false);
    EXPECT_FALSE(option(*c, 2)->isEnabled());
    // What was chosen cannot stay chosen once it is off.
    EXPECT_FALSE(option(*c, 2)->isChecked());
    c->setRedundancyOffered(true);
    EXPECT_TRUE(option(*c, 2)->isEnabled());
}

TEST_F(PrintresTest, AceptarShowsTheChosenFileOrTheGraphsAndCloses) {
    const QStringList files = {"resumen.TXT", "fallo.txt", "redun.TXT"};
    for (int i = 0; i < 3; ++i) {
        auto c = chooser();
        option(*c, i)->setChecked(true);
        c->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        EXPECT_EQ(shown.value(i), QDir(dir.path()).filePath(files[i]));
        EXPECT_EQ(c->result(), QDialog::Accepted);
        EXPECT_FALSE(c->isVisible());
    }
    EXPECT_EQ(graphs, 0);

    auto c = chooser();
    option(*c, 3)->setChecked(true);
    c->acceptChoice();
    EXPECT_EQ(graphs, 1);
    EXPECT_EQ(shown.size(), 3);
    EXPECT_FALSE(c->isVisible());
}

}  // namespace
}  // namespace farvik
