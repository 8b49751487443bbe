#pragma once

#include "SimulatedLogger.h"

#include <filesystem>
#include <mutex>
#include <vector>

struct _UMockdevTestbed;
struct _UMockdevIoctlBase;
struct _UMockdevIoctlClient;
struct _UMockdevIoctlData;

// A logger on an emulated USB bus: umockdev shows libusb a device 10c4:ea61 with interface 0
// and bulk endpoints 0x01 (OUT) and 0x81 (IN), and answers its usbdevfs requests. What goes
// over the endpoints is handled by a SimulatedLogger on the given image, so the emulated
// device speaks the logger's protocol; an IN transfer with nothing to answer stays pending
// until libusb gives up on it, which is a real time-out.
// Needs the umockdev preload library (run under umockdev-wrapper).
class EmulatedLogger {
public:
    explicit EmulatedLogger(const std::filesystem::path& image);
    ~EmulatedLogger();
    EmulatedLogger(const EmulatedLogger&) = delete;
    EmulatedLogger& operator=(const EmulatedLogger&) = delete;

    bool Ready() const { return m_ready; }
    // The logger's side; lock Guard() while reading it.
    SimulatedLogger& Logger() { return m_logger; }
    std::unique_lock<std::mutex> Guard() { return std::unique_lock(m_mutex); }

private:
    static int HandleIoctl(_UMockdevIoctlBase* base, _UMockdevIoctlClient* client, void* self);
    bool Handle(_UMockdevIoctlClient* client);
    bool Reap(_UMockdevIoctlClient* client);
    void Give(_UMockdevIoctlClient* client, _UMockdevIoctlData* urb);

    std::mutex m_mutex;
    SimulatedLogger m_logger;
    UsbHandle m_handle = kNoHandle;
    _UMockdevTestbed* m_testbed = nullptr;
    _UMockdevIoctlBase* m_handler = nullptr;
    bool m_ready = false;
    // URBs submitted and not yet reaped; each holds a reference.
    std::vector<_UMockdevIoctlData*> m_done;      // finished, waiting to be reaped
    std::vector<_UMockdevIoctlData*> m_pendingIn; // waiting for the logger to answer
    std::vector<_UMockdevIoctlData*> m_discarded; // cancelled by libusb
};
