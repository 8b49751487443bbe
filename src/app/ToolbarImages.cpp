#include "ToolbarImages.h"

#include <QPainter>
#include <array>

namespace {

const QColor kMask(255, 0, 255);

// Colours of one set; the hot set is brighter so the button under the mouse stands out.
struct Palette {
    QColor outline, body, screen, accent, arrow, paper, folder, glass, disk;
};

Palette MakePalette(bool hot) {
    Palette p{QColor(40, 40, 40),   QColor(120, 130, 145), QColor(170, 220, 170),
              QColor(200, 30, 30),  QColor(20, 140, 40),   QColor(250, 250, 250),
              QColor(235, 190, 60), QColor(180, 215, 245), QColor(40, 80, 160)};
    if (hot) {
        for (QColor* c : {&p.body, &p.screen, &p.folder, &p.glass, &p.disk})
            *c = c->lighter(125);
        p.arrow = QColor(30, 190, 60);
        p.accent = QColor(240, 40, 40);
    }
    return p;
}

void Logger(QPainter& g, const Palette& p, int x, int y) {
    g.setPen(p.outline);
    g.setBrush(p.body);
    g.drawRect(x, y, 9, 14);
    g.setBrush(p.screen);
    g.drawRect(x + 2, y + 2, 5, 4);
    g.setPen(p.accent);
    g.drawPoint(x + 4, y + 10);
    g.drawPoint(x + 5, y + 10);
    g.setPen(p.outline);
    g.drawLine(x + 3, y + 15, x + 3, y + 17); // USB plug
    g.drawLine(x + 6, y + 15, x + 6, y + 17);
    g.drawLine(x + 3, y + 17, x + 6, y + 17);
}

void Download(QPainter& g, const Palette& p) {
    Logger(g, p, 2, 2);
    g.setPen(p.outline);
    g.setBrush(p.arrow);
    const QPolygon arrow{{16, 4}, {20, 4}, {20, 11}, {23, 11}, {18, 17}, {13, 11}, {16, 11}};
    g.drawPolygon(arrow);
    g.setPen(p.outline);
    g.drawLine(13, 20, 23, 20);
}

void Setup(QPainter& g, const Palette& p) {
    Logger(g, p, 2, 2);
    g.setPen(p.outline);
    for (int i = 0; i < 3; ++i) {
        const int y = 5 + i * 6;
        g.drawLine(14, y, 22, y);
        g.setBrush(p.accent);
        g.drawRect(15 + (i * 3) % 7, y - 2, 2, 4);
    }
}

void Open(QPainter& g, const Palette& p) {
    g.setPen(p.outline);
    g.setBrush(p.folder.darker(115));
    g.drawPolygon(QPolygon{{2, 5}, {8, 5}, {10, 7}, {19, 7}, {19, 18}, {2, 18}});
    g.setBrush(p.paper);
    g.drawRect(5, 3, 11, 9);
    g.setBrush(p.folder);
    g.drawPolygon(QPolygon{{2, 18}, {6, 10}, {23, 10}, {19, 18}});
}

void SaveAs(QPainter& g, const Palette& p) {
    g.setPen(p.outline);
    g.setBrush(p.disk);
    g.drawRect(2, 2, 19, 18);
    g.setBrush(p.paper);
    g.drawRect(5, 2, 13, 8);
    g.setPen(p.accent);
    g.drawPolyline(QPolygon{{6, 8}, {9, 5}, {12, 7}, {16, 3}});
    g.setPen(p.outline);
    g.setBrush(p.body);
    g.drawRect(7, 14, 9, 6);
    g.fillRect(13, 15, 2, 4, p.outline);
}

void Print(QPainter& g, const Palette& p) {
    g.setPen(p.outline);
    g.setBrush(p.paper);
    g.drawRect(6, 2, 11, 8);
    g.setBrush(p.body);
    g.drawRect(2, 9, 19, 8);
    g.setBrush(p.paper);
    g.drawRect(6, 14, 11, 7);
    g.setPen(p.outline);
    g.drawLine(8, 17, 15, 17);
    g.drawLine(8, 19, 13, 19);
    g.setPen(p.arrow);
    g.drawPoint(18, 11);
}

void ViewAll(QPainter& g, const Palette& p) {
    g.setPen(p.outline);
    g.setBrush(p.paper);
    g.drawRect(4, 4, 15, 14);
    g.setPen(p.accent);
    g.drawPolyline(QPolygon{{5, 14}, {8, 9}, {11, 12}, {14, 7}, {18, 10}});
    g.setPen(p.arrow);
    // Arrows out of the four corners: the whole run.
    for (auto [x, y, dx, dy] : {std::array{1, 1, 1, 1}, std::array{22, 1, -1, 1},
                                std::array{1, 21, 1, -1}, std::array{22, 21, -1, -1}}) {
        g.drawLine(x, y, x + 3 * dx, y);
        g.drawLine(x, y, x, y + 3 * dy);
        g.drawLine(x, y, x + 2 * dx, y + 2 * dy);
    }
}

void ZoomOut(QPainter& g, const Palette& p) {
    g.setPen(QPen(p.outline, 1));
    g.setBrush(p.glass);
    g.drawEllipse(2, 2, 13, 13);
    g.setPen(QPen(p.outline, 3, Qt::SolidLine, Qt::SquareCap));
    g.drawLine(15, 15, 20, 20);
    g.setPen(QPen(p.accent, 2, Qt::SolidLine, Qt::FlatCap));
    g.drawLine(5, 9, 13, 9);
}

} // namespace

QImage DrawButtonStrip(bool hot) {
    QImage strip(kButtonWidth * kButtonCount, kButtonHeight, QImage::Format_RGB32);
    strip.fill(kMask);
    const Palette palette = MakePalette(hot);
    using Draw = void (*)(QPainter&, const Palette&);
    const std::array<Draw, kButtonCount> pictures{Download, Setup,   Open,   SaveAs,
                                                  Print,    ViewAll, ZoomOut};
    QPainter g(&strip);
    for (int i = 0; i < kButtonCount; ++i) {
        g.save();
        g.setClipRect(i * kButtonWidth, 0, kButtonWidth, kButtonHeight);
        g.translate(i * kButtonWidth, 0);
        pictures[static_cast<std::size_t>(i)](g, palette);
        g.restore();
    }
    return strip;
}

std::vector<QPixmap> SplitMaskedImages(const QImage& strip, int imageWidth) {
    std::vector<QPixmap> images;
    if (imageWidth <= 0 || strip.isNull() || strip.width() < imageWidth)
        return images;
    const QRgb mask = strip.pixel(0, strip.height() - 1) | 0xFF000000u;
    QImage argb = strip.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if ((line[x] | 0xFF000000u) == mask)
                line[x] = qRgba(0, 0, 0, 0);
    }
    const int count = argb.width() / imageWidth;
    images.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        images.push_back(
            QPixmap::fromImage(argb.copy(i * imageWidth, 0, imageWidth, argb.height())));
    return images;
}

std::vector<QIcon> MakeButtonIcons() {
    const std::vector<QPixmap> normal = SplitMaskedImages(DrawButtonStrip(false), kButtonWidth);
    const std::vector<QPixmap> hot = SplitMaskedImages(DrawButtonStrip(true), kButtonWidth);
    std::vector<QIcon> icons(normal.size());
    for (std::size_t i = 0; i < normal.size(); ++i) {
        icons[i].addPixmap(normal[i], QIcon::Normal);
        // A disabled button keeps its picture.
        icons[i].addPixmap(normal[i], QIcon::Disabled);
        if (i < hot.size())
            icons[i].addPixmap(hot[i], QIcon::Active);
    }
    return icons;
}
