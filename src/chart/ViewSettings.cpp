#include "ViewSettings.h"

#include "CommandIds.h"
#include "IniFile.h"

#include <fstream>

namespace {

struct SwitchKey {
    const char* key;
    int ViewSettings::*field;
    int defaultValue;
};

// File order.
constexpr SwitchKey kSwitches[] = {
    {"MASKENABLE", &ViewSettings::m_nShowMarkers, 0},
    {"XGRIDENABLE", &ViewSettings::m_nGridX, 1},
    {"YGRIDENABLE", &ViewSettings::m_nGridY, 1},
    {"VIEWTEMP", &ViewSettings::m_nShowTemp, 1},
    {"TEMPHIGHALARM", &ViewSettings::m_nShowHighAlarm, 1},
    {"TEMPLOWALARM", &ViewSettings::m_nShowLowAlarm, 1},
};
constexpr const char* kSchemeKey = "SELECTBACK";

int* SwitchFor(ViewSettings& s, int commandId) {
    switch (commandId) {
    case ID_SHOW_TEMPERATURE:
        return &s.m_nShowTemp;
    case ID_SHOW_LOW_ALARM:
        return &s.m_nShowLowAlarm;
    case ID_SHOW_HIGH_ALARM:
        return &s.m_nShowHighAlarm;
    case ID_GRID_X:
        return &s.m_nGridX;
    case ID_GRID_Y:
        return &s.m_nGridY;
    case ID_POINT_MARKERS:
        return &s.m_nShowMarkers;
    default:
        return nullptr;
    }
}

std::optional<std::uint8_t> SchemeFor(int commandId) {
    switch (commandId) {
    case ID_BACK_BLACK:
        return 0;
    case ID_BACK_WHITE:
        return 1;
    case ID_BACK_BLACK_RED:
        return 2;
    case ID_BACK_BLACK_BLUE:
        return 3;
    default:
        return std::nullopt;
    }
}

// Opened for appending: created when missing, never truncated.
void EnsureFileExists(const IniFile& file) {
    std::error_code ec;
    std::filesystem::create_directories(file.Path().parent_path(), ec);
    std::ofstream touch(file.Path(), std::ios::app | std::ios::binary);
}

} // namespace

ViewSettings LoadViewSettings(IniFile& file) {
    EnsureFileExists(file);
    ViewSettings s;
    for (const SwitchKey& k : kSwitches) {
        s.*k.field = file.ReadInt(kViewSection, k.key, k.defaultValue);
    }
    const auto stored = static_cast<std::uint8_t>(file.ReadInt(kViewSection, kSchemeKey, 0));
    s.m_nScheme = stored <= 2 ? stored : 3;
    SaveViewSettings(file, s);
    return s;
}

bool SaveViewSettings(IniFile& file, const ViewSettings& settings) {
    bool ok = true;
    for (const SwitchKey& k : kSwitches) {
        ok = file.WriteInt(kViewSection, k.key, settings.*k.field) && ok;
    }
    return file.WriteInt(kViewSection, kSchemeKey, settings.m_nScheme) && ok;
}

bool ApplyViewCommand(ViewSettings& settings, int commandId, IniFile& file) {
    if (int* field = SwitchFor(settings, commandId)) {
        *field = *field == 1 ? 0 : 1;
    } else if (const auto scheme = SchemeFor(commandId)) {
        settings.m_nScheme = *scheme;
    } else {
        return false;
    }
    SaveViewSettings(file, settings);
    return true;
}

bool ApplyViewCommand(ViewSettings& settings, int commandId) {
    IniFile file(SettingsFilePath());
    return ApplyViewCommand(settings, commandId, file);
}

std::optional<bool> ViewCommandChecked(const ViewSettings& settings, int commandId) {
    ViewSettings copy = settings;
    if (const int* field = SwitchFor(copy, commandId)) {
        return *field != 0;
    }
    if (const auto scheme = SchemeFor(commandId)) {
        return settings.m_nScheme == *scheme;
    }
    return std::nullopt;
}

std::vector<ViewMenuItem> ViewContextMenu(const ViewSettings& s) {
    return {
        {ID_SHOW_TEMPERATURE, "Температура", s.m_nShowTemp == 1},
        {ID_SHOW_LOW_ALARM, "Нижняя аварийная граница температуры", s.m_nShowLowAlarm == 1},
        {ID_SHOW_HIGH_ALARM, "Верхняя аварийная граница температуры", s.m_nShowHighAlarm == 1},
        {0, "", false},
        {ID_BACK_BLACK, "Полностью черный", s.m_nScheme == 0},
        {ID_BACK_WHITE, "Полностью белый", s.m_nScheme == 1},
        {ID_BACK_BLACK_RED, "Черный и красный", s.m_nScheme == 2},
        {ID_BACK_BLACK_BLUE, "Черный и синий", s.m_nScheme == 3},
        {0, "", false},
        {ID_GRID_X, "Ось Х", s.m_nGridX == 1},
        {ID_GRID_Y, "Ось Y", s.m_nGridY == 1},
        {0, "", false},
        {ID_POINT_MARKERS, "Точки измерения на графике", s.m_nShowMarkers == 1},
    };
}
