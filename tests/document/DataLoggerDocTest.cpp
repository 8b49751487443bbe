#include "DataLoggerDoc.h"

#include "RecordingFile.h"
#include "RecordingMessageBoxes.h"
#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <tuple>

namespace fs = std::filesystem;

namespace {

LoggerConfig Block(std::uint32_t count, std::uint8_t tempUnit = 0) {
    LoggerConfig c;
    c.recordedCount = count;
    c.periodSec = 10;
    c.year = 2015;
    c.month = 3;
    c.day = 5;
    c.hour = 10;
    c.tempHighAlarm = 8.0F;
    c.tempUnit = tempUnit;
    SetLoggerName(c, "Склад");
    return c;
}

Recording MakeRun(std::vector<std::int16_t> samples, std::uint8_t tempUnit = 0) {
    const auto n = static_cast<std::uint32_t>(samples.size());
    return {Block(n, tempUnit), std::move(samples)};
}

std::vector<unsigned char> FileBytes(const Recording& run) {
    const auto b = EncodeRecording(run);
    return {b.begin(), b.end()};
}

using Window = std::tuple<int, int, int, int>;

std::vector<Window> Stack(const CDataLoggerDoc& doc) {
    std::vector<Window> entries;
    for (const ZoomLevel* z = doc.ZoomTop(); z != nullptr; z = z->below.get()) {
        entries.emplace_back(z->first, z->last, z->top, z->bottom);
    }
    return entries;
}

// Everything a paint, readout or export could read.
struct Snapshot {
    int count, first, last, top, bottom;
    ConfigBytes block;
    std::vector<std::int16_t> samples;
    std::vector<Window> stack;
    bool drawn, titlePending;
    std::string fileName, pathName;
    std::uint8_t lastStartMode;

    explicit Snapshot(const CDataLoggerDoc& d)
        : count(d.m_nCount), first(d.m_nFirst), last(d.m_nLast), top(d.m_nTop), bottom(d.m_nBottom),
          block(EncodeConfig(d.m_config)), samples(d.Samples()), stack(Stack(d)), drawn(d.m_bDrawn),
          titlePending(d.m_bTitlePending), fileName(d.m_strFileName), pathName(d.PathName()),
          lastStartMode(d.m_nLastStartMode) {}
    bool operator==(const Snapshot&) const = default;
};

// What every load leaves: the whole recording in the window, one entry on the stack.
void ExpectWholeRecording(const CDataLoggerDoc& doc, const Recording& run) {
    const int n = static_cast<int>(run.samples.size());
    EXPECT_EQ(doc.m_nCount, n);
    EXPECT_EQ(doc.m_config.recordedCount, static_cast<std::uint32_t>(n));
    EXPECT_EQ(doc.Samples(), run.samples);
    EXPECT_EQ(doc.m_nFirst, 1);
    EXPECT_EQ(doc.m_nLast, n);
    EXPECT_GT(doc.m_nTop, doc.m_nBottom);
    EXPECT_EQ(Stack(doc), (std::vector<Window>{{1, n, doc.m_nTop, doc.m_nBottom}}));
    EXPECT_FALSE(doc.m_bDrawn);
    EXPECT_EQ(doc.HasRecording(), n >= 2);
}

class DocumentTest : public ::testing::Test {
protected:
    std::string Save(const std::string& name, const Recording& run) {
        const auto path = (dir / name).string();
        WriteAll(path, FileBytes(run));
        return path;
    }

    // A document that has shown a recording from a file and been zoomed and painted.
    void LoadGood() {
        ASSERT_TRUE(doc.OpenRecordingFile(Save("good.rec0", good), boxes));
        doc.PushZoom(2, 4, 300, 100);
        doc.m_bDrawn = true;
        doc.m_nLastStartMode = 2;
        boxes.shown.clear();
    }

    TempDir dir;
    RecordingMessageBoxes boxes;
    CDataLoggerDoc doc;
    Recording good = MakeRun({215, 220, 231, 198, 240, 225});
};

} // namespace

TEST_F(DocumentTest, StartsEmpty) {
    EXPECT_FALSE(doc.HasRecording());
    EXPECT_EQ(doc.m_nCount, 0);
    EXPECT_EQ(doc.m_nTop, 400);
    EXPECT_EQ(doc.m_nBottom, 0);
    EXPECT_EQ(doc.ZoomDepth(), 0);
    EXPECT_FALSE(doc.ZoomOut());
    EXPECT_FALSE(doc.ViewAll());
    doc.PushZoom(1, 2, 300, 100);
    EXPECT_EQ(doc.ZoomDepth(), 0);
    EXPECT_EQ(doc.DecideSave().action, SaveAction::Nothing);
}

TEST_F(DocumentTest, OpeningAFileSetsTheRecordingAndItsName) {
    const auto path = Save("run1.rec0", good);
    ASSERT_TRUE(doc.OpenRecordingFile(path, boxes));
    EXPECT_TRUE(boxes.shown.empty());
    ExpectWholeRecording(doc, good);
    EXPECT_EQ(doc.m_nTop, 400);
    EXPECT_EQ(doc.m_nBottom, 0);
    EXPECT_EQ(EncodeConfig(doc.m_config), EncodeConfig(good.config));
    EXPECT_EQ(doc.m_strFileName, "run1.rec0");
    EXPECT_TRUE(doc.m_bTitlePending);
    EXPECT_EQ(doc.PathName(), path);
}

TEST_F(DocumentTest, DownloadedRecordingKeepsNameTitleAndStartMode) {
    LoadGood();
    doc.m_bTitlePending = false;
    const Recording fahrenheit = MakeRun(std::vector<std::int16_t>(50, 770), 1);
    doc.SetRecording(fahrenheit.config, fahrenheit.samples);
    ExpectWholeRecording(doc, fahrenheit);
    EXPECT_EQ(doc.m_nTop, 1040);
    EXPECT_EQ(doc.m_nBottom, 320);
    EXPECT_EQ(doc.m_strFileName, "good.rec0");
    EXPECT_FALSE(doc.m_bTitlePending);
    EXPECT_EQ(doc.m_nLastStartMode, 2);
    EXPECT_EQ(doc.PathName(), "");
    doc.SetFileName("new.rec0");
    EXPECT_EQ(doc.m_strFileName, "new.rec0");
    EXPECT_TRUE(doc.m_bTitlePending);
}

TEST_F(DocumentTest, TooFewSamplesAreSetButAreNoRecording) {
    LoadGood();
    for (const Recording& run : {MakeRun({150}), MakeRun({})}) {
        ASSERT_TRUE(doc.OpenRecordingFile(Save("short.rec0", run), boxes));
        ExpectWholeRecording(doc, run);
        EXPECT_FALSE(doc.HasRecording());
        doc.PushZoom(1, 1, 300, 100);
        EXPECT_EQ(doc.ZoomDepth(), 1);
        EXPECT_FALSE(doc.ZoomOut());
        EXPECT_FALSE(doc.ViewAll());
        EXPECT_EQ(doc.DecideSave().action, SaveAction::Nothing);
    }
    EXPECT_EQ(doc.m_nTop, 400);
    EXPECT_EQ(doc.m_nBottom, 0);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(DocumentTest, LowestSampleBelowTheTableGetsTheFloor) {
    LoadGood(); // window bottom 100 after the zoom
    const Recording frozen = MakeRun({-500, -450, 120});
    doc.SetRecording(frozen.config, frozen.samples);
    ExpectWholeRecording(doc, frozen);
    EXPECT_EQ(doc.m_nBottom, -400);
    EXPECT_EQ(doc.m_nTop, 400);
}

TEST_F(DocumentTest, SamplesDecideTheCountWhenTheBlockDisagrees) {
    LoggerConfig block = Block(1000);
    doc.SetRecording(block, {1, 2, 3});
    EXPECT_EQ(doc.m_nCount, 3);
    EXPECT_EQ(doc.m_nLast, 3);
    EXPECT_EQ(doc.m_config.recordedCount, 3U);
}

TEST_F(DocumentTest, BadFilesAreRefusedWithTheirMessageAndChangeNothing) {
    LoadGood();
    const Snapshot before(doc);

    auto wrongMagic = FileBytes(good);
    wrongMagic[0] = 'X';
    auto truncated = FileBytes(MakeRun(std::vector<std::int16_t>(100, 300)));
    truncated.resize(truncated.size() - 3);
    auto hugeCount = FileBytes(good);
    hugeCount[11] = hugeCount[12] = hugeCount[13] = hugeCount[14] = 0xFF;
    WriteAll(dir / "wrong.rec0", wrongMagic);
    WriteAll(dir / "cut.rec0", truncated);
    WriteAll(dir / "huge.rec0", hugeCount);
    WriteAll(dir / "RUN.REC0", FileBytes(good));
    WriteAll(dir / "run.rec0.bak", FileBytes(good));
    WriteAll(dir / "noextension", FileBytes(good));
    fs::create_directory(dir / "folder.rec0");

    const auto p = [&](const std::string& name) { return (dir / name).string(); };
    const RecordingMessageBoxes::Shown cases[] = {
        {" " + p("absent.rec0") + " файл не найден.", MessageIcon::None, MessageButtons::Ok},
        {"Доступ к " + p("RUN.REC0") + " запрещен.", MessageIcon::None, MessageButtons::Ok},
        {"Доступ к " + p("run.rec0.bak") + " запрещен.", MessageIcon::None, MessageButtons::Ok},
        {"Доступ к " + p("noextension") + " запрещен.", MessageIcon::None, MessageButtons::Ok},
        {"Ошибка! Файл содержит некорректные данные.", MessageIcon::Warning, MessageButtons::Ok},
        {"Unexpected file format.", MessageIcon::Warning, MessageButtons::Ok},
        {"Unexpected file format.", MessageIcon::Warning, MessageButtons::Ok},
        {"Access to " + p("folder.rec0") + " was denied.", MessageIcon::Warning,
         MessageButtons::Ok},
    };
    const std::string paths[] = {p("absent.rec0"), p("RUN.REC0"),   p("run.rec0.bak"),
                                 p("noextension"), p("wrong.rec0"), p("cut.rec0"),
                                 p("huge.rec0"),   p("folder.rec0")};
    for (std::size_t i = 0; i < std::size(paths); ++i) {
        boxes.shown.clear();
        // A file that is no recording at all still completes the open; the rest fail it.
        EXPECT_EQ(doc.OpenRecordingFile(paths[i], boxes), paths[i] == p("wrong.rec0")) << paths[i];
        ASSERT_EQ(boxes.shown.size(), 1U) << paths[i];
        EXPECT_EQ(boxes.shown[0].text, cases[i].text);
        EXPECT_EQ(boxes.shown[0].icon, cases[i].icon) << paths[i];
        EXPECT_EQ(boxes.shown[0].buttons, MessageButtons::Ok);
        EXPECT_TRUE(Snapshot(doc) == before) << paths[i];
    }
}

TEST_F(DocumentTest, EmptyFileCountsAsOpenedAndChangesNothing) {
    LoadGood();
    const Snapshot before(doc);
    WriteAll(dir / "empty.rec0", std::string());
    EXPECT_TRUE(doc.OpenRecordingFile((dir / "empty.rec0").string(), boxes));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(Snapshot(doc) == before);
}

TEST_F(DocumentTest, ReadsFromAStreamWithTheNameOfThePath) {
    const auto bytes = FileBytes(good);
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    ASSERT_TRUE(doc.ReadRecordingFile(in, "/data/cold room.rec0", boxes));
    ExpectWholeRecording(doc, good);
    EXPECT_EQ(doc.m_strFileName, "cold room.rec0");
}

TEST_F(DocumentTest, ZoomOutStepsBackAndViewAllReturnsToTheWholeRecording) {
    const auto path = Save("run.rec0", good);
    ASSERT_TRUE(doc.OpenRecordingFile(path, boxes));
    const Window whole{1, 6, 400, 0};
    EXPECT_FALSE(doc.ZoomOut());
    EXPECT_FALSE(doc.ViewAll());

    doc.PushZoom(2, 5, 300, 100);
    doc.PushZoom(3, 4, 250, 200);
    EXPECT_EQ(doc.ZoomDepth(), 3);
    EXPECT_EQ(Window(doc.m_nFirst, doc.m_nLast, doc.m_nTop, doc.m_nBottom), Window(3, 4, 250, 200));
    ASSERT_TRUE(doc.ZoomOut());
    EXPECT_EQ(Window(doc.m_nFirst, doc.m_nLast, doc.m_nTop, doc.m_nBottom), Window(2, 5, 300, 100));
    ASSERT_TRUE(doc.ZoomOut());
    EXPECT_EQ(Window(doc.m_nFirst, doc.m_nLast, doc.m_nTop, doc.m_nBottom), whole);
    EXPECT_FALSE(doc.ZoomOut());
    EXPECT_EQ(doc.ZoomDepth(), 1);

    for (int i = 0; i < 5; ++i) {
        doc.PushZoom(2, 5, 300 - i, 100);
    }
    ASSERT_TRUE(doc.ViewAll());
    EXPECT_EQ(Window(doc.m_nFirst, doc.m_nLast, doc.m_nTop, doc.m_nBottom), whole);
    EXPECT_EQ(Stack(doc), std::vector<Window>{whole});
}

TEST_F(DocumentTest, ZoomStaysInsideTheRecording) {
    doc.SetRecording(good.config, good.samples);
    doc.PushZoom(-5, 99, 300, 100);
    EXPECT_EQ(doc.m_nFirst, 1);
    EXPECT_EQ(doc.m_nLast, 6);
}

TEST_F(DocumentTest, ADeepZoomStackIsFreedWithoutRecursion) {
    doc.SetRecording(good.config, good.samples);
    for (int i = 0; i < 1'000'000; ++i) {
        doc.PushZoom(1, 2, 300, 100);
    }
    EXPECT_EQ(doc.ZoomDepth(), 1'000'001);
    doc.SetRecording(good.config, good.samples);
    EXPECT_EQ(doc.ZoomDepth(), 1);
    for (int i = 0; i < 1'000'000; ++i) {
        doc.PushZoom(1, 2, 300, 100);
    } // the document's destructor frees these
}

TEST_F(DocumentTest, SaveWritesTheWholeRecordingOrNothing) {
    EXPECT_EQ(doc.DecideSave().action, SaveAction::Nothing);

    // A downloaded recording has no file yet: ask for one; the name rule applies.
    doc.SetRecording(good.config, good.samples);
    EXPECT_EQ(doc.DecideSave().action, SaveAction::AskForPath);
    ASSERT_EQ(doc.SaveRecordingFile((dir / "saved").string()), "");
    EXPECT_EQ(ReadAll(dir / "saved.rec0"), FileBytes(good));
    EXPECT_EQ(doc.m_strFileName, "saved.rec0");

    // An opened one goes back to its own file in full, dropping bytes that carried nothing.
    auto withTail = FileBytes(good);
    withTail.push_back(0x55);
    WriteAll(dir / "opened.rec0", withTail);
    ASSERT_TRUE(doc.OpenRecordingFile((dir / "opened.rec0").string(), boxes));
    doc.PushZoom(2, 3, 300, 200);
    const SaveDecision decision = doc.DecideSave();
    ASSERT_EQ(decision.action, SaveAction::WriteToPath);
    EXPECT_EQ(decision.path, (dir / "opened.rec0").string());
    ASSERT_EQ(doc.SaveRecordingFile(decision.path), "");
    EXPECT_EQ(ReadAll(dir / "opened.rec0"), FileBytes(good));

    // A save that cannot finish leaves the file as it was.
    fs::create_directory(dir / "taken.rec0");
    EXPECT_EQ(doc.SaveRecordingFile((dir / "taken.rec0").string()),
              "Access to " + (dir / "taken.rec0").string() + " was denied.");
    EXPECT_EQ(doc.PathName(), (dir / "opened.rec0").string());
}
