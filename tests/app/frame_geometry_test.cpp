#include "app/frame_geometry.h"

#include <gtest/gtest.h>

TEST(FrameGeometry, ScreenDividedByOnePointOneAndCentred) {
    const CFrameGeometry xga = MainFrameGeometry(1024, 768);
    EXPECT_EQ(xga.width, 930);
    EXPECT_EQ(xga.height, 698);
    EXPECT_EQ(xga.left, 46);
    EXPECT_EQ(xga.top, 34);

    // The margin comes from the cut size, not from the screen: 1920 x 1080 gives
    // 1745 x 981, and the margins 87 and 49 (not the 87.5 and 49.5 of the screen).
    const CFrameGeometry hd = MainFrameGeometry(1920, 1080);
    EXPECT_EQ(hd.width, 1745);
    EXPECT_EQ(hd.height, 981);
    EXPECT_EQ(hd.left, 87);
    EXPECT_EQ(hd.top, 49);

    // A screen that is a whole multiple of 1.1 must not lose a pixel to rounding.
    const CFrameGeometry tiny = MainFrameGeometry(11, 11);
    EXPECT_EQ(tiny.width, 10);
    EXPECT_EQ(tiny.left, 0);

    const CFrameGeometry none = MainFrameGeometry(0, 0);
    EXPECT_EQ(none.width, 0);
    EXPECT_EQ(none.height, 0);
    EXPECT_EQ(none.left, 0);
    EXPECT_EQ(none.top, 0);
}
