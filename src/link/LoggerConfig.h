#pragma once

#include "CivilTime.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

inline constexpr std::size_t kConfigSize = 64;
using ConfigBytes = std::array<std::uint8_t, kConfigSize>;

// The logger's configuration and status block. Field order and widths are the wire layout.
struct LoggerConfig {
    std::uint32_t headMark = 206;
    std::uint32_t samplePoints = 0;
    std::uint32_t recordedCount = 0;
    std::uint32_t periodSec = 0;
    std::uint32_t year = 0;
    float tempLowAlarm = 0.0F;
    float tempHighAlarm = 0.0F;
    std::uint8_t month = 0;
    std::uint8_t day = 0;
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;
    std::uint8_t second = 0;
    std::uint8_t tempUnit = 0;
    std::uint8_t ledConfig = 0;
    std::array<std::uint8_t, 16> loggerName{};
    std::uint8_t startMode = 0;
    float rhLowAlarm = 0.0F;
    float rhHighAlarm = 0.0F;
    std::uint32_t startDelaySec = 206;

    bool operator==(const LoggerConfig&) const = default;
};

ConfigBytes EncodeConfig(const LoggerConfig& config);
LoggerConfig DecodeConfig(std::span<const std::uint8_t, kConfigSize> bytes);

// flashCycle: 0, 1 or 2 for 10, 20 or 30 seconds.
std::uint8_t MakeLedConfig(std::uint32_t periodSec, int flashCycle, bool ledOn);

bool IsFahrenheit(const LoggerConfig& config);

// Tenths of a degree Celsius to tenths of a degree Fahrenheit, truncated toward zero.
std::int16_t ToFahrenheitTenths(std::int16_t celsiusTenths);

CivilDateTime ClockStamp(const LoggerConfig& config);
void SetClockStamp(LoggerConfig& config, const CivilDateTime& t);

// The clock stamp plus startDelaySec; nullopt when the stamp is no calendar date.
std::optional<CivilDateTime> RecordingStart(const LoggerConfig& config);

// The name up to its terminator (at most 16 bytes), as UTF-8.
std::string LoggerName(const LoggerConfig& config);

// False when the name is longer than 15 Windows-1251 characters or has a character that
// Windows-1251 cannot hold. The bytes after the terminator are zero.
bool SetLoggerName(LoggerConfig& config, const std::string& utf8);
