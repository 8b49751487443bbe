#include "RecordingFile.h"

#include "FileErrorText.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::int16_t GetSample(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[at]) |
                                     static_cast<std::uint16_t>(bytes[at + 1] << 8));
}

bool WriteFully(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = EIO;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A new file gets the permissions any program's new file gets; a replaced one keeps its own.
mode_t ModeFor(const std::filesystem::path& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        return st.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Where the bytes really go: a symbolic link is followed so that the link itself survives.
std::filesystem::path ResolveTarget(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) {
        const auto resolved = std::filesystem::weakly_canonical(path, ec);
        if (!ec) {
            return resolved;
        }
    }
    return path;
}

// Reads up to want bytes; fewer only at the end of the stream or on a read error.
std::size_t ReadSome(std::istream& in, std::uint8_t* into, std::size_t want) {
    in.read(reinterpret_cast<char*>(into), static_cast<std::streamsize>(want));
    return static_cast<std::size_t>(in.gcount());
}

RecordingReadResult Stopped(std::istream& in, RecordingReadStatus status) {
    RecordingReadResult result;
    if (in.bad()) {
        result.status = RecordingReadStatus::ReadError;
        result.errnoValue = errno != 0 ? errno : EIO;
    } else {
        result.status = status;
    }
    return result;
}

} // namespace

std::optional<std::vector<std::int16_t>> SamplesFromLogger(const LoggerConfig& config,
                                                           std::span<const std::uint8_t> data) {
    const std::size_t n = config.recordedCount;
    if (n > data.size() / 2) {
        return std::nullopt;
    }
    const bool fahrenheit = IsFahrenheit(config);
    std::vector<std::int16_t> samples(n);
    for (std::size_t i = 0; i < n; ++i) {
        const std::int16_t raw = GetSample(data, 2 * i);
        samples[i] = fahrenheit ? ToFahrenheitTenths(raw) : raw;
    }
    return samples;
}

std::string RecordingPathFor(const std::string& chosenPath) {
    if (chosenPath.find(kRecordingExtension) != std::string::npos) {
        return chosenPath;
    }
    return chosenPath + kRecordingExtension;
}

std::vector<std::uint8_t> EncodeRecording(const Recording& recording) {
    if (recording.samples.size() != recording.config.recordedCount) {
        return {};
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kRecordingHeaderSize + 2 * recording.samples.size());
    bytes.insert(bytes.end(), std::begin(kRecordingMagic), std::end(kRecordingMagic));
    const ConfigBytes block = EncodeConfig(recording.config);
    bytes.insert(bytes.end(), block.begin(), block.end());
    for (const std::int16_t s : recording.samples) {
        const auto u = static_cast<std::uint16_t>(s);
        bytes.push_back(static_cast<std::uint8_t>(u & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    return bytes;
}

std::string WriteRecordingFile(const std::string& path, const Recording& recording) {
    const std::vector<std::uint8_t> bytes = EncodeRecording(recording);
    if (bytes.empty()) {
        return FileErrorText(EINVAL, path);
    }
    const std::filesystem::path target = ResolveTarget(path);
    std::string temporary = target.string() + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return FileErrorText(errno, path);
    }
    bool ok = WriteFully(fd, bytes) && ::fchmod(fd, ModeFor(target)) == 0 && ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && std::rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return FileErrorText(error, path);
    }
    // The rename is only durable once the folder itself is on disk.
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    if (const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY); dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return {};
}

RecordingReadResult ReadRecording(std::istream& in) {
    errno = 0;
    std::array<std::uint8_t, kRecordingHeaderSize> header{};
    const std::size_t got = ReadSome(in, header.data(), header.size());
    if (got == 0) {
        return Stopped(in, RecordingReadStatus::Empty);
    }
    const std::size_t magicBytes = std::min(got, sizeof kRecordingMagic);
    if (!std::equal(header.begin(), header.begin() + static_cast<std::ptrdiff_t>(magicBytes),
                    std::begin(kRecordingMagic))) {
        return Stopped(in, RecordingReadStatus::WrongMagic);
    }
    if (got < header.size()) {
        return Stopped(in, RecordingReadStatus::Truncated);
    }
    const LoggerConfig config =
        DecodeConfig(std::span<const std::uint8_t, kConfigSize>(header.data() + 3, kConfigSize));
    const std::uint32_t n = config.recordedCount;
    if (n > kMaxRecordingSamples) {
        return Stopped(in, RecordingReadStatus::Truncated);
    }

    // The array grows chunk by chunk as the samples arrive, so a block claiming billions of
    // samples in a small file costs no more memory than the file itself.
    constexpr std::size_t kChunkSamples = 32768;
    std::vector<std::int16_t> samples;
    std::array<std::uint8_t, 2 * kChunkSamples> chunk{};
    while (samples.size() < n) {
        const std::size_t want = std::min<std::size_t>(kChunkSamples, n - samples.size());
        const std::size_t bytes = ReadSome(in, chunk.data(), 2 * want);
        for (std::size_t i = 0; i + 1 < bytes; i += 2) {
            samples.push_back(GetSample(chunk, i));
        }
        if (bytes < 2 * want) {
            return Stopped(in, RecordingReadStatus::Truncated);
        }
    }
    RecordingReadResult result;
    result.status = RecordingReadStatus::Ok;
    result.recording.config = config;
    result.recording.samples = std::move(samples);
    return result;
}

std::string RecordingReadMessage(const RecordingReadResult& result, const std::string& path) {
    switch (result.status) {
    case RecordingReadStatus::WrongMagic:
        return kWrongMagicText;
    case RecordingReadStatus::Truncated:
        return kUnexpectedFormatText;
    case RecordingReadStatus::ReadError:
        return FileErrorText(result.errnoValue, path);
    case RecordingReadStatus::Ok:
    case RecordingReadStatus::Empty:
        break;
    }
    return {};
}
