#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QString>

class QPaintDevice;

// A bold default-face font for a text cell (ascent + descent, internal leading included) of a
// given number of pixels, with the metrics the chart places its texts by. The font is the
// largest whose own cell fits; the cell is the one asked for.
struct CellFont {
    QFont font;
    QFontMetrics metrics;
    int cellHeight = 0;    // as asked
    int ascent = 0;        // from the cell's top to the baseline
    int measureWidth = 0;  // "99-99-9999": the width of one time-axis label slot
    int measureHeight = 0; // and its height

    int Advance(const QString& text) const { return metrics.horizontalAdvance(text); }
};

// The font for a cell height on a device. The pixel size that gives the cell height is
// searched once per height and device resolution and remembered for later paints.
CellFont MakeCellFont(int cellHeight, const QPaintDevice* device);
