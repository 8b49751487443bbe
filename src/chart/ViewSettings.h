#pragma once

#include "ChartColors.h"

#include <cstdint>
#include <optional>
#include <vector>

class IniFile;

inline constexpr const char* kViewSection = "VIEW CONFIG";

// The chart's display settings, stored in "VIEW CONFIG". The six switches are integers as read
// from the file: a toggle stores 0 or 1, but a stored 2 stays 2 until the next toggle. The
// trace, alarm lines and markers count as on when nonzero, the grids only when exactly 1.
struct ViewSettings {
    int m_nShowMarkers = 0;     // MASKENABLE
    int m_nGridX = 1;           // XGRIDENABLE
    int m_nGridY = 1;           // YGRIDENABLE
    int m_nShowTemp = 1;        // VIEWTEMP
    int m_nShowHighAlarm = 1;   // TEMPHIGHALARM
    int m_nShowLowAlarm = 1;    // TEMPLOWALARM
    std::uint8_t m_nScheme = 0; // SELECTBACK, 0 ... 3

    bool operator==(const ViewSettings&) const = default;
};

// Makes sure the file exists (never truncating it), reads the seven keys with their defaults,
// keeps the low 8 bits of SELECTBACK and maps everything above 2 to scheme 3, then writes all
// seven keys back. Errors of the file are ignored: missing keys read as defaults.
ViewSettings LoadViewSettings(IniFile& file);

// Writes the seven keys in file order with "%d". False when a write failed.
bool SaveViewSettings(IniFile& file, const ViewSettings& settings);

// The six toggles (32797-32799, 32820-32822) and four schemes (32810, 32811, 32823, 32824):
// changes the settings and writes them to the file, every time. False, with nothing changed or
// written, for any other command. The caller repaints the chart after a true.
bool ApplyViewCommand(ViewSettings& settings, int commandId, IniFile& file);
// The same on the program's settings file (SettingsFilePath()).
bool ApplyViewCommand(ViewSettings& settings, int commandId);

// Check mark of the menu bar's item: switches when nonzero, schemes when current. Empty for
// any other command.
std::optional<bool> ViewCommandChecked(const ViewSettings& settings, int commandId);

// One item of the chart's context menu; commandId 0 is a separator. The context menu marks
// a switch only when it is exactly 1.
struct ViewMenuItem {
    int commandId = 0;
    const char* text = "";
    bool checked = false;
};

std::vector<ViewMenuItem> ViewContextMenu(const ViewSettings& settings);

inline ChartColors SchemeColors(const ViewSettings& settings) {
    return ColorsForScheme(settings.m_nScheme);
}
