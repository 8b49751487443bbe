#pragma once

#include "LoggerConfig.h"
#include "MessageBoxes.h"
#include "Pause.h"
#include "ProgressWindow.h"
#include "UsbLibrary.h"

#include <cstdint>
#include <vector>

// The time-outs of the logger protocol. Tests against an emulated device shorten them; the
// program uses the defaults.
struct LinkTimeouts {
    std::uint32_t requestMs = 1000; // every write
    std::uint32_t answerMs = 3000;  // start answer, block, page header, one acknowledgement
    std::uint32_t pageMs = 60000;   // the data of one page
    int acknowledgementReads = 10;  // then a configuration write counts as failed
    int pagePauseMs = 1000;         // before the data of each page
};

// The link to one logger: it opens the device for one exchange at a time and runs the two
// commands of the logger's protocol. No window of its own; failures are reported through the
// message boxes, progress through the progress window.
//
// Every exchange: CheckConnection(1); if true, WriteConfig or ReadData; then CloseLogger, also
// when the check or the command failed.
class CLoggerLinkDlg {
public:
    // Probes for a logger (opens device 0 and closes it again).
    CLoggerLinkDlg(UsbLibrary& usb, MessageBoxes& boxes, Pause& pause, ProgressWindow& progress,
                   const LinkTimeouts& timeouts = {});
    ~CLoggerLinkDlg();
    CLoggerLinkDlg(const CLoggerLinkDlg&) = delete;
    CLoggerLinkDlg& operator=(const CLoggerLinkDlg&) = delete;

    bool ProbeLogger();
    void CloseLogger();
    // Mode 1 opens the device for an exchange; any other mode only reports the probe result.
    bool CheckConnection(int mode);

    // Transfers with the given time-out for their direction; the library's time-outs are put
    // back afterwards whatever happened.
    bool TimedRead(std::uint8_t* buf, std::uint32_t len, std::uint32_t* got,
                   std::uint32_t timeoutMs);
    bool TimedWrite(const std::uint8_t* buf, std::uint32_t len, std::uint32_t* done,
                    std::uint32_t timeoutMs);

    // Sends the 64 bytes in m_pData and waits for the logger's acknowledgement.
    bool WriteConfig();
    // Reads the logger's block into m_config and its recorded bytes into m_pData.
    bool ReadData();

    // Frees the downloaded or outgoing bytes.
    void FreeData();

    LoggerConfig m_config;
    // Outgoing block before WriteConfig; downloaded bytes (whole blocks of 64) after ReadData.
    // Empty when there is none.
    std::vector<std::uint8_t> m_pData;
    // The progress window while a data read runs, null outside it.
    ProgressWindow* m_pProgressDlg = nullptr;
    bool m_bPresent = false;
    UsbHandle m_hDevice = kNoHandle;

private:
    void ShowFailure(const char* text);
    bool ReadPages(std::uint32_t blocks);

    UsbLibrary& m_usb;
    MessageBoxes& m_boxes;
    Pause& m_pause;
    ProgressWindow& m_progress;
    LinkTimeouts m_timeouts;
};

// The link's texts, for callers and tests.
inline constexpr const char* kTextWriteFailed = "Не удалось записать данные в логгер.";
inline constexpr const char* kTextNoData =
    "В настоящий момент данные в памяти логгера отсутствуют.";
inline constexpr const char* kTextReadFailed = "Считывание данных из логгера не выполнено.";
inline constexpr const char* kTextNoHandle =
    "Ошибка!\n\nРабота приложения прервана.\nПерезагрузите оборудование и повторите процедуру "
    "снова.";
