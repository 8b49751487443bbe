#pragma once

#include "ChartLayout.h"
#include "ChartScales.h"

#include <cstdint>

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
PlotUnits MapToPlot(const ChartLayout& layout, const ChartWindow& window, PixelPoint point);

// Edges included.
bool InPlot(const ChartLayout& layout, PixelPoint point);
