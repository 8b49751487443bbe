#include "DirectDrawing.h"

#include "ChartDrawing.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr QRgb kInvert = 0x00FFFFFF;

// Inverts the pixels of `strip` where x + y is even: the checkerboard is tied to the image, so a
// strip inverted again meets the same pattern.
void InvertHalftone(QImage& image, QRect strip, const RectSink& changed) {
    strip = strip.intersected(image.rect());
    if (strip.isEmpty()) {
        return;
    }
    for (int y = strip.top(); y <= strip.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = strip.left() + ((strip.left() + y) & 1); x <= strip.right(); x += 2) {
            line[x] ^= kInvert;
        }
    }
    if (changed) {
        changed(strip);
    }
}

} // namespace

void InvertBandFrame(QImage& image, const BandRect& band, const RectSink& changed) {
    if (band.IsEmpty()) {
        return;
    }
    const int width = band.right - band.left;
    const int height = band.bottom - band.top;
    // Four disjoint strips, so no pixel is inverted twice in one pass.
    InvertHalftone(image, QRect(band.left, band.top, width, 1), changed);
    if (height > 1) {
        InvertHalftone(image, QRect(band.left, band.bottom - 1, width, 1), changed);
    }
    if (height > 2) {
        InvertHalftone(image, QRect(band.left, band.top + 1, 1, height - 2), changed);
        if (width > 1) {
            InvertHalftone(image, QRect(band.right - 1, band.top + 1, 1, height - 2), changed);
        }
    }
}

QRect InvertCursorLine(QImage& image, int x, int top, int bottom) {
    const QRect line = QRect(x, top, 1, bottom - top).intersected(image.rect());
    if (line.isEmpty()) {
        return {};
    }
    // What QPainter's RasterOp_NotSourceXorDestination does with a red pen, pixel by pixel:
    // ~(red ^ pixel) keeps red and inverts green and blue. A painter costs far more than the
    // few hundred pixels of the line.
    constexpr QRgb kRed = 0x00FF0000;
    for (int y = line.top(); y <= line.bottom(); ++y) {
        auto* pixel = reinterpret_cast<QRgb*>(image.scanLine(y)) + x;
        *pixel = ~(kRed ^ *pixel) | 0xFF000000u;
    }
    return line;
}

QRect DrawOpaqueText(QImage& image, const QString& text, const CellFont& font, int centreX, int top,
                     const QColor& textColour, const QColor& background) {
    const int width = font.Advance(text);
    const QRect cell(centreX - width / 2, top, width, font.cellHeight);
    QPainter painter(&image);
    PrepareChartPainter(painter);
    painter.setFont(font.font);
    painter.fillRect(cell, background);
    painter.setPen(textColour);
    const QPoint baseline(cell.left(), top + font.ascent);
    painter.drawText(baseline, text);
    // Bold glyphs may reach a pixel or two beyond their advance.
    return cell.united(font.metrics.boundingRect(text).translated(baseline))
        .intersected(image.rect());
}
