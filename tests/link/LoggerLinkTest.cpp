#include "LoggerLink.h"

#include "LinkFakes.h"
#include "RecordingMessageBoxes.h"
#include "SimulatedLogger.h"
#include "TempDir.h"
#include "TestImages.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

using Op = SimulatedLogger::Op;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kSavedRead = 111;
constexpr std::uint32_t kSavedWrite = 222;

class LoggerLinkTest : public ::testing::Test {
protected:
    // An image with n recorded bytes; the link is constructed (and probes) on it.
    void Start(std::size_t n) {
        link.reset();
        data = PatternData(n);
        ASSERT_EQ(WriteLoggerImage(image, SampleBlock(static_cast<std::uint32_t>(n / 2)), data),
                  "");
        usb = std::make_unique<SimulatedLogger>(image);
        usb->SetTimeouts(kSavedRead, kSavedWrite);
        MakeLink();
    }
    void MakeLink() {
        link = std::make_unique<CLoggerLinkDlg>(*usb, boxes, pause, progress);
        usb->ClearRecord();
    }

    // What a dialog does: open, one command, close whatever happened.
    template <typename Command> bool Exchange(Command command) {
        const bool ok = link->CheckConnection(1) && command();
        link->CloseLogger();
        return ok;
    }
    bool Read() {
        return Exchange([&] { return link->ReadData(); });
    }
    bool Write() {
        return Exchange([&] { return link->WriteConfig(); });
    }

    // Each transfer runs between a save of the time-outs and their restoration, with the
    // other direction's time-out 0 during it.
    void ExpectTimeoutsRestored() const {
        const auto& calls = usb->Calls();
        int transfers = 0;
        for (std::size_t i = 0; i < calls.size(); ++i) {
            const auto& c = calls[i];
            if (c.op != Op::Read && c.op != Op::Write) {
                continue;
            }
            ++transfers;
            ASSERT_GE(i, 2U);
            ASSERT_LT(i + 1, calls.size());
            EXPECT_EQ(calls[i - 2].op, Op::GetTimeouts);
            EXPECT_EQ(calls[i - 1].op, Op::SetTimeouts);
            EXPECT_EQ(c.op == Op::Read ? c.writeTimeoutMs : c.readTimeoutMs, 0U) << "call " << i;
            EXPECT_EQ(calls[i + 1].op, Op::SetTimeouts);
            EXPECT_EQ(calls[i + 1].readTimeoutMs, kSavedRead);
            EXPECT_EQ(calls[i + 1].writeTimeoutMs, kSavedWrite);
        }
        EXPECT_GT(transfers, 0);
        EXPECT_EQ(usb->ReadTimeoutMs(), kSavedRead);
        EXPECT_EQ(usb->WriteTimeoutMs(), kSavedWrite);
    }

    void ExpectOnlyMessage(const std::string& text) const {
        ASSERT_EQ(boxes.shown.size(), 1U);
        EXPECT_EQ(boxes.shown[0].text, text);
        EXPECT_EQ(boxes.shown[0].icon, MessageIcon::None);
        EXPECT_EQ(boxes.shown[0].buttons, MessageButtons::Ok);
    }

    TempDir dir;
    std::filesystem::path image = dir / "logger.img";
    Bytes data;
    RecordingMessageBoxes boxes;
    FakePause pause;
    FakeProgressWindow progress;
    std::unique_ptr<SimulatedLogger> usb;
    std::unique_ptr<CLoggerLinkDlg> link;
};

// --- Data read over recorded sizes ---------------------------------------------------------

struct ReadCase {
    std::size_t n;
    std::vector<Bytes> pageRequests;
    std::vector<std::string> progress;
};
void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << "N=" << c.n;
}

class ReadDataTable : public LoggerLinkTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadDataTable, RequestsPagesIntoPlaceAndMovesTheBar) {
    const ReadCase& rc = GetParam();
    Start(rc.n);
    std::vector<std::size_t> readsAtPause;
    pause.onSleep = [&] { readsAtPause.push_back(usb->CallsOf(Op::Read).size()); };

    const bool ok = Read();
    EXPECT_FALSE(usb->IsOpen());
    ExpectTimeoutsRestored();
    EXPECT_EQ(progress.events, rc.progress);
    EXPECT_EQ(link->m_pProgressDlg, nullptr);
    EXPECT_EQ(link->m_config, DecodeConfig(SampleBlock(static_cast<std::uint32_t>(rc.n / 2))));

    std::vector<Bytes> expectedWrites = {{0x00, 0x10, 0x01}};
    expectedWrites.insert(expectedWrites.end(), rc.pageRequests.begin(), rc.pageRequests.end());
    EXPECT_EQ(usb->Writes(), expectedWrites);
    for (const auto& w : usb->CallsOf(Op::Write)) {
        EXPECT_EQ(w.writeTimeoutMs, 1000U);
    }

    if (rc.n == 0) {
        EXPECT_FALSE(ok);
        ExpectOnlyMessage(kTextNoData);
        EXPECT_TRUE(link->m_pData.empty());
        EXPECT_TRUE(pause.sleeps.empty());
        return;
    }
    ASSERT_TRUE(ok);
    EXPECT_TRUE(boxes.shown.empty());

    const std::size_t blocks = (rc.n + 63) / 64;
    Bytes expectedData = data;
    expectedData.resize(blocks * 64, 0);
    EXPECT_EQ(link->m_pData, expectedData);

    // Reads: start answer, block, then per page its header and its data at offset p * 4096.
    const auto reads = usb->CallsOf(Op::Read);
    ASSERT_EQ(reads.size(), 2 + 2 * rc.pageRequests.size());
    EXPECT_EQ(reads[0].length, 3U);
    EXPECT_EQ(reads[0].readTimeoutMs, 3000U);
    EXPECT_EQ(reads[1].length, 64U);
    EXPECT_EQ(reads[1].readTimeoutMs, 3000U);
    for (std::size_t p = 0; p < rc.pageRequests.size(); ++p) {
        const auto& header = reads[2 + 2 * p];
        const auto& page = reads[3 + 2 * p];
        EXPECT_EQ(header.length, 3U);
        EXPECT_EQ(header.readTimeoutMs, 3000U);
        EXPECT_EQ(page.length, rc.pageRequests[p][2] * 64U);
        EXPECT_EQ(page.readTimeoutMs, 60000U);
        EXPECT_EQ(page.buffer - link->m_pData.data(), static_cast<std::ptrdiff_t>(p * 4096)) << p;
        // The pause comes after the header and before the data of each page.
        EXPECT_EQ(readsAtPause.at(p), 3 + 2 * p);
    }
    EXPECT_EQ(pause.sleeps, std::vector<int>(rc.pageRequests.size(), 1000));
}

INSTANTIATE_TEST_SUITE_P(
    RecordedBytes, ReadDataTable,
    ::testing::Values(
        ReadCase{0, {}, {}},
        ReadCase{1, {{0x00, 0x00, 0x01}}, {"create", "range 0 50", "pos 10", "pos 50", "destroy"}},
        ReadCase{
            4096, {{0x00, 0x00, 0x40}}, {"create", "range 0 50", "pos 10", "pos 50", "destroy"}},
        ReadCase{4097,
                 {{0x00, 0x00, 0x40}, {0x00, 0x01, 0x01}},
                 {"create", "range 0 100", "pos 20", "pos 60", "pos 100", "destroy"}},
        ReadCase{65535,
                 {{0, 0, 64},
                  {0, 1, 64},
                  {0, 2, 64},
                  {0, 3, 64},
                  {0, 4, 64},
                  {0, 5, 64},
                  {0, 6, 64},
                  {0, 7, 64},
                  {0, 8, 64},
                  {0, 9, 64},
                  {0, 10, 64},
                  {0, 11, 64},
                  {0, 12, 64},
                  {0, 13, 64},
                  {0, 14, 64},
                  {0x00, 0x0F, 0x40}},
                 {"create",  "range 0 800", "pos 160", "pos 200", "pos 240", "pos 280", "pos 320",
                  "pos 360", "pos 400",     "pos 440", "pos 480", "pos 520", "pos 560", "pos 600",
                  "pos 640", "pos 680",     "pos 720", "pos 760", "pos 800", "destroy"}}),
    [](const auto& info) { return "N" + std::to_string(info.param.n); });

TEST_F(LoggerLinkTest, NoDataLeavesAnEarlierBufferAsItWas) {
    Start(0);
    link->m_pData = {1, 2, 3};
    EXPECT_FALSE(Read());
    ExpectOnlyMessage(kTextNoData);
    EXPECT_EQ(link->m_pData, (Bytes{1, 2, 3}));
}

TEST_F(LoggerLinkTest, ANewReadReplacesTheBufferOfAnEarlierOne) {
    Start(4097);
    link->m_pData.assign(70000, 0xEE);
    ASSERT_TRUE(Read());
    EXPECT_EQ(link->m_pData.size(), 65U * 64U);
    link->FreeData();
    EXPECT_TRUE(link->m_pData.empty());
}

// --- Data read faults ----------------------------------------------------------------------

struct ReadFault {
    const char* name;
    std::function<void(SimulatedLogger&)> inject;
    const char* message;
    bool progressShown;
};
void PrintTo(const ReadFault& f, std::ostream* os) {
    *os << f.name;
}

class ReadDataFaults : public LoggerLinkTest, public ::testing::WithParamInterface<ReadFault> {};

TEST_P(ReadDataFaults, EndWithTheirMessageAndTheDeviceClosed) {
    const ReadFault& f = GetParam();
    Start(4097); // two pages
    f.inject(*usb);

    EXPECT_FALSE(Read());
    ExpectOnlyMessage(f.message);
    EXPECT_FALSE(usb->IsOpen());
    EXPECT_EQ(link->m_hDevice, kNoHandle);
    EXPECT_EQ(link->m_pProgressDlg, nullptr);
    ExpectTimeoutsRestored();
    if (f.progressShown) {
        ASSERT_GE(progress.events.size(), 2U);
        EXPECT_EQ(progress.events.front(), "create");
        EXPECT_EQ(progress.events.back(), "destroy");
        // The buffer allocated for the read stays with the link.
        EXPECT_EQ(link->m_pData.size(), 65U * 64U);
    } else {
        EXPECT_TRUE(progress.events.empty());
        EXPECT_TRUE(link->m_pData.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ReadDataFaults,
    ::testing::Values(
        ReadFault{"StartRequestFails", [](auto& u) { u.FailWrite(1); }, kTextWriteFailed, false},
        ReadFault{"StartRequestTimesOut",
                  [](auto& u) { u.FailWrite(1, SimulatedLogger::Failure::Timeout); },
                  kTextWriteFailed, false},
        ReadFault{"StartAnswerFails", [](auto& u) { u.FailRead(1); }, kTextWriteFailed, false},
        ReadFault{"BlockTimesOut",
                  [](auto& u) { u.FailRead(2, SimulatedLogger::Failure::Timeout); },
                  kTextWriteFailed, false},
        ReadFault{"PageRequestFails", [](auto& u) { u.FailWrite(2); }, kTextReadFailed, true},
        ReadFault{"PageHeaderFails", [](auto& u) { u.FailRead(3); }, kTextReadFailed, true},
        ReadFault{"PageDataTimesOut",
                  [](auto& u) { u.FailRead(4, SimulatedLogger::Failure::Timeout); },
                  kTextReadFailed, true},
        ReadFault{"SecondPageRequestTimesOut",
                  [](auto& u) { u.FailWrite(3, SimulatedLogger::Failure::Timeout); },
                  kTextReadFailed, true},
        ReadFault{"SecondPageDataFails", [](auto& u) { u.FailRead(6); }, kTextReadFailed, true},
        ReadFault{"UnpluggedAfterFirstPage", [](auto& u) { u.UnplugAfterPages(1); },
                  kTextReadFailed, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoggerLinkTest, UnpluggedMidwayKeepsThePageAlreadyRead) {
    Start(4097);
    usb->UnplugAfterPages(1);
    EXPECT_FALSE(Read());
    EXPECT_TRUE(usb->IsUnplugged());
    EXPECT_TRUE(std::equal(data.begin(), data.begin() + 4096, link->m_pData.begin()));
    EXPECT_EQ(progress.events,
              (std::vector<std::string>{"create", "range 0 100", "pos 20", "pos 60", "destroy"}));
    // Plugged out, it is no longer found.
    EXPECT_FALSE(link->CheckConnection(1));
    link->CloseLogger();
}

// --- Configuration write -------------------------------------------------------------------

TEST_F(LoggerLinkTest, WriteConfigStoresTheBlockAndEndsAtTheAcknowledgement) {
    Start(4097);
    const ConfigBytes block = SampleBlock(0);
    link->m_pData.assign(block.begin(), block.end());

    ASSERT_TRUE(Write());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_FALSE(usb->IsOpen());
    ExpectTimeoutsRestored();
    EXPECT_EQ(usb->Writes(),
              (std::vector<Bytes>{{0x01, 0x40, 0x00}, Bytes(block.begin(), block.end())}));
    for (const auto& w : usb->CallsOf(Op::Write)) {
        EXPECT_EQ(w.writeTimeoutMs, 1000U);
    }
    const auto reads = usb->CallsOf(Op::Read);
    ASSERT_EQ(reads.size(), 1U);
    EXPECT_EQ(reads[0].length, 1U);
    EXPECT_EQ(reads[0].readTimeoutMs, 3000U);
    // The logger starts a new run: the image is the block and nothing else.
    EXPECT_EQ(ReadAll(image), Bytes(block.begin(), block.end()));
}

struct AckCase {
    const char* name;
    Bytes answer;
    std::vector<int> failedReads;
    bool ok;
    std::size_t reads;
};
void PrintTo(const AckCase& c, std::ostream* os) {
    *os << c.name;
}

class Acknowledgement : public LoggerLinkTest, public ::testing::WithParamInterface<AckCase> {};

TEST_P(Acknowledgement, WaitsForTheByteButNotForEver) {
    const AckCase& ac = GetParam();
    Start(10);
    usb->SetAcknowledgement(ac.answer);
    for (int nth : ac.failedReads) {
        usb->FailRead(nth, SimulatedLogger::Failure::Timeout);
    }
    const ConfigBytes block = SampleBlock(0);
    link->m_pData.assign(block.begin(), block.end());

    EXPECT_EQ(Write(), ac.ok);
    const auto reads = usb->CallsOf(Op::Read);
    EXPECT_EQ(reads.size(), ac.reads);
    for (const auto& r : reads) {
        EXPECT_EQ(r.length, 1U);
        EXPECT_EQ(r.readTimeoutMs, 3000U);
    }
    if (ac.ok) {
        EXPECT_TRUE(boxes.shown.empty());
    } else {
        ExpectOnlyMessage(kTextWriteFailed);
    }
    EXPECT_FALSE(usb->IsOpen());
    ExpectTimeoutsRestored();
}

INSTANTIATE_TEST_SUITE_P(
    Answers, Acknowledgement,
    ::testing::Values(AckCase{"AtOnce", {0xFF}, {}, true, 1},
                      AckCase{"AfterAZeroByte", {0x00, 0xFF}, {}, true, 2},
                      AckCase{"AfterFailedReads", {0xFF}, {1, 2}, true, 3},
                      AckCase{"OnTheLastRead", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF}, {}, true, 10},
                      AckCase{"Never", {}, {}, false, 10},
                      AckCase{"OnlyOtherBytes", {0x00, 0x12, 0xFE}, {}, false, 10},
                      AckCase{"TooLate", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF}, {}, false, 10}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoggerLinkTest, ShortHeaderWriteSendsNoPayload) {
    Start(10);
    const Bytes before = ReadAll(image);
    usb->ShortenWrite(1, 2);
    const ConfigBytes block = SampleBlock(0);
    link->m_pData.assign(block.begin(), block.end());

    EXPECT_FALSE(Write());
    ExpectOnlyMessage(kTextWriteFailed);
    EXPECT_EQ(usb->Writes(), (std::vector<Bytes>{{0x01, 0x40, 0x00}}));
    EXPECT_EQ(usb->Received(), (Bytes{0x01, 0x40}));
    EXPECT_TRUE(usb->CallsOf(Op::Read).empty());
    EXPECT_EQ(ReadAll(image), before);
    EXPECT_FALSE(usb->IsOpen());
}

TEST_F(LoggerLinkTest, FailedConfigurationWritesLeaveTheLoggerAsItWas) {
    for (auto how : {SimulatedLogger::Failure::Error, SimulatedLogger::Failure::Timeout}) {
        for (int nth : {1, 2}) {
            SCOPED_TRACE(nth);
            Start(10);
            boxes.shown.clear();
            const Bytes before = ReadAll(image);
            usb->FailWrite(nth, how);
            const ConfigBytes block = SampleBlock(0);
            link->m_pData.assign(block.begin(), block.end());

            EXPECT_FALSE(Write());
            ExpectOnlyMessage(kTextWriteFailed);
            EXPECT_EQ(usb->Writes().size(), static_cast<std::size_t>(nth));
            EXPECT_TRUE(usb->CallsOf(Op::Read).empty());
            EXPECT_EQ(ReadAll(image), before);
            EXPECT_FALSE(usb->IsOpen());
            ExpectTimeoutsRestored();
        }
    }
}

TEST_F(LoggerLinkTest, WriteConfigRefusesAPayloadThatIsNotOneBlock) {
    Start(10);
    for (std::size_t size : {0, 63, 65}) {
        boxes.shown.clear();
        link->m_pData.assign(size, 0x11);
        ASSERT_TRUE(link->CheckConnection(1));
        usb->ClearRecord();
        EXPECT_FALSE(link->WriteConfig());
        EXPECT_TRUE(usb->Calls().empty());
        ExpectOnlyMessage(kTextWriteFailed);
        link->CloseLogger();
    }
}

// --- Connection ----------------------------------------------------------------------------

TEST_F(LoggerLinkTest, CommandsWithoutAnOpenDeviceDoNothing) {
    Start(4097);
    const ConfigBytes block = SampleBlock(0);
    link->m_pData.assign(block.begin(), block.end());
    EXPECT_FALSE(link->WriteConfig());
    EXPECT_FALSE(link->ReadData());
    EXPECT_TRUE(usb->Calls().empty());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(progress.events.empty());
}

TEST_F(LoggerLinkTest, ProbeOpensAndClosesOnce) {
    Start(10);
    EXPECT_TRUE(link->m_bPresent);
    EXPECT_EQ(link->m_hDevice, kNoHandle);
    link->CloseLogger();
    EXPECT_TRUE(usb->Calls().empty());

    // The constructor's probe, recorded afresh.
    usb->ClearRecord();
    CLoggerLinkDlg again(*usb, boxes, pause, progress);
    const auto& calls = usb->Calls();
    ASSERT_EQ(calls.size(), 2U);
    EXPECT_EQ(calls[0].op, Op::Open);
    EXPECT_EQ(calls[1].op, Op::Close);
    EXPECT_EQ(calls[1].handle, calls[0].handle);
    EXPECT_FALSE(usb->IsOpen());
}

TEST_F(LoggerLinkTest, CheckConnectionOpensForOneExchange) {
    Start(10);
    EXPECT_TRUE(link->CheckConnection(0));
    EXPECT_TRUE(usb->Calls().empty());

    ASSERT_TRUE(link->CheckConnection(1));
    EXPECT_TRUE(usb->IsOpen());
    EXPECT_NE(link->m_hDevice, kNoHandle);
    link->CloseLogger();
    link->CloseLogger();
    EXPECT_EQ(usb->CallsOf(Op::Close).size(), 1U);
    EXPECT_EQ(usb->CallsOf(Op::Close)[0].status, kUsbSuccess);
    EXPECT_FALSE(usb->IsOpen());
    EXPECT_EQ(link->m_hDevice, kNoHandle);
}

TEST_F(LoggerLinkTest, NoLoggerIsReportedByTheCallerNotTheLink) {
    Start(10);
    usb->SetAttached(false);
    MakeLink();
    EXPECT_FALSE(link->m_bPresent);
    EXPECT_EQ(link->m_hDevice, kNoHandle);
    EXPECT_FALSE(link->CheckConnection(1));
    EXPECT_TRUE(boxes.shown.empty());

    // The probe result stays what it was, but an exchange finds the logger now.
    usb->SetAttached(true);
    EXPECT_FALSE(link->CheckConnection(0));
    EXPECT_TRUE(Read());
}

TEST_F(LoggerLinkTest, OpenWithoutAHandleWarns) {
    Start(10);
    usb->SetOpenGivesNoHandle(true);
    EXPECT_FALSE(link->CheckConnection(1));
    ASSERT_EQ(boxes.shown.size(), 1U);
    EXPECT_EQ(boxes.shown[0].text, kTextNoHandle);
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Warning);
    EXPECT_EQ(boxes.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(link->m_hDevice, kNoHandle);
    link->CloseLogger();
    EXPECT_FALSE(usb->IsOpen());

    usb->ClearRecord();
    CLoggerLinkDlg probed(*usb, boxes, pause, progress);
    EXPECT_FALSE(probed.m_bPresent);
    EXPECT_TRUE(usb->CallsOf(Op::Close).empty());
}

TEST_F(LoggerLinkTest, ALoggerThatCannotBeUsedSaysWhy) {
    Start(10);
    WriteAll(image, std::string(10, 'x')); // shorter than a block
    EXPECT_FALSE(link->CheckConnection(1));
    ASSERT_EQ(boxes.shown.size(), 1U);
    EXPECT_NE(boxes.shown[0].text.find(image.string()), std::string::npos);
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Warning);
    link->CloseLogger();
    EXPECT_FALSE(usb->IsOpen());
}

TEST_F(LoggerLinkTest, ShortWriteWithSuccessCountsAsSent) {
    Start(10);
    ASSERT_TRUE(link->CheckConnection(1));
    usb->ShortenWrite(1, 2);
    const Bytes request = {0x00, 0x10, 0x01};
    std::uint32_t done = 99;
    EXPECT_TRUE(link->TimedWrite(request.data(), 3, &done, 1000));
    EXPECT_EQ(done, 2U);
    link->CloseLogger();
}

TEST_F(LoggerLinkTest, DestroyingALinkMidExchangeClosesTheDevice) {
    Start(10);
    ASSERT_TRUE(link->CheckConnection(1));
    link.reset();
    EXPECT_FALSE(usb->IsOpen());
}

} // namespace
