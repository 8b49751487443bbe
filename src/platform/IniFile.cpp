#include "IniFile.h"

#include "Cp1251.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace {

std::string Trim(std::string_view s) {
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && isSpace(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isSpace(s.back())) {
        s.remove_suffix(1);
    }
    return std::string(s);
}

// Case folding for ASCII and the Cyrillic range of Windows-1251; names are compared as bytes.
unsigned char Fold(unsigned char c) {
    if (c >= 'a' && c <= 'z') {
        return static_cast<unsigned char>(c - 'a' + 'A');
    }
    if (c >= 0xE0) {
        return static_cast<unsigned char>(c - 0x20);
    }
    if (c == 0xB8) {
        return 0xA8;
    }
    return c;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return Fold(static_cast<unsigned char>(x)) == Fold(static_cast<unsigned char>(y));
           });
}

std::string ReadRaw(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return {};
    }
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> ReadLines(const std::filesystem::path& path) {
    std::vector<std::string> lines;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return lines; // a pipe under the name would block the read
    }
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

// Something that is there but cannot be read whole must not be rewritten from nothing.
bool Unreadable(const std::filesystem::path& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) {
        return false;
    }
    if (!std::filesystem::is_regular_file(status)) {
        return true;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return true;
    }
    in.ignore(std::numeric_limits<std::streamsize>::max());
    return in.bad();
}

std::optional<std::string> SectionName(const std::string& line) {
    const std::string t = Trim(line);
    if (t.size() >= 2 && t.front() == '[') {
        const auto close = t.find(']');
        if (close != std::string::npos) {
            return Trim(std::string_view(t).substr(1, close - 1));
        }
    }
    return std::nullopt;
}

// Key and value of a "key=value" line; comments and other lines give nothing.
std::optional<std::pair<std::string, std::string>> KeyValue(const std::string& line) {
    const std::string t = Trim(line);
    if (t.empty() || t.front() == ';') {
        return std::nullopt;
    }
    const auto eq = t.find('=');
    if (eq == std::string::npos) {
        return std::nullopt;
    }
    return std::make_pair(Trim(std::string_view(t).substr(0, eq)),
                          Trim(std::string_view(t).substr(eq + 1)));
}

std::optional<std::string> FindValue(const std::filesystem::path& path, const std::string& section,
                                     const std::string& key) {
    const auto sectionBytes = cp1251::FromUtf8(section);
    const auto keyBytes = cp1251::FromUtf8(key);
    if (!sectionBytes || !keyBytes) {
        return std::nullopt;
    }
    bool inSection = false;
    for (const auto& line : ReadLines(path)) {
        if (const auto name = SectionName(line)) {
            inSection = SameName(*name, *sectionBytes);
            continue;
        }
        if (inSection) {
            if (const auto kv = KeyValue(line); kv && SameName(kv->first, *keyBytes)) {
                return kv->second;
            }
        }
    }
    return std::nullopt;
}

bool WriteWhole(const std::filesystem::path& path, const std::string& content) {
    std::error_code ec;
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), ec);
    }
    std::string tmpl = path.string() + ".XXXXXX";
    const int fd = mkstemp(tmpl.data());
    if (fd < 0) {
        return false;
    }
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        ok = n > 0;
        done += ok ? static_cast<std::size_t>(n) : 0;
    }
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (ok) {
        std::filesystem::permissions(
            tmpl,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                std::filesystem::perms::group_read | std::filesystem::perms::others_read,
            ec);
        ok = std::rename(tmpl.c_str(), path.c_str()) == 0;
    }
    if (!ok) {
        std::remove(tmpl.c_str());
    }
    return ok;
}

} // namespace

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
    const auto value = FindValue(m_path, section, key);
    return value ? cp1251::ToUtf8(*value) : defaultValue;
}

int IniFile::ReadInt(const std::string& section, const std::string& key, int defaultValue) const {
    const auto value = FindValue(m_path, section, key);
    if (!value || value->empty()) {
        return defaultValue;
    }
    const char* p = value->c_str();
    bool negative = false;
    if (*p == '-' || *p == '+') {
        negative = *p == '-';
        ++p;
    }
    long long n = 0;
    while (std::isdigit(static_cast<unsigned char>(*p)) != 0) {
        n = std::min<long long>(n * 10 + (*p - '0'), 1LL << 32);
        ++p;
    }
    // Out-of-range values wrap to 32 bits, as a 32-bit reader's result does.
    return static_cast<int>(static_cast<std::uint32_t>(negative ? -n : n));
}

bool IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
    const auto sectionBytes = cp1251::FromUtf8(section);
    const auto keyBytes = cp1251::FromUtf8(key);
    const auto valueBytes = cp1251::FromUtf8(value);
    if (!sectionBytes || !keyBytes || !valueBytes) {
        return false;
    }
    if (Unreadable(m_path)) {
        return false;
    }
    std::vector<std::string> lines = ReadLines(m_path);
    const std::string newLine = *keyBytes + "=" + *valueBytes;

    std::optional<std::size_t> sectionLine;
    std::size_t insertAt = lines.size();
    bool replaced = false;
    for (std::size_t i = 0; i < lines.size() && !replaced; ++i) {
        if (const auto name = SectionName(lines[i])) {
            if (sectionLine) {
                break;
            }
            if (SameName(*name, *sectionBytes)) {
                sectionLine = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (!sectionLine) {
            continue;
        }
        if (const auto kv = KeyValue(lines[i])) {
            if (SameName(kv->first, *keyBytes)) {
                lines[i] = newLine;
                replaced = true;
            }
            insertAt = i + 1;
        }
    }
    if (!replaced) {
        if (sectionLine) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), newLine);
        } else {
            lines.push_back("[" + *sectionBytes + "]");
            lines.push_back(newLine);
        }
    }
    std::string content;
    for (const auto& line : lines) {
        content += line;
        content += "\r\n";
    }
    // The view writes its settings back at every start; an unchanged file is left alone.
    if (content == ReadRaw(m_path)) {
        return true;
    }
    return WriteWhole(m_path, content);
}

bool IniFile::WriteInt(const std::string& section, const std::string& key, int value) {
    return WriteString(section, key, std::to_string(value));
}

std::filesystem::path SettingsFolder() {
    if (const char* dir = std::getenv("TERMIX_CONFIG_DIR"); dir != nullptr && *dir != '\0') {
        return dir;
    }
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg != '\0') {
        return std::filesystem::path(xdg) / "termix";
    }
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr ? home : ".") / ".config" / "termix";
}

std::filesystem::path SettingsFilePath() {
    return SettingsFolder() / "loggerconfig.ini";
}
