#pragma once

#include "LoggerConfig.h"

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

// The largest run a logger can hold, as every benchmark measures it: a slow wander with sensor
// noise, one sample a minute.
inline constexpr int kLargestCount = 32767;

inline LoggerConfig LargestRunConfig() {
    LoggerConfig c;
    SetClockStamp(c, {2015, 3, 5, 10, 0, 0});
    c.recordedCount = kLargestCount;
    c.periodSec = 60;
    c.tempLowAlarm = 5.0F;
    c.tempHighAlarm = 35.0F;
    SetLoggerName(c, "Склад 1");
    return c;
}

inline std::vector<std::int16_t> LargestRunSamples() {
    std::mt19937 random(1);
    std::vector<std::int16_t> samples(kLargestCount);
    int v = 200;
    for (auto& s : samples) {
        v += static_cast<int>(random() % 7) - 3;
        v = std::clamp(v, -50, 380);
        s = static_cast<std::int16_t>(v);
    }
    return samples;
}
