#pragma once

#include "LoggerConfig.h"
#include "UsbLibrary.h"

#include <cstdint>
#include <deque>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

// The logger's side of the protocol, in process, behind the same six calls as a real USB
// library. Its memory is a logger image file: the 64-byte block exactly as the logger sends
// it, then the recorded data bytes (at most 65535). The file is read at every Open, as if the
// logger had just been plugged in; a configuration write replaces it (whole or not at all)
// with the new block and no data, as a logger starting a new run does.
//
// Every Write is one message to the logger. It understands the 3-byte requests (write
// configuration, start of data read, read one page) and the 64-byte configuration that
// follows its request; anything else it ignores. Its answers queue up and are handed out by
// the following Reads; a Read with nothing queued times out at once.
//
// Every call is recorded with the time-outs in force, and every byte that reached the logger
// is kept. Faults are injected on request.
class SimulatedLogger final : public UsbLibrary {
public:
    enum class Op { Open, Close, Read, Write, SetTimeouts, GetTimeouts };
    enum class Failure { Error, Timeout };

    struct Call {
        Op op = Op::Open;
        int status = kUsbSuccess;
        UsbHandle handle = kNoHandle; // Open: the handle given out; otherwise the one passed
        std::uint32_t length = 0;     // Read, Write: bytes asked for
        std::uint32_t count = 0;      // Read, Write: bytes reported
        const std::uint8_t* buffer = nullptr; // Read, Write: the caller's buffer
        std::vector<std::uint8_t> bytes;      // Write: what the caller gave; Read: what it received
        // Read, Write, Open, Close, GetTimeouts: the time-outs in force during the call;
        // SetTimeouts: the values set.
        std::uint32_t readTimeoutMs = 0;
        std::uint32_t writeTimeoutMs = 0;
    };

    explicit SimulatedLogger(std::filesystem::path imagePath);

    int Open(std::uint32_t index, UsbHandle* handle) override;
    int Close(UsbHandle handle) override;
    int Read(UsbHandle handle, std::uint8_t* buf, std::uint32_t len, std::uint32_t* got,
             void* overlapped) override;
    int Write(UsbHandle handle, const std::uint8_t* buf, std::uint32_t len, std::uint32_t* done,
              void* overlapped) override;
    int SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) override;
    int GetTimeouts(std::uint32_t* readMs, std::uint32_t* writeMs) override;
    std::string LastError() const override { return m_lastError; }

    // --- Faults. Read and Write calls are counted from 1 over the object's whole life.
    // No logger attached: Open fails.
    void SetAttached(bool attached) { m_attached = attached; }
    // Open reports success but gives no handle.
    void SetOpenGivesNoHandle(bool on) { m_openGivesNoHandle = on; }
    // The nth Read fails (or times out); it delivers nothing and the answer stays queued.
    void FailRead(int nth, Failure how = Failure::Error) { m_readFaults[nth] = how; }
    // The nth Write fails (or times out); nothing reaches the logger.
    void FailWrite(int nth, Failure how = Failure::Error) { m_writeFaults[nth] = how; }
    // The nth Write succeeds but takes only the first `taken` bytes and reports that count.
    void ShortenWrite(int nth, std::uint32_t taken) { m_shortWrites[nth] = taken; }
    // The bytes the logger answers after storing a configuration, then silence.
    // Default: the single acknowledgement 0xFF. Empty: it never acknowledges.
    void SetAcknowledgement(std::vector<std::uint8_t> bytes) {
        m_acknowledgement = std::move(bytes);
    }
    // The logger is pulled out once the data of this many pages has been read from it.
    void UnplugAfterPages(int pages) { m_unplugAfterPages = pages; }

    // --- Record.
    const std::vector<Call>& Calls() const { return m_calls; }
    std::vector<Call> CallsOf(Op op) const;
    // The payloads of all Writes, in order, as the caller gave them.
    std::vector<std::vector<std::uint8_t>> Writes() const;
    // Every byte that reached the logger.
    const std::vector<std::uint8_t>& Received() const { return m_received; }
    void ClearRecord();

    bool IsOpen() const { return m_openHandle != kNoHandle; }
    bool IsUnplugged() const { return m_unplugged; }
    std::uint32_t ReadTimeoutMs() const { return m_readMs; }
    std::uint32_t WriteTimeoutMs() const { return m_writeMs; }
    const std::filesystem::path& ImagePath() const { return m_imagePath; }

    // The logger's first answer byte to a start of data read; callers do not look at it.
    static constexpr std::uint8_t kStartAnswerMark = 0xA5;

private:
    bool LoadImage();
    void Receive(const std::uint8_t* bytes, std::uint32_t len);
    void StoreConfig(const std::uint8_t* block);
    Call& Record(Op op);

    std::filesystem::path m_imagePath;
    std::string m_lastError;

    bool m_attached = true;
    bool m_openGivesNoHandle = false;
    std::map<int, Failure> m_readFaults;
    std::map<int, Failure> m_writeFaults;
    std::map<int, std::uint32_t> m_shortWrites;
    std::vector<std::uint8_t> m_acknowledgement{0xFF};
    int m_unplugAfterPages = -1;

    std::uint32_t m_readMs = kUsbNoTimeout;
    std::uint32_t m_writeMs = kUsbNoTimeout;
    UsbHandle m_openHandle = kNoHandle;
    UsbHandle m_nextHandle = 1;
    bool m_unplugged = false;
    int m_reads = 0;
    int m_writes = 0;

    // The logger's memory and protocol state.
    ConfigBytes m_block{};
    std::vector<std::uint8_t> m_data;
    bool m_awaitingConfig = false;
    std::deque<std::uint8_t> m_output;
    std::size_t m_pageBytesLeft = 0;
    int m_pagesSent = 0;

    std::vector<Call> m_calls;
    std::vector<std::uint8_t> m_received;
};

// Writes a logger image (block, then data) so that the file is either the old one or the
// complete new one. Returns an empty text on success, else why it failed.
std::string WriteLoggerImage(const std::filesystem::path& path, const ConfigBytes& block,
                             const std::vector<std::uint8_t>& data);

inline constexpr std::size_t kMaxRecordedBytes = 65535;
