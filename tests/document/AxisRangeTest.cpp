#include "AxisRange.h"

#include <gtest/gtest.h>

namespace {

struct Row {
    int sample;
    int expected;
};

} // namespace

TEST(ChooseAxisRange, CelsiusTops) {
    const Row rows[] = {{-3000, 400}, {400, 400},   {401, 500},   {500, 500},   {501, 600},
                        {600, 600},   {601, 700},   {700, 700},   {701, 800},   {800, 800},
                        {801, 1200},  {1200, 1200}, {3000, 1200}, {32767, 1200}};
    for (const auto& r : rows) {
        EXPECT_EQ(ChooseAxisRange(r.sample, 0, false, 0).first, r.expected) << r.sample;
    }
}

TEST(ChooseAxisRange, CelsiusBottoms) {
    const Row rows[] = {{3000, 0},    {0, 0},       {-1, -100},   {-100, -100},
                        {-101, -200}, {-200, -200}, {-201, -300}, {-300, -300},
                        {-301, -400}, {-400, -400}, {-401, -400}, {-32768, -400}};
    for (const auto& r : rows) {
        EXPECT_EQ(ChooseAxisRange(400, r.sample, false, 0).second, r.expected) << r.sample;
    }
}

TEST(ChooseAxisRange, FahrenheitTops) {
    const Row rows[] = {{1040, 1040}, {1041, 1220}, {1220, 1220}, {1221, 1400},
                        {1400, 1400}, {1401, 1580}, {1580, 1580}, {1581, 1760},
                        {1760, 1760}, {1761, 2480}, {5000, 2480}};
    for (const auto& r : rows) {
        EXPECT_EQ(ChooseAxisRange(r.sample, 320, true, 0).first, r.expected) << r.sample;
    }
}

TEST(ChooseAxisRange, FahrenheitBottoms) {
    const Row rows[] = {{320, 320},  {319, 140},   {140, 140},   {139, -40},   {-40, -40},
                        {-41, -220}, {-220, -220}, {-221, -400}, {-400, -400}, {-401, -400}};
    for (const auto& r : rows) {
        EXPECT_EQ(ChooseAxisRange(1040, r.sample, true, 0).second, r.expected) << r.sample;
    }
}

TEST(ChooseAxisRange, SameRoomTemperatureInEitherUnit) {
    EXPECT_EQ(ChooseAxisRange(250, 250, false, 0), std::make_pair(400, 0));
    EXPECT_EQ(ChooseAxisRange(770, 770, true, 0), std::make_pair(1040, 320));
}

TEST(ChooseAxisRange, BelowTheTableTheBottomIsTheFloorWhateverWasShownBefore) {
    for (const int previous : {0, -100, 267, -400, 5000}) {
        EXPECT_EQ(ChooseAxisRange(0, -500, false, previous), std::make_pair(400, -400));
        EXPECT_EQ(ChooseAxisRange(0, -500, true, previous), std::make_pair(1040, -400));
    }
}
