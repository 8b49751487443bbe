#include "LoggerConfig.h"

#include "Cp1251.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace {

void Put32(ConfigBytes& b, std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) {
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

void PutFloat(ConfigBytes& b, std::size_t at, float v) {
    Put32(b, at, std::bit_cast<std::uint32_t>(v));
}

std::uint32_t Get32(std::span<const std::uint8_t, kConfigSize> b, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        v |= static_cast<std::uint32_t>(b[at + i]) << (8 * i);
    }
    return v;
}

float GetFloat(std::span<const std::uint8_t, kConfigSize> b, std::size_t at) {
    return std::bit_cast<float>(Get32(b, at));
}

} // namespace

ConfigBytes EncodeConfig(const LoggerConfig& c) {
    ConfigBytes b{};
    Put32(b, 0, c.headMark);
    Put32(b, 4, c.samplePoints);
    Put32(b, 8, c.recordedCount);
    Put32(b, 12, c.periodSec);
    Put32(b, 16, c.year);
    PutFloat(b, 20, c.tempLowAlarm);
    PutFloat(b, 24, c.tempHighAlarm);
    b[28] = c.month;
    b[29] = c.day;
    b[30] = c.hour;
    b[31] = c.minute;
    b[32] = c.second;
    b[33] = c.tempUnit;
    b[34] = c.ledConfig;
    std::copy(c.loggerName.begin(), c.loggerName.end(), b.begin() + 35);
    b[51] = c.startMode;
    PutFloat(b, 52, c.rhLowAlarm);
    PutFloat(b, 56, c.rhHighAlarm);
    Put32(b, 60, c.startDelaySec);
    return b;
}

LoggerConfig DecodeConfig(std::span<const std::uint8_t, kConfigSize> b) {
    LoggerConfig c;
    c.headMark = Get32(b, 0);
    c.samplePoints = Get32(b, 4);
    c.recordedCount = Get32(b, 8);
    c.periodSec = Get32(b, 12);
    c.year = Get32(b, 16);
    c.tempLowAlarm = GetFloat(b, 20);
    c.tempHighAlarm = GetFloat(b, 24);
    c.month = b[28];
    c.day = b[29];
    c.hour = b[30];
    c.minute = b[31];
    c.second = b[32];
    c.tempUnit = b[33];
    c.ledConfig = b[34];
    std::copy(b.begin() + 35, b.begin() + 51, c.loggerName.begin());
    c.startMode = b[51];
    c.rhLowAlarm = GetFloat(b, 52);
    c.rhHighAlarm = GetFloat(b, 56);
    c.startDelaySec = Get32(b, 60);
    return c;
}

std::uint8_t MakeLedConfig(std::uint32_t periodSec, int flashCycle, bool ledOn) {
    static constexpr std::uint8_t kCycleBits[3] = {0x0A, 0x14, 0x1E};
    const std::uint8_t cycle = kCycleBits[std::clamp(flashCycle, 0, 2)];
    std::uint8_t periodClass = 2;
    if (periodSec == 2) {
        periodClass = 0;
    } else if (periodSec == 5) {
        periodClass = 1;
    } else if (periodSec != 10 && cycle == 0x1E) {
        periodClass = 3;
    }
    const auto value = static_cast<std::uint8_t>((periodClass << 5) | cycle);
    return ledOn ? static_cast<std::uint8_t>(value | 0x80) : value;
}

bool IsFahrenheit(const LoggerConfig& config) {
    return config.tempUnit != 0;
}

std::int16_t ToFahrenheitTenths(std::int16_t celsiusTenths) {
    double v = celsiusTenths;
    v = v * 0.1;
    v = v * 1.8;
    v = v + 32.0;
    v = v * 10.0;
    // Below -1838.2 °C or above 1802.6 °C the result leaves the 16-bit range; such a reading
    // (a sensor fault mark, say) stays at the nearest end instead of wrapping to a plausible
    // temperature of the other sign.
    v = std::clamp(std::trunc(v), -32768.0, 32767.0);
    return static_cast<std::int16_t>(v);
}

CivilDateTime ClockStamp(const LoggerConfig& c) {
    return {static_cast<int>(c.year), c.month, c.day, c.hour, c.minute, c.second};
}

void SetClockStamp(LoggerConfig& c, const CivilDateTime& t) {
    c.year = static_cast<std::uint32_t>(t.year);
    c.month = static_cast<std::uint8_t>(t.month);
    c.day = static_cast<std::uint8_t>(t.day);
    c.hour = static_cast<std::uint8_t>(t.hour);
    c.minute = static_cast<std::uint8_t>(t.minute);
    c.second = static_cast<std::uint8_t>(t.second);
}

std::optional<CivilDateTime> RecordingStart(const LoggerConfig& c) {
    const CivilDateTime stamp = ClockStamp(c);
    if (c.year > 9999 || !IsValid(stamp)) {
        return std::nullopt;
    }
    return AddSeconds(stamp, c.startDelaySec);
}

std::string LoggerName(const LoggerConfig& c) {
    const auto end = std::find(c.loggerName.begin(), c.loggerName.end(), std::uint8_t{0});
    return cp1251::ToUtf8(std::string(c.loggerName.begin(), end));
}

bool SetLoggerName(LoggerConfig& c, const std::string& utf8) {
    const auto bytes = cp1251::FromUtf8(utf8);
    if (!bytes || bytes->size() > 15 || bytes->find('\0') != std::string::npos) {
        return false;
    }
    c.loggerName.fill(0);
    std::memcpy(c.loggerName.data(), bytes->data(), bytes->size());
    return true;
}
