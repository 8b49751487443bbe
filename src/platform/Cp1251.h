#pragma once

#include <optional>
#include <string>
#include <string_view>

// The logger and the settings file speak Windows-1251; everything inside the program is UTF-8.
namespace cp1251 {

// Every byte has a meaning except 0x98; that one becomes U+FFFD.
std::string ToUtf8(std::string_view bytes);

// Empty when the text holds a character Windows-1251 has no byte for, or is not valid UTF-8.
std::optional<std::string> FromUtf8(std::string_view utf8);

// One Windows-1251 byte per character: the length a logger or the INI file sees.
std::optional<std::size_t> EncodedLength(std::string_view utf8);

} // namespace cp1251
