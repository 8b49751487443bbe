#pragma once

#include "ChartLayout.h"

#include <cstdint>

// A pixel of the view's client area; the origin is its top-left corner, y grows downwards.
struct ClientPoint {
    int x = 0;
    int y = 0;

    bool operator==(const ClientPoint&) const = default;
};

// What the chart shows: sample numbers first..last (1-based) and tenths of a degree bottom..top.
struct PlotWindow {
    int first = 0;
    int last = 0;
    int top = 0;
    int bottom = 0;

    bool operator==(const PlotWindow&) const = default;
};

// A point in plot units: samples after the window's first, tenths above its bottom.
struct PlotUnits {
    int samples = 0;
    int tenths = 0;

    bool operator==(const PlotUnits&) const = default;
};

// numerator / denominator to the nearest integer, an exact half away from zero.
// Precondition: denominator != 0.
std::int64_t RoundedQuotient(std::int64_t numerator, std::int64_t denominator);

// The one mapping that both the zoom band and the readout use. Points outside the plot map
// outside the window (negative, or beyond its span). A plot without width or height maps to 0.
PlotUnits MapToPlot(const ChartLayout& layout, const PlotWindow& window, ClientPoint point);

// Edges included.
bool InPlot(const ChartLayout& layout, ClientPoint point);
