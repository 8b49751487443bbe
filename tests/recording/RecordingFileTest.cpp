#include "RecordingFile.h"

#include "TempDir.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

LoggerConfig Block(std::uint32_t count, std::uint8_t tempUnit = 0) {
    LoggerConfig c;
    c.samplePoints = 100;
    c.recordedCount = count;
    c.periodSec = 60;
    c.year = 2015;
    c.month = 3;
    c.day = 5;
    c.hour = 10;
    c.tempLowAlarm = -5.0F;
    c.tempHighAlarm = 8.0F;
    c.tempUnit = tempUnit;
    SetLoggerName(c, "Камера 1");
    return c;
}

Recording MakeRun(std::vector<std::int16_t> samples, std::uint8_t tempUnit = 0) {
    const auto n = static_cast<std::uint32_t>(samples.size());
    return {Block(n, tempUnit), std::move(samples)};
}

std::vector<std::uint8_t> Bytes(const std::vector<unsigned char>& v) {
    return {v.begin(), v.end()};
}

RecordingReadResult ReadBytes(const std::vector<std::uint8_t>& bytes) {
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    return ReadRecording(in);
}

std::size_t EntriesIn(const fs::path& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

} // namespace

TEST(RecordingBytes, MagicBlockThenLittleEndianSamples) {
    const Recording run = MakeRun({1, -1, 0x1234, -400});
    const auto bytes = EncodeRecording(run);
    ASSERT_EQ(bytes.size(), 67U + 2 * 4);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 3), "TVX");
    const ConfigBytes block = EncodeConfig(run.config);
    EXPECT_TRUE(std::equal(block.begin(), block.end(), bytes.begin() + 3));
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 67, bytes.end()),
              (std::vector<std::uint8_t>{0x01, 0x00, 0xFF, 0xFF, 0x34, 0x12, 0x70, 0xFE}));
}

TEST(RecordingBytes, WrittenFileIsExactlyHeaderPlusTwoBytesPerSample) {
    TempDir dir;
    for (const std::size_t n : {0U, 1U, 2U, 32000U}) {
        const Recording run = MakeRun(std::vector<std::int16_t>(n, 215));
        const auto path = (dir / ("run" + std::to_string(n) + ".rec0")).string();
        ASSERT_EQ(WriteRecordingFile(path, run), "");
        const auto onDisk = Bytes(ReadAll(path));
        EXPECT_EQ(onDisk.size(), 67 + 2 * n);
        EXPECT_EQ(onDisk, EncodeRecording(run));
        const auto back = ReadBytes(onDisk);
        ASSERT_EQ(back.status, RecordingReadStatus::Ok) << n;
        EXPECT_EQ(back.recording, run);
    }
}

TEST(RecordingBytes, SamplesMustMatchTheBlocksCount) {
    Recording run = MakeRun({1, 2, 3});
    run.config.recordedCount = 4;
    EXPECT_TRUE(EncodeRecording(run).empty());
    TempDir dir;
    EXPECT_NE(WriteRecordingFile((dir / "run.rec0").string(), run), "");
    EXPECT_FALSE(fs::exists(dir / "run.rec0"));
    EXPECT_EQ(EntriesIn(dir.Path()), 0U);
}

TEST(SamplesFromLogger, ConvertsToFahrenheitTenthsOnlyWhenTheBlockSaysSo) {
    const std::vector<std::uint8_t> data{0x01, 0x00, 0xFF, 0xFF, 0x4E,
                                         0xFF, 0x4D, 0xFF, 0x72, 0x01}; // 1, -1, -178, -179, 370
    EXPECT_EQ(SamplesFromLogger(Block(5, 1), data),
              (std::vector<std::int16_t>{321, 318, 0, -2, 986}));
    EXPECT_EQ(SamplesFromLogger(Block(5, 0x21), data),
              (std::vector<std::int16_t>{321, 318, 0, -2, 986}));
    EXPECT_EQ(SamplesFromLogger(Block(5, 0), data),
              (std::vector<std::int16_t>{1, -1, -178, -179, 370}));
}

TEST(SamplesFromLogger, TakesTheBlocksCountAndRefusesMoreThanTheBytesHold) {
    std::vector<std::uint8_t> page(64, 0); // one downloaded block of 32 samples
    page[0] = 0xFA;                        // 250
    EXPECT_EQ(SamplesFromLogger(Block(1), page), (std::vector<std::int16_t>{250}));
    EXPECT_EQ(SamplesFromLogger(Block(32), page)->size(), 32U);
    EXPECT_EQ(SamplesFromLogger(Block(0), page), std::vector<std::int16_t>{});
    EXPECT_FALSE(SamplesFromLogger(Block(33), page).has_value());
    EXPECT_FALSE(SamplesFromLogger(Block(0xFFFFFFFF), page).has_value());
    EXPECT_FALSE(SamplesFromLogger(Block(1), std::span<const std::uint8_t>(page.data(), 1)));
}

TEST(RecordingPathFor, AppendsTheExtensionUnlessTheTextIsThere) {
    const std::pair<std::string, std::string> cases[] = {
        {"/data/run", "/data/run.rec0"},
        {"/data/run.rec0", "/data/run.rec0"},
        {"/data/run.rec0.bak", "/data/run.rec0.bak"},
        {"/data/run.REC0", "/data/run.REC0.rec0"},
        {"/data/run.rec", "/data/run.rec.rec0"},
        {"/data/run.txt", "/data/run.txt.rec0"},
    };
    for (const auto& [chosen, written] : cases) {
        EXPECT_EQ(RecordingPathFor(chosen), written) << chosen;
    }
}

TEST(RecordingRead, ExtraBytesAfterTheSamplesAreIgnored) {
    const Recording run = MakeRun({100, 200, -300});
    auto bytes = EncodeRecording(run);
    bytes.insert(bytes.end(), {0xDE, 0xAD, 0xBE});
    const auto back = ReadBytes(bytes);
    ASSERT_EQ(back.status, RecordingReadStatus::Ok);
    EXPECT_EQ(back.recording, run);
}

TEST(RecordingRead, NeverConvertsWhateverTheUnit) {
    const Recording run = MakeRun({320, 986, -2}, 1);
    const auto back = ReadBytes(EncodeRecording(run));
    ASSERT_EQ(back.status, RecordingReadStatus::Ok);
    EXPECT_EQ(back.recording.samples, run.samples);
}

TEST(RecordingRead, EmptyFileReadsNothing) {
    const auto back = ReadBytes({});
    EXPECT_EQ(back.status, RecordingReadStatus::Empty);
    EXPECT_EQ(RecordingReadMessage(back, "/x.rec0"), "");
}

TEST(RecordingRead, BadFilesEndWithTheirWarning) {
    const auto good = EncodeRecording(MakeRun({1, 2, 3, 4}));
    auto withCount = [&](std::uint32_t n) {
        auto b = good;
        for (int i = 0; i < 4; ++i) {
            b[11 + i] = static_cast<std::uint8_t>(n >> (8 * i));
        }
        return b;
    };
    auto prefix = [&](std::size_t size) {
        return std::vector<std::uint8_t>(good.begin(), good.begin() + size);
    };
    auto wrongMagic = good;
    wrongMagic[2] = 'Y';

    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        RecordingReadStatus status;
    };
    const Case cases[] = {
        {"wrong magic", wrongMagic, RecordingReadStatus::WrongMagic},
        {"lower-case magic",
         [&] {
             auto b = good;
             b[0] = 't';
             return b;
         }(),
         RecordingReadStatus::WrongMagic},
        {"two foreign bytes", {'M', 'Z'}, RecordingReadStatus::WrongMagic},
        {"magic cut short", prefix(2), RecordingReadStatus::Truncated},
        {"magic only", prefix(3), RecordingReadStatus::Truncated},
        {"block cut short", prefix(66), RecordingReadStatus::Truncated},
        {"last sample cut in half", prefix(good.size() - 1), RecordingReadStatus::Truncated},
        {"one sample missing", prefix(good.size() - 2), RecordingReadStatus::Truncated},
        {"count one too many", withCount(5), RecordingReadStatus::Truncated},
        {"count no document can hold", withCount(0x80000000U), RecordingReadStatus::Truncated},
        {"count of all ones", withCount(0xFFFFFFFFU), RecordingReadStatus::Truncated},
        {"largest count, small file", withCount(0x7FFFFFFFU), RecordingReadStatus::Truncated},
    };
    for (const auto& c : cases) {
        const auto back = ReadBytes(c.bytes);
        EXPECT_EQ(back.status, c.status) << c.name;
        EXPECT_TRUE(back.recording.samples.empty()) << c.name;
        EXPECT_EQ(RecordingReadMessage(back, "/x.rec0"),
                  c.status == RecordingReadStatus::WrongMagic
                      ? "Ошибка! Файл содержит некорректные данные."
                      : "Unexpected file format.")
            << c.name;
    }
}

TEST(RecordingWrite, ReplacesAnExistingFileWhole) {
    TempDir dir;
    const auto path = (dir / "run.rec0").string();
    ASSERT_EQ(WriteRecordingFile(path, MakeRun(std::vector<std::int16_t>(500, 7))), "");
    ::chmod(path.c_str(), 0640);
    const Recording shorter = MakeRun({1, 2});
    ASSERT_EQ(WriteRecordingFile(path, shorter), "");
    EXPECT_EQ(Bytes(ReadAll(path)), EncodeRecording(shorter));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(EntriesIn(dir.Path()), 1U);
}

TEST(RecordingWrite, WritesThroughASymbolicLinkAndKeepsIt) {
    TempDir dir;
    fs::create_directory(dir / "store");
    const auto real = dir / "store" / "run.rec0";
    WriteAll(real, "old");
    fs::create_symlink(real, dir / "link.rec0");
    const Recording run = MakeRun({5, 6});
    ASSERT_EQ(WriteRecordingFile((dir / "link.rec0").string(), run), "");
    EXPECT_TRUE(fs::is_symlink(dir / "link.rec0"));
    EXPECT_EQ(Bytes(ReadAll(real)), EncodeRecording(run));
}

TEST(RecordingWrite, FailuresReportTheFileErrorAndLeaveNothingBehind) {
    TempDir dir;
    fs::create_directory(dir / "folder.rec0");
    WriteAll(dir / "plain", "not a folder");
    struct Case {
        std::string path;
        std::string text;
    };
    const Case cases[] = {
        {(dir / "folder.rec0").string(),
         "Access to " + (dir / "folder.rec0").string() + " was denied."},
        {(dir / "missing" / "run.rec0").string(),
         (dir / "missing" / "run.rec0").string() + " contains an invalid path."},
        {(dir / "plain" / "run.rec0").string(),
         (dir / "plain" / "run.rec0").string() + " contains an invalid path."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WriteRecordingFile(c.path, MakeRun({1, 2, 3})), c.text);
    }
    EXPECT_TRUE(fs::is_directory(dir / "folder.rec0"));
    EXPECT_TRUE(fs::is_empty(dir / "folder.rec0"));
    EXPECT_EQ(ReadAll(dir / "plain").size(), 12U);
    EXPECT_EQ(EntriesIn(dir.Path()), 2U);
}

// A file-size limit makes the write fail part-way, as a full disk does, and no privilege
// lifts it.
TEST(RecordingWrite, AWriteThatFailsPartWayLeavesTheOldFileWhole) {
    TempDir dir;
    const auto path = (dir / "run.rec0").string();
    const Recording old = MakeRun({10, 20, 30});
    ASSERT_EQ(WriteRecordingFile(path, old), "");

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string error = WriteRecordingFile(path, MakeRun(std::vector<std::int16_t>(4000, 1)));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(error, "Disk full while accessing " + path + ".");
    EXPECT_EQ(Bytes(ReadAll(path)), EncodeRecording(old));
    EXPECT_EQ(EntriesIn(dir.Path()), 1U);
}
