#include "ChartInteraction.h"

#include "ChartPainter.h"
#include "DataLoggerDoc.h"
#include "ViewSettings.h"

#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

ChartWindow WindowOf(const CDataLoggerDoc& doc) {
    return {doc.m_nFirst, doc.m_nLast, doc.m_nTop, doc.m_nBottom};
}

// Stands in for the chart view: the window image, the paint with its hooks, the pointer.
class FakeView {
public:
    explicit FakeView(QSize size = {1000, 600}) : image(size, QImage::Format_RGB32) {
        image.fill(Qt::gray);
        ChartInteraction::Host host;
        host.windowImage = [this]() -> QImage& { return image; };
        host.document = [this]() -> CDataLoggerDoc& { return doc; };
        host.settings = [this]() -> const ViewSettings& { return settings; };
        host.showPixels = [this](const QRect& r) { shown = shown.united(r); };
        host.repaintChart = [this] {
            ++repaints;
            Paint();
        };
        host.pointerPosition = [this] { return pointer; };
        interaction = std::make_unique<ChartInteraction>(std::move(host));
    }

    // A full paint as the view does it: into a new picture, which then becomes the window's.
    ChartPaintReport Paint() {
        QImage target(image.size(), QImage::Format_RGB32);
        const ChartPaintReport report =
            PaintChart(target, doc, settings, interaction->PaintHooks(target.size()));
        if (report.outcome != ChartPaintReport::Outcome::Skipped) {
            image = target;
        }
        interaction->ChartPainted(report);
        return report;
    }

    // 801 samples between 5.0 and 35.0 degrees: the window 1..801, 0..400.
    void LoadRun(int count = 801) {
        LoggerConfig config;
        SetClockStamp(config, {2015, 3, 5, 10, 0, 0});
        config.periodSec = 60;
        config.tempLowAlarm = 10.0F;
        config.tempHighAlarm = 30.0F;
        config.recordedCount = static_cast<std::uint32_t>(count);
        std::vector<std::int16_t> samples(static_cast<std::size_t>(count));
        for (std::size_t i = 0; i < samples.size(); ++i) {
            samples[i] = static_cast<std::int16_t>(200 + std::lround(150 * std::sin(i / 40.0)));
        }
        doc.SetRecording(config, std::move(samples));
        Paint();
    }

    void Drag(QPoint from, std::initializer_list<QPoint> through) {
        interaction->OnLeftButtonDown(from);
        for (QPoint p : through) {
            interaction->OnMouseMove(p);
        }
    }

    QImage image;
    CDataLoggerDoc doc;
    ViewSettings settings;
    QPoint pointer{500, 300};
    int repaints = 0;
    QRect shown;
    std::unique_ptr<ChartInteraction> interaction;
};

class ChartInteractionTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.LoadRun();
        ASSERT_TRUE(view.doc.m_bDrawn);
        ASSERT_EQ(WindowOf(view.doc), (ChartWindow{1, 801, 400, 0}));
        chart = view.image;
    }

    ChartInteraction& ui() { return *view.interaction; }

    FakeView view;
    QImage chart;
};

// Pixels of the image that differ from the reference.
int DifferingPixels(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            n += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
        }
    }
    return n;
}

TEST_F(ChartInteractionTest, WorkedExampleZoomsOnRelease) {
    view.Drag({300, 200}, {{400, 100}, {500, 30}});
    EXPECT_TRUE(ui().IsDragging());
    EXPECT_EQ(view.repaints, 0);
    ui().OnLeftButtonUp({500, 30});
    EXPECT_FALSE(ui().IsDragging());
    EXPECT_FALSE(ui().BandTimer().isActive());
    EXPECT_EQ(view.repaints, 1);
    EXPECT_FALSE(ui().IsZoomPending());
    EXPECT_EQ(WindowOf(view.doc), (ChartWindow{201, 401, 429, 267}));
    ASSERT_EQ(view.doc.ZoomDepth(), 2);
    const ZoomLevel* top = view.doc.ZoomTop();
    EXPECT_EQ((ChartWindow{top->first, top->last, top->top, top->bottom}),
              (ChartWindow{201, 401, 429, 267}));
}

TEST_F(ChartInteractionTest, PressAreaIsOpen) {
    for (QPoint p : {QPoint(50, 300), QPoint(950, 300), QPoint(500, 30), QPoint(500, 510)}) {
        ui().OnLeftButtonDown(p);
        EXPECT_FALSE(ui().IsDragging()) << p.x() << "," << p.y();
        EXPECT_FALSE(ui().BandTimer().isActive());
    }
    ui().OnLeftButtonDown({51, 31});
    EXPECT_TRUE(ui().IsDragging());
    EXPECT_TRUE(ui().BandTimer().isActive());
    EXPECT_EQ(ui().BandTimer().interval(), 100);
    EXPECT_EQ(ui().Anchor(), (PixelPoint{51, 31}));
    EXPECT_EQ(ui().Corner(), (PixelPoint{51, 31}));
    EXPECT_EQ(view.image, chart); // nothing drawn yet
}

TEST_F(ChartInteractionTest, ClickWithoutMoveChangesNothing) {
    ui().OnLeftButtonDown({300, 200});
    ui().OnLeftButtonUp({300, 200});
    EXPECT_FALSE(ui().IsDragging());
    EXPECT_FALSE(ui().IsZoomPending());
    EXPECT_EQ(view.repaints, 0);
    EXPECT_EQ(view.doc.ZoomDepth(), 1);
    EXPECT_EQ(view.image, chart);
}

TEST_F(ChartInteractionTest, BandLeftOfThePlot) {
    // Flat: the release repaints, but nothing is pushed.
    view.Drag({60, 200}, {{90, 200}});
    ui().OnLeftButtonUp({90, 200});
    EXPECT_EQ(view.repaints, 1);
    EXPECT_EQ(ui().Anchor().x, 100);
    EXPECT_EQ(ui().Corner().x, 100);
    EXPECT_EQ(view.doc.ZoomDepth(), 1);
    EXPECT_EQ(WindowOf(view.doc), (ChartWindow{1, 801, 400, 0}));

    // With height: only the Y axis changes.
    view.Drag({60, 100}, {{90, 300}});
    ui().OnLeftButtonUp({90, 300});
    EXPECT_EQ(view.doc.ZoomDepth(), 2);
    EXPECT_EQ(WindowOf(view.doc), (ChartWindow{1, 801, 362, 171}));
}

TEST(ChartInteraction, BandNarrowerThanOneSampleChangesOnlyTheHeight) {
    FakeView view;
    view.LoadRun(3); // two sample steps over 800 pixels
    view.Drag({300, 100}, {{400, 300}});
    view.interaction->OnLeftButtonUp({400, 300});
    EXPECT_EQ(view.doc.ZoomDepth(), 2);
    EXPECT_EQ(WindowOf(view.doc), (ChartWindow{1, 3, 362, 171}));
}

TEST_F(ChartInteractionTest, BandAboveAndBelowIsCapped) {
    const auto zoom = [&](QPoint a, QPoint b) {
        view.Drag(a, {b});
        ui().OnLeftButtonUp(b);
    };
    // A thin slice just under the top cap; the band reaches 53 tenths above its bottom and 4
    // below.
    view.doc.PushZoom(1, 801, 1200, 1150);
    zoom({700, 31}, {300, 510});
    EXPECT_EQ(WindowOf(view.doc), (ChartWindow{201, 601, 1200, 1146}));

    view.doc.PushZoom(1, 801, -350, -400);
    zoom({700, 31}, {300, 510});
    EXPECT_EQ(WindowOf(view.doc), (ChartWindow{201, 601, -347, -400}));

    LoggerConfig fahrenheit = view.doc.m_config;
    fahrenheit.tempUnit = 1;
    view.doc.m_config = fahrenheit;
    view.doc.PushZoom(1, 801, 2480, 2430);
    zoom({700, 31}, {300, 510});
    EXPECT_EQ(WindowOf(view.doc), (ChartWindow{201, 601, 2480, 2426}));
}

TEST_F(ChartInteractionTest, CancelZoneDropsTheBandAndRestoresEveryPixel) {
    view.Drag({300, 200}, {{400, 250}, {700, 100}, {200, 450}, {940, 500}});
    EXPECT_GT(DifferingPixels(view.image, chart), 0);
    ui().OnMouseMove({10, 300});
    EXPECT_FALSE(ui().IsDragging());
    EXPECT_FALSE(ui().BandTimer().isActive());
    EXPECT_EQ(ui().Corner(), (PixelPoint{10, 300}));
    EXPECT_EQ(view.image, chart);
    ui().OnLeftButtonUp({10, 300});
    EXPECT_EQ(view.repaints, 0);
    EXPECT_EQ(view.doc.ZoomDepth(), 1);
}

TEST_F(ChartInteractionTest, BandIsAHalftoneFrameAndMovesWithoutRepaint) {
    view.Drag({300, 200}, {{400, 260}});
    // Frame of the rectangle 300..399 x 200..259: 100 + 100 + 58 + 58 pixels, half inverted.
    EXPECT_EQ(DifferingPixels(view.image, chart), 158);
    for (int x = 300; x < 400; ++x) {
        const bool even = (x + 200) % 2 == 0;
        EXPECT_EQ(view.image.pixel(x, 200) == chart.pixel(x, 200), !even) << x;
        if (even) {
            EXPECT_EQ(view.image.pixel(x, 200), chart.pixel(x, 200) ^ 0x00FFFFFFu);
        }
    }
    EXPECT_TRUE(view.shown.contains(QRect(300, 200, 100, 60)));
    // Moving shows only the new frame.
    ui().OnMouseMove({350, 230});
    EXPECT_EQ(DifferingPixels(view.image, chart), 78); // half of 50 + 50 + 28 + 28
    EXPECT_EQ(view.repaints, 0);
    // A paint request during the drag draws nothing.
    EXPECT_EQ(view.Paint().outcome, ChartPaintReport::Outcome::Skipped);
    EXPECT_EQ(view.repaints, 0);
    ui().OnActivationChanged();
    EXPECT_FALSE(ui().IsDragging());
    // The held-back paint is made now.
    EXPECT_EQ(view.repaints, 1);
    EXPECT_EQ(view.image, chart);
}

TEST_F(ChartInteractionTest, LeavingTheWindowCancelsWithinOneTick) {
    view.Drag({300, 200}, {{400, 300}});
    view.pointer = {1000, 600}; // the client rectangle's edges count as inside
    ui().BandTimerTick();
    EXPECT_TRUE(ui().IsDragging());
    view.pointer = {1001, 300};
    ui().BandTimerTick();
    EXPECT_FALSE(ui().IsDragging());
    EXPECT_FALSE(ui().BandTimer().isActive());
    EXPECT_EQ(view.image, chart);
    ui().OnLeftButtonUp({1001, 300});
    EXPECT_EQ(view.repaints, 0);
    EXPECT_EQ(view.doc.ZoomDepth(), 1);

    // The real timer does the same by itself.
    view.pointer = {500, 300};
    view.Drag({300, 200}, {{400, 300}});
    view.pointer = {-1, 300};
    EXPECT_TRUE(QTest::qWaitFor([&] { return !ui().IsDragging(); }, 5000));
    EXPECT_EQ(view.image, chart);
}

TEST_F(ChartInteractionTest, ActivationChangeCancels) {
    view.Drag({300, 200}, {{400, 300}});
    ui().OnActivationChanged();
    EXPECT_FALSE(ui().IsDragging());
    EXPECT_EQ(view.image, chart);
    ui().OnLeftButtonUp({400, 300});
    EXPECT_EQ(view.repaints, 0);
}

TEST_F(ChartInteractionTest, ZoomOutAndViewAllWalkTheStack) {
    const auto zoom = [&](QPoint a, QPoint b) {
        view.Drag(a, {b});
        ui().OnLeftButtonUp(b);
    };
    ui().ZoomOut();
    ui().ViewAll();
    EXPECT_EQ(view.repaints, 0); // nothing to go back to

    zoom({300, 200}, {500, 30});
    const ChartWindow first = WindowOf(view.doc);
    zoom({200, 100}, {800, 400});
    EXPECT_EQ(view.doc.ZoomDepth(), 3);
    view.repaints = 0;

    ui().ZoomOut();
    EXPECT_EQ(view.repaints, 1);
    EXPECT_EQ(WindowOf(view.doc), first);
    ui().ZoomOut();
    EXPECT_EQ(WindowOf(view.doc), (ChartWindow{1, 801, 400, 0}));
    EXPECT_EQ(view.doc.ZoomDepth(), 1);
    ui().ZoomOut();
    EXPECT_EQ(view.repaints, 2);

    zoom({300, 200}, {500, 30});
    zoom({200, 100}, {800, 400});
    zoom({200, 100}, {800, 400});
    view.repaints = 0;
    ui().ViewAll();
    EXPECT_EQ(view.repaints, 1);
    EXPECT_EQ(view.doc.ZoomDepth(), 1);
    EXPECT_EQ(WindowOf(view.doc), (ChartWindow{1, 801, 400, 0}));
    EXPECT_EQ(view.image, chart);
}

TEST(ChartInteraction, FewerThanTwoSamplesNothingWorks) {
    FakeView view;
    view.LoadRun(1);
    view.doc.m_bDrawn = true;
    view.interaction->OnLeftButtonDown({300, 200});
    EXPECT_FALSE(view.interaction->IsDragging());
    view.interaction->OnMouseMove({300, 200});
    EXPECT_FALSE(view.interaction->IsCursorShown());
    view.interaction->ZoomOut();
    view.interaction->ViewAll();
    EXPECT_EQ(view.repaints, 0);
    const QImage before = view.image;
    view.interaction->ReadoutTick();
    EXPECT_EQ(view.image, before);
}

TEST_F(ChartInteractionTest, CursorLineInvertsAndRestores) {
    // Scheme 0: the plot is black, so the line shows cyan there.
    ui().OnMouseMove({300, 200});
    EXPECT_TRUE(ui().IsCursorShown());
    for (int y = 60; y < 480; ++y) {
        EXPECT_EQ(view.image.pixel(300, y), ~(chart.pixel(300, y) ^ 0xFF0000u) | 0xFF000000u) << y;
    }
    EXPECT_EQ(view.image.pixel(300, 480), chart.pixel(300, 480));
    EXPECT_EQ(view.image.pixel(300, 59), chart.pixel(300, 59));
    EXPECT_EQ(DifferingPixels(view.image, chart), 420);
    EXPECT_EQ(view.repaints, 0);

    ui().OnMouseMove({310, 210});
    EXPECT_EQ(view.image.pixel(300, 100), chart.pixel(300, 100));
    EXPECT_EQ(DifferingPixels(view.image, chart), 420);
    EXPECT_EQ(ui().MousePosition(), (PixelPoint{310, 210}));

    // Edges count as inside.
    ui().OnMouseMove({900, 480});
    EXPECT_TRUE(ui().IsCursorShown());
    ui().OnMouseMove({100, 60});
    EXPECT_TRUE(ui().IsCursorShown());

    ui().OnMouseMove({50, 300});
    EXPECT_FALSE(ui().IsCursorShown());
    EXPECT_EQ(ui().MousePosition(), (PixelPoint{50, 300}));
    EXPECT_EQ(view.image, chart);
    EXPECT_EQ(view.repaints, 0);
}

TEST(ChartInteraction, CursorLineColoursOnWhiteAndBlack) {
    for (std::uint8_t scheme : {0, 1}) {
        FakeView view;
        view.settings.m_nScheme = scheme;
        view.LoadRun();
        const QImage chart = view.image;
        // A plot background pixel away from trace and grid.
        QPoint probe(101, 470);
        ASSERT_EQ(chart.pixel(probe), scheme == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        view.interaction->OnMouseMove({probe.x(), 300});
        EXPECT_EQ(view.image.pixel(probe), scheme == 0 ? qRgb(0, 255, 255) : qRgb(255, 0, 0));
    }
}

TEST_F(ChartInteractionTest, PressHidesTheLineAndTheBandFreezesIt) {
    ui().OnMouseMove({300, 200});
    ui().OnLeftButtonDown({300, 200});
    EXPECT_FALSE(ui().IsCursorShown());
    EXPECT_EQ(view.image, chart);
    ui().OnMouseMove({400, 300});
    EXPECT_FALSE(ui().IsCursorShown());
    EXPECT_EQ(ui().MousePosition(), (PixelPoint{300, 200}));
    ui().OnActivationChanged();
    EXPECT_EQ(view.image, chart);
    ui().OnMouseMove({400, 300});
    EXPECT_TRUE(ui().IsCursorShown());
}

TEST_F(ChartInteractionTest, FullPaintForgetsTheLine) {
    ui().OnMouseMove({300, 200});
    view.Paint();
    EXPECT_FALSE(ui().IsCursorShown());
    ui().OnMouseMove({50, 300}); // nothing to erase
    EXPECT_EQ(view.image, chart);
}

TEST(ChartInteraction, MovesAreIgnoredUntilTheChartIsDrawn) {
    FakeView view;
    view.LoadRun();
    view.doc.m_bDrawn = false;
    const QImage before = view.image;
    view.interaction->OnMouseMove({300, 200});
    EXPECT_FALSE(view.interaction->ReadoutTimer().isActive());
    EXPECT_FALSE(view.interaction->IsCursorShown());
    EXPECT_EQ(view.image, before);
}

TEST_F(ChartInteractionTest, ReadoutTimerStartsOnTheFirstMoveAndKeepsRunning) {
    EXPECT_FALSE(ui().ReadoutTimer().isActive());
    ui().OnMouseMove({50, 300});
    EXPECT_TRUE(ui().ReadoutTimer().isActive());
    EXPECT_EQ(ui().ReadoutTimer().interval(), 100);
    ui().OnMouseMove({2000, 3000});
    EXPECT_TRUE(ui().ReadoutTimer().isActive());
}

TEST_F(ChartInteractionTest, ReadoutDrawsOpaqueBelowTheTimeLabels) {
    const ChartLayout layout = ComputeLayout(1000, 600);
    const int top = 480 + 2 * (layout.labelHeight + layout.tickLength);
    ui().OnMouseMove({150, 300});
    ui().OnMouseMove({50, 300}); // beside the plot; the line is gone again
    ASSERT_EQ(view.image, chart);
    view.shown = {};
    ui().ReadoutTick();
    ASSERT_FALSE(view.shown.isEmpty());
    EXPECT_EQ(view.shown.top(), top);
    EXPECT_LT(std::abs(view.shown.center().x() - 500), 3);
    // Scheme 0: red text on black; nothing but the text's cell changed.
    int red = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 1000; ++x) {
            if (view.image.pixel(x, y) != chart.pixel(x, y)) {
                EXPECT_TRUE(view.shown.contains(x, y)) << x << "," << y;
            }
            red += view.shown.contains(x, y) && view.image.pixel(x, y) == qRgb(250, 0, 0);
        }
    }
    EXPECT_GT(red, 50);
    // The same tick again draws the same pixels.
    const QImage once = view.image;
    ui().ReadoutTick();
    EXPECT_EQ(view.image, once);
}

TEST(ChartInteraction, ReadoutUsesTheSchemeColours) {
    FakeView view;
    view.settings.m_nScheme = 2; // white on (196, 21, 28)
    view.LoadRun();
    view.interaction->OnMouseMove({50, 300});
    view.interaction->ReadoutTick();
    int white = 0;
    int other = 0;
    const QRect cell = view.shown;
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const QRgb p = view.image.pixel(x, y);
            white += p == qRgb(255, 255, 255);
            other += p != qRgb(255, 255, 255) && p != qRgb(196, 21, 28);
        }
    }
    EXPECT_GT(white, 50);
    // Smoothed glyph edges aside, every pixel is text or background.
    EXPECT_LT(other, white);
}

TEST_F(ChartInteractionTest, ReadoutHoldsStillWhileABandIsDragged) {
    ui().OnMouseMove({50, 300});
    view.Drag({300, 470}, {{600, 510}});
    const QImage withBand = view.image;
    ui().ReadoutTick();
    EXPECT_EQ(view.image, withBand);
    ui().OnActivationChanged();
    EXPECT_EQ(view.image, chart);
}

TEST_F(ChartInteractionTest, ResizeDuringADragDropsTheBand) {
    view.Drag({300, 200}, {{400, 300}});
    view.image = QImage(800, 500, QImage::Format_RGB32);
    EXPECT_EQ(view.Paint().outcome, ChartPaintReport::Outcome::Full);
    EXPECT_FALSE(ui().IsDragging());
    EXPECT_FALSE(ui().BandTimer().isActive());
}

} // namespace
