#pragma once

#include <cstdint>

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    bool operator==(const Rgb&) const = default;
};

// The nine colour slots a scheme sets at once.
struct ChartColors {
    Rgb m_clrWindow;    // around the plot, behind every text, window and readout background
    Rgb m_clrPlot;      // plot area
    Rgb m_clrAxis;      // plot frame, tick marks, client border
    Rgb m_clrText;      // legend, axis labels, unit label, title
    Rgb m_clrReadout;   // readout text
    Rgb m_clrTrace;     // trace, markers, its legend line
    Rgb m_clrLowAlarm;  // lower alarm line and its legend line
    Rgb m_clrHighAlarm; // upper alarm line and its legend line
    Rgb m_clrGrid;      // grid lines

    bool operator==(const ChartColors&) const = default;
};

// Schemes 0 "Полностью черный", 1 "Полностью белый", 2 "Черный и красный", 3 "Черный и синий";
// any other number gives scheme 3.
ChartColors ColorsForScheme(int scheme);
