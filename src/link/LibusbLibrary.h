#pragma once

#include "UsbLibrary.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

struct libusb_context;
struct libusb_device_handle;

struct UsbId {
    std::uint16_t vendor = 0x10C4;
    std::uint16_t product = 0xEA61;
    bool operator==(const UsbId&) const = default;
};

// "vvvv:pppp" in hexadecimal; nullopt for anything else.
std::optional<UsbId> ParseUsbId(std::string_view text);

// What the user is told when the logger is there but the system will not let us open it.
std::string UsbPermissionText(const UsbId& id, const std::string& deviceNode);

// The six calls over libusb-1.0. Device index i is the (i+1)-th attached device with the
// logger's USB id (10c4:ea61, or TERMIX_USB_ID=vvvv:pppp). Open claims interface 0, detaching
// a kernel driver if one holds it, and takes the bulk IN and OUT endpoints from the
// descriptors; Read and Write are one bulk transfer of exactly the requested length. The
// time-outs are library-wide; 0 and kUsbNoTimeout both mean "no time-out", as 0 does to libusb.
class LibusbLibrary final : public UsbLibrary {
public:
    // Takes the USB id from TERMIX_USB_ID when it is set.
    LibusbLibrary();
    explicit LibusbLibrary(const UsbId& id);
    ~LibusbLibrary() override;
    LibusbLibrary(const LibusbLibrary&) = delete;
    LibusbLibrary& operator=(const LibusbLibrary&) = delete;

    int Open(std::uint32_t index, UsbHandle* handle) override;
    int Close(UsbHandle handle) override;
    int Read(UsbHandle handle, std::uint8_t* buf, std::uint32_t len, std::uint32_t* got,
             void* overlapped) override;
    int Write(UsbHandle handle, const std::uint8_t* buf, std::uint32_t len, std::uint32_t* done,
              void* overlapped) override;
    int SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) override;
    int GetTimeouts(std::uint32_t* readMs, std::uint32_t* writeMs) override;
    std::string LastError() const override { return m_lastError; }

private:
    struct Device {
        libusb_device_handle* handle = nullptr;
        std::uint8_t in = 0;
        std::uint8_t out = 0;
    };
    int OpenFound(void* device, UsbHandle* handle);
    int Transfer(UsbHandle handle, std::uint8_t endpointKind, std::uint8_t* buf, std::uint32_t len,
                 std::uint32_t* count, std::uint32_t timeoutMs);
    static void Release(Device& device);

    libusb_context* m_context = nullptr;
    UsbId m_id;
    std::string m_setupError; // a bad TERMIX_USB_ID or a library that did not start
    std::string m_lastError;
    std::map<UsbHandle, Device> m_devices;
    UsbHandle m_nextHandle = 1;
    std::uint32_t m_readMs = kUsbNoTimeout;
    std::uint32_t m_writeMs = kUsbNoTimeout;
};
