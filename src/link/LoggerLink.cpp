#include "LoggerLink.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::uint32_t kBlockSize = 64;
constexpr std::uint32_t kBlocksPerPage = 64;
constexpr std::uint32_t kPageSize = kBlockSize * kBlocksPerPage;
constexpr std::uint8_t kAcknowledgement = 0xFF;

constexpr std::uint32_t CeilDiv(std::uint32_t n, std::uint32_t d) {
    return n / d + (n % d != 0 ? 1 : 0);
}

} // namespace

CLoggerLinkDlg::CLoggerLinkDlg(UsbLibrary& usb, MessageBoxes& boxes, Pause& pause,
                               ProgressWindow& progress, const LinkTimeouts& timeouts)
    : m_usb(usb), m_boxes(boxes), m_pause(pause), m_progress(progress), m_timeouts(timeouts) {
    m_bPresent = ProbeLogger();
}

// Every exchange closes the device itself; this only guards a caller that forgot to.
CLoggerLinkDlg::~CLoggerLinkDlg() {
    CloseLogger();
}

bool CLoggerLinkDlg::ProbeLogger() {
    const int status = m_usb.Open(0, &m_hDevice);
    const bool found = status == kUsbSuccess && m_hDevice != kNoHandle;
    CloseLogger();
    return found;
}

void CLoggerLinkDlg::CloseLogger() {
    if (m_hDevice != kNoHandle) {
        m_usb.Close(m_hDevice);
        m_hDevice = kNoHandle;
    }
}

bool CLoggerLinkDlg::CheckConnection(int mode) {
    if (mode != 1) {
        return m_bPresent;
    }
    // A handle left over from an exchange that was never closed would otherwise be lost.
    CloseLogger();
    if (m_usb.Open(0, &m_hDevice) != kUsbSuccess) {
        // Normally no logger is attached and the caller says so. A logger that is there but
        // cannot be used (no permission, an unreadable image) gets its own explanation.
        const std::string why = m_usb.LastError();
        if (!why.empty()) {
            m_boxes.Show(why, MessageIcon::Warning, MessageButtons::Ok);
        }
        return false;
    }
    if (m_hDevice == kNoHandle) {
        m_boxes.Show(kTextNoHandle, MessageIcon::Warning, MessageButtons::Ok);
        return false;
    }
    return true;
}

bool CLoggerLinkDlg::TimedRead(std::uint8_t* buf, std::uint32_t len, std::uint32_t* got,
                               std::uint32_t timeoutMs) {
    std::uint32_t savedRead = 0;
    std::uint32_t savedWrite = 0;
    m_usb.GetTimeouts(&savedRead, &savedWrite);
    m_usb.SetTimeouts(timeoutMs, 0);
    const int status = m_usb.Read(m_hDevice, buf, len, got, nullptr);
    m_usb.SetTimeouts(savedRead, savedWrite);
    return status == kUsbSuccess;
}

bool CLoggerLinkDlg::TimedWrite(const std::uint8_t* buf, std::uint32_t len, std::uint32_t* done,
                                std::uint32_t timeoutMs) {
    std::uint32_t savedRead = 0;
    std::uint32_t savedWrite = 0;
    m_usb.GetTimeouts(&savedRead, &savedWrite);
    m_usb.SetTimeouts(0, timeoutMs);
    const int status = m_usb.Write(m_hDevice, buf, len, done, nullptr);
    m_usb.SetTimeouts(savedRead, savedWrite);
    return status == kUsbSuccess;
}

void CLoggerLinkDlg::ShowFailure(const char* text) {
    m_boxes.Show(text, MessageIcon::None, MessageButtons::Ok);
}

void CLoggerLinkDlg::FreeData() {
    std::vector<std::uint8_t>().swap(m_pData);
}

bool CLoggerLinkDlg::WriteConfig() {
    if (m_hDevice == kNoHandle) {
        return false;
    }
    // Anything but one block would send a wrong payload or read past the buffer.
    if (m_pData.size() != kConfigSize) {
        ShowFailure(kTextWriteFailed);
        return false;
    }
    static constexpr std::array<std::uint8_t, 3> kRequest = {0x01, 0x40, 0x00};
    std::uint32_t done = 0;
    if (!TimedWrite(kRequest.data(), kRequest.size(), &done, m_timeouts.requestMs) ||
        done != kRequest.size()) {
        ShowFailure(kTextWriteFailed);
        return false;
    }
    if (!TimedWrite(m_pData.data(), kConfigSize, &done, m_timeouts.requestMs)) {
        ShowFailure(kTextWriteFailed);
        return false;
    }
    // Failed reads and stray bytes are passed over, but a logger that never acknowledges
    // must not hold the program for ever.
    for (int i = 0; i < m_timeouts.acknowledgementReads; ++i) {
        std::uint8_t answer = 0;
        std::uint32_t got = 0;
        if (TimedRead(&answer, 1, &got, m_timeouts.answerMs) && answer == kAcknowledgement) {
            return true;
        }
    }
    ShowFailure(kTextWriteFailed);
    return false;
}

bool CLoggerLinkDlg::ReadData() {
    if (m_hDevice == kNoHandle) {
        return false;
    }
    static constexpr std::array<std::uint8_t, 3> kRequest = {0x00, 0x10, 0x01};
    std::uint32_t count = 0;
    if (!TimedWrite(kRequest.data(), kRequest.size(), &count, m_timeouts.requestMs)) {
        ShowFailure(kTextWriteFailed);
        return false;
    }

    // The 3-byte answer lands in the first bytes of the block, which the block then replaces.
    ConfigBytes raw = EncodeConfig(m_config);
    std::fill_n(raw.begin(), 3, 0);
    const bool answered = TimedRead(raw.data(), 3, &count, m_timeouts.answerMs);
    m_config = DecodeConfig(raw);
    if (!answered) {
        ShowFailure(kTextWriteFailed);
        return false;
    }
    const std::uint32_t recordedBytes = raw[1] + 256U * raw[2];
    const std::uint32_t blocks = CeilDiv(recordedBytes, kBlockSize);

    raw.fill(0);
    const bool gotBlock = TimedRead(raw.data(), kConfigSize, &count, m_timeouts.answerMs);
    m_config = DecodeConfig(raw);
    if (!gotBlock) {
        ShowFailure(kTextWriteFailed);
        return false;
    }
    if (blocks == 0) {
        ShowFailure(kTextNoData);
        return false;
    }

    m_pData.assign(std::size_t{blocks} * kBlockSize, 0);
    return ReadPages(blocks);
}

bool CLoggerLinkDlg::ReadPages(std::uint32_t blocks) {
    const std::uint32_t pages = CeilDiv(blocks, kBlocksPerPage);
    const int steps = static_cast<int>(pages);
    m_pProgressDlg = &m_progress;
    m_pProgressDlg->Create();
    m_pProgressDlg->SetRange(0, steps * 50);
    m_pProgressDlg->SetPos(steps * 10);

    bool ok = true;
    std::uint32_t remaining = blocks;
    for (std::uint32_t p = 0; p < pages; ++p) {
        const std::uint32_t k = std::min(remaining, kBlocksPerPage);
        remaining -= k;
        const std::array<std::uint8_t, 3> request = {0x00, static_cast<std::uint8_t>(p),
                                                     static_cast<std::uint8_t>(k)};
        std::array<std::uint8_t, 3> header{};
        std::uint32_t count = 0;
        if (!TimedWrite(request.data(), request.size(), &count, m_timeouts.requestMs) ||
            !TimedRead(header.data(), header.size(), &count, m_timeouts.answerMs)) {
            ok = false;
            break;
        }
        std::uint8_t* page = m_pData.data() + std::size_t{p} * kPageSize;
        std::fill_n(page, k * kBlockSize, 0);
        m_pause.Sleep(m_timeouts.pagePauseMs);
        if (!TimedRead(page, k * kBlockSize, &count, m_timeouts.pageMs)) {
            ok = false;
            break;
        }
        m_pProgressDlg->SetPos((steps + 4 * static_cast<int>(p + 1)) * 10);
    }

    if (!ok) {
        ShowFailure(kTextReadFailed);
    }
    m_pProgressDlg->Destroy();
    m_pProgressDlg = nullptr;
    return ok;
}
