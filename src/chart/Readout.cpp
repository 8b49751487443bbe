#include "Readout.h"

#include "ChartScales.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace {

// "%.1f" in the C locale whatever the process locale is: the application object adopts the
// user's locale, which would write a decimal comma.
std::string OneDecimal(double value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
    if (result.ec != std::errc{}) {
        return "?";
    }
    return std::string(buffer, result.ptr);
}

template <typename... Args> std::string Format(const char* format, Args... args) {
    const int length = std::snprintf(nullptr, 0, format, args...);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, args...);
    text.pop_back();
    return text;
}

} // namespace

std::string SampleReadoutText(const CivilDateTime& time, int tenths) {
    return Format("                 Время:%02d-%02d-%04d %02d:%02d:%02d            "
                  "Температура:%s            ",
                  time.day, time.month, time.year, time.hour, time.minute, time.second,
                  OneDecimal(tenths / 10.0).c_str());
}

std::string SpanReadoutText(const CivilDateTime& begin, const CivilDateTime& end) {
    return Format("           Начало:%02d-%02d-%04d %02d:%02d:%02d   "
                  "Конец:%02d-%02d-%04d %02d:%02d:%02d           ",
                  begin.day, begin.month, begin.year, begin.hour, begin.minute, begin.second,
                  end.day, end.month, end.year, end.hour, end.minute, end.second);
}

std::string AlarmReadoutText(double lowAlarm, double highAlarm) {
    return Format("                      Температура.(LA: %s--HA: %s)                      ",
                  OneDecimal(lowAlarm).c_str(), OneDecimal(highAlarm).c_str());
}

std::string ReadoutTextAt(const ChartLayout& layout, const ChartWindow& window,
                          std::span<const std::int16_t> samples, const LoggerConfig& config,
                          PixelPoint point) {
    if (layout.plotHeight <= 0 || layout.plotWidth <= 0 || samples.size() < 2) {
        return {};
    }
    const bool besideThePlot = layout.top <= point.y && point.y <= layout.bottom;
    if (besideThePlot && point.x < layout.left) {
        point.x = layout.left;
    }
    if (besideThePlot && point.x > layout.right) {
        point.x = layout.right;
    }

    if (InPlot(layout, point)) {
        const int k = window.first + MapToPlot(layout, window, point).samples;
        // A window always lies inside the recording; a sample number outside it reads nothing
        // rather than memory that is not there.
        if (k < 1 || static_cast<std::size_t>(k) > samples.size()) {
            return {};
        }
        return SampleReadoutText(SampleTime(config, k), samples[static_cast<std::size_t>(k - 1)]);
    }
    if (point.y > layout.bottom) {
        return SpanReadoutText(SampleTime(config, window.first), SampleTime(config, window.last));
    }
    return AlarmReadoutText(config.tempLowAlarm, config.tempHighAlarm);
}

int ReadoutTextTop(const ChartLayout& layout) {
    return layout.bottom + 2 * (layout.labelHeight + layout.tickLength);
}
