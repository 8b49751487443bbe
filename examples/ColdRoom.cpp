#include "ColdRoom.h"

namespace {

constexpr int kDays = 3;
constexpr int kSamples = kDays * 24 * 60;
constexpr int kFirstSampleMinuteOfDay = 9 * 60; // 09:00

// Deterministic noise, independent of any library's generator.
class XorShift {
public:
    explicit XorShift(std::uint32_t seed) : m_state(seed) {}
    std::uint32_t Next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }

private:
    std::uint32_t m_state;
};

struct DoorOpening {
    int sample;  // first minute the door stands open
    int minutes; // how long
};

// Day 1 at 14:10, a delivery on day 3 at 10:45.
constexpr DoorOpening kDoorOpenings[] = {
    {(14 * 60 + 10) - kFirstSampleMinuteOfDay, 24},
    {2 * 1440 + (10 * 60 + 45) - kFirstSampleMinuteOfDay, 35},
};

int DoorMinutesAt(int sample) {
    for (const auto& d : kDoorOpenings) {
        if (sample >= d.sample && sample < d.sample + d.minutes) {
            return 1;
        }
    }
    return 0;
}

} // namespace

LoggerImage MakeColdRoomImage() {
    LoggerImage image;
    LoggerConfig& c = image.block;
    c.samplePoints = 6000;
    c.recordedCount = kSamples;
    c.periodSec = 60;
    // Set up at 08:58:00 and started by the button two minutes later.
    SetClockStamp(c, {2015, 3, 2, 8, 58, 0});
    c.startDelaySec = 120;
    c.tempLowAlarm = 2.0F;
    c.tempHighAlarm = 8.0F;
    c.tempUnit = 0;
    c.ledConfig = MakeLedConfig(60, 0, true);
    SetLoggerName(c, "Холодная камера");
    c.startMode = 1;
    c.rhLowAlarm = 35.0F;
    c.rhHighAlarm = 75.0F;

    XorShift noise(20150302U);
    int t = 450; // hundredths of a degree
    bool compressor = false;
    int cutOut = 350; // compressor stops here
    constexpr int kCutIn = 560;
    int defrostLeft = 0;
    bool doorWasOpen = false;

    image.data.reserve(2 * kSamples);
    for (int i = 0; i < kSamples; ++i) {
        const int minuteOfDay = (kFirstSampleMinuteOfDay + i) % 1440;
        const bool working = minuteOfDay >= 8 * 60 && minuteOfDay < 19 * 60;
        if (minuteOfDay == 3 * 60) {
            defrostLeft = 18;
        }
        if (DoorMinutesAt(i) != 0) {
            // Warm air pours in faster than the cooler can take it out.
            t += (1800 - t) / 30 - 8;
            compressor = true;
            doorWasOpen = true;
        } else if (defrostLeft > 0) {
            t += 11;
            --defrostLeft;
            compressor = false;
        } else {
            if (doorWasOpen) {
                // After a door opening the controller runs the cooler flat out, past its
                // usual cut-out, and the room dips below the lower limit for a while.
                cutOut = 160;
                doorWasOpen = false;
            }
            if (compressor) {
                t -= 11 + static_cast<int>(noise.Next() % 3);
                if (t <= cutOut) {
                    compressor = false;
                    cutOut = 350;
                }
            } else {
                t += (working ? 5 : 3) + static_cast<int>(noise.Next() % 2);
                if (t >= kCutIn) {
                    compressor = true;
                }
            }
        }
        const int jitter = static_cast<int>(noise.Next() % 5) - 2; // -2 … +2 hundredths
        const int tenths = (t + jitter + (t + jitter >= 0 ? 5 : -5)) / 10;
        const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(tenths));
        image.data.push_back(static_cast<std::uint8_t>(u & 0xFF));
        image.data.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    return image;
}
