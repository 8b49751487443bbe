#pragma once

#include <string>

// What the setup's controls show and what "LOGGER CONFIG" remembers: texts as typed and list
// indexes, not seconds or sample counts. Values from a hand-edited file are kept as they are;
// the rules decide what an out-of-range value means.
struct SetupSettings {
    std::string loggerName = "Имя логгера";
    std::string rhHigh = "75";
    std::string rhLow = "35";
    std::string tempLow = "0";
    std::string tempHigh = "40";
    int ledAlarm = 0;
    int flashCycle = 0;  // 0, 1, 2: 10, 20, 30 s
    int startMode = 0;   // 0 by the button, 1 at once
    int tempUnit = 0;    // 0 °C, 1 °F
    int samplePoint = 0; // index into PointsTable
    int sampleRate = 2;  // index into PeriodTable

    bool operator==(const SetupSettings&) const = default;
};
