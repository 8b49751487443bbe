#include "ChartScales.h"

#include "ChartLayout.h"
#include "LoggerConfig.h"

#include <gtest/gtest.h>

namespace {

std::vector<int> Values(const std::vector<TickMark>& ticks) {
    std::vector<int> v;
    for (const TickMark& t : ticks) {
        v.push_back(t.value);
    }
    return v;
}

std::vector<int> Positions(const std::vector<TickMark>& ticks) {
    std::vector<int> v;
    for (const TickMark& t : ticks) {
        v.push_back(t.position);
    }
    return v;
}

LoggerConfig Stamp(int year, int month, int day, int hour, int minute, int second,
                   std::uint32_t period) {
    LoggerConfig c;
    SetClockStamp(c, {year, month, day, hour, minute, second});
    c.periodSec = period;
    return c;
}

} // namespace

// The worked example on a 1000 x 600 surface, window 1 ... 801 and 0 ... 400.
TEST(ChartLayoutTest, WorkedExample) {
    const ChartLayout l = ComputeLayout(1000, 600);
    EXPECT_EQ(l, (ChartLayout{100, 60, 900, 480, 800, 420, 17, 22, 5, 551}));

    const ChartWindow w{1, 801, 400, 0};
    const ChartScales s = MakeScales(l, w);
    EXPECT_DOUBLE_EQ(s.sx, 1.0);
    EXPECT_DOUBLE_EQ(s.sy, 1.05);

    const auto timeTicks = MakeTimeTicks(l, w.first, w.last, s.sx);
    ASSERT_EQ(timeTicks.size(), 20u);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(timeTicks[i], (TickMark{100 + 40 * i, 1 + 40 * i}));
    }

    const auto valueTicks = MakeValueTicks(l, w.top, w.bottom, s.sy);
    ASSERT_EQ(valueTicks.size(), 15u);
    EXPECT_EQ(Positions(valueTicks)[0], 480);
    EXPECT_EQ(Positions(valueTicks)[1], 452);
    EXPECT_EQ(Positions(valueTicks)[2], 424);
    EXPECT_EQ(Positions(valueTicks)[3], 395);
    EXPECT_EQ(valueTicks.back().value, 378);
    EXPECT_EQ(ValueLabel(valueTicks[0].value), "0.0");
    EXPECT_EQ(ValueLabel(valueTicks[1].value), "2.7");
    EXPECT_EQ(ValueLabel(valueTicks[3].value), "8.1");
    EXPECT_EQ(ValueLabel(valueTicks.back().value), "37.8");

    // "99-99-9999" measuring 80 x 17.
    const auto timeLabels = ThinLabels(20, LabelCapacity(l.plotWidth, 80));
    const auto valueLabels = ThinLabels(15, LabelCapacity(l.plotHeight, 2 * 17));
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(timeLabels[i], i % 2 == 0) << i;
    }
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(valueLabels[i], i % 2 == 0) << i;
    }

    const std::vector<std::int16_t> samples(801, 250);
    for (int j : {0, 1, 400, 800}) {
        EXPECT_EQ(SamplePixel(l, s, w, samples, j), (PixelPoint{100 + j, 218}));
    }

    EXPECT_EQ(LegendSlotX(1000, 0), 41);
    EXPECT_EQ(LegendSlotX(1000, 1), 181);
    EXPECT_EQ(LegendSlotX(1000, 2), 321);
    EXPECT_EQ(LegendLineLength(1000), 100);
    EXPECT_EQ(l.legendY + l.tickLength, 556);
    EXPECT_EQ(UnitLabelAnchor(l), (PixelPoint{58, 77}));
    EXPECT_EQ(TitleAnchor(1000, 600), (PixelPoint{500, 48}));
    EXPECT_EQ(LegendMarkerCentre(1000, l), (PixelPoint{91, 551}));
}

TEST(ChartLayoutTest, TinySurfacesKeepTextSizesOfOne) {
    const ChartLayout l = ComputeLayout(40, 30);
    EXPECT_EQ(l.plotWidth, 32);
    EXPECT_EQ(l.labelHeight, 1);
    EXPECT_EQ(l.titleHeight, 1);
    EXPECT_EQ(l.tickLength, 1);

    // 2 x 2 has a plot of 1 x 1; anything smaller has none.
    EXPECT_TRUE(HasRoomForChart(ComputeLayout(2, 2), 2));
    EXPECT_FALSE(HasRoomForChart(ComputeLayout(1, 2), 2));
    EXPECT_FALSE(HasRoomForChart(ComputeLayout(2, 1), 2));
    EXPECT_FALSE(HasRoomForChart(ComputeLayout(1000, 600), 1));
}

TEST(ChartLayoutTest, ProductsBeforeDivision) {
    const ChartLayout l = ComputeLayout(1366, 768);
    EXPECT_EQ(l.right, 1229); // (1366 * 9) / 10, not 1366 * 0
    EXPECT_EQ(l.bottom, 614);
    EXPECT_EQ(l.labelHeight, (1229 - 136) / 45);
    EXPECT_EQ(l.titleHeight, (24 * 20) / 15);
}

TEST(ChartScalesTest, TimeTickCounts) {
    const ChartLayout l = ComputeLayout(1000, 600);
    struct Case {
        int span;
        std::size_t ticks;
        int step;
    };
    for (const Case c : {Case{1, 1, 0}, Case{20, 20, 1}, Case{21, 11, 2}, Case{40, 20, 2},
                         Case{41, 14, 3}, Case{32766, 20, 1639}}) {
        const auto ticks = MakeTimeTicks(l, 5, 5 + c.span, 800.0 / c.span);
        ASSERT_EQ(ticks.size(), c.ticks) << c.span;
        EXPECT_EQ(ticks[0], (TickMark{100, 5}));
        if (c.ticks > 1) {
            EXPECT_EQ(ticks[1].value, 5 + c.step) << c.span;
            EXPECT_LT(ticks.back().value, 5 + c.span);
        }
    }
    // One sample step: the one tick at L, and sx is the whole plot width.
    const ChartScales s = MakeScales(l, {7, 8, 400, 0});
    EXPECT_DOUBLE_EQ(s.sx, 800.0);
}

TEST(ChartScalesTest, ValueTickCounts) {
    const ChartLayout l = ComputeLayout(1000, 600);
    struct Case {
        int bottom, top;
        std::size_t ticks;
        int step;
    };
    for (const Case c : {Case{0, 1, 1, 0}, Case{0, 15, 15, 1}, Case{0, 16, 8, 2},
                         Case{0, 400, 15, 27}, Case{-400, 1200, 15, 107}}) {
        const auto ticks = MakeValueTicks(l, c.top, c.bottom, 420.0 / (c.top - c.bottom));
        ASSERT_EQ(ticks.size(), c.ticks) << c.top;
        EXPECT_EQ(ticks[0], (TickMark{480, c.bottom}));
        if (c.ticks > 1) {
            EXPECT_EQ(ticks[1].value - ticks[0].value, c.step);
        }
    }
    EXPECT_EQ(Values(MakeValueTicks(l, 1200, -400, 420.0 / 1600)).back(), -400 + 14 * 107);
}

TEST(ChartScalesTest, ThinLabels) {
    const auto seven = ThinLabels(20, 7);
    std::vector<int> labelled;
    for (int i = 0; i < 20; ++i) {
        if (seven[i]) {
            labelled.push_back(i);
        }
    }
    EXPECT_EQ(labelled, (std::vector<int>{0, 3, 6, 9, 12, 15, 18}));
    EXPECT_EQ(ThinLabels(20, 0), std::vector<bool>(20, false));
    EXPECT_EQ(ThinLabels(15, 15), std::vector<bool>(15, true));
    EXPECT_EQ(ThinLabels(1, 0), std::vector<bool>(1, false));
    EXPECT_EQ(ThinLabels(20, 10)[18], true);
    EXPECT_EQ(ThinLabels(20, 10)[19], false);
    EXPECT_EQ(LabelCapacity(800, 0), std::numeric_limits<int>::max());
}

TEST(ChartScalesTest, PixelsAreTruncatedTowardZeroAndNotClipped) {
    const ChartLayout l = ComputeLayout(1000, 600); // PH 420
    const ChartWindow w{1, 4, 400, 0};
    const ChartScales s = MakeScales(l, w); // sx 266.67, sy 1.05
    EXPECT_EQ(SampleX(l, s, 1), 100 + 266);
    EXPECT_EQ(SampleX(l, s, 2), 100 + 533);
    EXPECT_EQ(ValueY(l, s, w, 1), 480 - 1);  // 1.05
    EXPECT_EQ(ValueY(l, s, w, -1), 480 + 1); // -1.05 truncates toward zero
    EXPECT_EQ(ValueY(l, s, w, 500), 480 - 525);
    EXPECT_EQ(ValueY(l, s, w, -400), 480 + 420);
    EXPECT_EQ(ValueY(l, s, w, 400), 60);
}

TEST(ChartScalesTest, WindowsThatCannotBeDrawn) {
    EXPECT_TRUE(IsDrawableWindow({1, 2, 1, 0}, 2));
    EXPECT_FALSE(IsDrawableWindow({1, 3, 1, 0}, 2)); // past the samples
    EXPECT_FALSE(IsDrawableWindow({0, 2, 1, 0}, 2));
    EXPECT_FALSE(IsDrawableWindow({2, 2, 1, 0}, 2));
    EXPECT_FALSE(IsDrawableWindow({1, 2, 0, 0}, 2));
    EXPECT_FALSE(IsDrawableWindow({1, 2, 0, 1}, 2));
}

TEST(ChartScalesTest, SampleTimes) {
    const LoggerConfig c = Stamp(2014, 12, 31, 23, 59, 50, 30);
    EXPECT_EQ(SampleTime(c, 1), (CivilDateTime{2014, 12, 31, 23, 59, 50}));
    const CivilDateTime second = SampleTime(c, 2);
    EXPECT_EQ(TimeLabel(second), "00:00:20");
    EXPECT_EQ(DateLabel(second), "01-01-2015");
    EXPECT_EQ(TimeLabel(SampleTime(Stamp(2015, 3, 5, 10, 0, 0, 60), 91)), "11:30:00");
    // 32767 samples a day apart reach far into the future, and still on the calendar.
    EXPECT_EQ(DateLabel(SampleTime(Stamp(2014, 1, 1, 0, 0, 0, 86400), 32767)), "18-09-2103");
}

TEST(ChartScalesTest, InvalidStampGivesMinusOneEverywhere) {
    const CivilDateTime minusOne{-1, -1, -1, -1, -1, -1};
    for (const LoggerConfig& c : {Stamp(2014, 0, 1, 0, 0, 0, 10), Stamp(2014, 4, 31, 0, 0, 0, 10),
                                  Stamp(2014, 2, 29, 0, 0, 0, 10), Stamp(2014, 1, 1, 24, 0, 0, 10),
                                  Stamp(2014, 1, 1, 0, 60, 0, 10), Stamp(2014, 1, 1, 0, 0, 60, 10),
                                  Stamp(10000, 1, 1, 0, 0, 0, 10)}) {
        EXPECT_EQ(SampleTime(c, 5), minusOne);
    }
    LoggerConfig huge = Stamp(2014, 1, 1, 0, 0, 0, 10);
    huge.year = 0xFFFFFFFFu;
    EXPECT_EQ(SampleTime(huge, 1), minusOne);
    EXPECT_EQ(TimeLabel(minusOne), "-1:-1:-1");
    EXPECT_EQ(DateLabel(minusOne), "-1--1--001");
    // A valid stamp whose samples run past the year 9999.
    EXPECT_EQ(SampleTime(Stamp(9999, 12, 31, 0, 0, 0, 0xFFFFFFFFu), 32767), minusOne);
    EXPECT_EQ(SampleTime(Stamp(9999, 12, 31, 0, 0, 0, 86400), 3), minusOne);
}

TEST(ChartScalesTest, LabelTexts) {
    EXPECT_EQ(ValueLabel(-5), "-0.5");
    EXPECT_EQ(ValueLabel(0), "0.0");
    EXPECT_EQ(ValueLabel(1200), "120.0");
    EXPECT_EQ(ValueLabel(-400), "-40.0");
    LoggerConfig c;
    EXPECT_EQ(UnitLabel(c), "(C)");
    c.tempUnit = 0x21;
    EXPECT_EQ(UnitLabel(c), "(F)");
    EXPECT_EQ(PeriodLabel(Stamp(2014, 3, 1, 10, 0, 0, 60), 11, 71),
              "Начало:01-03-2014 10:10:00    Конец:01-03-2014 11:10:00");
}

TEST(ChartScalesTest, AlarmTenths) {
    EXPECT_EQ(AlarmTenths(40.0F), 400);
    EXPECT_EQ(AlarmTenths(-12.0F), -120);
    EXPECT_EQ(AlarmTenths(0.35F), 3); // trunc, not round
    EXPECT_EQ(AlarmTenths(std::numeric_limits<float>::quiet_NaN()), std::nullopt);
    EXPECT_EQ(AlarmTenths(1e30F), std::nullopt);
}
