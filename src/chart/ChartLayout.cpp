#include "ChartLayout.h"

namespace {

int AtLeastOne(int v) {
    return v == 0 ? 1 : v;
}

} // namespace

ChartLayout ComputeLayout(int width, int height) {
    ChartLayout l;
    l.left = width / 10;
    l.top = height / 10;
    l.right = (width * 9) / 10;
    l.bottom = (height * 8) / 10;
    l.plotWidth = l.right - l.left;
    l.plotHeight = l.bottom - l.top;
    l.labelHeight = AtLeastOne(l.plotWidth / 45);
    l.titleHeight = AtLeastOne((l.labelHeight * 20) / 15);
    l.tickLength = AtLeastOne((l.labelHeight * 5) / 15);
    l.legendY = l.bottom + 3 * l.tickLength + 2 * l.labelHeight + l.titleHeight;
    return l;
}

bool HasRoomForChart(const ChartLayout& layout, int sampleCount) {
    return layout.plotWidth >= 1 && layout.plotHeight >= 1 && sampleCount >= 2;
}

int LegendSlotX(int width, int slot) {
    return width / 24 + slot * (width / 25 + width / 10);
}

int LegendLineLength(int width) {
    return width / 10;
}

PixelPoint LegendMarkerCentre(int width, const ChartLayout& layout) {
    return {width / 24 + (width / 10) / 2, layout.legendY};
}

PixelPoint UnitLabelAnchor(const ChartLayout& layout) {
    // trunc(2.5 * u) in integers: u is never negative.
    return {layout.left - (layout.labelHeight * 5) / 2, layout.top + layout.labelHeight};
}

PixelPoint TitleAnchor(int width, int height) {
    return {width / 2, (height * 2) / 25};
}
