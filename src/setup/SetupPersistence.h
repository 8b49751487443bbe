#pragma once

#include "SetupSettings.h"

class IniFile;

inline constexpr const char* kLoggerConfigSection = "LOGGER CONFIG";

// Reads the section key by key with its default; texts keep at most 15 characters, integers
// are the number at the start of the value (0 when there is none). Nothing is range-tested.
SetupSettings LoadSetupSettings(const IniFile& ini);

// Writes every key of the section in its fixed order, texts cut to 15 characters, all or
// nothing: false when the file could not be written, and then the file is as it was.
bool SaveSetupSettings(IniFile& ini, const SetupSettings& settings);
