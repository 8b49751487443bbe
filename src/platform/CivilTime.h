#pragma once

#include <compare>
#include <cstdint>

// A local wall-clock date and time with no zone: the logger and its files know nothing else.
struct CivilDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    auto operator<=>(const CivilDateTime&) const = default;
};

// A date that exists in the calendar and a time of 00:00:00 to 23:59:59.
bool IsValid(const CivilDateTime& t);

// Calendar carry in both directions. Precondition: IsValid(t).
CivilDateTime AddSeconds(const CivilDateTime& t, std::int64_t seconds);

class Clock {
public:
    virtual ~Clock() = default;
    virtual CivilDateTime Now() const = 0;
};

class SystemClock final : public Clock {
public:
    CivilDateTime Now() const override;
};
