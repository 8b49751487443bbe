#pragma once

#include "ChartColors.h"
#include "ChartLayout.h"
#include "ChartScales.h"
#include "ViewSettings.h"

#include <QSize>
#include <cstdint>
#include <span>

class QPainter;
struct LoggerConfig;

// What the chart is drawn from: the window of a recording with at least two samples.
struct ChartData {
    std::span<const std::int16_t> samples; // samples[k - 1] is sample k
    ChartWindow window;
    const LoggerConfig* config = nullptr;
};

enum class TraceMode {
    Batched,  // merged runs in one call: the same pixels, far fewer calls
    Segments, // one line per sample step, markers before each line: the reference
};

// How one surface is drawn. The screen uses the defaults with the scheme's colours; paper and
// the bitmap export change the widths, the plot fill, the kept region and add the period line.
struct ChartStyle {
    ChartColors colors;
    int lineWidth = 2; // trace, alarm and legend lines
    int markerRadius = 3;
    bool fillPlot = true; // plot background in m_clrPlot
    int keepBefore = 0;   // the kept region reaches this far left of and above the plot
    int keepAfter = 0;    // and this far right of and below it
    bool clientBorder = true;
    bool periodLine = false;
    TraceMode traceMode = TraceMode::Batched;
};

struct ChartDrawResult {
    ChartLayout layout;
    bool markersOn = false;
};

// Draws the full chart on a surface of the given size. The caller has checked
// HasRoomForChart and IsDrawableWindow.
ChartDrawResult DrawChart(QPainter& painter, QSize surface, const ChartData& data,
                          const ViewSettings& settings, const ChartStyle& style);

// White area inside a light grey frame, white outermost pixel.
void DrawEmptyChart(QPainter& painter, QSize surface);

// Set up a painter the way every chart drawing wants it: no smoothing anywhere.
void PrepareChartPainter(QPainter& painter);
