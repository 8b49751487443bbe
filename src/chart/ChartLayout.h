#pragma once

// Pixel layout of the chart on a surface of W x H pixels: the plot rectangle and the sizes of
// texts and ticks. Screen paint, print drawing, zoom band and readout all share this one
// rectangle. Signed 32-bit arithmetic, division truncating toward zero, products first.
struct ChartLayout {
    int left = 0;        // W / 10
    int top = 0;         // H / 10
    int right = 0;       // (W * 9) / 10
    int bottom = 0;      // (H * 8) / 10
    int plotWidth = 0;   // right - left
    int plotHeight = 0;  // bottom - top
    int labelHeight = 1; // cell height of the label font
    int titleHeight = 1; // cell height of the title font
    int tickLength = 1;
    int legendY = 0; // y of the legend row

    bool operator==(const ChartLayout&) const = default;
};

ChartLayout ComputeLayout(int width, int height);

// A plot of at least one pixel each way and at least two samples; otherwise the surface shows
// the empty state (screen) or stays blank (paper).
bool HasRoomForChart(const ChartLayout& layout, int sampleCount);

struct PixelPoint {
    int x = 0;
    int y = 0;

    bool operator==(const PixelPoint&) const = default;
};

// Places of the items around the plot, for a surface of the given width and height.
int LegendSlotX(int width, int slot); // left end of legend slot 0, 1, 2
int LegendLineLength(int width);      // W / 10
PixelPoint LegendMarkerCentre(int width, const ChartLayout& layout);
PixelPoint UnitLabelAnchor(const ChartLayout& layout); // right / bottom
PixelPoint TitleAnchor(int width, int height);         // centre / bottom
