#pragma once

#include <cstdint>
#include <string>

// The device handle is opaque to the callers; -1 (all bits set) means "no handle".
using UsbHandle = std::intptr_t;
inline constexpr UsbHandle kNoHandle = -1;

// Status values of the six calls: 0 is success, anything else a failure.
enum UsbStatus : int {
    kUsbSuccess = 0,
    kUsbDeviceNotFound = 1,
    kUsbInvalidHandle = 2,
    kUsbAccessDenied = 3,
    kUsbBusy = 4,
    kUsbReadError = 5,
    kUsbWriteError = 6,
    kUsbReadTimedOut = 7,
    kUsbWriteTimedOut = 8,
    kUsbInvalidParameter = 9,
};

// A time-out value that means "wait for ever".
inline constexpr std::uint32_t kUsbNoTimeout = 0xFFFFFFFFU;

// The six calls of a USB bulk-transfer library, as the logger link uses them. The read and
// write time-outs belong to the library as a whole, not to a handle. A Read or Write is one
// bulk transfer of the given length; `overlapped` is always null.
class UsbLibrary {
public:
    virtual ~UsbLibrary() = default;

    virtual int Open(std::uint32_t index, UsbHandle* handle) = 0;
    virtual int Close(UsbHandle handle) = 0;
    virtual int Read(UsbHandle handle, std::uint8_t* buf, std::uint32_t len, std::uint32_t* got,
                     void* overlapped) = 0;
    virtual int Write(UsbHandle handle, const std::uint8_t* buf, std::uint32_t len,
                      std::uint32_t* done, void* overlapped) = 0;
    virtual int SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) = 0;
    virtual int GetTimeouts(std::uint32_t* readMs, std::uint32_t* writeMs) = 0;

    // Why the last failed Open failed, in words the user can act on (for example a missing
    // USB permission); empty when the plain answer is "no logger attached".
    virtual std::string LastError() const { return {}; }
};
