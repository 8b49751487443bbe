#pragma once

#include "CivilTime.h"
#include "LoggerConfig.h"
#include "PlotMapping.h"

#include <cstdint>
#include <span>
#include <string>

// The one-line texts under the plot. The runs of blanks on both sides let a new text cover
// the old one when both are drawn opaque at the same place.

// Date, time and value of the sample under the cursor line.
std::string SampleReadoutText(const CivilDateTime& time, int tenths);

// Times of the window's first and last sample.
std::string SpanReadoutText(const CivilDateTime& begin, const CivilDateTime& end);

// The two alarm limits, in degrees.
std::string AlarmReadoutText(double lowAlarm, double highAlarm);

// The text for a pointer at `point` (a pointer beside the plot reads the first or last shown
// sample); empty when the chart has no plot or fewer than 2 samples.
std::string ReadoutTextAt(const ChartLayout& layout, const ChartWindow& window,
                          std::span<const std::int16_t> samples, const LoggerConfig& config,
                          PixelPoint point);

// Top of the text's cell: below the time axis labels.
int ReadoutTextTop(const ChartLayout& layout);
