#include "shell/splash_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QTimer>

#include "farvik_version.h"

namespace farvik {
namespace {

class SplashTest : public ::testing::Test {
  protected:
    SplashTest() : splash([this] { ++mainWindowsOpened; }) { splash.show(); }

    QString text(const char* name) {
        auto* label = splash.findChild<QLabel*>(QString::fromLatin1(name));
        return label ? label->text() : QStringLiteral("<missing>");
    }

    int mainWindowsOpened = 0;
    frmSplash splash;
};

TEST_F(SplashTest, ShowsNameVersionAndRunsAOneSecondTimer) {
    EXPECT_EQ(text("lblProductName"), QStringLiteral("Farvik"));
    EXPECT_EQ(text("lblVersion"), QStringLiteral("Version " FARVIK_VERSION_STRING));
    EXPECT_EQ(text("lblWarning"), QStringLiteral("Realizado por:"));
    for (const char* credit : {"lblPlatform", "lblCompanyProduct", "Label1", "Label2"})
        EXPECT_FALSE(text(credit).isEmpty()) << credit;
    auto* timer = splash.findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 1000);
}

TEST_F(SplashTest, FifthTickOpensTheMainWindowOnce) {
    for (int tick = 1; tick <= 4; ++tick) splash.Timer1_Timer();
    EXPECT_EQ(mainWindowsOpened, 0);
    EXPECT_TRUE(splash.isVisible());

    splash.Timer1_Timer();
    EXPECT_EQ(mainWindowsOpened, 1);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(splash.findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());

    splash.Timer1_Timer();
    EXPECT_EQ(mainWindowsOpened, 1);
}

TEST(SplashClick, AnyPictureLabelOrTheFrameOpensTheMainWindowAtOnceAndOnlyOnce) {
    for (const char* name :
         {"fraMainFrame", "Image1", "Image2", "lblProductName", "lblVersion", "lblPlatform",
          "lblWarning", "lblCompanyProduct", "Label1", "Label2"}) {
        int opened = 0;
        frmSplash splash([&opened] { ++opened; });
        splash.show();
        QWidget* target = splash.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(target, nullptr) << name;
        QTest::mouseClick(target, Qt::LeftButton);
        EXPECT_EQ(opened, 1) << name;
        EXPECT_FALSE(splash.isVisible()) << name;
        // The ticks still to come do not open a second one.
        for (int tick = 0; tick < 5; ++tick) splash.Timer1_Timer();
        EXPECT_EQ(opened, 1) << name;
    }
}

}  // namespace
}  // namespace farvik
