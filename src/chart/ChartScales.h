#pragma once

#include "ChartLayout.h"
#include "CivilTime.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct LoggerConfig;

// The part of the recording the chart shows: sample numbers first ... last (from 1) and the
// Y range bottom ... top in tenths of a degree.
struct ChartWindow {
    int first = 0;
    int last = 0;
    int top = 0;
    int bottom = 0;

    bool operator==(const ChartWindow&) const = default;
};

// A window that can be drawn from sampleCount samples: first < last within 1 ... sampleCount
// and top > bottom. Anything else would read outside the samples or divide by zero.
bool IsDrawableWindow(const ChartWindow& window, int sampleCount);

// Pixels per sample step (sx) and per tenth of a degree (sy).
struct ChartScales {
    double sx = 0.0;
    double sy = 0.0;
};

ChartScales MakeScales(const ChartLayout& layout, const ChartWindow& window);

// x of the j-th sample step of the window: L + trunc(j * sx).
int SampleX(const ChartLayout& layout, const ChartScales& scales, int j);

// y of a value in tenths: B - trunc((v - bottom) * sy). Not clipped to the plot.
int ValueY(const ChartLayout& layout, const ChartScales& scales, const ChartWindow& window,
           int tenths);

// Pixel of sample number first + j; samples[k - 1] is sample k.
PixelPoint SamplePixel(const ChartLayout& layout, const ChartScales& scales,
                       const ChartWindow& window, std::span<const std::int16_t> samples, int j);

// A tick: pixel x (time axis) or y (value axis) and its sample number or value in tenths.
struct TickMark {
    int position = 0;
    int value = 0;

    bool operator==(const TickMark&) const = default;
};

std::vector<TickMark> MakeTimeTicks(const ChartLayout& layout, int first, int last, double sx);
std::vector<TickMark> MakeValueTicks(const ChartLayout& layout, int top, int bottom, double sy);

// Which of tickCount ticks get a label when the axis has room for capacity labels.
std::vector<bool> ThinLabels(int tickCount, int capacity);

// How many labels of extent cell fit into length pixels; no limit for a cell of no extent.
int LabelCapacity(int length, int cell);

// Time of sample number i: the clock stamp plus (i - 1) * periodSec. Every field is -1 when the
// stamp is no valid date and time, or the result lies beyond the year 9999.
CivilDateTime SampleTime(const LoggerConfig& config, int sampleNumber);

std::string TimeLabel(const CivilDateTime& t);     // "hh:mm:ss"
std::string DateLabel(const CivilDateTime& t);     // "dd-mm-yyyy"
std::string ValueLabel(int tenths);                // "%.1f" of tenths * 0.1
std::string UnitLabel(const LoggerConfig& config); // "(C)" or "(F)"

// "Начало:... Конец:..." of the window's first and last sample, the line under a printed chart.
std::string PeriodLabel(const LoggerConfig& config, int first, int last);

// The legend texts in legend order: temperature, lower alarm, upper alarm.
inline constexpr const char* kLegendTemperature = "Температура";
inline constexpr const char* kLegendLowAlarm = "Ниж. граница (Т)";
inline constexpr const char* kLegendHighAlarm = "Вер. граница (Т)";

// The text the label capacity of both axes is measured on.
inline constexpr const char* kLabelMeasureText = "99-99-9999";

// An alarm limit in tenths: trunc(limit * 10.0). Empty for a limit that is no number or lies
// beyond any pixel arithmetic, so that it draws no line.
std::optional<int> AlarmTenths(float limit);
