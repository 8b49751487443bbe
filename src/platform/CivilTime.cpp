#include "CivilTime.h"

#include <chrono>
#include <ctime>

namespace {

using namespace std::chrono;

sys_seconds ToSysSeconds(const CivilDateTime& t) {
    const year_month_day ymd{year{t.year}, month{static_cast<unsigned>(t.month)},
                             day{static_cast<unsigned>(t.day)}};
    return sys_days{ymd} + hours{t.hour} + minutes{t.minute} + seconds{t.second};
}

} // namespace

bool IsValid(const CivilDateTime& t) {
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31) {
        return false;
    }
    const year_month_day ymd{year{t.year}, month{static_cast<unsigned>(t.month)},
                             day{static_cast<unsigned>(t.day)}};
    return ymd.ok() && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 &&
           t.second >= 0 && t.second <= 59;
}

CivilDateTime AddSeconds(const CivilDateTime& t, std::int64_t secs) {
    const sys_seconds moved = ToSysSeconds(t) + seconds{secs};
    const sys_days date = floor<days>(moved);
    const year_month_day ymd{date};
    const hh_mm_ss<seconds> tod{moved - date};
    return {static_cast<int>(ymd.year()),
            static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day())),
            static_cast<int>(tod.hours().count()),
            static_cast<int>(tod.minutes().count()),
            static_cast<int>(tod.seconds().count())};
}

CivilDateTime SystemClock::Now() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}
