#include "SetupPersistence.h"

#include "IniFile.h"

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace {

// The file is Windows-1251, one byte per character; inside it is UTF-8, so count code points.
std::string First15(const std::string& utf8) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if ((byte & 0xC0) != 0x80 && ++chars > 15) {
            return utf8.substr(0, i);
        }
    }
    return utf8;
}

} // namespace

SetupSettings LoadSetupSettings(const IniFile& ini) {
    const SetupSettings d;
    const auto text = [&](const char* key, const std::string& def) {
        return First15(ini.ReadString(kLoggerConfigSection, key, def));
    };
    const auto number = [&](const char* key, int def) {
        return ini.ReadInt(kLoggerConfigSection, key, def);
    };
    SetupSettings s;
    s.loggerName = text("LOGGER NAME", d.loggerName);
    s.rhHigh = text("RHHIGHALARM", d.rhHigh);
    s.rhLow = text("RHLOWALARM", d.rhLow);
    s.tempLow = text("TEMPLOWALARM", d.tempLow);
    s.tempHigh = text("TEMPHIGHALARM", d.tempHigh);
    s.ledAlarm = number("LEDALARMBOOL", d.ledAlarm);
    s.flashCycle = number("FLASHCYCLE", d.flashCycle);
    s.startMode = number("STARTMODE", d.startMode);
    s.tempUnit = number("TEMPUNIT", d.tempUnit);
    s.samplePoint = number("SAMPLEPOINT", d.samplePoint);
    s.sampleRate = number("SAMPLERATE", d.sampleRate);
    return s;
}

// Eleven single-key writes must not leave a section that is half old, half new: they go to a
// copy of the file, which replaces the original only when all of them succeeded.
bool SaveSetupSettings(IniFile& ini, const SetupSettings& s) {
    namespace fs = std::filesystem;
    const fs::path target = ini.Path();
    std::error_code ec;
    if (target.has_parent_path()) {
        fs::create_directories(target.parent_path(), ec);
    }
    std::string copyName = target.string() + ".save-XXXXXX";
    const int fd = mkstemp(copyName.data());
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    if (fs::exists(target, ec) &&
        !fs::copy_file(target, copyName, fs::copy_options::overwrite_existing, ec)) {
        fs::remove(copyName, ec);
        return false;
    }
    IniFile copy(copyName);
    const auto text = [&](const char* key, const std::string& value) {
        return copy.WriteString(kLoggerConfigSection, key, First15(value));
    };
    const auto number = [&](const char* key, int value) {
        return copy.WriteInt(kLoggerConfigSection, key, value);
    };
    const bool written = text("LOGGER NAME", s.loggerName) && text("RHHIGHALARM", s.rhHigh) &&
                         text("RHLOWALARM", s.rhLow) && text("TEMPLOWALARM", s.tempLow) &&
                         text("TEMPHIGHALARM", s.tempHigh) && number("LEDALARMBOOL", s.ledAlarm) &&
                         number("FLASHCYCLE", s.flashCycle) && number("STARTMODE", s.startMode) &&
                         number("TEMPUNIT", s.tempUnit) && number("SAMPLEPOINT", s.samplePoint) &&
                         number("SAMPLERATE", s.sampleRate);
    if (!written || std::rename(copyName.c_str(), target.c_str()) != 0) {
        fs::remove(copyName, ec);
        return false;
    }
    return true;
}
