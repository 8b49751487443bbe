#pragma once

#include "PlotMapping.h"

#include <optional>

// Where a band may start, move and end, for a client area of width x height pixels.

// Open: a press on the boundary starts no band.
bool InPressArea(int width, int height, PixelPoint point);

// The outermost fortieth on every side: a band moved there is dropped.
bool InCancelZone(int width, int height, PixelPoint point);

// Into the closed drag area, which reaches a twentieth beyond the plot on every side.
PixelPoint ClampToDragArea(int width, int height, PixelPoint point);

// On release the band's corners are pulled sideways onto the plot; heights stay.
PixelPoint ClampToPlotX(const ChartLayout& layout, PixelPoint point);

// The band's rectangle: left/top inclusive, right/bottom exclusive.
struct BandRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const BandRect&) const = default;
};

BandRect BandRectOf(PixelPoint anchor, PixelPoint corner);

inline constexpr int kCelsiusTopCap = 1200;
inline constexpr int kFahrenheitTopCap = 2480;
inline constexpr int kBottomFloor = -400;

// The window a released band selects, or nullopt when neither axis changes. An axis changes
// only when the band spans at least one whole unit of it; a Y range that the caps would leave
// empty or inverted keeps the old Y axis.
std::optional<ChartWindow> ApplyPendingZoom(int width, int height, PixelPoint anchor,
                                            PixelPoint corner, const ChartWindow& window,
                                            bool fahrenheit);
// The same for a layout already computed for the client area.
std::optional<ChartWindow> ApplyPendingZoom(const ChartLayout& layout, PixelPoint anchor,
                                            PixelPoint corner, const ChartWindow& window,
                                            bool fahrenheit);
