#include "SetupRules.h"

#include "SetupTables.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

const CivilDateTime kStamp{2014, 12, 9, 20, 15, 3};

SetupState Defaults() {
    return MakeSetupState(SetupSettings{}, kStamp);
}

} // namespace

TEST(SetupTables, IndexesOutsideTheListsGiveTenSecondsAndFiftySamples) {
    EXPECT_EQ(PeriodTable(0), 2U);
    EXPECT_EQ(PeriodTable(8), 3600U);
    EXPECT_EQ(PeriodTable(13), 86400U);
    EXPECT_EQ(PeriodTable(14), 10U);
    EXPECT_EQ(PeriodTable(-1), 10U);
    EXPECT_EQ(PointsTable(3), 1000U);
    EXPECT_EQ(PointsTable(12), 32000U);
    EXPECT_EQ(PointsTable(13), 50U);
    EXPECT_EQ(PointsTable(99), 50U);
    EXPECT_EQ(PeriodIndex(60), 4);
    EXPECT_EQ(PeriodIndex(61), -1);
    EXPECT_EQ(PointsIndex(8000), 7);
    EXPECT_EQ(PointsIndex(7), -1);
}

TEST(SetupRules, IntegerValueOfAText) {
    const std::pair<const char*, int> cases[] = {
        {"", 0},
        {"-", 0},
        {"40", 40},
        {" 12x", 12},
        {"-40", -40},
        {"+5", 5},
        {"abc", 0},
        {"4-", 4},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(IntegerValue(text), value) << text;
    }
}

// Each row: unit, field, the texts typed one after the other, the field's text afterwards and
// how many range warnings were shown.
TEST(SetupRules, LimitEditKeystrokes) {
    struct Case {
        int unit;
        LimitField field;
        std::vector<std::string> typed;
        std::string text;
        int warnings;
    };
    const Case cases[] = {
        {0, LimitField::Low, {"1", "10", "100"}, "0", 1},
        {0, LimitField::Low, {"-", "-4", "-40"}, "-40", 0},
        {0, LimitField::Low, {"-", "-4", "-41"}, "0", 1},
        {0, LimitField::Low, {"4", "4-"}, "4", 0},
        {0, LimitField::High, {"7", "70"}, "70", 0},
        {0, LimitField::High, {"7", "71"}, "40", 1},
        {1, LimitField::High, {"1", "15", "158"}, "158", 0},
        {1, LimitField::High, {"1", "15", "159"}, "40", 1},
        {0, LimitField::Low, {"1", "1a"}, "1", 0},
        {0, LimitField::Low, {"-400", "-4000"}, "0", 1},
    };
    for (const auto& c : cases) {
        SetupState s = Defaults();
        SwitchUnit(s, c.unit);
        int warnings = 0;
        for (const auto& t : c.typed) {
            if (const auto w = EditLimit(s, c.field, t)) {
                EXPECT_EQ(*w, c.unit == 0 ? kCelsiusRangeText : kFahrenheitRangeText);
                ++warnings;
            }
        }
        const std::string& text =
            c.field == LimitField::Low ? s.settings.tempLow : s.settings.tempHigh;
        const float alarm =
            c.field == LimitField::Low ? s.config.tempLowAlarm : s.config.tempHighAlarm;
        EXPECT_EQ(text, c.text) << c.typed.back();
        EXPECT_EQ(alarm, static_cast<float>(IntegerValue(c.text))) << c.typed.back();
        EXPECT_EQ(warnings, c.warnings) << c.typed.back();
    }
}

TEST(SetupRules, UnitSwitchResetsOnlyLimitsOutsideTheNewRange) {
    SetupState s = Defaults();
    SwitchUnit(s, 1);
    EXPECT_FALSE(EditLimit(s, LimitField::High, "100"));
    EXPECT_EQ(s.config.tempUnit, 1);
    const auto warnings = SwitchUnit(s, 0);
    EXPECT_EQ(warnings, std::vector<std::string>{kCelsiusRangeText});
    EXPECT_EQ(s.settings.tempHigh, "40");
    EXPECT_EQ(s.settings.tempLow, "0");
    EXPECT_EQ(s.config.tempHighAlarm, 40.0F);
    EXPECT_EQ(s.config.tempUnit, 0);

    // Limits are never converted; no selection counts as °F.
    EXPECT_TRUE(SwitchUnit(s, -1).empty());
    EXPECT_EQ(s.config.tempUnit, 1);
    EXPECT_EQ(s.settings.tempUnit, -1);
    EXPECT_EQ(s.config.tempHighAlarm, 40.0F);
}

TEST(SetupRules, ValidationOfInstall) {
    struct Case {
        const char* what;
        SetupSettings settings;
        std::optional<std::string> warning;
    };
    const auto with = [](auto change) {
        SetupSettings s;
        change(s);
        return s;
    };
    const Case cases[] = {
        {"defaults", SetupSettings{}, std::nullopt},
        {"empty upper", with([](auto& s) { s.tempHigh = ""; }), kFieldsEmptyText},
        {"empty lower", with([](auto& s) { s.tempLow = ""; }), kFieldsEmptyText},
        {"empty humidity", with([](auto& s) { s.rhLow = ""; }), kFieldsEmptyText},
        {"20 and 20", with([](auto& s) { s.tempLow = s.tempHigh = "20"; }),
         kUpperNotAboveLowerText},
        {"21 over 20", with([](auto& s) { s.tempLow = "20", s.tempHigh = "21"; }), std::nullopt},
        {"humidity 75 under 80", with([](auto& s) { s.rhLow = "80"; }), kUpperNotAboveLowerText},
        {"empty name", with([](auto& s) { s.loggerName = ""; }), kFieldsEmptyText},
        {"empty field before limits", with([](auto& s) { s.tempHigh = "", s.tempLow = "9"; }),
         kFieldsEmptyText},
        {"limits before name", with([](auto& s) { s.loggerName = "", s.tempLow = "50"; }),
         kUpperNotAboveLowerText},
        {"15 characters", with([](auto& s) { s.loggerName = "Холодильник №15"; }), std::nullopt},
        {"16 characters", with([](auto& s) { s.loggerName = "Холодильник №150"; }),
         kNameTooLongText},
        {"no Windows-1251", with([](auto& s) { s.loggerName = "Склад ☃"; }), kNameCharacterText},
        // Remembered limits are not range-tested on writing.
        {"out of range from file", with([](auto& s) { s.tempHigh = "500"; }), std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ValidateForWrite(MakeSetupState(c.settings, kStamp)), c.warning) << c.what;
    }
}

TEST(SetupRules, DefaultsCompletedAtAStampGiveTheKnownBlock) {
    SetupState s = Defaults();
    const LoggerConfig block = CompleteBlock(s, kStamp);
    const ConfigBytes expected{0xCE, 0x00, 0x00, 0x00, 0x32, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                               0x00, 0x0A, 0x00, 0x00, 0x00, 0xDE, 0x07, 0x00, 0x00, 0x00, 0x00,
                               0x00, 0x00, 0x00, 0x00, 0x20, 0x42, 0x0C, 0x09, 0x14, 0x0F, 0x03,
                               0x00, 0x4A, 0xC8, 0xEC, 0xFF, 0x20, 0xEB, 0xEE, 0xE3, 0xE3, 0xE5,
                               0xF0, 0xE0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x0C,
                               0x42, 0x00, 0x00, 0x96, 0x42, 0xCE, 0x00, 0x00, 0x00};
    EXPECT_EQ(EncodeConfig(block), expected);
}

TEST(SetupRules, EditsReachTheBlock) {
    SetupState s = MakeSetupState(SetupSettings{}, {2000, 1, 1, 0, 0, 0});
    EXPECT_FALSE(EditName(s, "Склад 1"));
    EXPECT_EQ(EditName(s, "Очень длинное имя"), kNameTooLongText);
    SelectPeriod(s, 8);
    SelectPoints(s, 3);
    SelectStartMode(s, 1);
    SelectFlashCycle(s, 2);
    SetLedAlarm(s, true);
    const LoggerConfig block = CompleteBlock(s, kStamp);
    EXPECT_EQ(LoggerName(block), "Склад 1");
    EXPECT_EQ(block.periodSec, 3600U);
    EXPECT_EQ(block.samplePoints, 1000U);
    EXPECT_EQ(block.startMode, 2);
    EXPECT_EQ(block.ledConfig, 0xFE);
    EXPECT_EQ(ClockStamp(block), kStamp);
    EXPECT_EQ(block.recordedCount, 0U);
    EXPECT_EQ(block.headMark, 206U);
    EXPECT_EQ(block.startDelaySec, 206U);

    RestoreDefaults(s);
    EXPECT_EQ(s.settings, SetupSettings{});
    EXPECT_EQ(ClockStamp(s.config), kStamp); // the stamp is not a setting
    EXPECT_EQ(s.config.periodSec, 10U);
    EXPECT_EQ(LoggerName(s.config), "Имя логгера");
}

TEST(SetupRules, HandEditedChoicesPassThrough) {
    SetupSettings settings;
    settings.startMode = 5;
    settings.tempUnit = 257;
    settings.flashCycle = 7;
    settings.ledAlarm = 3;
    settings.sampleRate = 40;
    settings.samplePoint = 99;
    SetupState s = MakeSetupState(settings, kStamp);
    const LoggerConfig block = CompleteBlock(s, kStamp);
    EXPECT_EQ(block.startMode, 6);
    EXPECT_EQ(block.tempUnit, 1);
    EXPECT_EQ(block.periodSec, 10U);
    EXPECT_EQ(block.samplePoints, 50U);
    EXPECT_EQ(block.ledConfig, MakeLedConfig(10, 2, true));
}

TEST(SetupRules, ConfirmationNamesTheStartMode) {
    SetupState s = Defaults();
    EXPECT_STREQ(ConfirmationText(LastStartMode(CompleteBlock(s, kStamp))), kStartByButtonText);
    SelectStartMode(s, 1);
    EXPECT_STREQ(ConfirmationText(LastStartMode(CompleteBlock(s, kStamp))), kStartedText);
    EXPECT_EQ(kStartByButtonText,
              std::string("Запись начнется после нажатия кнопки на корпусе регистратора."));
    EXPECT_EQ(kStartedText, std::string("Регистрация начата..."));
}
