#pragma once

#include <filesystem>
#include <string>

// A private-profile settings file with the semantics the stored files were written for:
// sections and keys match without regard to case, every read goes to the file, and a write
// replaces or creates one key while every other line stays as it was, in its place.
// The file holds Windows-1251; names and values cross this interface as UTF-8.
class IniFile {
public:
    explicit IniFile(std::filesystem::path path) : m_path(std::move(path)) {}

    const std::filesystem::path& Path() const { return m_path; }

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;

    // The decimal number at the start of the value; the default when the key is absent or
    // empty; 0 when the value does not start with a number.
    int ReadInt(const std::string& section, const std::string& key, int defaultValue) const;

    // Writes the whole file anew beside the old one and renames it over, so a failure never
    // leaves half a file. False when the folder or file cannot be written, or the text has a
    // character Windows-1251 cannot hold.
    bool WriteString(const std::string& section, const std::string& key, const std::string& value);
    bool WriteInt(const std::string& section, const std::string& key, int value);

private:
    std::filesystem::path m_path;
};

// Where loggerconfig.ini lives: $TERMIX_CONFIG_DIR, else $XDG_CONFIG_HOME/termix, else
// ~/.config/termix.
std::filesystem::path SettingsFolder();
std::filesystem::path SettingsFilePath();
