#include "CliCommands.h"
#include "CliTestSupport.h"
#include "RecordingFile.h"

namespace {

class CliInfo : public ::testing::Test {
protected:
    void SetUp() override {
        LoggerConfig block;
        block.recordedCount = 5;
        block.periodSec = 60;
        SetClockStamp(block, {2019, 12, 31, 23, 59, 30});
        block.startDelaySec = 45;
        block.tempLowAlarm = 2;
        block.tempHighAlarm = 8;
        SetLoggerName(block, "Склад \"Север\"");
        ASSERT_EQ(WriteLoggerImage(m_image, EncodeConfig(block), SampleBytes({25, -3, 81, 79, 40})),
                  "");
    }

    // The whole program, with the logger image standing in for the device.
    int Run(std::vector<std::string> args) {
        m_out.str("");
        m_err.str("");
        CliEnvironment env{{m_out, m_err, false},
                           [this] { return std::make_unique<SimulatedLogger>(m_image); },
                           m_clock,
                           m_pause,
                           m_dir / "loggerconfig.ini"};
        return RunCli(args, env);
    }

    std::string Path(const std::string& name) { return (m_dir / name).string(); }

    TempDir m_dir;
    std::filesystem::path m_image = m_dir / "logger.img";
    FixedClock m_clock{{2020, 2, 1, 12, 0, 0}};
    NoPause m_pause;
    std::ostringstream m_out;
    std::ostringstream m_err;
};

} // namespace

TEST_F(CliInfo, DescribesAFileItDownloaded) {
    ASSERT_EQ(Run({"download", "-o", Path("run")}), kExitOk) << m_err.str();
    ASSERT_EQ(Run({"info", Path("run.rec0")}), kExitOk) << m_err.str();
    EXPECT_EQ(m_out.str(), "Имя логгера: Склад \"Север\"\n"
                           "Начало записи: 01-01-2020 00:00:15\n"
                           "Период регистрации: 60 с\n"
                           "Количество значений: 5\n"
                           "Единицы измерения: °C\n"
                           "Нижняя аварийная граница: 2 °C\n"
                           "Верхняя аварийная граница: 8 °C\n"
                           "Минимум: -0.3 °C\n"
                           "Максимум: 8.1 °C\n"
                           "Верх оси: 40.0 °C\n"
                           "Низ оси: -10.0 °C\n");
    EXPECT_EQ(m_err.str(), "");

    ASSERT_EQ(Run({"info", Path("run.rec0"), "--json"}), kExitOk) << m_err.str();
    EXPECT_EQ(m_out.str(), "{\"name\":\"Склад \\\"Север\\\"\",\"start\":\"2020-01-01T00:00:15\","
                           "\"periodSec\":60,\"count\":5,\"unit\":\"C\",\"lowAlarm\":2,"
                           "\"highAlarm\":8,\"min\":-3,\"max\":81,\"axisTop\":400,"
                           "\"axisBottom\":-100}\n");
}

TEST_F(CliInfo, FahrenheitRecording) {
    LoggerConfig block;
    block.recordedCount = 3;
    block.periodSec = 10;
    block.tempUnit = 1;
    block.tempLowAlarm = 35;
    block.tempHighAlarm = 46.5F;
    SetClockStamp(block, {2015, 3, 5, 10, 0, 0});
    SetLoggerName(block, "F");
    WriteAll(m_dir / "f.rec0",
             Concat({Bytes("TVX"), BlockBytes(block), SampleBytes({770, 1041, 319})}));
    ASSERT_EQ(Run({"info", "--json", Path("f.rec0")}), kExitOk) << m_err.str();
    EXPECT_EQ(m_out.str(), "{\"name\":\"F\",\"start\":\"2015-03-05T10:00:00\",\"periodSec\":10,"
                           "\"count\":3,\"unit\":\"F\",\"lowAlarm\":35,\"highAlarm\":46.5,"
                           "\"min\":319,\"max\":1041,\"axisTop\":1220,\"axisBottom\":140}\n");
}

TEST_F(CliInfo, BadFilesAreRefusedWithTheirMessages) {
    LoggerConfig block;
    block.recordedCount = 4;
    const auto whole = Concat({Bytes("TVX"), BlockBytes(block), SampleBytes({1, 2, 3, 4})});
    WriteAll(m_dir / "upper.REC0", whole);
    WriteAll(m_dir / "magic.rec0",
             Concat({Bytes("TVY"), BlockBytes(block), SampleBytes({1, 2, 3, 4})}));
    WriteAll(m_dir / "short.rec0", std::vector<unsigned char>(whole.begin(), whole.end() - 1));
    WriteAll(m_dir / "empty.rec0", "");
    block.recordedCount = 1;
    WriteAll(m_dir / "one.rec0", Concat({Bytes("TVX"), BlockBytes(block), SampleBytes({1})}));
    block.recordedCount = 0xFFFFFFFF;
    WriteAll(m_dir / "huge.rec0", Concat({Bytes("TVX"), BlockBytes(block), SampleBytes({1})}));

    const std::string noRecording = " не содержит записи: в нем меньше двух значений.\n";
    const std::pair<std::string, std::string> cases[] = {
        {"none.rec0", " " + Path("none.rec0") + " файл не найден.\n"},
        {"upper.REC0", "Доступ к " + Path("upper.REC0") + " запрещен.\n"},
        {"magic.rec0", std::string(kWrongMagicText) + "\n"},
        {"short.rec0", std::string(kUnexpectedFormatText) + "\n"},
        {"huge.rec0", std::string(kUnexpectedFormatText) + "\n"},
        {"empty.rec0", "Файл " + Path("empty.rec0") + noRecording},
        {"one.rec0", "Файл " + Path("one.rec0") + noRecording},
    };
    for (const auto& [name, err] : cases) {
        EXPECT_EQ(Run({"info", Path(name), "--json"}), kExitFailed) << name;
        EXPECT_EQ(m_err.str(), err) << name;
        EXPECT_EQ(m_out.str(), "") << name;
    }
}

TEST_F(CliInfo, ProgramLevelExitCodes) {
    EXPECT_EQ(Run({"--help"}), kExitOk);
    EXPECT_NE(m_out.str().find("download -o FILE"), std::string::npos);
    EXPECT_EQ(Run({"configure", "--name", "A", "--period", "7"}), kExitBadArguments);
    EXPECT_EQ(m_err.str().rfind("termix-cli: неверное значение «7» для --period", 0), 0U)
        << m_err.str();
    EXPECT_EQ(Run({}), kExitBadArguments);

    // No USB library at all reads as no logger.
    CliEnvironment env{
        {m_out, m_err, false}, [] { return nullptr; }, m_clock, m_pause, m_dir / "x.ini"};
    m_err.str("");
    EXPECT_EQ(RunCli({"download", "-o", Path("r")}, env), kExitFailed);
    EXPECT_EQ(m_err.str(), std::string(kDownloadNoConnectionText) + "\n");
}

TEST_F(CliInfo, ConfigureThroughTheProgramRemembersForTheNextRun) {
    ASSERT_EQ(Run({"configure", "--name", "Склад", "--period", "300", "--unit", "F", "--low", "35",
                   "--high", "46"}),
              kExitOk)
        << m_err.str();
    // The next configure starts from what was remembered.
    ASSERT_EQ(Run({"configure", "--name", "Склад 2"}), kExitOk) << m_err.str();
    const auto image = ReadAll(m_image);
    ASSERT_EQ(image.size(), kConfigSize);
    const LoggerConfig block =
        DecodeConfig(std::span<const std::uint8_t, kConfigSize>(image.data(), kConfigSize));
    EXPECT_EQ(block.periodSec, 300U);
    EXPECT_EQ(block.tempUnit, 1);
    EXPECT_EQ(block.tempLowAlarm, 35.0F);
    EXPECT_EQ(block.tempHighAlarm, 46.0F);
    EXPECT_EQ(LoggerName(block), "Склад 2");
    EXPECT_EQ(ClockStamp(block), (CivilDateTime{2020, 2, 1, 12, 0, 0}));

    // The freshly configured logger has nothing to download yet.
    EXPECT_EQ(Run({"download", "-o", Path("empty")}), kExitFailed);
    EXPECT_FALSE(std::filesystem::exists(m_dir / "empty.rec0"));
}
