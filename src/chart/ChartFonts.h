#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QString>

class QPaintDevice;

// A bold default-face font whose cell (ascent + descent) is a given number of pixels, with
// the metrics the chart places its texts by.
struct CellFont {
    QFont font;
    QFontMetrics metrics;
    int cellHeight = 0; // the font's height on the device; the requested one where it can be
    int ascent = 0;
    int measureWidth = 0;  // "99-99-9999": the width of one time-axis label slot
    int measureHeight = 0; // and its height

    int Advance(const QString& text) const { return metrics.horizontalAdvance(text); }
};

// The font for a cell height on a device. The pixel size that gives the cell height is
// searched once per height and device resolution and remembered for later paints.
CellFont MakeCellFont(int cellHeight, const QPaintDevice* device);
