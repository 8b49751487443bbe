#include "SimulatedLogger.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kPageSize = 4096;
constexpr std::size_t kBlockSize = 64;

std::string SystemErrorText(int err) {
    return std::strerror(err);
}

bool WriteWhole(int fd, const std::uint8_t* bytes, std::size_t len) {
    while (len > 0) {
        const ssize_t n = ::write(fd, bytes, len);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes += n;
        len -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

std::string WriteLoggerImage(const std::filesystem::path& path, const ConfigBytes& block,
                             const std::vector<std::uint8_t>& data) {
    std::string tmpl = path.string() + ".XXXXXX";
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0) {
        return "Не удалось записать образ логгера " + path.string() + ": " + SystemErrorText(errno);
    }
    // Keep the permissions the image had.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) {
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        ::fchmod(fd, 0644);
    }
    const bool written = WriteWhole(fd, block.data(), block.size()) &&
                         WriteWhole(fd, data.data(), data.size()) && ::fsync(fd) == 0;
    const int writeErr = errno;
    if (::close(fd) != 0 || !written) {
        ::unlink(tmpl.c_str());
        return "Не удалось записать образ логгера " + path.string() + ": " +
               SystemErrorText(written ? errno : writeErr);
    }
    if (::rename(tmpl.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmpl.c_str());
        return "Не удалось записать образ логгера " + path.string() + ": " + SystemErrorText(err);
    }
    return {};
}

SimulatedLogger::SimulatedLogger(std::filesystem::path imagePath)
    : m_imagePath(std::move(imagePath)) {}

SimulatedLogger::Call& SimulatedLogger::Record(Op op) {
    Call& call = m_calls.emplace_back();
    call.op = op;
    call.readTimeoutMs = m_readMs;
    call.writeTimeoutMs = m_writeMs;
    return call;
}

std::vector<SimulatedLogger::Call> SimulatedLogger::CallsOf(Op op) const {
    std::vector<Call> out;
    std::copy_if(m_calls.begin(), m_calls.end(), std::back_inserter(out),
                 [op](const Call& c) { return c.op == op; });
    return out;
}

std::vector<std::vector<std::uint8_t>> SimulatedLogger::Writes() const {
    std::vector<std::vector<std::uint8_t>> out;
    for (const Call& c : m_calls) {
        if (c.op == Op::Write) {
            out.push_back(c.bytes);
        }
    }
    return out;
}

void SimulatedLogger::ClearRecord() {
    m_calls.clear();
    m_received.clear();
}

bool SimulatedLogger::LoadImage() {
    std::error_code ec;
    const auto size = std::filesystem::file_size(m_imagePath, ec);
    if (ec) {
        m_lastError =
            "Образ логгера не открывается: " + m_imagePath.string() + " (" + ec.message() + ").";
        return false;
    }
    if (size < kConfigSize || size > kConfigSize + kMaxRecordedBytes) {
        m_lastError = "Образ логгера " + m_imagePath.string() +
                      " повреждён: " + std::to_string(size) + " байт вместо 64–" +
                      std::to_string(kConfigSize + kMaxRecordedBytes) + ".";
        return false;
    }
    std::ifstream in(m_imagePath, std::ios::binary);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!in || in.gcount() != static_cast<std::streamsize>(bytes.size())) {
        m_lastError = "Образ логгера не читается: " + m_imagePath.string() + ".";
        return false;
    }
    std::copy_n(bytes.begin(), kConfigSize, m_block.begin());
    m_data.assign(bytes.begin() + kConfigSize, bytes.end());
    return true;
}

int SimulatedLogger::Open(std::uint32_t index, UsbHandle* handle) {
    Call& call = Record(Op::Open);
    *handle = kNoHandle;
    m_lastError.clear();
    if (!m_attached || m_unplugged || index != 0) {
        call.status = kUsbDeviceNotFound;
    } else if (m_openHandle != kNoHandle) {
        call.status = kUsbBusy;
    } else if (!LoadImage()) {
        call.status = kUsbDeviceNotFound;
    } else {
        call.status = kUsbSuccess;
        m_awaitingConfig = false;
        m_output.clear();
        m_pageBytesLeft = 0;
        if (!m_openGivesNoHandle) {
            m_openHandle = m_nextHandle++;
            *handle = m_openHandle;
        }
    }
    call.handle = *handle;
    return call.status;
}

int SimulatedLogger::Close(UsbHandle handle) {
    Call& call = Record(Op::Close);
    call.handle = handle;
    if (handle == kNoHandle || handle != m_openHandle) {
        call.status = kUsbInvalidHandle;
    } else {
        m_openHandle = kNoHandle;
    }
    return call.status;
}

int SimulatedLogger::SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) {
    m_readMs = readMs;
    m_writeMs = writeMs;
    Record(Op::SetTimeouts);
    return kUsbSuccess;
}

int SimulatedLogger::GetTimeouts(std::uint32_t* readMs, std::uint32_t* writeMs) {
    Record(Op::GetTimeouts);
    *readMs = m_readMs;
    *writeMs = m_writeMs;
    return kUsbSuccess;
}

int SimulatedLogger::Write(UsbHandle handle, const std::uint8_t* buf, std::uint32_t len,
                           std::uint32_t* done, void* /*overlapped*/) {
    Call& call = Record(Op::Write);
    call.handle = handle;
    call.length = len;
    call.buffer = buf;
    call.bytes.assign(buf, buf + len);
    *done = 0;
    if (handle == kNoHandle || handle != m_openHandle) {
        call.status = kUsbInvalidHandle;
        return call.status;
    }
    if (m_unplugged) {
        call.status = kUsbWriteError;
        return call.status;
    }
    const int nth = ++m_writes;
    if (const auto fault = m_writeFaults.find(nth); fault != m_writeFaults.end()) {
        call.status = fault->second == Failure::Timeout ? kUsbWriteTimedOut : kUsbWriteError;
        return call.status;
    }
    std::uint32_t taken = len;
    if (const auto shorter = m_shortWrites.find(nth); shorter != m_shortWrites.end()) {
        taken = std::min(len, shorter->second);
    }
    m_received.insert(m_received.end(), buf, buf + taken);
    Receive(buf, taken);
    *done = taken;
    call.count = taken;
    return call.status;
}

int SimulatedLogger::Read(UsbHandle handle, std::uint8_t* buf, std::uint32_t len,
                          std::uint32_t* got, void* /*overlapped*/) {
    Call& call = Record(Op::Read);
    call.handle = handle;
    call.length = len;
    call.buffer = buf;
    *got = 0;
    if (handle == kNoHandle || handle != m_openHandle) {
        call.status = kUsbInvalidHandle;
        return call.status;
    }
    if (m_unplugged) {
        call.status = kUsbReadError;
        return call.status;
    }
    const int nth = ++m_reads;
    if (const auto fault = m_readFaults.find(nth); fault != m_readFaults.end()) {
        call.status = fault->second == Failure::Timeout ? kUsbReadTimedOut : kUsbReadError;
        return call.status;
    }
    if (m_output.empty()) {
        call.status = kUsbReadTimedOut;
        return call.status;
    }
    const std::size_t n = std::min<std::size_t>(len, m_output.size());
    std::copy_n(m_output.begin(), n, buf);
    m_output.erase(m_output.begin(), m_output.begin() + static_cast<std::ptrdiff_t>(n));
    call.bytes.assign(buf, buf + n);
    *got = static_cast<std::uint32_t>(n);
    call.count = *got;

    if (m_pageBytesLeft > 0) {
        m_pageBytesLeft -= std::min(m_pageBytesLeft, n);
        if (m_pageBytesLeft == 0 && ++m_pagesSent == m_unplugAfterPages) {
            m_unplugged = true;
        }
    }
    return call.status;
}

void SimulatedLogger::Receive(const std::uint8_t* bytes, std::uint32_t len) {
    if (m_awaitingConfig) {
        m_awaitingConfig = false;
        if (len == kConfigSize) {
            StoreConfig(bytes);
            return;
        }
    }
    if (len != 3) {
        return; // not a request this logger knows
    }
    const std::uint8_t a = bytes[0];
    const std::uint8_t b = bytes[1];
    const std::uint8_t c = bytes[2];
    if (a == 0x01 && b == 0x40 && c == 0x00) {
        m_output.clear();
        m_pageBytesLeft = 0;
        m_awaitingConfig = true;
    } else if (a == 0x00 && b == 0x10 && c == 0x01) {
        m_output.clear();
        m_pageBytesLeft = 0;
        const auto n = static_cast<std::uint32_t>(m_data.size());
        m_output.push_back(kStartAnswerMark);
        m_output.push_back(static_cast<std::uint8_t>(n & 0xFF));
        m_output.push_back(static_cast<std::uint8_t>(n >> 8));
        m_output.insert(m_output.end(), m_block.begin(), m_block.end());
    } else if (a == 0x00 && b < 16 && c >= 1 && c <= 64) {
        m_output.clear();
        m_output.insert(m_output.end(), {a, b, c});
        const std::size_t from = std::size_t{b} * kPageSize;
        const std::size_t len = std::size_t{c} * kBlockSize;
        for (std::size_t i = from; i < from + len; ++i) {
            m_output.push_back(i < m_data.size() ? m_data[i] : 0);
        }
        m_pageBytesLeft = 3 + len;
    }
}

void SimulatedLogger::StoreConfig(const std::uint8_t* block) {
    ConfigBytes stored{};
    std::copy_n(block, kConfigSize, stored.begin());
    const std::string error = WriteLoggerImage(m_imagePath, stored, {});
    if (!error.empty()) {
        m_lastError = error; // a logger that could not store the block does not acknowledge it
        return;
    }
    m_block = stored;
    m_data.clear();
    m_output.assign(m_acknowledgement.begin(), m_acknowledgement.end());
}
