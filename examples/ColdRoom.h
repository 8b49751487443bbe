#pragma once

#include "LoggerConfig.h"

#include <cstdint>
#include <vector>

// Three days of a cold room kept at 2–8 °C, sampled every minute: the thermostat's saw-tooth,
// a nightly defrost, two door-open excursions above the upper limit and one overshoot below
// the lower one while the room recovers. The same bytes every time: a fixed seed and integer
// arithmetic only.
struct LoggerImage {
    LoggerConfig block; // as the logger sends it: its own stamp, the delay to the first sample
    std::vector<std::uint8_t> data;
};

LoggerImage MakeColdRoomImage();
