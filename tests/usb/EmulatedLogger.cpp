#include "EmulatedLogger.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>
#include <umockdev.h>

namespace {

constexpr const char* kNode = "/dev/bus/usb/001/002";

// Device 10c4:ea61, one configuration, interface 0 with bulk endpoints 0x01 and 0x81 of 64 bytes.
constexpr const char* kDevice =
    "P: /devices/pci0000:00/0000:00:14.0/usb1/1-1\n"
    "N: bus/usb/001/002\n"
    "E: SUBSYSTEM=usb\n"
    "E: DEVTYPE=usb_device\n"
    "E: DEVNAME=/dev/bus/usb/001/002\n"
    "A: busnum=1\\n\n"
    "A: devnum=2\\n\n"
    "H: descriptors=1201000200000040C41061EA00010102030109022000010100803209"
    "04000002FF0000020705010240000007058102400000\n";

usbdevfs_urb* UrbOf(UMockdevIoctlData* data) {
    return reinterpret_cast<usbdevfs_urb*>(data->data);
}

} // namespace

EmulatedLogger::EmulatedLogger(const std::filesystem::path& image) : m_logger(image) {
    if (m_logger.Open(0, &m_handle) != kUsbSuccess) {
        std::fprintf(stderr, "emulated logger: %s\n", m_logger.LastError().c_str());
        return;
    }
    m_testbed = umockdev_testbed_new();
    m_handler = umockdev_ioctl_base_new();
    g_signal_connect_after(m_handler, "handle-ioctl", G_CALLBACK(&EmulatedLogger::HandleIoctl),
                           this);
    GError* error = nullptr;
    // The handler goes first so that the device answers as soon as it appears.
    if (!umockdev_testbed_attach_ioctl(m_testbed, kNode, m_handler, &error) ||
        !umockdev_testbed_add_from_string(m_testbed, kDevice, &error)) {
        std::fprintf(stderr, "emulated logger: %s\n", error != nullptr ? error->message : "?");
        g_clear_error(&error);
        return;
    }
    m_ready = umockdev_in_mock_environment();
}

EmulatedLogger::~EmulatedLogger() {
    if (m_testbed != nullptr) {
        umockdev_testbed_clear(m_testbed);
        g_object_unref(m_testbed);
    }
    if (m_handler != nullptr) {
        g_object_unref(m_handler);
    }
    for (auto* list : {&m_done, &m_pendingIn, &m_discarded}) {
        for (UMockdevIoctlData* urb : *list) {
            umockdev_ioctl_data_unref(urb);
        }
    }
    m_logger.Close(m_handle);
}

int EmulatedLogger::HandleIoctl(UMockdevIoctlBase* /*base*/, UMockdevIoctlClient* client,
                                void* self) {
    auto* me = static_cast<EmulatedLogger*>(self);
    std::lock_guard lock(me->m_mutex);
    return me->Handle(client) ? TRUE : FALSE;
}

bool EmulatedLogger::Handle(UMockdevIoctlClient* client) {
    const unsigned long request = umockdev_ioctl_client_get_request(client);
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);

    switch (request) {
    case USBDEVFS_GET_CAPABILITIES: {
        UMockdevIoctlData* caps =
            umockdev_ioctl_data_resolve(arg, 0, sizeof(std::uint32_t), nullptr);
        const std::uint32_t value = USBDEVFS_CAP_BULK_CONTINUATION |
                                    USBDEVFS_CAP_NO_PACKET_SIZE_LIM |
                                    USBDEVFS_CAP_REAP_AFTER_DISCONNECT;
        std::memcpy(caps->data, &value, sizeof value);
        umockdev_ioctl_data_unref(caps);
        umockdev_ioctl_client_complete(client, 0, 0);
        return true;
    }
    case USBDEVFS_CLAIMINTERFACE:
    case USBDEVFS_RELEASEINTERFACE:
    case USBDEVFS_DISCONNECT_CLAIM:
    case USBDEVFS_CLEAR_HALT:
    case USBDEVFS_RESETEP:
    case USBDEVFS_IOCTL: // reattaching the kernel driver that the claim detached
        umockdev_ioctl_client_complete(client, 0, 0);
        return true;
    case USBDEVFS_GETDRIVER:
        umockdev_ioctl_client_complete(client, -1, ENODATA); // no kernel driver bound
        return true;

    case USBDEVFS_SUBMITURB: {
        UMockdevIoctlData* urbData =
            umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_urb), nullptr);
        usbdevfs_urb* urb = UrbOf(urbData);
        if (urb->type != USBDEVFS_URB_TYPE_BULK || urb->buffer_length < 0) {
            umockdev_ioctl_data_unref(urbData);
            umockdev_ioctl_client_complete(client, -1, EINVAL);
            return true;
        }
        if ((urb->endpoint & 0x80) == 0) {
            UMockdevIoctlData* buffer =
                umockdev_ioctl_data_resolve(urbData, offsetof(usbdevfs_urb, buffer),
                                            static_cast<gsize>(urb->buffer_length), nullptr);
            std::uint32_t done = 0;
            const int status =
                m_logger.Write(m_handle, buffer->data,
                               static_cast<std::uint32_t>(urb->buffer_length), &done, nullptr);
            umockdev_ioctl_data_unref(buffer);
            urb->actual_length = static_cast<int>(done);
            urb->status = status == kUsbSuccess ? 0 : -EPIPE;
            m_done.push_back(urbData);
        } else {
            m_pendingIn.push_back(urbData);
        }
        umockdev_ioctl_client_complete(client, 0, 0);
        return true;
    }
    case USBDEVFS_REAPURB:
    case USBDEVFS_REAPURBNDELAY:
        return Reap(client);

    case USBDEVFS_DISCARDURB: {
        const auto address = reinterpret_cast<gulong>(*reinterpret_cast<void**>(arg->data));
        const auto it =
            std::find_if(m_pendingIn.begin(), m_pendingIn.end(),
                         [&](UMockdevIoctlData* d) { return d->client_addr == address; });
        if (it == m_pendingIn.end()) {
            umockdev_ioctl_client_complete(client, -1, EINVAL);
            return true;
        }
        m_discarded.push_back(*it);
        m_pendingIn.erase(it);
        umockdev_ioctl_client_complete(client, 0, 0);
        return true;
    }
    default:
        std::fprintf(stderr, "emulated logger: unexpected ioctl 0x%lx\n", request);
        return false;
    }
}

bool EmulatedLogger::Reap(UMockdevIoctlClient* client) {
    if (!m_discarded.empty()) {
        UMockdevIoctlData* urb = m_discarded.front();
        m_discarded.erase(m_discarded.begin());
        UrbOf(urb)->status = -ENOENT;
        UrbOf(urb)->actual_length = 0;
        Give(client, urb);
        return true;
    }
    if (!m_done.empty()) {
        UMockdevIoctlData* urb = m_done.front();
        m_done.erase(m_done.begin());
        Give(client, urb);
        return true;
    }
    if (!m_pendingIn.empty()) {
        UMockdevIoctlData* urb = m_pendingIn.front();
        usbdevfs_urb* u = UrbOf(urb);
        std::vector<std::uint8_t> answer(static_cast<std::size_t>(u->buffer_length));
        std::uint32_t got = 0;
        if (m_logger.Read(m_handle, answer.data(), static_cast<std::uint32_t>(answer.size()), &got,
                          nullptr) == kUsbSuccess) {
            m_pendingIn.erase(m_pendingIn.begin());
            // Same address space: the client's buffer can be written directly.
            std::memcpy(u->buffer, answer.data(), got);
            u->actual_length = static_cast<int>(got);
            u->status = 0;
            Give(client, urb);
            return true;
        }
    }
    umockdev_ioctl_client_complete(client, -1, EAGAIN);
    return true;
}

// Hands a finished URB back to the client and drops our reference.
void EmulatedLogger::Give(UMockdevIoctlClient* client, UMockdevIoctlData* urb) {
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    UMockdevIoctlData* out = umockdev_ioctl_data_resolve(arg, 0, sizeof(void*), nullptr);
    umockdev_ioctl_data_set_ptr(out, 0, urb);
    umockdev_ioctl_client_complete(client, 0, 0);
    umockdev_ioctl_data_unref(out);
    umockdev_ioctl_data_unref(urb);
}
