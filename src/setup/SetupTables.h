#pragma once

#include <array>
#include <cstdint>

// The period list of the setup, in the order of its items.
struct PeriodChoice {
    const char* text;
    std::uint32_t periodSec;
};

inline constexpr std::array<PeriodChoice, 14> kPeriodChoices{{
    {"2 секунды", 2},
    {"5 секунд", 5},
    {"10 секунд", 10},
    {"30 секунд", 30},
    {"1 минута", 60},
    {"5 минут", 300},
    {"10 минут", 600},
    {"30 минут", 1800},
    {"1 час", 3600},
    {"2 часа", 7200},
    {"3 часа", 10800},
    {"6 часов", 21600},
    {"12 часов", 43200},
    {"24 часа", 86400},
}};

// The sample-count list; each item's text is its number.
inline constexpr std::array<std::uint32_t, 13> kPointChoices{
    50, 100, 500, 1000, 2000, 4000, 6000, 8000, 10000, 12000, 14000, 16000, 32000};

// Seconds for a list index; an index outside the list (no selection) gives 10 s.
std::uint32_t PeriodTable(int index);

// Samples for a list index; an index outside the list gives 50.
std::uint32_t PointsTable(int index);

// The list index of a value, or -1 when the list does not offer it.
int PeriodIndex(std::uint32_t periodSec);
int PointsIndex(std::uint32_t samplePoints);
