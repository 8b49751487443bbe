#pragma once

#include "LoggerConfig.h"

#include <cstdint>
#include <vector>

// Recorded bytes that differ from page to page and block to block, so a page read into the
// wrong place shows.
inline std::vector<std::uint8_t> PatternData(std::size_t n) {
    std::vector<std::uint8_t> data(n);
    for (std::size_t i = 0; i < n; ++i) {
        data[i] = static_cast<std::uint8_t>(i * 7 + (i >> 6) * 13 + (i >> 12) * 29 + 1);
    }
    return data;
}

// A block as a logger sends it ahead of its data.
inline ConfigBytes SampleBlock(std::uint32_t recordedCount) {
    LoggerConfig c;
    c.samplePoints = 32000;
    c.recordedCount = recordedCount;
    c.periodSec = 60;
    SetClockStamp(c, {2024, 3, 1, 12, 0, 0});
    c.tempLowAlarm = 2;
    c.tempHighAlarm = 8;
    c.ledConfig = MakeLedConfig(60, 2, true);
    SetLoggerName(c, "Камера 1");
    c.startMode = 2;
    c.rhLowAlarm = 35;
    c.rhHighAlarm = 75;
    c.startDelaySec = 45;
    return EncodeConfig(c);
}
