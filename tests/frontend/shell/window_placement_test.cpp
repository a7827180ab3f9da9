#include "shell/window_placement.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "base/settings_store.h"

namespace farvik {
namespace {

class WindowPlacementStore : public ::testing::Test {
  protected:
    QString file() const { return dir_.filePath(QStringLiteral("Omvira.conf")); }
    QString raw(const QString& key) const {
        return QSettings(file(), QSettings::IniFormat).value("Settings/" + key).toString();
    }
    void writeRaw(const QString& key, const QString& text) {
        QSettings(file(), QSettings::IniFormat).setValue("Settings/" + key, text);
    }

  private:
    QTemporaryDir dir_;
};

TEST_F(WindowPlacementStore, AbsentValuesGiveTheFirstStartPlacement) {
    const WindowPlacement p = readPlacement(SettingsStore(file()));
    EXPECT_EQ(p, (WindowPlacement{1000, 1000, 6500, 6500}));
}

TEST_F(WindowPlacementStore, StoresDecimalTextsAndReadsThemBack) {
    SettingsStore store(file());
    storePlacement(store, {1005, 0.1f, 7200.5f, -45});
    EXPECT_EQ(raw("MainLeft"), "1005");
    EXPECT_EQ(raw("MainTop"), "0.1");
    EXPECT_EQ(raw("MainWidth"), "7200.5");
    EXPECT_EQ(raw("MainHeight"), "-45");
    EXPECT_EQ(readPlacement(store), (WindowPlacement{1005, 0.1f, 7200.5f, -45}));
}

TEST_F(WindowPlacementStore, UnreadableValueCountsAsAbsent) {
    writeRaw("MainLeft", "mucho");
    writeRaw("MainTop", "2000");
    writeRaw("MainWidth", "");
    writeRaw("MainHeight", "nan");
    EXPECT_EQ(readPlacement(SettingsStore(file())), (WindowPlacement{1000, 2000, 6500, 6500}));
}

TEST(WindowPlacementTwips, ConvertAtTheScreensLogicalResolution) {
    EXPECT_EQ(twipsToPixels(1000, 96), 67);  // 66.67 rounds up
    EXPECT_EQ(twipsToPixels(6500, 96), 433);
    EXPECT_EQ(twipsToPixels(1440, 120), 120);
    EXPECT_FLOAT_EQ(pixelsToTwips(67, 96), 1005);
    EXPECT_EQ(placementToPixels({1440, 720, 2880, 1440}, 96, 192), QRect(96, 96, 192, 192));
    EXPECT_EQ(pixelsToPlacement(QRect(96, 96, 192, 192), 96, 192),
              (WindowPlacement{1440, 720, 2880, 1440}));
}

}  // namespace
}  // namespace farvik
