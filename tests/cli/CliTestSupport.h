#pragma once

#include "CivilTime.h"
#include "LoggerConfig.h"
#include "Pause.h"
#include "SimulatedLogger.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

class FixedClock final : public Clock {
public:
    explicit FixedClock(CivilDateTime t) : m_t(t) {}
    CivilDateTime Now() const override { return m_t; }

private:
    CivilDateTime m_t;
};

class NoPause final : public Pause {
public:
    void Sleep(int /*ms*/) override {}
};

inline std::vector<std::uint8_t> SampleBytes(const std::vector<std::int16_t>& samples) {
    std::vector<std::uint8_t> bytes;
    for (const auto s : samples) {
        const auto u = static_cast<std::uint16_t>(s);
        bytes.push_back(static_cast<std::uint8_t>(u & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    return bytes;
}

inline std::vector<unsigned char> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

inline std::vector<unsigned char> Concat(std::initializer_list<std::vector<unsigned char>> parts) {
    std::vector<unsigned char> all;
    for (const auto& p : parts) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

inline std::vector<unsigned char> BlockBytes(const LoggerConfig& c) {
    const ConfigBytes b = EncodeConfig(c);
    return {b.begin(), b.end()};
}

inline std::string FileText(const std::filesystem::path& p) {
    const auto bytes = ReadAll(p);
    return {bytes.begin(), bytes.end()};
}

// Streams that a command writes to, as one fixture member.
struct CapturedStreams {
    std::ostringstream out;
    std::ostringstream err;
};
