#include "ZoomBand.h"

#include <gtest/gtest.h>

namespace {

// Client 1000 x 600: plot 100..900 x 60..480, press area 50 < x < 950, 30 < y < 510.
constexpr int kW = 1000;
constexpr int kH = 600;
constexpr ChartWindow kWindow{1, 801, 400, 0};

TEST(PlotMapping, RoundsToTheNearestUnit) {
    const ChartLayout layout = ComputeLayout(kW, kH);
    EXPECT_EQ(MapToPlot(layout, kWindow, {300, 480}), (PlotUnits{200, 0}));
    EXPECT_EQ(MapToPlot(layout, kWindow, {100, 30}), (PlotUnits{0, 429}));  // 428.57
    EXPECT_EQ(MapToPlot(layout, kWindow, {100, 200}), (PlotUnits{0, 267})); // 266.67
    // 3 samples over 800 pixels: 0.375 and 0.75 sample per 100 pixels.
    const ChartWindow narrow{10, 13, 400, 0};
    EXPECT_EQ(MapToPlot(layout, narrow, {200, 480}).samples, 0);
    EXPECT_EQ(MapToPlot(layout, narrow, {300, 480}).samples, 1);
    EXPECT_EQ(MapToPlot(layout, narrow, {900, 480}).samples, 3);
    // Below the plot the height is negative; -0.5 rounds away from zero.
    EXPECT_EQ(MapToPlot(layout, {1, 801, 420, 0}, {100, 510}).tenths, -30);
    EXPECT_EQ(MapToPlot(layout, {1, 801, 7, 0}, {100, 510}).tenths, -1);
}

TEST(PlotMapping, ExactHalvesGoAwayFromZero) {
    EXPECT_EQ(RoundedQuotient(5, 2), 3);
    EXPECT_EQ(RoundedQuotient(-5, 2), -3);
    EXPECT_EQ(RoundedQuotient(7, 3), 2);
    EXPECT_EQ(RoundedQuotient(-7, 3), -2);
    EXPECT_EQ(RoundedQuotient(8, 3), 3);
    EXPECT_EQ(RoundedQuotient(0, 7), 0);
}

TEST(ZoomBandAreas, PressAreaIsOpenDragAreaClosed) {
    EXPECT_FALSE(InPressArea(kW, kH, {50, 300}));
    EXPECT_FALSE(InPressArea(kW, kH, {500, 30}));
    EXPECT_FALSE(InPressArea(kW, kH, {950, 300}));
    EXPECT_FALSE(InPressArea(kW, kH, {500, 510}));
    EXPECT_TRUE(InPressArea(kW, kH, {51, 31}));
    EXPECT_TRUE(InPressArea(kW, kH, {949, 509}));

    EXPECT_EQ(ClampToDragArea(kW, kH, {0, 0}), (PixelPoint{50, 30}));
    EXPECT_EQ(ClampToDragArea(kW, kH, {999, 599}), (PixelPoint{950, 510}));
    EXPECT_EQ(ClampToDragArea(kW, kH, {50, 510}), (PixelPoint{50, 510}));
}

TEST(ZoomBandAreas, CancelZoneIsTheOutermostFortieth) {
    // W/40 = 25, W*39/40 = 975, H/40 = 15, H*39/40 = 585.
    EXPECT_TRUE(InCancelZone(kW, kH, {24, 300}));
    EXPECT_FALSE(InCancelZone(kW, kH, {25, 300}));
    EXPECT_TRUE(InCancelZone(kW, kH, {976, 300}));
    EXPECT_FALSE(InCancelZone(kW, kH, {975, 300}));
    EXPECT_TRUE(InCancelZone(kW, kH, {500, 14}));
    EXPECT_FALSE(InCancelZone(kW, kH, {500, 15}));
    EXPECT_TRUE(InCancelZone(kW, kH, {500, 586}));
    EXPECT_FALSE(InCancelZone(kW, kH, {500, 585}));
    EXPECT_TRUE(InCancelZone(kW, kH, {-3, 300}));
}

TEST(ApplyPendingZoom, WorkedExample) {
    const auto next = ApplyPendingZoom(kW, kH, {300, 200}, {500, 30}, kWindow, false);
    ASSERT_TRUE(next);
    EXPECT_EQ(*next, (ChartWindow{201, 401, 429, 267}));
    // The corners may come in any order.
    EXPECT_EQ(ApplyPendingZoom(kW, kH, {500, 30}, {300, 200}, kWindow, false), next);
    EXPECT_EQ(ApplyPendingZoom(kW, kH, {300, 30}, {500, 200}, kWindow, false), next);
}

TEST(ApplyPendingZoom, BandLeftOfThePlotChangesNoTime) {
    // Both x between W/20 and L: pulled onto x = L.
    const auto heightOnly = ApplyPendingZoom(kW, kH, {60, 100}, {90, 300}, kWindow, false);
    ASSERT_TRUE(heightOnly);
    EXPECT_EQ(heightOnly->first, 1);
    EXPECT_EQ(heightOnly->last, 801);
    EXPECT_EQ(heightOnly->top, 362);    // (480 - 100) * 400 / 420 = 361.9
    EXPECT_EQ(heightOnly->bottom, 171); // 171.4
    // And without height in plot units nothing changes at all.
    EXPECT_FALSE(ApplyPendingZoom(kW, kH, {60, 200}, {90, 200}, kWindow, false));
}

TEST(ApplyPendingZoom, BandNarrowerThanOneSampleChangesOnlyTheHeight) {
    const ChartWindow wide{1, 3, 400, 0}; // 2 steps over 800 pixels
    const auto next = ApplyPendingZoom(kW, kH, {300, 100}, {400, 300}, wide, false);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->first, 1);
    EXPECT_EQ(next->last, 3);
    EXPECT_EQ(next->top, 362);
    EXPECT_EQ(next->bottom, 171);
}

TEST(ApplyPendingZoom, OneSampleWideGivesTwoSamples) {
    const auto next = ApplyPendingZoom(kW, kH, {300, 200}, {301, 200}, kWindow, false);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->first, 201);
    EXPECT_EQ(next->last, 202);
    EXPECT_EQ(next->top, 400);
    EXPECT_EQ(next->bottom, 0);
}

TEST(ApplyPendingZoom, TopAndBottomAreCapped) {
    struct Case {
        ChartWindow window;
        bool fahrenheit;
        int top;
        int bottom;
    };
    // A band from the top of the drag area (y = 30) to its bottom (y = 510).
    const Case cases[] = {
        {{1, 801, 1200, 0}, false, 1200, -86},    // 1286 capped
        {{1, 801, 2480, 320}, true, 2480, 166},   // 2634 capped
        {{1, 801, 0, -400}, false, 29, -400},     // -429 floored
        {{1, 801, 400, -380}, true, 456, -400},   // -436 floored
        {{1, 801, 1100, 1000}, false, 1107, 993}, // within the caps
    };
    for (const Case& c : cases) {
        const auto next = ApplyPendingZoom(kW, kH, {100, 30}, {900, 510}, c.window, c.fahrenheit);
        ASSERT_TRUE(next);
        EXPECT_EQ(next->top, c.top) << c.window.top;
        EXPECT_EQ(next->bottom, c.bottom) << c.window.top;
        EXPECT_EQ(next->first, 1);
        EXPECT_EQ(next->last, 801);
    }
}

TEST(ApplyPendingZoom, BandAboveACappedTopKeepsTheHeight) {
    // Window 1000..1200: a band from y = 30 to 50 lies wholly above the plot; its range
    // 1205..1214 would be capped to 1205..1200, an inverted range.
    const ChartWindow atCap{1, 801, 1200, 1000};
    const auto next = ApplyPendingZoom(kW, kH, {300, 30}, {500, 50}, atCap, false);
    ASSERT_TRUE(next);
    EXPECT_EQ(*next, (ChartWindow{201, 401, 1200, 1000}));
    // Without time either, nothing changes.
    EXPECT_FALSE(ApplyPendingZoom(kW, kH, {300, 30}, {300, 50}, atCap, false));
    // Touching the cap exactly: 1200..1200 is empty too.
    EXPECT_FALSE(ApplyPendingZoom(kW, kH, {60, 30}, {60, 60}, atCap, false));
}

TEST(ApplyPendingZoom, NoPlotNoZoom) {
    EXPECT_FALSE(ApplyPendingZoom(1, 600, {0, 100}, {0, 300}, kWindow, false));
    EXPECT_FALSE(ApplyPendingZoom(1000, 1, {300, 0}, {500, 0}, kWindow, false));
}

} // namespace
