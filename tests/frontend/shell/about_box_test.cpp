#include "shell/about_box.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTest>

#include "base/system_info.h"
#include "farvik_version.h"
#include "scripted_dialogs.h"

namespace farvik {
namespace {

const QString kUnavailable =
    QStringLiteral("La información del sistema no está disponible en este momento");

// A desktop as the test describes it, recording what was started.
class FakeSystemInfo : public SystemInfoSources {
  public:
    QString registered;
    QString folder;
    QSet<QString> files;
    QSet<QString> refusing;  // programs that fail to start
    QStringList started;

    QString registeredProgram() const override { return registered; }
    QString sharedToolsFolder() const override { return folder; }
    bool fileExists(const QString& path) const override { return files.contains(path); }
    bool start(const QString& program) override {
        if (refusing.contains(program)) return false;
        started << program;
        return true;
    }
};

class AboutBoxTest : public ::testing::Test {
  protected:
    void clickSysInfo() {
        frmAbout about(nullptr, &desktop);
        about.show();
        auto* button = about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"));
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    ScriptedDialogs dialogs;
    FakeSystemInfo desktop;
};

TEST_F(AboutBoxTest, ShowsTitleVersionDescriptionAndButtons) {
    frmAbout about(nullptr, &desktop);
    EXPECT_EQ(about.windowTitle(), QStringLiteral("Acerca de Omvira"));
    auto text = [&about](const char* name) {
        auto* label = about.findChild<QLabel*>(QString::fromLatin1(name));
        return label ? label->text() : QStringLiteral("<missing>");
    };
    EXPECT_EQ(text("lblTitle"), QStringLiteral("Farvik"));
    EXPECT_EQ(text("lblVersion"), QStringLiteral("Versión " FARVIK_VERSION_STRING));
    EXPECT_EQ(text("lblDescription"),
              QStringLiteral("Omvira de la fiabilidad de sistemas multicomponente con elementos "
                             "en serie, paralelo o mixtos."));
    EXPECT_EQ(text("lblDisclaimer"), QStringLiteral("Realizado por:"));
    EXPECT_FALSE(text("Label1").isEmpty());
    EXPECT_NE(about.findChild<QLabel*>(QStringLiteral("Image1")), nullptr);
    EXPECT_EQ(about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->text(),
              QStringLiteral("Info. del &sistema..."));

    about.show();
    auto* ok = about.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("Aceptar"));
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

TEST_F(AboutBoxTest, StartsTheProgramTheDesktopNames) {
    desktop.registered = QStringLiteral("/usr/bin/kinfocenter");
    desktop.folder = QStringLiteral("/usr/sbin");
    desktop.files << "/usr/sbin/" + kSharedSystemInfoTool;
    clickSysInfo();
    EXPECT_EQ(desktop.started, QStringList{"/usr/bin/kinfocenter"});
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(AboutBoxTest, FallsBackToTheToolInTheSharedFolder) {
    desktop.folder = QStringLiteral("/opt/herramientas");
    desktop.files << "/opt/herramientas/" + kSharedSystemInfoTool;
    clickSysInfo();
    EXPECT_EQ(desktop.started, QStringList{"/opt/herramientas/" + kSharedSystemInfoTool});

    // A named program that will not start leads to the same fallback.
    desktop.started.clear();
    desktop.registered = QStringLiteral("/usr/bin/roto");
    desktop.refusing << desktop.registered;
    clickSysInfo();
    EXPECT_EQ(desktop.started, QStringList{"/opt/herramientas/" + kSharedSystemInfoTool});
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(AboutBoxTest, SaysSoWhenNothingIsFound) {
    desktop.folder = QStringLiteral("/usr/sbin");  // the folder exists, the tool does not
    clickSysInfo();
    desktop.folder.clear();
    clickSysInfo();
    EXPECT_TRUE(desktop.started.isEmpty());
    ASSERT_EQ(dialogs.messages().size(), 2);
    for (const ScriptedDialogs::Message& m : dialogs.messages()) {
        EXPECT_EQ(m.text, kUnavailable);
        EXPECT_EQ(m.buttons, MessageButtons::Ok);
    }
}

}  // namespace
}  // namespace farvik
