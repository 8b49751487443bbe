#include "DirectDrawing.h"

#include <QPainter>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

QImage Noise(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, 0xFF000000u | (random.generate() & 0x00FFFFFFu));
        }
    }
    return image;
}

TEST(DirectDrawing, BandFrameIsItsOwnInverseForEveryShape) {
    const QImage original = Noise(64, 48);
    QImage image = original;
    const BandRect bands[] = {
        {10, 10, 30, 20}, {10, 10, 11, 20}, {10, 10, 30, 11},
        {10, 10, 11, 11}, {10, 10, 12, 12}, {-5, 10, 30, 60}, // partly beyond the image
        {-9, -9, -2, -2},                                     // wholly beyond it
        {20, 20, 20, 30},                                     // empty
    };
    for (const BandRect& band : bands) {
        QRect changed;
        InvertBandFrame(image, band, [&](const QRect& r) { changed = changed.united(r); });
        int inverted = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != original.pixel(x, y)) {
                    ++inverted;
                    EXPECT_EQ(image.pixel(x, y), original.pixel(x, y) ^ 0x00FFFFFFu);
                    EXPECT_EQ((x + y) % 2, 0);
                    EXPECT_TRUE(changed.contains(x, y));
                }
            }
        }
        EXPECT_EQ(inverted > 0, !band.IsEmpty() && band.right > 0)
            << band.left << " " << band.right;
        InvertBandFrame(image, band, {});
        EXPECT_EQ(image, original);
    }
}

TEST(DirectDrawing, MovingTheBandLeavesOnlyTheNewFrame) {
    const QImage original = Noise(64, 48);
    QImage moved = original;
    InvertBandFrame(moved, {5, 5, 40, 30}, {});
    InvertBandFrame(moved, {5, 5, 40, 30}, {});
    InvertBandFrame(moved, {5, 5, 20, 40}, {});
    QImage direct = original;
    InvertBandFrame(direct, {5, 5, 20, 40}, {});
    EXPECT_EQ(moved, direct);
}

TEST(DirectDrawing, CursorLineIsNotXorWithRed) {
    const QImage original = Noise(40, 30);
    QImage image = original;
    EXPECT_EQ(InvertCursorLine(image, 7, 3, 24), QRect(7, 3, 1, 21));
    for (int y = 0; y < 30; ++y) {
        const QRgb expected =
            y >= 3 && y < 24 ? (original.pixel(7, y) ^ 0x0000FFFFu) : original.pixel(7, y);
        EXPECT_EQ(image.pixel(7, y), expected) << y;
    }
    InvertCursorLine(image, 7, 3, 24);
    EXPECT_EQ(image, original);

    // The same pixels as the painter's NOT-XOR raster operation with a red pen.
    QImage painted = original;
    {
        QPainter painter(&painted);
        painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
        painter.fillRect(QRect(7, 3, 1, 21), QColor(255, 0, 0));
    }
    InvertCursorLine(image, 7, 3, 24);
    EXPECT_EQ(image, painted);
    InvertCursorLine(image, 7, 3, 24);

    EXPECT_TRUE(InvertCursorLine(image, 40, 3, 24).isEmpty());
    EXPECT_EQ(image, original);
}

} // namespace
