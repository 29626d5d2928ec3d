#include "app/frame_geometry.h"

#include <cmath>

namespace {

constexpr double kFrameShare = 0.9090909090909091; // 1 / 1.1
constexpr double kScreenShare = 1.1;

int Cut(double value) { return static_cast<int>(std::trunc(value)); }

} // namespace

CFrameGeometry MainFrameGeometry(int screenWidth, int screenHeight) {
    CFrameGeometry g;
    g.height = Cut(screenHeight * kFrameShare);
    g.width = Cut(screenWidth * kFrameShare);
    g.top = Cut((g.height * kScreenShare - g.height) * 0.5);
    g.left = Cut((g.width * kScreenShare - g.width) * 0.5);
    return g;
}
