#include "CivilTime.h"

#include <gtest/gtest.h>

TEST(CivilTime, AddSecondsCarriesThroughTheCalendar) {
    struct Case {
        CivilDateTime from;
        long long seconds;
        CivilDateTime to;
    };
    const Case cases[] = {
        {{2014, 12, 31, 23, 59, 50}, 15, {2015, 1, 1, 0, 0, 5}},
        {{2019, 12, 31, 23, 59, 30}, 45, {2020, 1, 1, 0, 0, 15}},
        {{2024, 2, 28, 12, 0, 0}, 86400, {2024, 2, 29, 12, 0, 0}},
        {{2023, 2, 28, 12, 0, 0}, 86400, {2023, 3, 1, 12, 0, 0}},
        {{2015, 1, 1, 0, 0, 0}, -1, {2014, 12, 31, 23, 59, 59}},
        {{2015, 3, 5, 10, 0, 0}, 4294967295LL, {2151, 4, 11, 16, 28, 15}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AddSeconds(c.from, c.seconds), c.to) << c.from.year << "-" << c.from.month;
    }
}

TEST(CivilTime, ValidityOfDates) {
    EXPECT_TRUE(IsValid({2024, 2, 29, 23, 59, 59}));
    EXPECT_FALSE(IsValid({2023, 2, 29, 0, 0, 0}));
    EXPECT_FALSE(IsValid({2023, 13, 1, 0, 0, 0}));
    EXPECT_FALSE(IsValid({2023, 0, 1, 0, 0, 0}));
    EXPECT_FALSE(IsValid({2023, 1, 1, 24, 0, 0}));
    EXPECT_FALSE(IsValid({2023, 1, 1, 0, 60, 0}));
}
