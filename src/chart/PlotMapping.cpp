#include "PlotMapping.h"

#include <cstdlib>

std::int64_t RoundedQuotient(std::int64_t numerator, std::int64_t denominator) {
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    std::int64_t quotient = numerator / denominator;
    const std::int64_t rest = std::llabs(numerator % denominator);
    // Integer comparison, so an exact half is recognised exactly.
    if (2 * rest >= denominator) {
        quotient += numerator < 0 ? -1 : 1;
    }
    return quotient;
}

PlotUnits MapToPlot(const ChartLayout& layout, const ChartWindow& window, PixelPoint point) {
    PlotUnits units;
    if (layout.plotWidth > 0) {
        units.samples = static_cast<int>(
            RoundedQuotient(static_cast<std::int64_t>(point.x - layout.left) *
                                (static_cast<std::int64_t>(window.last) - window.first),
                            layout.plotWidth));
    }
    if (layout.plotHeight > 0) {
        units.tenths = static_cast<int>(
            RoundedQuotient(static_cast<std::int64_t>(layout.bottom - point.y) *
                                (static_cast<std::int64_t>(window.top) - window.bottom),
                            layout.plotHeight));
    }
    return units;
}

bool InPlot(const ChartLayout& layout, PixelPoint point) {
    return layout.left <= point.x && point.x <= layout.right && layout.top <= point.y &&
           point.y <= layout.bottom;
}
