#include "CliCommands.h"
#include "EmulatedLogger.h"
#include "LibusbLibrary.h"
#include "LinkFakes.h"
#include "LoggerLink.h"
#include "RecordingFile.h"
#include "RecordingMessageBoxes.h"
#include "TempDir.h"
#include "TestImages.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <sstream>

namespace {

using Bytes = std::vector<std::uint8_t>;

// libusb polls the emulated device busily while it waits, so waits are kept short here.
LinkTimeouts ShortTimeouts() {
    LinkTimeouts t;
    t.requestMs = 500;
    t.answerMs = 500;
    t.pageMs = 2000;
    t.acknowledgementReads = 3;
    t.pagePauseMs = 0;
    return t;
}

class LibusbLoggerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::unsetenv("TERMIX_USB_ID");
        data = PatternData(4097); // two pages, the first of them full
        ASSERT_EQ(WriteLoggerImage(image, SampleBlock(2048), data), "");
        device = std::make_unique<EmulatedLogger>(image);
        ASSERT_TRUE(device->Ready());
        usb = std::make_unique<LibusbLibrary>();
    }
    void TearDown() override {
        usb.reset(); // libusb lets go of the device before the bus goes away
        device.reset();
    }
    std::unique_ptr<CLoggerLinkDlg> MakeLink(const LinkTimeouts& timeouts = ShortTimeouts()) {
        return std::make_unique<CLoggerLinkDlg>(*usb, boxes, pause, progress, timeouts);
    }

    TempDir dir;
    std::filesystem::path image = dir / "logger.img";
    Bytes data;
    std::unique_ptr<EmulatedLogger> device;
    std::unique_ptr<LibusbLibrary> usb;
    RecordingMessageBoxes boxes;
    FakePause pause;
    FakeProgressWindow progress;
};

TEST_F(LibusbLoggerTest, ReadsARecordingThroughLibusb) {
    auto link = MakeLink();
    EXPECT_TRUE(link->m_bPresent);
    ASSERT_TRUE(link->CheckConnection(1)) << usb->LastError();
    const bool ok = link->ReadData();
    link->CloseLogger();
    ASSERT_TRUE(ok) << testing::PrintToString(boxes.Texts());

    Bytes expected = data;
    expected.resize(65 * 64, 0);
    EXPECT_EQ(link->m_pData, expected);
    EXPECT_EQ(link->m_config, DecodeConfig(SampleBlock(2048)));
    EXPECT_EQ(progress.events, (std::vector<std::string>{"create", "range 0 100", "pos 20",
                                                         "pos 60", "pos 100", "destroy"}));
    const auto guard = device->Guard();
    EXPECT_EQ(device->Logger().Received(),
              (Bytes{0x00, 0x10, 0x01, 0x00, 0x00, 0x40, 0x00, 0x01, 0x01}));
}

TEST_F(LibusbLoggerTest, WritesAConfigurationThroughLibusb) {
    auto link = MakeLink();
    const ConfigBytes block = SampleBlock(0);
    link->m_pData.assign(block.begin(), block.end());
    ASSERT_TRUE(link->CheckConnection(1)) << usb->LastError();
    const bool ok = link->WriteConfig();
    link->CloseLogger();
    ASSERT_TRUE(ok);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(ReadAll(image), Bytes(block.begin(), block.end()));
    const auto guard = device->Guard();
    Bytes sent = {0x01, 0x40, 0x00};
    sent.insert(sent.end(), block.begin(), block.end());
    EXPECT_EQ(device->Logger().Received(), sent);
}

TEST_F(LibusbLoggerTest, ASilentLoggerTimesOut) {
    {
        const auto guard = device->Guard();
        device->Logger().SetAcknowledgement({});
    }
    LinkTimeouts timeouts = ShortTimeouts();
    timeouts.answerMs = 40;
    auto link = MakeLink(timeouts);
    const ConfigBytes block = SampleBlock(0);
    link->m_pData.assign(block.begin(), block.end());
    ASSERT_TRUE(link->CheckConnection(1)) << usb->LastError();
    EXPECT_FALSE(link->WriteConfig());
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{kTextWriteFailed});

    // The library itself: one read with nothing to answer ends as a time-out, and the
    // time-outs stay as set.
    std::uint8_t byte = 0;
    std::uint32_t got = 99;
    ASSERT_EQ(usb->SetTimeouts(30, 0), kUsbSuccess);
    EXPECT_EQ(usb->Read(link->m_hDevice, &byte, 1, &got, nullptr), kUsbReadTimedOut);
    EXPECT_EQ(got, 0U);
    std::uint32_t readMs = 0;
    std::uint32_t writeMs = 0;
    usb->GetTimeouts(&readMs, &writeMs);
    EXPECT_EQ(readMs, 30U);
    EXPECT_EQ(writeMs, 0U);
    link->CloseLogger();
}

TEST_F(LibusbLoggerTest, AnotherUsbIdFindsNoLogger) {
    LibusbLibrary other(UsbId{0x1234, 0x5678});
    UsbHandle h = kNoHandle;
    EXPECT_EQ(other.Open(0, &h), kUsbDeviceNotFound);
    EXPECT_EQ(h, kNoHandle);
    EXPECT_EQ(other.LastError(), "");
    // The second logger of the id is not there either.
    EXPECT_EQ(usb->Open(1, &h), kUsbDeviceNotFound);
}

} // namespace

int main(int argc, char** argv) {
    // The emulated bus exists only under umockdev's preload library.
    const char* preload = std::getenv("LD_PRELOAD");
    if (preload == nullptr || std::strstr(preload, "umockdev") == nullptr) {
        std::fprintf(stderr, "not run under umockdev-wrapper: skipped\n");
        return 77;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

TEST_F(LibusbLoggerTest, TermixCliDownloadWritesTheRecordingFromTheUsbDevice) {
    std::ostringstream out;
    std::ostringstream err;
    CliStreams io{out, err, false};
    const auto file = dir / "run";
    ASSERT_EQ(RunDownload(DownloadCommand{file.string()}, *usb, pause, io), 0) << err.str();

    LoggerConfig config = DecodeConfig(SampleBlock(2048));
    SetClockStamp(config, *RecordingStart(config));
    const auto samples = SamplesFromLogger(config, data);
    ASSERT_TRUE(samples);
    const auto expected = EncodeRecording(Recording{config, *samples});
    const auto written = ReadAll(dir / "run.rec0");
    EXPECT_EQ(std::vector<std::uint8_t>(written.begin(), written.end()), expected);
    EXPECT_EQ(err.str(), "");
}
