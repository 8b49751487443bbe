#include "FrameGeometry.h"

FrameRect StartFrameRect(int screenWidth, int screenHeight) {
    FrameRect r;
    r.width = 3 * screenWidth / 5;
    r.height = 3 * screenHeight / 5;
    r.left = (screenWidth - r.width) / 2;
    r.top = (screenHeight - r.height) / 2;
    return r;
}
