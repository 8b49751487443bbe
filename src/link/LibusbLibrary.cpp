#include "LibusbLibrary.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <libusb.h>
#include <limits>

namespace {

constexpr int kInterface = 0;

std::optional<std::uint16_t> ParseHex16(std::string_view s) {
    if (s.size() != 4) {
        return std::nullopt;
    }
    std::uint16_t v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, 16);
    if (ec != std::errc() || end != s.data() + s.size()) {
        return std::nullopt;
    }
    return v;
}

std::string IdText(const UsbId& id) {
    char text[16];
    std::snprintf(text, sizeof text, "%04x:%04x", id.vendor, id.product);
    return text;
}

unsigned LibusbTimeout(std::uint32_t ms) {
    return ms == kUsbNoTimeout ? 0U : ms;
}

} // namespace

std::optional<UsbId> ParseUsbId(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    const auto vendor = ParseHex16(text.substr(0, colon));
    const auto product = ParseHex16(text.substr(colon + 1));
    if (!vendor || !product) {
        return std::nullopt;
    }
    return UsbId{*vendor, *product};
}

std::string UsbPermissionText(const UsbId& id, const std::string& deviceNode) {
    return "Логгер подключен (USB " + IdText(id) + ", " + deviceNode +
           "), но нет прав на доступ к нему.\n"
           "Установите правило udev 70-termix-logger.rules из папки resources:\n"
           "sudo cp resources/70-termix-logger.rules /etc/udev/rules.d/\n"
           "sudo udevadm control --reload && sudo udevadm trigger\n"
           "и подключите логгер заново.";
}

LibusbLibrary::LibusbLibrary() : LibusbLibrary(UsbId{}) {
    if (const char* env = std::getenv("TERMIX_USB_ID"); env != nullptr && *env != '\0') {
        if (const auto id = ParseUsbId(env)) {
            m_id = *id;
        } else {
            m_setupError = std::string("Неверное значение TERMIX_USB_ID: \"") + env +
                           "\" (нужно vvvv:pppp, например 10c4:ea61).";
        }
    }
}

LibusbLibrary::LibusbLibrary(const UsbId& id) : m_id(id) {
    const int rc = libusb_init(&m_context);
    if (rc != LIBUSB_SUCCESS) {
        m_context = nullptr;
        m_setupError = std::string("Не удалось запустить libusb: ") + libusb_strerror(rc);
    }
}

LibusbLibrary::~LibusbLibrary() {
    for (auto& [handle, device] : m_devices) {
        Release(device);
    }
    m_devices.clear();
    if (m_context != nullptr) {
        libusb_exit(m_context);
    }
}

void LibusbLibrary::Release(Device& device) {
    libusb_release_interface(device.handle, kInterface);
    libusb_close(device.handle);
    device.handle = nullptr;
}

int LibusbLibrary::Open(std::uint32_t index, UsbHandle* handle) {
    *handle = kNoHandle;
    m_lastError = m_setupError;
    if (m_context == nullptr || !m_setupError.empty()) {
        return kUsbDeviceNotFound;
    }
    libusb_device** list = nullptr;
    const ssize_t n = libusb_get_device_list(m_context, &list);
    if (n < 0) {
        m_lastError = std::string("Не удалось получить список устройств USB: ") +
                      libusb_strerror(static_cast<int>(n));
        return kUsbDeviceNotFound;
    }
    int status = kUsbDeviceNotFound;
    std::uint32_t seen = 0;
    for (ssize_t i = 0; i < n; ++i) {
        libusb_device_descriptor desc{};
        if (libusb_get_device_descriptor(list[i], &desc) != LIBUSB_SUCCESS ||
            desc.idVendor != m_id.vendor || desc.idProduct != m_id.product) {
            continue;
        }
        if (seen++ == index) {
            status = OpenFound(list[i], handle);
            break;
        }
    }
    libusb_free_device_list(list, 1);
    return status;
}

int LibusbLibrary::OpenFound(void* found, UsbHandle* handle) {
    auto* dev = static_cast<libusb_device*>(found);
    char node[64];
    std::snprintf(node, sizeof node, "/dev/bus/usb/%03u/%03u",
                  static_cast<unsigned>(libusb_get_bus_number(dev)),
                  static_cast<unsigned>(libusb_get_device_address(dev)));

    Device device;
    int rc = libusb_open(dev, &device.handle);
    if (rc == LIBUSB_ERROR_ACCESS) {
        m_lastError = UsbPermissionText(m_id, node);
        return kUsbAccessDenied;
    }
    if (rc != LIBUSB_SUCCESS) {
        m_lastError =
            std::string("Не удалось открыть логгер (") + node + "): " + libusb_strerror(rc);
        return kUsbDeviceNotFound;
    }

    libusb_config_descriptor* config = nullptr;
    if (libusb_get_active_config_descriptor(dev, &config) != LIBUSB_SUCCESS) {
        config = nullptr;
        if (libusb_get_config_descriptor(dev, 0, &config) != LIBUSB_SUCCESS) {
            config = nullptr;
        }
    }
    if (config != nullptr && config->bNumInterfaces > 0 &&
        config->interface[0].num_altsetting > 0) {
        const libusb_interface_descriptor& alt = config->interface[0].altsetting[0];
        for (int e = 0; e < alt.bNumEndpoints; ++e) {
            const libusb_endpoint_descriptor& ep = alt.endpoint[e];
            if ((ep.bmAttributes & LIBUSB_TRANSFER_TYPE_MASK) != LIBUSB_TRANSFER_TYPE_BULK) {
                continue;
            }
            const bool in = (ep.bEndpointAddress & LIBUSB_ENDPOINT_DIR_MASK) == LIBUSB_ENDPOINT_IN;
            std::uint8_t& slot = in ? device.in : device.out;
            if (slot == 0) {
                slot = ep.bEndpointAddress;
            }
        }
    }
    libusb_free_config_descriptor(config);
    if (device.in == 0 || device.out == 0) {
        libusb_close(device.handle);
        m_lastError = std::string("Устройство ") + node + " (USB " + IdText(m_id) +
                      ") не похоже на логгер: нет конечных точек для обмена.";
        return kUsbDeviceNotFound;
    }

    // Not every platform can detach a kernel driver; claiming then tells whether one is in the way.
    libusb_set_auto_detach_kernel_driver(device.handle, 1);
    rc = libusb_claim_interface(device.handle, kInterface);
    if (rc != LIBUSB_SUCCESS) {
        libusb_close(device.handle);
        if (rc == LIBUSB_ERROR_ACCESS) {
            m_lastError = UsbPermissionText(m_id, node);
            return kUsbAccessDenied;
        }
        m_lastError = rc == LIBUSB_ERROR_BUSY
                          ? std::string("Логгер (") + node + ") занят другой программой."
                          : std::string("Не удалось занять интерфейс логгера (") + node +
                                "): " + libusb_strerror(rc);
        return rc == LIBUSB_ERROR_BUSY ? kUsbBusy : kUsbDeviceNotFound;
    }

    const UsbHandle id = m_nextHandle++;
    m_devices.emplace(id, device);
    *handle = id;
    m_lastError.clear();
    return kUsbSuccess;
}

int LibusbLibrary::Close(UsbHandle handle) {
    const auto it = m_devices.find(handle);
    if (it == m_devices.end()) {
        return kUsbInvalidHandle;
    }
    Release(it->second);
    m_devices.erase(it);
    return kUsbSuccess;
}

int LibusbLibrary::Transfer(UsbHandle handle, std::uint8_t endpointKind, std::uint8_t* buf,
                            std::uint32_t len, std::uint32_t* count, std::uint32_t timeoutMs) {
    *count = 0;
    const auto it = m_devices.find(handle);
    if (it == m_devices.end()) {
        return kUsbInvalidHandle;
    }
    const bool in = endpointKind == LIBUSB_ENDPOINT_IN;
    if (len > static_cast<std::uint32_t>(std::numeric_limits<int>::max())) {
        return kUsbInvalidParameter;
    }
    int transferred = 0;
    const int rc =
        libusb_bulk_transfer(it->second.handle, in ? it->second.in : it->second.out, buf,
                             static_cast<int>(len), &transferred, LibusbTimeout(timeoutMs));
    *count = static_cast<std::uint32_t>(transferred);
    if (rc == LIBUSB_SUCCESS) {
        return kUsbSuccess;
    }
    if (rc == LIBUSB_ERROR_TIMEOUT) {
        return in ? kUsbReadTimedOut : kUsbWriteTimedOut;
    }
    return in ? kUsbReadError : kUsbWriteError;
}

int LibusbLibrary::Read(UsbHandle handle, std::uint8_t* buf, std::uint32_t len, std::uint32_t* got,
                        void* /*overlapped*/) {
    return Transfer(handle, LIBUSB_ENDPOINT_IN, buf, len, got, m_readMs);
}

int LibusbLibrary::Write(UsbHandle handle, const std::uint8_t* buf, std::uint32_t len,
                         std::uint32_t* done, void* /*overlapped*/) {
    // libusb takes a non-const buffer for both directions; an OUT transfer only reads it.
    return Transfer(handle, LIBUSB_ENDPOINT_OUT, const_cast<std::uint8_t*>(buf), len, done,
                    m_writeMs);
}

int LibusbLibrary::SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) {
    m_readMs = readMs;
    m_writeMs = writeMs;
    return kUsbSuccess;
}

int LibusbLibrary::GetTimeouts(std::uint32_t* readMs, std::uint32_t* writeMs) {
    *readMs = m_readMs;
    *writeMs = m_writeMs;
    return kUsbSuccess;
}
