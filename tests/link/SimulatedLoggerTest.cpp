#include "SimulatedLogger.h"

#include "LibusbLibrary.h"
#include "TempDir.h"
#include "TestImages.h"
#include "UsbLibraryFactory.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Session {
    explicit Session(const std::filesystem::path& image) : usb(image) {
        EXPECT_EQ(usb.Open(0, &handle), kUsbSuccess);
    }
    ~Session() { usb.Close(handle); }
    int Send(const Bytes& bytes) {
        std::uint32_t done = 0;
        return usb.Write(handle, bytes.data(), static_cast<std::uint32_t>(bytes.size()), &done,
                         nullptr);
    }
    // The next answer, or nothing when the logger stays silent.
    Bytes Receive(std::uint32_t len) {
        Bytes buf(len);
        std::uint32_t got = 0;
        if (usb.Read(handle, buf.data(), len, &got, nullptr) != kUsbSuccess) {
            return {};
        }
        buf.resize(got);
        return buf;
    }
    SimulatedLogger usb;
    UsbHandle handle = kNoHandle;
};

TEST(SimulatedLogger, ConfigurationWriteReplacesTheImageWhole) {
    TempDir dir;
    const auto image = dir / "logger.img";
    ASSERT_EQ(WriteLoggerImage(image, SampleBlock(50), PatternData(100)), "");
    ::chmod(image.c_str(), 0640);
    const ConfigBytes block = SampleBlock(0);

    Session s(image);
    s.Send({0x01, 0x40, 0x00});
    s.Send(Bytes(block.begin(), block.end()));
    EXPECT_EQ(s.Receive(1), (Bytes{0xFF}));
    EXPECT_EQ(ReadAll(image), Bytes(block.begin(), block.end()));
    struct stat st {};
    ASSERT_EQ(::stat(image.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640U);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

    // The new run has nothing recorded yet.
    s.Send({0x00, 0x10, 0x01});
    const Bytes answer = s.Receive(3);
    ASSERT_EQ(answer.size(), 3U);
    EXPECT_EQ(answer[1], 0);
    EXPECT_EQ(answer[2], 0);
    EXPECT_EQ(s.Receive(64), Bytes(block.begin(), block.end()));
}

TEST(SimulatedLogger, AConfigurationItCannotStoreIsNotAcknowledged) {
    TempDir dir;
    const auto folder = dir / "gone";
    std::filesystem::create_directory(folder);
    const auto image = folder / "logger.img";
    ASSERT_EQ(WriteLoggerImage(image, SampleBlock(5), PatternData(10)), "");
    const ConfigBytes block = SampleBlock(0);

    Session s(image);
    std::filesystem::remove_all(folder);
    s.Send({0x01, 0x40, 0x00});
    s.Send(Bytes(block.begin(), block.end()));
    EXPECT_EQ(s.Receive(1), Bytes{});
    EXPECT_NE(s.usb.LastError().find(image.string()), std::string::npos);
}

TEST(SimulatedLogger, RefusesImagesOfImpossibleSizes) {
    TempDir dir;
    const auto image = dir / "logger.img";
    for (std::size_t size : {0, 63, 64 + 65536}) {
        WriteAll(image, std::string(size, '\0'));
        SimulatedLogger usb(image);
        UsbHandle h = 7;
        EXPECT_EQ(usb.Open(0, &h), kUsbDeviceNotFound) << size;
        EXPECT_EQ(h, kNoHandle);
        EXPECT_NE(usb.LastError().find(image.string()), std::string::npos);
    }
    SimulatedLogger missing(dir / "none.img");
    UsbHandle h = kNoHandle;
    EXPECT_NE(missing.Open(0, &h), kUsbSuccess);
    EXPECT_NE(missing.LastError().find("none.img"), std::string::npos);

    WriteAll(image, std::string(64 + 65535, '\0'));
    SimulatedLogger full(image);
    EXPECT_EQ(full.Open(0, &h), kUsbSuccess);
    EXPECT_TRUE(full.LastError().empty());
    full.Close(h);
}

TEST(SimulatedLogger, IgnoresMessagesItDoesNotKnow) {
    TempDir dir;
    const auto image = dir / "logger.img";
    ASSERT_EQ(WriteLoggerImage(image, SampleBlock(5), PatternData(10)), "");
    Session s(image);
    for (const Bytes& message : std::vector<Bytes>{{0x02, 0x00, 0x00},
                                                   {0x00, 0x10, 0x00},
                                                   {0x00, 0x10, 0x01, 0x00},
                                                   {0x00, 0x10, 0x40},
                                                   {0x00, 0x00, 0x00},
                                                   {0x00, 0x00, 0x41},
                                                   {0x01, 0x40}}) {
        EXPECT_EQ(s.Send(message), kUsbSuccess);
        EXPECT_EQ(s.Receive(3), Bytes{});
    }
    // A payload without its request stores nothing.
    const ConfigBytes block = SampleBlock(0);
    s.Send(Bytes(block.begin(), block.end()));
    EXPECT_EQ(s.Receive(1), Bytes{});
    EXPECT_EQ(ReadAll(image).size(), 74U);
}

TEST(SimulatedLogger, OneOpenHandleAtATime) {
    TempDir dir;
    const auto image = dir / "logger.img";
    ASSERT_EQ(WriteLoggerImage(image, SampleBlock(5), PatternData(10)), "");
    SimulatedLogger usb(image);
    UsbHandle first = kNoHandle;
    UsbHandle second = kNoHandle;
    ASSERT_EQ(usb.Open(0, &first), kUsbSuccess);
    EXPECT_EQ(usb.Open(0, &second), kUsbBusy);
    EXPECT_EQ(second, kNoHandle);
    EXPECT_EQ(usb.Open(1, &second), kUsbDeviceNotFound);
    std::uint8_t b = 0;
    std::uint32_t n = 0;
    EXPECT_EQ(usb.Read(first + 1, &b, 1, &n, nullptr), kUsbInvalidHandle);
    EXPECT_EQ(usb.Close(first), kUsbSuccess);
    EXPECT_EQ(usb.Close(first), kUsbInvalidHandle);
    EXPECT_EQ(usb.Write(first, &b, 1, &n, nullptr), kUsbInvalidHandle);
    EXPECT_FALSE(usb.IsOpen());
}

TEST(UsbLibraryFactory, PicksTheSimulatedLoggerWhenAskedElseLibusb) {
    ::unsetenv("TERMIX_SIMULATED_LOGGER");
    auto given = MakeUsbLibrary("/tmp/a.img");
    ASSERT_NE(dynamic_cast<SimulatedLogger*>(given.get()), nullptr);
    EXPECT_EQ(dynamic_cast<SimulatedLogger*>(given.get())->ImagePath(), "/tmp/a.img");

    EXPECT_NE(dynamic_cast<LibusbLibrary*>(MakeUsbLibrary("").get()), nullptr);

    ::setenv("TERMIX_SIMULATED_LOGGER", "/tmp/b.img", 1);
    auto fromEnv = MakeUsbLibrary("");
    ::unsetenv("TERMIX_SIMULATED_LOGGER");
    ASSERT_NE(dynamic_cast<SimulatedLogger*>(fromEnv.get()), nullptr);
    EXPECT_EQ(dynamic_cast<SimulatedLogger*>(fromEnv.get())->ImagePath(), "/tmp/b.img");
}

TEST(LibusbLibrary, ReadsTheUsbIdAndNamesTheRuleWhenAccessIsDenied) {
    EXPECT_EQ(ParseUsbId("10c4:ea61"), (UsbId{0x10C4, 0xEA61}));
    EXPECT_EQ(ParseUsbId("ABCD:0001"), (UsbId{0xABCD, 0x0001}));
    for (const char* bad : {"", "10c4", "10c4:ea6", "10c4:ea611", "10c4-ea61", "g0c4:ea61", ":"}) {
        EXPECT_EQ(ParseUsbId(bad), std::nullopt) << bad;
    }
    const std::string text = UsbPermissionText(UsbId{}, "/dev/bus/usb/001/002");
    EXPECT_NE(text.find("70-termix-logger.rules"), std::string::npos);
    EXPECT_NE(text.find("10c4:ea61"), std::string::npos);

    // A bad id is not silently replaced by the default.
    ::setenv("TERMIX_USB_ID", "nonsense", 1);
    LibusbLibrary usb;
    ::unsetenv("TERMIX_USB_ID");
    UsbHandle h = kNoHandle;
    EXPECT_NE(usb.Open(0, &h), kUsbSuccess);
    EXPECT_EQ(h, kNoHandle);
    EXPECT_NE(usb.LastError().find("TERMIX_USB_ID"), std::string::npos);
}

} // namespace
