#pragma once

#include "LoggerConfig.h"

#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <span>
#include <string>
#include <vector>

// A recording file: "TVX", the 64-byte block, then recordedCount little-endian signed 16-bit
// samples in tenths of a degree of the block's unit. Nothing else; bytes after the samples
// carry no meaning.
inline constexpr char kRecordingMagic[3] = {'T', 'V', 'X'};
inline constexpr std::size_t kRecordingHeaderSize = sizeof kRecordingMagic + kConfigSize;
inline constexpr const char* kRecordingExtension = ".rec0";

// The most samples one recording can have: the document counts them in a signed 32-bit int.
inline constexpr std::uint32_t kMaxRecordingSamples = 0x7FFFFFFF;

struct Recording {
    LoggerConfig config;
    std::vector<std::int16_t> samples; // config.recordedCount of them, in the block's unit

    bool operator==(const Recording&) const = default;
};

// The block's recordedCount samples out of the bytes downloaded from the logger, converted to
// tenths of a degree Fahrenheit when the block says so. Nothing when the block counts more
// samples than the bytes hold.
std::optional<std::vector<std::int16_t>> SamplesFromLogger(const LoggerConfig& config,
                                                           std::span<const std::uint8_t> data);

// The path a save writes to: the chosen path with ".rec0" appended unless the text ".rec0"
// occurs in it anywhere (case-sensitive), so "run.rec0.bak" stays and "run.REC0" gets it.
std::string RecordingPathFor(const std::string& chosenPath);

// The file's bytes; empty when the samples are not as many as the block's recordedCount.
std::vector<std::uint8_t> EncodeRecording(const Recording& recording);

// Writes the whole file beside the target and renames it over only when every byte is on disk,
// so a failure leaves an existing file as it was and no half-written file anywhere. Empty on
// success, else the file error to show (warning icon).
std::string WriteRecordingFile(const std::string& path, const Recording& recording);

enum class RecordingReadStatus {
    Ok,         // recording holds the file's block and samples
    Empty,      // a file of no bytes: nothing read
    WrongMagic, // not a recording file
    Truncated,  // ends before its samples, or counts more than any recording can have
    ReadError,  // the system could not read the file
};

struct RecordingReadResult {
    RecordingReadStatus status = RecordingReadStatus::Empty;
    Recording recording; // only with Ok
    int errnoValue = 0;  // only with ReadError
};

// Reads block and samples in full before handing anything back; memory grows with the bytes
// actually read, never with what the block claims.
RecordingReadResult ReadRecording(std::istream& in);

// The warning a read ends with: empty for Ok and Empty; the file error with ReadError.
std::string RecordingReadMessage(const RecordingReadResult& result, const std::string& path);

inline constexpr const char* kWrongMagicText = "Ошибка! Файл содержит некорректные данные.";
inline constexpr const char* kUnexpectedFormatText = "Unexpected file format.";
