#include "app/frame_geometry.h"

#include <gtest/gtest.h>

#include <array>

TEST(FrameGeometry, ScreenDividedByOnePointOneAndCentred) {
    // The margins come from the cut size, not the screen (87 and 49 on 1920 x 1080);
    // a screen that is a whole multiple of 1.1 loses no pixel to rounding.
    const int cases[][6] = {
        {1024, 768, 930, 698, 46, 34}, {1920, 1080, 1745, 981, 87, 49}, {11, 11, 10, 10, 0, 0}, {0, 0, 0, 0, 0, 0}};
    for (const auto& c : cases) {
        const CFrameGeometry g = MainFrameGeometry(c[0], c[1]);
        EXPECT_EQ((std::array<int, 4>{g.width, g.height, g.left, g.top}), (std::array<int, 4>{c[2], c[3], c[4], c[5]}))
            << c[0] << " x " << c[1];
    }
}
