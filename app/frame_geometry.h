#pragma once

// Where the main frame opens: the screen divided by 1.1, centred on it.
struct CFrameGeometry {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Each size is cut to whole pixels first and the margin is worked out from the
// cut size, so a 1024 x 768 screen gives 930 x 698 at 46, 34.
CFrameGeometry MainFrameGeometry(int screenWidth, int screenHeight);
