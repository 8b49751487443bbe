#include "SetupPersistence.h"

#include "IniFile.h"
#include "SetupRules.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

std::string Text(const std::filesystem::path& p) {
    const auto bytes = ReadAll(p);
    return {bytes.begin(), bytes.end()};
}

} // namespace

TEST(SetupPersistence, AbsentFileGivesTheDefaults) {
    TempDir dir;
    const SetupSettings s = LoadSetupSettings(IniFile(dir / "loggerconfig.ini"));
    EXPECT_EQ(s, SetupSettings{});
    EXPECT_EQ(s.loggerName, "Имя логгера");
    EXPECT_EQ(s.tempLow, "0");
    EXPECT_EQ(s.tempHigh, "40");
    EXPECT_EQ(s.rhLow, "35");
    EXPECT_EQ(s.rhHigh, "75");
    EXPECT_EQ(s.sampleRate, 2);
    EXPECT_FALSE(std::filesystem::exists(dir / "loggerconfig.ini"));
}

TEST(SetupPersistence, HandEditedValues) {
    TempDir dir;
    // 20 Cyrillic characters in Windows-1251.
    WriteAll(dir / "a.ini", "[LOGGER CONFIG]\r\n"
                            "LOGGER NAME=\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9"
                            "\xCA\xCB\xCC\xCD\xCE\xCF\xD0\xD1\xD2\xD3\r\n"
                            "TEMPLOWALARM=-5\r\n"
                            "RHHIGHALARM=1234567890123456789\r\n"
                            "SAMPLEPOINT=99\r\n"
                            "TEMPUNIT=abc\r\n"
                            "FLASHCYCLE=2x\r\n"
                            "SAMPLERATE=\r\n");
    const SetupSettings s = LoadSetupSettings(IniFile(dir / "a.ini"));
    EXPECT_EQ(s.loggerName, "АБВГДЕЖЗИЙКЛМНО");
    EXPECT_EQ(s.tempLow, "-5");
    EXPECT_EQ(s.rhHigh, "123456789012345");
    EXPECT_EQ(s.samplePoint, 99);
    EXPECT_EQ(s.tempUnit, 0);
    EXPECT_EQ(s.flashCycle, 2);
    EXPECT_EQ(s.sampleRate, 2); // an empty value counts as absent
    const SetupState state = MakeSetupState(s, {2015, 1, 1, 0, 0, 0});
    EXPECT_EQ(state.config.samplePoints, 50U);
    EXPECT_EQ(state.config.tempLowAlarm, -5.0F);
}

TEST(SetupPersistence, WritesTheWholeSectionInOrderAndKeepsTheRest) {
    TempDir dir;
    WriteAll(dir / "loggerconfig.ini", "[VIEW CONFIG]\r\nTEMPLOWALARM=1\r\nTEMPHIGHALARM=0\r\n"
                                       "[LOGGER CONFIG]\r\nSTARTMODE=0\r\n; note\r\n");
    IniFile ini(dir / "loggerconfig.ini");
    SetupState s = MakeSetupState(LoadSetupSettings(ini), {2015, 1, 1, 0, 0, 0});
    SelectPeriod(s, 8);
    SelectPoints(s, 3);
    EXPECT_TRUE(SwitchUnit(s, 1).empty());
    EXPECT_FALSE(EditLimit(s, LimitField::Low, "32"));
    EXPECT_FALSE(EditLimit(s, LimitField::High, "100"));
    SetLedAlarm(s, true);
    SelectFlashCycle(s, 1);
    SelectStartMode(s, 1);
    ASSERT_TRUE(SaveSetupSettings(ini, s.settings));
    EXPECT_EQ(Text(dir / "loggerconfig.ini"),
              "[VIEW CONFIG]\r\nTEMPLOWALARM=1\r\nTEMPHIGHALARM=0\r\n"
              "[LOGGER CONFIG]\r\nSTARTMODE=1\r\n"
              "LOGGER NAME=\xC8\xEC\xFF \xEB\xEE\xE3\xE3\xE5\xF0\xE0\r\n"
              "RHHIGHALARM=75\r\nRHLOWALARM=35\r\nTEMPLOWALARM=32\r\nTEMPHIGHALARM=100\r\n"
              "LEDALARMBOOL=1\r\nFLASHCYCLE=1\r\nTEMPUNIT=1\r\nSAMPLEPOINT=3\r\nSAMPLERATE=8\r\n"
              "; note\r\n");
    EXPECT_EQ(LoadSetupSettings(ini), s.settings);
}

TEST(SetupPersistence, FreshFileHoldsTheKeysInTableOrder) {
    TempDir dir;
    IniFile ini(dir / "sub" / "loggerconfig.ini");
    ASSERT_TRUE(SaveSetupSettings(ini, SetupSettings{}));
    EXPECT_EQ(Text(ini.Path()), "[LOGGER CONFIG]\r\n"
                                "LOGGER NAME=\xC8\xEC\xFF \xEB\xEE\xE3\xE3\xE5\xF0\xE0\r\n"
                                "RHHIGHALARM=75\r\nRHLOWALARM=35\r\nTEMPLOWALARM=0\r\n"
                                "TEMPHIGHALARM=40\r\nLEDALARMBOOL=0\r\nFLASHCYCLE=0\r\n"
                                "STARTMODE=0\r\nTEMPUNIT=0\r\nSAMPLEPOINT=0\r\nSAMPLERATE=2\r\n");
}

TEST(SetupPersistence, FailedSaveChangesNothing) {
    TempDir dir;
    std::filesystem::create_directory(dir / "loggerconfig.ini");
    IniFile ini(dir / "loggerconfig.ini");
    EXPECT_FALSE(SaveSetupSettings(ini, SetupSettings{}));
    EXPECT_TRUE(std::filesystem::is_directory(ini.Path()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);

    // A text the file cannot hold fails the save as a whole; the old section stays.
    WriteAll(dir / "b.ini", "[LOGGER CONFIG]\r\nSTARTMODE=1\r\n");
    IniFile b(dir / "b.ini");
    SetupSettings bad;
    bad.rhHigh = "☃";
    EXPECT_FALSE(SaveSetupSettings(b, bad));
    EXPECT_EQ(Text(dir / "b.ini"), "[LOGGER CONFIG]\r\nSTARTMODE=1\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              2);
}
