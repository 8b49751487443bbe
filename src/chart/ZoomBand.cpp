#include "ZoomBand.h"

#include <algorithm>

bool InPressArea(int width, int height, PixelPoint point) {
    return width / 20 < point.x && point.x < width * 19 / 20 && height / 20 < point.y &&
           point.y < height * 17 / 20;
}

bool InCancelZone(int width, int height, PixelPoint point) {
    return point.x > width * 39 / 40 || point.x < width / 40 || point.y > height * 39 / 40 ||
           point.y < height / 40;
}

PixelPoint ClampToDragArea(int width, int height, PixelPoint point) {
    return {std::clamp(point.x, width / 20, width * 19 / 20),
            std::clamp(point.y, height / 20, height * 17 / 20)};
}

PixelPoint ClampToPlotX(const ChartLayout& layout, PixelPoint point) {
    return {std::clamp(point.x, layout.left, layout.right), point.y};
}

BandRect BandRectOf(PixelPoint anchor, PixelPoint corner) {
    return {std::min(anchor.x, corner.x), std::min(anchor.y, corner.y),
            std::max(anchor.x, corner.x), std::max(anchor.y, corner.y)};
}

std::optional<ChartWindow> ApplyPendingZoom(int width, int height, PixelPoint anchor,
                                            PixelPoint corner, const ChartWindow& window,
                                            bool fahrenheit) {
    return ApplyPendingZoom(ComputeLayout(width, height), anchor, corner, window, fahrenheit);
}

std::optional<ChartWindow> ApplyPendingZoom(const ChartLayout& layout, PixelPoint anchor,
                                            PixelPoint corner, const ChartWindow& window,
                                            bool fahrenheit) {
    if (layout.plotWidth < 1 || layout.plotHeight < 1) {
        return std::nullopt;
    }
    // The release already pulled the corners onto the plot; doing it again here keeps the new
    // window inside the old one whoever calls.
    const BandRect band = BandRectOf(ClampToPlotX(layout, anchor), ClampToPlotX(layout, corner));
    // The upper screen edge is the higher temperature.
    const PlotUnits upperLeft = MapToPlot(layout, window, {band.left, band.top});
    const PlotUnits lowerRight = MapToPlot(layout, window, {band.right, band.bottom});

    ChartWindow next = window;
    bool changed = false;

    const int a = upperLeft.samples;
    const int b = lowerRight.samples;
    if (b > a) {
        next.last = window.first + b;
        next.first = window.first + a;
        changed = true;
    }

    const int c = upperLeft.tenths;
    const int d = lowerRight.tenths;
    if (c > d) {
        const int cap = fahrenheit ? kFahrenheitTopCap : kCelsiusTopCap;
        const int top = std::min(window.bottom + c, cap);
        const int bottom = std::max(window.bottom + d, kBottomFloor);
        if (bottom < top) {
            next.top = top;
            next.bottom = bottom;
            changed = true;
        }
    }

    if (!changed) {
        return std::nullopt;
    }
    return next;
}
