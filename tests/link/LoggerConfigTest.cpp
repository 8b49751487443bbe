#include "LoggerConfig.h"

#include <gtest/gtest.h>

namespace {

LoggerConfig SetupDefaults() {
    LoggerConfig c;
    c.samplePoints = 50;
    c.periodSec = 10;
    c.tempLowAlarm = 0;
    c.tempHighAlarm = 40;
    c.tempUnit = 0;
    c.ledConfig = MakeLedConfig(10, 0, false);
    EXPECT_TRUE(SetLoggerName(c, "Имя логгера"));
    c.startMode = 1;
    c.rhLowAlarm = 35;
    c.rhHighAlarm = 75;
    SetClockStamp(c, {2014, 12, 9, 20, 15, 3});
    return c;
}

} // namespace

TEST(LoggerConfig, EncodesTheSetupDefaultsByteForByte) {
    const ConfigBytes expected = {0xCE, 0x00, 0x00, 0x00, 0x32, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                  0x00, 0x0A, 0x00, 0x00, 0x00, 0xDE, 0x07, 0x00, 0x00, 0x00, 0x00,
                                  0x00, 0x00, 0x00, 0x00, 0x20, 0x42, 0x0C, 0x09, 0x14, 0x0F, 0x03,
                                  0x00, 0x4A, 0xC8, 0xEC, 0xFF, 0x20, 0xEB, 0xEE, 0xE3, 0xE3, 0xE5,
                                  0xF0, 0xE0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x0C,
                                  0x42, 0x00, 0x00, 0x96, 0x42, 0xCE, 0x00, 0x00, 0x00};
    const LoggerConfig c = SetupDefaults();
    EXPECT_EQ(EncodeConfig(c), expected);
    EXPECT_EQ(DecodeConfig(expected), c);
    EXPECT_EQ(LoggerName(c), "Имя логгера");
}

TEST(LoggerConfig, FifteenCharacterNameLeavesStartModeAlone) {
    LoggerConfig c = SetupDefaults();
    ASSERT_TRUE(SetLoggerName(c, "ХолодильнаяКам1"));
    const ConfigBytes b = EncodeConfig(c);
    EXPECT_EQ(b[49], 0x31);
    EXPECT_EQ(b[50], 0x00);
    EXPECT_EQ(b[51], 1);
    EXPECT_FALSE(SetLoggerName(c, "ХолодильнаяКам12"));
    EXPECT_FALSE(SetLoggerName(c, "温度"));
    EXPECT_EQ(LoggerName(c), "ХолодильнаяКам1");
}

TEST(LoggerConfig, DecodesAnythingAsFound) {
    ConfigBytes b{};
    b[0] = 0x12;
    b[33] = 0x21;
    for (std::size_t i = 35; i < 51; ++i) {
        b[i] = 'A'; // no terminator: the reader stops after 16 bytes
    }
    const LoggerConfig c = DecodeConfig(b);
    EXPECT_EQ(c.headMark, 0x12U);
    EXPECT_TRUE(IsFahrenheit(c));
    EXPECT_EQ(LoggerName(c), std::string(16, 'A'));
    b[33] = 0;
    EXPECT_FALSE(IsFahrenheit(DecodeConfig(b)));
}

TEST(LoggerConfig, MakeLedConfigTable) {
    struct Case {
        std::uint32_t period;
        int cycle;
        bool led;
        std::uint8_t expected;
    };
    const Case cases[] = {
        {60, 2, true, 0xFE},  {10, 2, true, 0xDE},  {2, 0, false, 0x0A},    {3600, 1, false, 0x54},
        {2, 1, false, 0x14},  {2, 2, false, 0x1E},  {5, 0, false, 0x2A},    {5, 1, false, 0x34},
        {5, 2, false, 0x3E},  {10, 0, false, 0x4A}, {10, 1, false, 0x54},   {10, 2, false, 0x5E},
        {30, 0, false, 0x4A}, {30, 2, false, 0x7E}, {86400, 2, true, 0xFE},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MakeLedConfig(c.period, c.cycle, c.led), c.expected)
            << c.period << " s, cycle " << c.cycle << ", led " << c.led;
    }
}

TEST(LoggerConfig, ToFahrenheitTenthsTable) {
    const std::pair<std::int16_t, std::int16_t> cases[] = {{-400, -400},
                                                           {-179, -2},
                                                           {-178, 0},
                                                           {-1, 318},
                                                           {0, 320},
                                                           {1, 321},
                                                           {250, 770},
                                                           {700, 1580},
                                                           // Beyond 16 bits: the nearest end.
                                                           {18026, 32766},
                                                           {18027, 32767},
                                                           {32767, 32767},
                                                           {-18382, -32767},
                                                           {-18383, -32768},
                                                           {-32768, -32768}};
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(ToFahrenheitTenths(in), out) << in;
    }
}

TEST(LoggerConfig, RecordingStartTable) {
    struct Case {
        CivilDateTime stamp;
        std::uint32_t delay;
        CivilDateTime start;
    };
    const Case cases[] = {
        {{2014, 12, 31, 23, 59, 50}, 15, {2015, 1, 1, 0, 0, 5}},
        {{2019, 12, 31, 23, 59, 30}, 45, {2020, 1, 1, 0, 0, 15}},
        {{2024, 2, 28, 23, 0, 0}, 3600, {2024, 2, 29, 0, 0, 0}},
        {{2015, 3, 5, 10, 0, 0}, 0, {2015, 3, 5, 10, 0, 0}},
    };
    for (const auto& c : cases) {
        LoggerConfig config;
        SetClockStamp(config, c.stamp);
        config.startDelaySec = c.delay;
        ASSERT_TRUE(RecordingStart(config));
        EXPECT_EQ(*RecordingStart(config), c.start);
    }
    LoggerConfig invalid;
    SetClockStamp(invalid, {2014, 13, 40, 25, 0, 0});
    EXPECT_FALSE(RecordingStart(invalid));
}
