#include "CliCommands.h"
#include "CliTestSupport.h"
#include "LoggerLink.h"

namespace {

class CliDownload : public ::testing::Test {
protected:
    // A run as the logger keeps it: its own stamp and the delay to the first sample.
    LoggerConfig LoggerBlock(std::uint32_t count) {
        LoggerConfig c;
        c.samplePoints = 100;
        c.recordedCount = count;
        c.periodSec = 60;
        SetClockStamp(c, {2019, 12, 31, 23, 59, 30});
        c.startDelaySec = 45;
        c.tempLowAlarm = 2;
        c.tempHighAlarm = 8;
        SetLoggerName(c, "Склад");
        return c;
    }

    void MakeImage(const LoggerConfig& block, const std::vector<std::uint8_t>& data) {
        ASSERT_EQ(WriteLoggerImage(m_image, EncodeConfig(block), data), "");
    }

    int Download(const std::string& output) {
        CliStreams io{m_streams.out, m_streams.err, m_terminal};
        return RunDownload(DownloadCommand{output}, m_logger, m_pause, io);
    }

    TempDir m_dir;
    std::filesystem::path m_image = m_dir / "logger.img";
    SimulatedLogger m_logger{m_image};
    NoPause m_pause;
    CapturedStreams m_streams;
    bool m_terminal = false;
};

} // namespace

TEST_F(CliDownload, WritesTheRunWithTheStartTimeOfTheFirstSample) {
    const std::vector<std::int16_t> samples{25, -3, 81, 79, 40};
    MakeImage(LoggerBlock(5), SampleBytes(samples));
    EXPECT_EQ(Download((m_dir / "run").string()), kExitOk);

    LoggerConfig stored = LoggerBlock(5);
    SetClockStamp(stored, {2020, 1, 1, 0, 0, 15});
    EXPECT_EQ(ReadAll(m_dir / "run.rec0"),
              Concat({Bytes("TVX"), BlockBytes(stored), SampleBytes(samples)}));
    EXPECT_EQ(m_streams.err.str(), "");
    EXPECT_EQ(m_streams.out.str(),
              "Передача 5 значений закончена: " + (m_dir / "run.rec0").string() + "\n");
    EXPECT_FALSE(m_logger.IsOpen());
    // A download leaves the logger's memory as it was.
    EXPECT_EQ(ReadAll(m_image), Concat({BlockBytes(LoggerBlock(5)), SampleBytes(samples)}));
}

TEST_F(CliDownload, FahrenheitRunIsStoredInFahrenheitTenths) {
    LoggerConfig block = LoggerBlock(5);
    block.tempUnit = 1;
    MakeImage(block, SampleBytes({1, -1, -178, -179, 370}));
    ASSERT_EQ(Download((m_dir / "f.rec0").string()), kExitOk);
    const auto bytes = ReadAll(m_dir / "f.rec0");
    ASSERT_EQ(bytes.size(), 67U + 10U);
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + 67, bytes.end()),
              SampleBytes({321, 318, 0, -2, 986}));
}

TEST_F(CliDownload, InvalidStampIsKeptWithAWarning) {
    LoggerConfig block = LoggerBlock(2);
    block.month = 13;
    MakeImage(block, SampleBytes({1, 2}));
    ASSERT_EQ(Download((m_dir / "odd.rec0").string()), kExitOk);
    EXPECT_EQ(ReadAll(m_dir / "odd.rec0"),
              Concat({Bytes("TVX"), BlockBytes(block), SampleBytes({1, 2})}));
    EXPECT_EQ(m_streams.err.str(), "Внимание: логгер передал некорректное время 31-13-2019 "
                                   "23:59:30; время начала записи сохранено без изменений.\n");
}

TEST_F(CliDownload, FailuresExitWithTheirMessagesAndWriteNothing) {
    struct Case {
        const char* what;
        std::function<void(SimulatedLogger&)> fault;
        std::uint32_t count;
        std::size_t dataBytes;
        std::string err;
    };
    const std::string noConnection = std::string(kDownloadNoConnectionText) + "\n";
    const Case cases[] = {
        {"no logger", [](auto& l) { l.SetAttached(false); }, 5, 10, noConnection},
        {"no handle", [](auto& l) { l.SetOpenGivesNoHandle(true); }, 5, 10,
         std::string(kTextNoHandle) + "\n" + noConnection},
        {"start answer lost", [](auto& l) { l.FailRead(1, SimulatedLogger::Failure::Timeout); }, 5,
         10, std::string(kTextWriteFailed) + "\n" + kDownloadReadFailedText + "\n"},
        {"page lost", [](auto& l) { l.FailRead(4); }, 5, 10,
         std::string(kTextReadFailed) + "\n" + kDownloadReadFailedText + "\n"},
        {"unplugged", [](auto& l) { l.UnplugAfterPages(1); }, 2100, 4200,
         std::string(kTextReadFailed) + "\n" + kDownloadReadFailedText + "\n"},
        {"no data", [](auto&) {}, 0, 0,
         std::string(kTextNoData) + "\n" + kDownloadReadFailedText + "\n"},
        {"count beyond the data", [](auto&) {}, 40, 10,
         "Логгер сообщил о 40 значениях, но передал только 32. Файл не записан.\n"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const auto image = dir / "logger.img";
        ASSERT_EQ(WriteLoggerImage(image, EncodeConfig(LoggerBlock(c.count)),
                                   std::vector<std::uint8_t>(c.dataBytes, 1)),
                  "");
        SimulatedLogger logger(image);
        c.fault(logger);
        WriteAll(dir / "run.rec0", "old");
        CapturedStreams s;
        CliStreams io{s.out, s.err, false};
        EXPECT_EQ(RunDownload(DownloadCommand{(dir / "run").string()}, logger, m_pause, io),
                  kExitFailed)
            << c.what;
        EXPECT_EQ(s.err.str(), c.err) << c.what;
        EXPECT_EQ(s.out.str(), "") << c.what;
        EXPECT_EQ(FileText(dir / "run.rec0"), "old") << c.what;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                                std::filesystem::directory_iterator()),
                  2)
            << c.what;
        EXPECT_FALSE(logger.IsOpen()) << c.what;
    }
}

TEST_F(CliDownload, ALibraryReasonForNoConnectionIsShownOnce) {
    TempDir dir;
    SimulatedLogger logger(dir / "missing.img");
    CapturedStreams s;
    CliStreams io{s.out, s.err, false};
    EXPECT_EQ(RunDownload(DownloadCommand{(dir / "run").string()}, logger, m_pause, io),
              kExitFailed);
    const std::string why = logger.LastError();
    ASSERT_FALSE(why.empty());
    EXPECT_EQ(s.err.str(), why + "\n" + kDownloadNoConnectionText + "\n");
}

TEST_F(CliDownload, ReplacesAnExistingFileOnlyWithACompleteOne) {
    MakeImage(LoggerBlock(3), SampleBytes({1, 2, 3}));
    WriteAll(m_dir / "run.rec0", "previous run");
    ASSERT_EQ(Download((m_dir / "run.rec0").string()), kExitOk);
    EXPECT_EQ(ReadAll(m_dir / "run.rec0").size(), 67U + 6U);

    // A folder where the file should go cannot be replaced: the error, and nothing else moves.
    std::filesystem::create_directory(m_dir / "taken.rec0");
    m_streams.err.str("");
    EXPECT_EQ(Download((m_dir / "taken.rec0").string()), kExitFailed);
    EXPECT_NE(m_streams.err.str(), "");
    EXPECT_TRUE(std::filesystem::is_directory(m_dir / "taken.rec0"));
    EXPECT_EQ(Download((m_dir / "missing" / "run").string()), kExitFailed);
    EXPECT_FALSE(std::filesystem::exists(m_dir / "missing"));
}

TEST_F(CliDownload, ProgressOnlyOnATerminal) {
    MakeImage(LoggerBlock(2100), std::vector<std::uint8_t>(4200, 0)); // two pages
    ASSERT_EQ(Download((m_dir / "quiet").string()), kExitOk);
    EXPECT_EQ(m_streams.err.str(), "");

    m_terminal = true;
    ASSERT_EQ(Download((m_dir / "shown").string()), kExitOk);
    const std::string err = m_streams.err.str();
    EXPECT_NE(err.find("\rЗагрузка данных: 20%"), std::string::npos) << err;
    EXPECT_NE(err.find("\rЗагрузка данных: 60%"), std::string::npos) << err;
    EXPECT_NE(err.find("\rЗагрузка данных: 100%"), std::string::npos) << err;
    EXPECT_EQ(err.back(), '\n');
}
