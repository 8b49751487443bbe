#pragma once

#include "CivilTime.h"
#include "LoggerConfig.h"
#include "SetupSettings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Texts of the setup, used as they stand.
inline constexpr const char* kFieldsEmptyText =
    "Поля настроек должны быть заполнены. Пожалуйста, повторите ввод.";
inline constexpr const char* kUpperNotAboveLowerText =
    "Верхняя аварийная граница должна быть больше нижней. Пожалуйста, повторите ввод. ";
inline constexpr const char* kCelsiusRangeText =
    "Пожалуйста, введите значение в диапазоне от -40 до +70 °C";
inline constexpr const char* kFahrenheitRangeText =
    "Пожалуйста, введите значение в диапазоне от -40 до +158 °F";
inline constexpr const char* kSetupNoConnectionText =
    "Подключение невозможно. Убедитесь, что логгер подключен к ПК и повторите снова.";
inline constexpr const char* kSetupWriteFailedText = "Не удалось записать данные в логгер.";
inline constexpr const char* kStartByButtonText =
    "Запись начнется после нажатия кнопки на корпусе регистратора.";
inline constexpr const char* kStartedText = "Регистрация начата...";
// The name edit cannot take either of these; a name from elsewhere (command line, a
// hand-edited settings file) is refused with them.
inline constexpr const char* kNameTooLongText =
    "Имя логгера должно содержать не более 15 символов.";
inline constexpr const char* kNameCharacterText =
    "Имя логгера содержит символ, которого нет в кодировке Windows-1251.";

// Leading blanks, an optional sign, then decimal digits up to the first other character;
// a text without digits is 0. Saturates at the ends of int.
int IntegerValue(std::string_view text);

// What a limit edit holds: at most 4 characters, digits, and "-" only in the first place.
bool LimitTextAccepted(std::string_view text);

// The unit byte as every reader takes it: 0 is °C, anything else °F.
bool InUnitRange(int value, std::uint8_t tempUnit);
const char* RangeWarning(std::uint8_t tempUnit);

// The name's refusal text, or nothing when the name fits the block. An empty name passes
// here; writing refuses it.
std::optional<std::string> NameProblem(const std::string& utf8);

// The setup's two views of one set of values: the texts and choices, and the block that is
// sent. Every operation below keeps them in step, as the dialog's handlers do.
struct SetupState {
    SetupSettings settings;
    LoggerConfig config;
};

// The block filled from remembered values; its clock stamp is `now`. The LED byte is left
// for CompleteBlock.
SetupState MakeSetupState(const SetupSettings& settings, const CivilDateTime& now);

// "По умолчанию": every value back to the defaults; the stamp stays.
void RestoreDefaults(SetupState& state);

// Returns the refusal text and leaves the state alone when the name does not fit.
std::optional<std::string> EditName(SetupState& state, const std::string& utf8);

enum class LimitField { Low, High };

// One edit of a temperature limit: a text the edit cannot hold falls back to the previous
// one; a value outside the unit's range resets the field ("0" low, "40" high) and returns the
// range warning that was shown.
std::optional<std::string> EditLimit(SetupState& state, LimitField field, const std::string& typed);

// The unit list's selection (0 °C, 1 °F, -1 none). Limits outside the new unit's range are
// reset, upper first; returns the warnings in the order shown.
std::vector<std::string> SwitchUnit(SetupState& state, int selection);

void SelectPeriod(SetupState& state, int index);
void SelectPoints(SetupState& state, int index);
void SelectStartMode(SetupState& state, int mode); // 0 by the button, 1 at once
void SelectFlashCycle(SetupState& state, int cycle);
void SetLedAlarm(SetupState& state, bool on);

// The checks of "Установить" in their order; the warning to show, or nothing.
std::optional<std::string> ValidateForWrite(const SetupState& state);

// Completes the block for sending: the clock stamp := now, the LED byte from the period, the
// flash cycle and the LED flag. Returns the completed block.
LoggerConfig CompleteBlock(SetupState& state, const CivilDateTime& now);

// What the document remembers of a written block (1 by the button, 2 at once) and the
// confirmation shown for it.
std::uint8_t LastStartMode(const LoggerConfig& written);
const char* ConfirmationText(int lastStartMode);
