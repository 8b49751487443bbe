#pragma once

// Where the main window opens: three fifths of the screen each way, centred.
struct FrameRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const FrameRect&) const = default;
};

FrameRect StartFrameRect(int screenWidth, int screenHeight);
