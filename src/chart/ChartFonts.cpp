#include "ChartFonts.h"

#include "ChartScales.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <map>
#include <tuple>

namespace {

// DejaVu Sans is the default face where the program runs and has the same metrics everywhere;
// naming it keeps the texts from moving with the desktop's font setting.
QFont BoldFont(int pixelSize) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixelSize);
    f.setWeight(QFont::Bold);
    f.setItalic(false);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

struct Metrics {
    int pixelSize = 1;
    int height = 0;
    int ascent = 0;
    int measureWidth = 0;
};

Metrics Measure(int pixelSize, const QPaintDevice* device) {
    const QFontMetrics fm(BoldFont(pixelSize), device);
    return {pixelSize, fm.height(), fm.ascent(),
            fm.horizontalAdvance(QString::fromUtf8(kLabelMeasureText))};
}

// The largest pixel size whose cell is not taller than asked; the smallest size when even
// that one is taller.
Metrics Search(int cellHeight, const QPaintDevice* device) {
    // DejaVu's cell is about 1.16 of its pixel size; start there and walk.
    int size = std::max(1, (cellHeight * 100) / 116);
    Metrics m = Measure(size, device);
    while (m.height > cellHeight && size > 1) {
        m = Measure(--size, device);
    }
    for (;;) {
        const Metrics bigger = Measure(size + 1, device);
        if (bigger.height > cellHeight) {
            return m;
        }
        m = bigger;
        ++size;
    }
}

} // namespace

CellFont MakeCellFont(int cellHeight, const QPaintDevice* device) {
    const int dpiY = device != nullptr ? device->logicalDpiY() : 0;
    // Only the painting thread comes here.
    static std::map<std::tuple<int, int>, Metrics> cache;
    const auto key = std::make_tuple(cellHeight, dpiY);
    auto it = cache.find(key);
    if (it == cache.end()) {
        it = cache.emplace(key, Search(std::max(1, cellHeight), device)).first;
    }
    const Metrics& m = it->second;
    QFont font = BoldFont(m.pixelSize);
    QFontMetrics metrics(font, device);
    // Hinted sizes skip some cell heights; the pixels to spare go above the text, where a
    // font keeps its internal leading.
    const int h = std::max(1, cellHeight);
    return {std::move(font), std::move(metrics), h, m.ascent + (h - m.height), m.measureWidth, h};
}
