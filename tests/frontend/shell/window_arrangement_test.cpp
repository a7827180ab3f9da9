#include "shell/window_arrangement.h"

#include <gtest/gtest.h>

namespace farvik {
namespace {

TEST(WindowArrangement, HorizontalTilingStacksFullWidthWindows) {
    const QList<QRect> rects = tileRects(Arrangement::TileHorizontal, QSize(300, 200), 3);
    ASSERT_EQ(rects.size(), 3);
    EXPECT_EQ(rects[0], QRect(0, 0, 300, 66));
    EXPECT_EQ(rects[1], QRect(0, 66, 300, 66));
    EXPECT_EQ(rects[2], QRect(0, 132, 300, 68));  // the rest of the height
}

TEST(WindowArrangement, VerticalTilingPutsFullHeightWindowsSideBySide) {
    const QList<QRect> rects = tileRects(Arrangement::TileVertical, QSize(301, 200), 2);
    ASSERT_EQ(rects.size(), 2);
    EXPECT_EQ(rects[0], QRect(0, 0, 150, 200));
    EXPECT_EQ(rects[1], QRect(150, 0, 151, 200));
    EXPECT_TRUE(tileRects(Arrangement::TileVertical, QSize(301, 200), 0).isEmpty());
}

TEST(WindowArrangement, IconsRunAlongTheBottomAndWrapUpwards) {
    const QList<QRect> rects = iconRects(QSize(250, 200), QSize(100, 30), 3);
    ASSERT_EQ(rects.size(), 3);
    EXPECT_EQ(rects[0], QRect(0, 170, 100, 30));
    EXPECT_EQ(rects[1], QRect(100, 170, 100, 30));
    EXPECT_EQ(rects[2], QRect(0, 140, 100, 30));
}

}  // namespace
}  // namespace farvik
