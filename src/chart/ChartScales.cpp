#include "ChartScales.h"

#include "LoggerConfig.h"

#include <cmath>
#include <cstdio>

namespace {

// trunc() of a pixel offset, held where the int arithmetic around it cannot overflow. Only
// absurd windows come near the bound; the pixel is far off the surface either way.
int TruncPixels(double v) {
    constexpr double kBound = 1 << 28;
    if (!(v > -kBound)) { // also NaN
        return -static_cast<int>(kBound);
    }
    if (v > kBound) {
        return static_cast<int>(kBound);
    }
    return static_cast<int>(v);
}

int TickStep(int span, int maxTicks) {
    return span / maxTicks + (span % maxTicks != 0 ? 1 : 0);
}

template <typename PositionOf>
std::vector<TickMark> MakeTicks(int origin, int base, int span, int maxTicks, PositionOf pos) {
    std::vector<TickMark> ticks{{origin, base}};
    if (span <= 1) {
        return ticks;
    }
    const int step = TickStep(span, maxTicks);
    for (int k = step; k < span; k += step) {
        ticks.push_back({pos(k), base + k});
    }
    return ticks;
}

std::string Format(const char* format, auto... args) {
    char buf[128];
    const int n = std::snprintf(buf, sizeof buf, format, args...);
    return std::string(buf, n < 0 ? 0 : std::min<std::size_t>(n, sizeof buf - 1));
}

} // namespace

bool IsDrawableWindow(const ChartWindow& w, int sampleCount) {
    return w.first >= 1 && w.first < w.last && w.last <= sampleCount && w.top > w.bottom;
}

ChartScales MakeScales(const ChartLayout& layout, const ChartWindow& window) {
    return {
        static_cast<double>(layout.plotWidth) / (static_cast<double>(window.last) - window.first),
        static_cast<double>(layout.plotHeight) / (static_cast<double>(window.top) - window.bottom)};
}

int SampleX(const ChartLayout& layout, const ChartScales& scales, int j) {
    return layout.left + TruncPixels(j * scales.sx);
}

int ValueY(const ChartLayout& layout, const ChartScales& scales, const ChartWindow& window,
           int tenths) {
    return layout.bottom - TruncPixels((static_cast<double>(tenths) - window.bottom) * scales.sy);
}

PixelPoint SamplePixel(const ChartLayout& layout, const ChartScales& scales,
                       const ChartWindow& window, std::span<const std::int16_t> samples, int j) {
    return {SampleX(layout, scales, j),
            ValueY(layout, scales, window, samples[window.first - 1 + j])};
}

std::vector<TickMark> MakeTimeTicks(const ChartLayout& layout, int first, int last, double sx) {
    return MakeTicks(layout.left, first, last - first, 20,
                     [&](int k) { return layout.left + TruncPixels(k * sx); });
}

std::vector<TickMark> MakeValueTicks(const ChartLayout& layout, int top, int bottom, double sy) {
    return MakeTicks(layout.bottom, bottom, top - bottom, 15,
                     [&](int k) { return layout.bottom - TruncPixels(k * sy); });
}

std::vector<bool> ThinLabels(int tickCount, int capacity) {
    const int n = tickCount < 0 ? 0 : tickCount;
    if (n <= capacity) {
        return std::vector<bool>(n, true);
    }
    std::vector<bool> labelled(n, false);
    if (capacity <= 0) {
        return labelled;
    }
    const int step = TickStep(n, capacity);
    for (int i = 0; i < n; i += step) {
        labelled[i] = true;
    }
    return labelled;
}

int LabelCapacity(int length, int cell) {
    if (cell <= 0) {
        return std::numeric_limits<int>::max();
    }
    return length / cell;
}

CivilDateTime SampleTime(const LoggerConfig& config, int sampleNumber) {
    constexpr CivilDateTime kInvalid{-1, -1, -1, -1, -1, -1};
    const CivilDateTime stamp = ClockStamp(config);
    if (config.year > 9999 || !IsValid(stamp)) {
        return kInvalid;
    }
    const std::int64_t offset =
        (static_cast<std::int64_t>(sampleNumber) - 1) * static_cast<std::int64_t>(config.periodSec);
    // Ten thousand years, in round figures: anything further is off the calendar anyway and
    // would take the date arithmetic out of its range.
    constexpr std::int64_t kLimit = 10000LL * 366 * 86400;
    if (offset > kLimit || offset < -kLimit) {
        return kInvalid;
    }
    const CivilDateTime t = AddSeconds(stamp, offset);
    if (t.year < 0 || t.year > 9999) {
        return kInvalid;
    }
    return t;
}

std::string TimeLabel(const CivilDateTime& t) {
    return Format("%02d:%02d:%02d", t.hour, t.minute, t.second);
}

std::string DateLabel(const CivilDateTime& t) {
    return Format("%02d-%02d-%04d", t.day, t.month, t.year);
}

std::string ValueLabel(int tenths) {
    return Format("%.1f", static_cast<double>(tenths) * 0.1);
}

std::string UnitLabel(const LoggerConfig& config) {
    return IsFahrenheit(config) ? "(F)" : "(C)";
}

std::string PeriodLabel(const LoggerConfig& config, int first, int last) {
    const CivilDateTime a = SampleTime(config, first);
    const CivilDateTime b = SampleTime(config, last);
    return Format("Начало:%02d-%02d-%04d %02d:%02d:%02d    Конец:%02d-%02d-%04d %02d:%02d:%02d",
                  a.day, a.month, a.year, a.hour, a.minute, a.second, b.day, b.month, b.year,
                  b.hour, b.minute, b.second);
}

std::optional<int> AlarmTenths(float limit) {
    const double v = static_cast<double>(limit) * 10.0;
    if (!(v > -1e9 && v < 1e9)) {
        return std::nullopt;
    }
    return static_cast<int>(v);
}
