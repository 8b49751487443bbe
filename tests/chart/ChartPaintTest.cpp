#include "ChartDrawing.h"
#include "ChartFonts.h"
#include "ChartPainter.h"
#include "DataLoggerDoc.h"
#include "ViewSettings.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <random>

namespace {

constexpr int kW = 1000;
constexpr int kH = 600;
// The layout of 1000 x 600.
constexpr int L = 100, T = 60, R = 900, B = 480, kLabel = 17, kTick = 5, kLegendY = 551;

LoggerConfig Config() {
    LoggerConfig c;
    SetClockStamp(c, {2015, 3, 5, 10, 0, 0});
    c.periodSec = 60;
    c.tempLowAlarm = 10.0F;
    c.tempHighAlarm = 35.0F;
    SetLoggerName(c, "Склад 1");
    return c;
}

// A recording of n samples of 25.0 degrees (window 0 ... 400).
void Flat(CDataLoggerDoc& doc, int n, LoggerConfig config = Config()) {
    doc.SetRecording(config, std::vector<std::int16_t>(n, 250));
}

QImage Blank(int w = kW, int h = kH) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(1, 2, 3));
    return image;
}

QImage Paint(CDataLoggerDoc& doc, const ViewSettings& s, int w = kW, int h = kH,
             ChartPaintReport* report = nullptr) {
    QImage image = Blank(w, h);
    const ChartPaintReport r = PaintChart(image, doc, s);
    if (report != nullptr) {
        *report = r;
    }
    return image;
}

QRgb Colour(Rgb c) {
    return qRgb(c.r, c.g, c.b);
}

int CountInRect(const QImage& image, const QRect& rect, QRgb colour) {
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            n += image.pixel(x, y) == colour ? 1 : 0;
        }
    }
    return n;
}

// Every pixel of the rectangle is one of the given colours.
bool OnlyColours(const QImage& image, const QRect& rect, std::initializer_list<QRgb> colours) {
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (std::find(colours.begin(), colours.end(), image.pixel(x, y)) == colours.end()) {
                return false;
            }
        }
    }
    return true;
}

ViewSettings Scheme(int n) {
    ViewSettings s;
    s.m_nScheme = static_cast<std::uint8_t>(n);
    return s;
}

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kEmptyGrey = qRgb(212, 208, 200);
const QRgb kRed = qRgb(250, 0, 0);

// The title's cell: centred on x = 500, bottom at y = 48, 22 pixels high.
const QRect kTitleCell(400, 48 - 22, 200, 22);
// Left of the plot, where only value labels and the unit label stand.
const QRect kValueLabelArea(1, T - kLabel, L - 2, B - T + kLabel);
// The legend row: lines, marker and texts.
const QRect kLegendArea(1, kLegendY - 5, kW - 2, kLabel + kTick + 6);

} // namespace

TEST(ChartPaintTest, EmptyStateInEveryScheme) {
    struct Case {
        int samples, w, h;
    };
    for (int scheme = 0; scheme < 4; ++scheme) {
        for (const Case c : {Case{0, 300, 200}, Case{1, 300, 200}, Case{50, 1, 200},
                             Case{50, 300, 1}, Case{50, 20, 200}}) {
            CDataLoggerDoc doc;
            Flat(doc, c.samples);
            doc.SetFileName("run1.rec0");
            ChartPaintReport report;
            const QImage image = Paint(doc, Scheme(scheme), c.w, c.h, &report);
            if (c.w < 2 || c.h < 2) {
                EXPECT_EQ(report.outcome, ChartPaintReport::Outcome::Empty);
                EXPECT_EQ(CountInRect(image, image.rect(), qRgb(1, 2, 3)), 0);
                continue;
            }
            const bool tooSmallForPlot = c.samples < 2;
            if (!tooSmallForPlot) {
                continue; // 20 x 200 has a plot of 16 x 100: drawn in full
            }
            EXPECT_EQ(report.outcome, ChartPaintReport::Outcome::Empty);
            EXPECT_FALSE(report.title.has_value());
            EXPECT_TRUE(doc.m_bTitlePending);
            EXPECT_FALSE(doc.m_bDrawn);
            EXPECT_EQ(image.pixel(0, 0), kWhite);
            EXPECT_EQ(image.pixel(c.w - 1, c.h - 1), kWhite);
            for (int i = 1; i <= 4; ++i) {
                EXPECT_EQ(image.pixel(i, c.h / 2), kEmptyGrey);
                EXPECT_EQ(image.pixel(c.w - 1 - i, c.h / 2), kEmptyGrey);
                EXPECT_EQ(image.pixel(c.w / 2, i), kEmptyGrey);
                EXPECT_EQ(image.pixel(c.w / 2, c.h - 1 - i), kEmptyGrey);
            }
            EXPECT_EQ(CountInRect(image, QRect(5, 5, c.w - 10, c.h - 10), kWhite),
                      (c.w - 10) * (c.h - 10));
        }
    }
}

TEST(ChartPaintTest, TwoByTwoIsAlreadyAFullPaint) {
    CDataLoggerDoc doc;
    Flat(doc, 5);
    ChartPaintReport report;
    Paint(doc, ViewSettings{}, 2, 2, &report);
    EXPECT_EQ(report.outcome, ChartPaintReport::Outcome::Full);
    EXPECT_TRUE(doc.m_bDrawn);

    // A window of no pixels at all.
    CDataLoggerDoc other;
    Flat(other, 5);
    QImage none;
    EXPECT_EQ(PaintChart(none, other, ViewSettings{}).outcome, ChartPaintReport::Outcome::Empty);
    EXPECT_FALSE(other.m_bDrawn);
}

TEST(ChartPaintTest, SchemeColoursOfPlotSurroundAndTextBackground) {
    for (int scheme = 0; scheme < 4; ++scheme) {
        CDataLoggerDoc doc;
        Flat(doc, 801);
        const ChartColors c = ColorsForScheme(scheme);
        const QImage image = Paint(doc, Scheme(scheme));
        // Plot: between the first grid lines, clear of trace and alarm lines.
        EXPECT_EQ(image.pixel(L + 10, B - 10), Colour(c.m_clrPlot)) << scheme;
        EXPECT_EQ(image.pixel(R - 10, T + 10), Colour(c.m_clrPlot)) << scheme;
        // Surround, and the client border in the axis colour.
        EXPECT_EQ(image.pixel(L / 2, T / 2), Colour(c.m_clrWindow)) << scheme;
        EXPECT_EQ(image.pixel(R + 20, (T + B) / 2), Colour(c.m_clrWindow)) << scheme;
        EXPECT_EQ(image.pixel(kW / 2, kH - 5), Colour(c.m_clrWindow)) << scheme;
        EXPECT_EQ(image.pixel(0, kH / 2), Colour(c.m_clrAxis)) << scheme;
        EXPECT_EQ(image.pixel(kW - 1, 0), Colour(c.m_clrAxis)) << scheme;
        // Frame corners.
        EXPECT_EQ(image.pixel(L, T), Colour(c.m_clrAxis)) << scheme;
        EXPECT_EQ(image.pixel(R, B), Colour(c.m_clrAxis)) << scheme;
        // Texts: text colour on the window colour, nothing else in their cells.
        EXPECT_GT(CountInRect(image, kTitleCell, Colour(c.m_clrText)), 20) << scheme;
        EXPECT_GT(CountInRect(image, kTitleCell, Colour(c.m_clrWindow)), 20) << scheme;
        EXPECT_TRUE(OnlyColours(image, kTitleCell, {Colour(c.m_clrText), Colour(c.m_clrWindow)}));
        // The time labels under the first tick.
        const QRect timeLabels(L - 30, B + kTick, 60, 2 * kLabel);
        EXPECT_GT(CountInRect(image, timeLabels, Colour(c.m_clrText)), 20) << scheme;
        EXPECT_TRUE(OnlyColours(image, timeLabels, {Colour(c.m_clrText), Colour(c.m_clrWindow)}));
    }
}

TEST(ChartPaintTest, AlarmLineOnTheTopEdgeIsDrawnAndOneAboveItIsNot) {
    for (const float limit : {40.0F, 41.0F}) {
        LoggerConfig config = Config();
        config.tempHighAlarm = limit;
        CDataLoggerDoc doc;
        Flat(doc, 801, config);
        ViewSettings s = Scheme(1);
        s.m_nShowLowAlarm = 0;
        const QImage image = Paint(doc, s);
        const int red = CountInRect(image, QRect(L + 1, T - 2, R - L - 1, 5), kRed);
        if (limit == 40.0F) {
            EXPECT_GT(red, (R - L) / 3);
        } else {
            EXPECT_EQ(red, 0);
        }
        // The legend keeps its entry either way: the upper alarm's sample line
        // (slot 1: the lower alarm is off).
        const int x1 = LegendSlotX(kW, 1);
        EXPECT_GT(CountInRect(image, QRect(x1, kLegendY - 1, 100, 2), kRed), 30);
    }
}

TEST(ChartPaintTest, MarkersUpToAThousandStepsOnly) {
    for (const int steps : {1000, 1001}) {
        CDataLoggerDoc doc;
        Flat(doc, 2000);
        doc.PushZoom(100, 100 + steps, 400, 0);
        ViewSettings s = Scheme(1);
        s.m_nShowMarkers = 1;
        s.m_nShowLowAlarm = 0;
        s.m_nShowHighAlarm = 0;
        ChartPaintReport report;
        const QImage image = Paint(doc, s, kW, kH, &report);
        EXPECT_EQ(report.markersOn, steps == 1000);
        // The trace lies at y = 218 (2 pixels wide); markers reach 4 pixels from it.
        const int aboveTrace = CountInRect(image, QRect(L + 1, 218 - 4, R - L - 1, 2), kRed);
        const PixelPoint m = LegendMarkerCentre(kW, ComputeLayout(kW, kH));
        const int legendMarker = CountInRect(image, QRect(m.x - 3, m.y - 4, 7, 2), kRed);
        if (steps == 1000) {
            EXPECT_GT(aboveTrace, (R - L) / 2);
            EXPECT_GT(legendMarker, 3);
        } else {
            EXPECT_EQ(aboveTrace, 0);
            EXPECT_EQ(legendMarker, 0);
        }
    }
}

TEST(ChartPaintTest, GridSettingOfTwoDrawsNoGrid) {
    struct Case {
        int gridX, gridY;
        bool vertical, horizontal;
    };
    for (const Case c : {Case{1, 1, true, true}, Case{2, 1, false, true}, Case{1, 2, true, false},
                         Case{2, 2, false, false}, Case{0, 1, false, true}}) {
        CDataLoggerDoc doc;
        Flat(doc, 801);
        ViewSettings s = Scheme(1);
        s.m_nGridX = c.gridX;
        s.m_nGridY = c.gridY;
        s.m_nShowTemp = 0;
        s.m_nShowLowAlarm = 0;
        s.m_nShowHighAlarm = 0;
        const QImage image = Paint(doc, s);
        const QRgb grid = Colour(ColorsForScheme(1).m_clrGrid);
        // The second time tick is at x = 140, the second value tick at y = 452.
        const int vertical = CountInRect(image, QRect(140, T + 1, 1, B - T - 1), grid);
        const int horizontal = CountInRect(image, QRect(L + 1, 452, R - L - 1, 1), grid);
        EXPECT_EQ(vertical > 0, c.vertical) << c.gridX << " " << c.gridY;
        EXPECT_EQ(horizontal > 0, c.horizontal) << c.gridX << " " << c.gridY;
        EXPECT_EQ(vertical + horizontal > 0, c.vertical || c.horizontal);
    }
}

TEST(ChartPaintTest, AllThreeLinesOff) {
    CDataLoggerDoc doc;
    Flat(doc, 801);
    ViewSettings s = Scheme(1);
    s.m_nShowMarkers = 1;
    s.m_nShowTemp = 0;
    s.m_nShowLowAlarm = 0;
    s.m_nShowHighAlarm = 0;
    const QImage image = Paint(doc, s);
    const ChartColors c = ColorsForScheme(1);
    // No trace, no alarm line, no marker anywhere; no legend; no value or unit labels.
    EXPECT_EQ(CountInRect(image, image.rect(), kRed), 0);
    EXPECT_TRUE(OnlyColours(image, kLegendArea, {Colour(c.m_clrWindow)}));
    EXPECT_TRUE(OnlyColours(image, kValueLabelArea, {Colour(c.m_clrWindow)}));
    // Still grid, frame, time labels and title.
    EXPECT_GT(CountInRect(image, QRect(L + 1, 452, R - L - 1, 1), Colour(c.m_clrGrid)), 0);
    EXPECT_EQ(image.pixel(L, (T + B) / 2), Colour(c.m_clrAxis));
    EXPECT_GT(CountInRect(image, QRect(L - 30, B + kTick, 60, 2 * kLabel), Colour(c.m_clrText)),
              20);
    EXPECT_GT(CountInRect(image, kTitleCell, Colour(c.m_clrText)), 20);

    // With the lines on, the same places are not empty.
    const QImage shown = Paint(doc, Scheme(1));
    EXPECT_FALSE(OnlyColours(shown, kLegendArea, {Colour(c.m_clrWindow)}));
    EXPECT_FALSE(OnlyColours(shown, kValueLabelArea, {Colour(c.m_clrWindow)}));
}

TEST(ChartPaintTest, AlarmLegendEntriesPackFromSlotZero) {
    CDataLoggerDoc doc;
    Flat(doc, 801);
    ViewSettings s = Scheme(1);
    s.m_nShowTemp = 0;
    const QImage image = Paint(doc, s);
    for (int slot : {0, 1}) {
        EXPECT_GT(CountInRect(image, QRect(LegendSlotX(kW, slot), kLegendY - 1, 100, 2), kRed), 30);
    }
    EXPECT_EQ(CountInRect(image, QRect(LegendSlotX(kW, 2), kLegendY - 1, 100, 2), kRed), 0);
}

TEST(ChartPaintTest, TraceAboveTheTopIsCutAtThePlot) {
    CDataLoggerDoc doc;
    std::vector<std::int16_t> samples(801, 250);
    samples[400] = 3000; // far above 120.0
    doc.SetRecording(Config(), samples);
    doc.PushZoom(1, 801, 400, 0);
    ViewSettings s = Scheme(1);
    s.m_nShowLowAlarm = 0;
    s.m_nShowHighAlarm = 0;
    const QImage image = Paint(doc, s);
    EXPECT_GT(CountInRect(image, QRect(L + 390, T + 1, 20, 3), kRed), 0);
    EXPECT_EQ(CountInRect(image, QRect(0, 0, kW, T), kRed), 0);
}

TEST(ChartPaintTest, FirstFullPaintSetsTheTitleAndMarksTheDocumentDrawn) {
    CDataLoggerDoc doc;
    Flat(doc, 10);
    doc.SetFileName("run1.rec0");
    ChartPaintReport report;
    Paint(doc, ViewSettings{}, kW, kH, &report);
    EXPECT_EQ(report.outcome, ChartPaintReport::Outcome::Full);
    EXPECT_EQ(report.title, "Конфигуратор ВЕЛТА Термикс-Т [run1.rec0]");
    EXPECT_FALSE(doc.m_bTitlePending);
    EXPECT_TRUE(doc.m_bDrawn);
    EXPECT_EQ(report.layout, ComputeLayout(kW, kH));
    Paint(doc, ViewSettings{}, kW, kH, &report);
    EXPECT_FALSE(report.title.has_value());
}

TEST(ChartPaintTest, HooksAroundAFullPaint) {
    CDataLoggerDoc doc;
    Flat(doc, 801);
    doc.SetFileName("a.rec0");
    QImage image = Blank();
    bool zoomed = false;
    ChartPaintHooks hooks;
    hooks.bandDragging = [] { return true; };
    hooks.applyPendingZoom = [&](const ChartLayout&) { zoomed = true; };
    const ChartPaintReport skipped = PaintChart(image, doc, ViewSettings{}, hooks);
    EXPECT_EQ(skipped.outcome, ChartPaintReport::Outcome::Skipped);
    EXPECT_EQ(CountInRect(image, image.rect(), qRgb(1, 2, 3)), kW * kH);
    EXPECT_FALSE(zoomed);
    EXPECT_TRUE(doc.m_bTitlePending);
    EXPECT_FALSE(doc.m_bDrawn);

    // The zoom is applied before drawing: the picture shows the new window.
    hooks.bandDragging = [] { return false; };
    hooks.applyPendingZoom = [&](const ChartLayout& layout) {
        EXPECT_EQ(layout, ComputeLayout(kW, kH));
        doc.PushZoom(201, 401, 429, 267);
        zoomed = true;
    };
    const ChartPaintReport full = PaintChart(image, doc, ViewSettings{}, hooks);
    EXPECT_TRUE(zoomed);
    EXPECT_EQ(full.outcome, ChartPaintReport::Outcome::Full);
    CDataLoggerDoc same;
    Flat(same, 801);
    same.PushZoom(201, 401, 429, 267);
    EXPECT_EQ(image, Paint(same, ViewSettings{}));
}

TEST(ChartPaintTest, WindowsBeyondTheSamplesShowTheEmptyState) {
    CDataLoggerDoc doc;
    Flat(doc, 10);
    doc.m_nLast = 50; // a window no zoom can make: it would read past the samples
    ChartPaintReport report;
    Paint(doc, ViewSettings{}, kW, kH, &report);
    EXPECT_EQ(report.outcome, ChartPaintReport::Outcome::Empty);
    EXPECT_FALSE(doc.m_bDrawn);
}

TEST(ChartFontsTest, CellHeightIsTheRequestedOne) {
    const QImage image = Blank(10, 10);
    for (int h = 8; h <= 80; ++h) {
        const CellFont f = MakeCellFont(h, &image);
        EXPECT_EQ(f.cellHeight, h);
        EXPECT_EQ(f.measureHeight, h);
        // The largest font whose own cell fits.
        const QFontMetrics own(f.font, &image);
        EXPECT_LE(own.height(), h);
        EXPECT_GE(own.height(), h - 2) << h;
        QFont bigger = f.font;
        bigger.setPixelSize(f.font.pixelSize() + 1);
        EXPECT_GT(QFontMetrics(bigger, &image).height(), h);
        EXPECT_EQ(f.ascent, own.ascent() + h - own.height());
        EXPECT_TRUE(f.font.bold());
        EXPECT_EQ(f.measureWidth, own.horizontalAdvance(QStringLiteral("99-99-9999")));
    }
}

// The batched trace draws exactly what one line per sample step draws.
TEST(ChartPaintTest, BatchedTraceMatchesSegmentBySegment) {
    std::mt19937 random(7);
    struct Case {
        int count, first, last, w, h, spread, markers;
    };
    for (const Case c :
         {Case{32767, 1, 32767, 1920, 1080, 30, 0}, Case{32767, 1, 32767, 1366, 768, 600, 0},
          Case{5000, 1, 5000, 1000, 600, 2000, 0}, Case{5000, 1000, 2000, 1000, 600, 30, 1},
          Case{3000, 100, 400, 700, 500, 300, 1}, Case{100, 1, 2, 640, 480, 300, 1},
          Case{400, 1, 400, 80, 60, 200, 1}}) {
        std::vector<std::int16_t> samples(c.count);
        int v = 250;
        for (auto& s : samples) {
            v += static_cast<int>(random() % (2 * c.spread + 1)) - c.spread;
            v = std::clamp(v, -600, 1500);
            s = static_cast<std::int16_t>(v);
        }
        // Flat stretches too: repeated points and one-pixel steps.
        std::fill(samples.begin() + c.count / 3, samples.begin() + c.count / 2, 250);
        const ChartData data{samples, {c.first, c.last, 400, 0}, nullptr};
        LoggerConfig config = Config();
        const ChartData withConfig{data.samples, data.window, &config};
        ViewSettings s;
        s.m_nShowMarkers = c.markers;
        // The screen's widths, and those of paper, where the same drawing serves.
        for (const auto& [width, radius] : {std::pair{2, 3}, std::pair{10, 15}, std::pair{3, 4}}) {
            auto draw = [&](TraceMode mode) {
                QImage image = Blank(c.w, c.h);
                QPainter p(&image);
                PrepareChartPainter(p);
                ChartStyle style;
                style.colors = ColorsForScheme(1);
                style.lineWidth = width;
                style.markerRadius = radius;
                style.traceMode = mode;
                DrawChart(p, image.size(), withConfig, s, style);
                return image;
            };
            const QImage batched = draw(TraceMode::Batched);
            const QImage segments = draw(TraceMode::Segments);
            EXPECT_EQ(batched, segments) << c.count << " " << c.w << " width " << width;
            EXPECT_GT(CountInRect(batched, batched.rect(), kRed), 0);
        }
    }
}
