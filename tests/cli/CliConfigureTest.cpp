#include "CliCommands.h"
#include "CliTestSupport.h"
#include "IniFile.h"
#include "LoggerLink.h"
#include "SetupRules.h"

namespace {

const CivilDateTime kNow{2014, 12, 9, 20, 15, 3};

class CliConfigure : public ::testing::Test {
protected:
    void SetUp() override {
        // A logger holding a finished run; a configuration replaces it.
        LoggerConfig old;
        old.recordedCount = 2;
        ASSERT_EQ(WriteLoggerImage(m_image, EncodeConfig(old), {1, 0, 2, 0}), "");
        m_oldImage = ReadAll(m_image);
    }

    int Configure(const ConfigureCommand& cmd) {
        CliStreams io{m_streams.out, m_streams.err, false};
        return RunConfigure(cmd, m_logger, m_pause, m_clock, m_ini, io);
    }

    static ConfigureCommand Named(const std::string& name) {
        ConfigureCommand c;
        c.name = name;
        return c;
    }

    TempDir m_dir;
    std::filesystem::path m_image = m_dir / "logger.img";
    std::filesystem::path m_ini = m_dir / "config" / "loggerconfig.ini";
    std::vector<unsigned char> m_oldImage;
    SimulatedLogger m_logger{m_image};
    NoPause m_pause;
    FixedClock m_clock{kNow};
    CapturedStreams m_streams;
};

} // namespace

TEST_F(CliConfigure, DefaultsGiveTheKnownBlockAndAreRemembered) {
    ASSERT_EQ(Configure(Named("Имя логгера")), kExitOk) << m_streams.err.str();
    // The setup's defaults completed at kNow: the worked example of the block.
    const std::vector<unsigned char> expected{
        0xCE, 0x00, 0x00, 0x00, 0x32, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0A,
        0x00, 0x00, 0x00, 0xDE, 0x07, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x20, 0x42, 0x0C, 0x09, 0x14, 0x0F, 0x03, 0x00, 0x4A, 0xC8, 0xEC, 0xFF, 0x20,
        0xEB, 0xEE, 0xE3, 0xE3, 0xE5, 0xF0, 0xE0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01,
        0x00, 0x00, 0x0C, 0x42, 0x00, 0x00, 0x96, 0x42, 0xCE, 0x00, 0x00, 0x00};
    EXPECT_EQ(ReadAll(m_image), expected); // the new block and no data
    const auto writes = m_logger.Writes();
    ASSERT_EQ(writes.size(), 2U);
    EXPECT_EQ(writes[0], (std::vector<std::uint8_t>{0x01, 0x40, 0x00}));
    EXPECT_EQ(writes[1], std::vector<std::uint8_t>(expected.begin(), expected.end()));
    EXPECT_EQ(m_streams.out.str(), std::string(kStartByButtonText) + "\n");
    EXPECT_EQ(m_streams.err.str(), "");
    EXPECT_EQ(FileText(m_ini), "[LOGGER CONFIG]\r\n"
                               "LOGGER NAME=\xC8\xEC\xFF \xEB\xEE\xE3\xE3\xE5\xF0\xE0\r\n"
                               "RHHIGHALARM=75\r\nRHLOWALARM=35\r\nTEMPLOWALARM=0\r\n"
                               "TEMPHIGHALARM=40\r\nLEDALARMBOOL=0\r\nFLASHCYCLE=0\r\n"
                               "STARTMODE=0\r\nTEMPUNIT=0\r\nSAMPLEPOINT=0\r\nSAMPLERATE=2\r\n");
    EXPECT_FALSE(m_logger.IsOpen());
}

TEST_F(CliConfigure, EveryOptionReachesBlockAndSettings) {
    std::filesystem::create_directories(m_ini.parent_path());
    WriteAll(m_ini, "[VIEW CONFIG]\r\nTEMPLOWALARM=1\r\n");
    ConfigureCommand c = Named("Имя логгера");
    c.sampleRate = 8;
    c.samplePoint = 3;
    c.tempUnit = 1;
    c.tempLow = "32";
    c.tempHigh = "100";
    c.ledAlarm = true;
    c.flashCycle = 1;
    c.startMode = 1;
    ASSERT_EQ(Configure(c), kExitOk) << m_streams.err.str();

    const auto image = ReadAll(m_image);
    ASSERT_EQ(image.size(), kConfigSize);
    const LoggerConfig block =
        DecodeConfig(std::span<const std::uint8_t, kConfigSize>(image.data(), kConfigSize));
    EXPECT_EQ(block.periodSec, 3600U);
    EXPECT_EQ(block.samplePoints, 1000U);
    EXPECT_EQ(block.tempUnit, 1);
    EXPECT_EQ(block.tempLowAlarm, 32.0F);
    EXPECT_EQ(block.tempHighAlarm, 100.0F);
    EXPECT_EQ(block.ledConfig, 0xD4);
    EXPECT_EQ(block.startMode, 2);
    EXPECT_EQ(ClockStamp(block), kNow);
    EXPECT_EQ(m_streams.out.str(), std::string(kStartedText) + "\n");
    EXPECT_EQ(FileText(m_ini), "[VIEW CONFIG]\r\nTEMPLOWALARM=1\r\n[LOGGER CONFIG]\r\n"
                               "LOGGER NAME=\xC8\xEC\xFF \xEB\xEE\xE3\xE3\xE5\xF0\xE0\r\n"
                               "RHHIGHALARM=75\r\nRHLOWALARM=35\r\nTEMPLOWALARM=32\r\n"
                               "TEMPHIGHALARM=100\r\nLEDALARMBOOL=1\r\nFLASHCYCLE=1\r\n"
                               "STARTMODE=1\r\nTEMPUNIT=1\r\nSAMPLEPOINT=3\r\nSAMPLERATE=8\r\n");
}

TEST_F(CliConfigure, RememberedValuesAreTheDefaults) {
    std::filesystem::create_directories(m_ini.parent_path());
    WriteAll(m_ini, "[LOGGER CONFIG]\r\nRHHIGHALARM=80\r\nRHLOWALARM=20\r\nTEMPLOWALARM=-30\r\n"
                    "TEMPHIGHALARM=150\r\nTEMPUNIT=1\r\nSAMPLERATE=4\r\nSAMPLEPOINT=99\r\n"
                    "LEDALARMBOOL=1\r\nFLASHCYCLE=2\r\nSTARTMODE=1\r\n");
    ASSERT_EQ(Configure(Named("Камера 2")), kExitOk) << m_streams.err.str();
    const auto image = ReadAll(m_image);
    const LoggerConfig block =
        DecodeConfig(std::span<const std::uint8_t, kConfigSize>(image.data(), kConfigSize));
    EXPECT_EQ(LoggerName(block), "Камера 2");
    EXPECT_EQ(block.periodSec, 60U);
    EXPECT_EQ(block.samplePoints, 50U);
    EXPECT_EQ(block.tempUnit, 1);
    EXPECT_EQ(block.tempLowAlarm, -30.0F);
    EXPECT_EQ(block.tempHighAlarm, 150.0F);
    EXPECT_EQ(block.rhLowAlarm, 20.0F);
    EXPECT_EQ(block.rhHighAlarm, 80.0F);
    EXPECT_EQ(block.ledConfig, 0xFE);
    EXPECT_EQ(block.startMode, 2);
    EXPECT_EQ(IniFile(m_ini).ReadString("LOGGER CONFIG", "LOGGER NAME", ""), "Камера 2");
    EXPECT_EQ(IniFile(m_ini).ReadInt("LOGGER CONFIG", "SAMPLEPOINT", 0), 99);
}

TEST_F(CliConfigure, RefusalsSendNothingAndRememberNothing) {
    std::filesystem::create_directories(m_ini.parent_path());
    const std::string remembered = "[LOGGER CONFIG]\r\nTEMPHIGHALARM=100\r\nTEMPUNIT=1\r\n";
    WriteAll(m_ini, remembered);
    struct Case {
        const char* what;
        std::function<void(ConfigureCommand&)> change;
        std::string err;
    };
    const Case cases[] = {
        {"empty name", [](auto& c) { c.name = ""; }, kFieldsEmptyText},
        {"16 characters", [](auto& c) { c.name = "Холодильник №150"; }, kNameTooLongText},
        {"not Windows-1251", [](auto& c) { c.name = "冷蔵庫"; }, kNameCharacterText},
        {"empty limit", [](auto& c) { c.tempLow = ""; }, kFieldsEmptyText},
        {"equal limits", [](auto& c) { c.tempLow = "20", c.tempHigh = "20"; },
         kUpperNotAboveLowerText},
        {"°F range", [](auto& c) { c.tempHigh = "159"; }, kFahrenheitRangeText},
        {"°F range low", [](auto& c) { c.tempLow = "-41"; }, kFahrenheitRangeText},
        {"switch to °C with 100 remembered", [](auto& c) { c.tempUnit = 0; }, kCelsiusRangeText},
        {"°C range", [](auto& c) { c.tempUnit = 0, c.tempHigh = "71"; }, kCelsiusRangeText},
    };
    for (const auto& c : cases) {
        ConfigureCommand cmd = Named("Склад");
        c.change(cmd);
        m_streams.err.str("");
        m_streams.out.str("");
        EXPECT_EQ(Configure(cmd), kExitFailed) << c.what;
        EXPECT_EQ(m_streams.err.str(), c.err + "\n") << c.what;
        EXPECT_EQ(m_streams.out.str(), "") << c.what;
    }
    EXPECT_TRUE(m_logger.Calls().empty());
    EXPECT_EQ(ReadAll(m_image), m_oldImage);
    EXPECT_EQ(FileText(m_ini), remembered);

    // The new unit's range holds for the new limits: °C with 2 and 8 passes.
    ConfigureCommand ok = Named("Склад");
    ok.tempUnit = 0;
    ok.tempLow = "2";
    ok.tempHigh = "8";
    EXPECT_EQ(Configure(ok), kExitOk) << m_streams.err.str();
}

TEST_F(CliConfigure, LoggerFailuresKeepTheSettingsFile) {
    struct Case {
        const char* what;
        std::function<void(SimulatedLogger&)> fault;
        std::string err;
    };
    const Case cases[] = {
        {"no logger", [](auto& l) { l.SetAttached(false); },
         std::string(kSetupNoConnectionText) + "\n"},
        {"no handle", [](auto& l) { l.SetOpenGivesNoHandle(true); },
         std::string(kTextNoHandle) + "\n" + kSetupNoConnectionText + "\n"},
        {"payload lost", [](auto& l) { l.FailWrite(2); },
         std::string(kSetupWriteFailedText) + "\n"},
        {"never acknowledged", [](auto& l) { l.SetAcknowledgement({}); },
         std::string(kSetupWriteFailedText) + "\n"},
    };
    for (const auto& c : cases) {
        SimulatedLogger logger(m_image);
        c.fault(logger);
        CapturedStreams s;
        CliStreams io{s.out, s.err, false};
        EXPECT_EQ(RunConfigure(Named("Склад"), logger, m_pause, m_clock, m_ini, io), kExitFailed)
            << c.what;
        EXPECT_EQ(s.err.str(), c.err) << c.what;
        EXPECT_EQ(s.out.str(), "") << c.what;
        EXPECT_FALSE(std::filesystem::exists(m_ini)) << c.what;
        EXPECT_FALSE(logger.IsOpen()) << c.what;
    }
}

TEST_F(CliConfigure, UnwritableSettingsFileIsReportedAfterTheLoggerIsSet) {
    std::filesystem::create_directories(m_ini); // a folder where the file should be
    ASSERT_EQ(Configure(Named("Склад")), kExitOk);
    EXPECT_EQ(m_streams.err.str(),
              "Не удалось сохранить настройки в файле " + m_ini.string() + ".\n");
    EXPECT_EQ(m_streams.out.str(), std::string(kStartByButtonText) + "\n");
    EXPECT_EQ(ReadAll(m_image).size(), kConfigSize);
}
