#pragma once

#include "ChartFonts.h"
#include "ZoomBand.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <functional>

// Drawing straight into the image the window shows. The band and the cursor line invert pixels,
// so drawing either twice at the same place gives back every pixel.
// The image must have 32 bits per pixel (Format_RGB32 or an ARGB32 format).

using RectSink = std::function<void(const QRect&)>;

// Inverts the band's one-pixel frame through a 50 % checkerboard fixed to the image's origin.
// Every changed pixel lies in one of the rectangles passed to `changed`.
void InvertBandFrame(QImage& image, const BandRect& band, const RectSink& changed);

// The cursor line from (x, top) down to bottom (excluded): NOT-XOR with a red pen, so red on
// white and cyan on black. Returns the pixels it covers (clipped to the image).
QRect InvertCursorLine(QImage& image, int x, int top, int bottom);

// An opaque one-line text with its horizontal centre on centreX and the top of its cell at top.
// Returns what it covered (clipped to the image).
QRect DrawOpaqueText(QImage& image, const QString& text, const CellFont& font, int centreX, int top,
                     const QColor& textColour, const QColor& background);
