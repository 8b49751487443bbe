#include "SetupRules.h"

#include "Cp1251.h"
#include "SetupTables.h"

#include <climits>

namespace {

void FillFromSettings(LoggerConfig& c, const SetupSettings& s) {
    if (!SetLoggerName(c, s.loggerName)) {
        c.loggerName.fill(0); // refused later by NameProblem, never sent
    }
    c.headMark = 206;
    c.startDelaySec = 206;
    c.recordedCount = 0;
    c.startMode = static_cast<std::uint8_t>(s.startMode + 1);
    c.tempUnit = static_cast<std::uint8_t>(s.tempUnit);
    c.periodSec = PeriodTable(s.sampleRate);
    c.samplePoints = PointsTable(s.samplePoint);
    c.tempHighAlarm = static_cast<float>(IntegerValue(s.tempHigh));
    c.tempLowAlarm = static_cast<float>(IntegerValue(s.tempLow));
    c.rhHighAlarm = static_cast<float>(IntegerValue(s.rhHigh));
    c.rhLowAlarm = static_cast<float>(IntegerValue(s.rhLow));
}

} // namespace

int IntegerValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    long long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) {
            v = static_cast<long long>(INT_MAX) + 1;
        }
    }
    v = negative ? -v : v;
    return static_cast<int>(v > INT_MAX ? INT_MAX : v);
}

bool LimitTextAccepted(std::string_view text) {
    if (text.size() > 4) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (!digit && !(text[i] == '-' && i == 0)) {
            return false;
        }
    }
    return true;
}

bool InUnitRange(int value, std::uint8_t tempUnit) {
    return value >= -40 && value <= (tempUnit != 0 ? 158 : 70);
}

const char* RangeWarning(std::uint8_t tempUnit) {
    return tempUnit != 0 ? kFahrenheitRangeText : kCelsiusRangeText;
}

std::optional<std::string> NameProblem(const std::string& utf8) {
    const auto length = cp1251::EncodedLength(utf8);
    if (!length || utf8.find('\0') != std::string::npos) {
        return kNameCharacterText;
    }
    if (*length > 15) {
        return kNameTooLongText;
    }
    return std::nullopt;
}

SetupState MakeSetupState(const SetupSettings& settings, const CivilDateTime& now) {
    SetupState state{settings, LoggerConfig{}};
    FillFromSettings(state.config, settings);
    SetClockStamp(state.config, now);
    return state;
}

void RestoreDefaults(SetupState& state) {
    state.settings = SetupSettings{};
    FillFromSettings(state.config, state.settings);
}

std::optional<std::string> EditName(SetupState& state, const std::string& utf8) {
    if (auto problem = NameProblem(utf8)) {
        return problem;
    }
    state.settings.loggerName = utf8;
    SetLoggerName(state.config, utf8);
    return std::nullopt;
}

std::optional<std::string> EditLimit(SetupState& state, LimitField field,
                                     const std::string& typed) {
    const bool low = field == LimitField::Low;
    std::string& text = low ? state.settings.tempLow : state.settings.tempHigh;
    float& alarm = low ? state.config.tempLowAlarm : state.config.tempHighAlarm;
    if (LimitTextAccepted(typed)) {
        text = typed;
    }
    std::optional<std::string> warning;
    if (!InUnitRange(IntegerValue(text), state.config.tempUnit)) {
        warning = RangeWarning(state.config.tempUnit);
        text = low ? "0" : "40";
    }
    alarm = static_cast<float>(IntegerValue(text));
    return warning;
}

std::vector<std::string> SwitchUnit(SetupState& state, int selection) {
    state.settings.tempUnit = selection;
    state.config.tempUnit = selection != 0 ? 1 : 0;
    std::vector<std::string> warnings;
    if (!InUnitRange(IntegerValue(state.settings.tempHigh), state.config.tempUnit)) {
        warnings.emplace_back(RangeWarning(state.config.tempUnit));
        state.settings.tempHigh = "40";
        state.config.tempHighAlarm = 40.0F;
    }
    if (!InUnitRange(IntegerValue(state.settings.tempLow), state.config.tempUnit)) {
        warnings.emplace_back(RangeWarning(state.config.tempUnit));
        state.settings.tempLow = "0";
        state.config.tempLowAlarm = 0.0F;
    }
    return warnings;
}

void SelectPeriod(SetupState& state, int index) {
    state.settings.sampleRate = index;
    state.config.periodSec = PeriodTable(index);
}

void SelectPoints(SetupState& state, int index) {
    state.settings.samplePoint = index;
    state.config.samplePoints = PointsTable(index);
}

void SelectStartMode(SetupState& state, int mode) {
    state.settings.startMode = mode;
    state.config.startMode = static_cast<std::uint8_t>(mode + 1);
}

void SelectFlashCycle(SetupState& state, int cycle) {
    state.settings.flashCycle = cycle;
}

void SetLedAlarm(SetupState& state, bool on) {
    state.settings.ledAlarm = on ? 1 : 0;
}

std::optional<std::string> ValidateForWrite(const SetupState& state) {
    const SetupSettings& s = state.settings;
    const LoggerConfig& c = state.config;
    if (s.tempLow.empty() || s.tempHigh.empty() || s.rhLow.empty() || s.rhHigh.empty()) {
        return kFieldsEmptyText;
    }
    if (!(c.tempHighAlarm > c.tempLowAlarm) || !(c.rhHighAlarm > c.rhLowAlarm)) {
        return kUpperNotAboveLowerText;
    }
    if (s.loggerName.empty()) {
        return kFieldsEmptyText;
    }
    return NameProblem(s.loggerName);
}

LoggerConfig CompleteBlock(SetupState& state, const CivilDateTime& now) {
    SetClockStamp(state.config, now);
    const int cycle = state.settings.flashCycle == 0 ? 0 : state.settings.flashCycle == 1 ? 1 : 2;
    state.config.ledConfig =
        MakeLedConfig(state.config.periodSec, cycle, state.settings.ledAlarm != 0);
    return state.config;
}

std::uint8_t LastStartMode(const LoggerConfig& written) {
    return written.startMode == 1 ? 1 : 2;
}

const char* ConfirmationText(int lastStartMode) {
    return lastStartMode == 1 ? kStartByButtonText : kStartedText;
}
