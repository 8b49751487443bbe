#include "ViewSettings.h"

#include "CommandIds.h"
#include "IniFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

std::string FileText(const std::filesystem::path& path) {
    const auto bytes = ReadAll(path);
    return std::string(bytes.begin(), bytes.end());
}

class ViewSettingsTest : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path path = dir / "sub" / "loggerconfig.ini";
    IniFile file{path};

    void Store(const std::string& text) {
        std::filesystem::create_directories(path.parent_path());
        WriteAll(path, text);
    }
};

} // namespace

TEST_F(ViewSettingsTest, FirstStartCreatesTheFileWithTheSevenKeysInOrder) {
    const ViewSettings s = LoadViewSettings(file);
    EXPECT_EQ(s, ViewSettings{});
    EXPECT_EQ(FileText(path),
              "[VIEW CONFIG]\r\nMASKENABLE=0\r\nXGRIDENABLE=1\r\nYGRIDENABLE=1\r\n"
              "VIEWTEMP=1\r\nTEMPHIGHALARM=1\r\nTEMPLOWALARM=1\r\nSELECTBACK=0\r\n");
}

TEST_F(ViewSettingsTest, StoredValuesAreKeptAndTheSchemeWrittenBackAsApplied) {
    struct Case {
        const char* stored;
        int scheme;
    };
    for (const Case c : {Case{"2", 2}, Case{"7", 3}, Case{"256", 0}, Case{"257", 1}, Case{"-1", 3},
                         Case{"abc", 0}}) {
        Store(std::string("[LOGGER CONFIG]\r\nNAME=x\r\n[VIEW CONFIG]\r\nXGRIDENABLE=2\r\n"
                          "VIEWTEMP=0\r\nSELECTBACK=") +
              c.stored + "\r\n");
        const ViewSettings s = LoadViewSettings(file);
        EXPECT_EQ(s.m_nScheme, c.scheme) << c.stored;
        EXPECT_EQ(s.m_nGridX, 2);
        EXPECT_EQ(s.m_nShowTemp, 0);
        EXPECT_EQ(file.ReadInt("VIEW CONFIG", "SELECTBACK", -9), c.scheme) << c.stored;
        EXPECT_EQ(file.ReadInt("VIEW CONFIG", "XGRIDENABLE", -9), 2);
        EXPECT_EQ(file.ReadInt("VIEW CONFIG", "MASKENABLE", -9), 0);
        EXPECT_EQ(file.ReadString("LOGGER CONFIG", "NAME", ""), "x");
    }
}

TEST_F(ViewSettingsTest, TogglesWriteEveryTime) {
    ViewSettings s = LoadViewSettings(file);
    struct Case {
        int command;
        const char* key;
        int ViewSettings::*field;
    };
    for (const Case c : {Case{ID_SHOW_TEMPERATURE, "VIEWTEMP", &ViewSettings::m_nShowTemp},
                         Case{ID_SHOW_LOW_ALARM, "TEMPLOWALARM", &ViewSettings::m_nShowLowAlarm},
                         Case{ID_SHOW_HIGH_ALARM, "TEMPHIGHALARM", &ViewSettings::m_nShowHighAlarm},
                         Case{ID_GRID_X, "XGRIDENABLE", &ViewSettings::m_nGridX},
                         Case{ID_GRID_Y, "YGRIDENABLE", &ViewSettings::m_nGridY},
                         Case{ID_POINT_MARKERS, "MASKENABLE", &ViewSettings::m_nShowMarkers}}) {
        const int before = s.*c.field;
        ASSERT_TRUE(ApplyViewCommand(s, c.command, file));
        EXPECT_EQ(s.*c.field, 1 - before);
        EXPECT_EQ(file.ReadInt("VIEW CONFIG", c.key, -9), 1 - before);
        // The file is written on the second toggle too, not only when it differs.
        std::filesystem::remove(path);
        ASSERT_TRUE(ApplyViewCommand(s, c.command, file));
        EXPECT_EQ(s.*c.field, before);
        EXPECT_EQ(file.ReadInt("VIEW CONFIG", c.key, -9), before) << c.key;
    }
}

TEST_F(ViewSettingsTest, AStoredTwoIsCheckedInTheMenuBarButNotInTheContextMenu) {
    Store("[VIEW CONFIG]\r\nTEMPLOWALARM=2\r\n");
    ViewSettings s = LoadViewSettings(file);
    EXPECT_EQ(ViewCommandChecked(s, ID_SHOW_LOW_ALARM), true);
    const auto menu = ViewContextMenu(s);
    ASSERT_EQ(menu.size(), 13u);
    EXPECT_EQ(menu[1].commandId, ID_SHOW_LOW_ALARM);
    EXPECT_FALSE(menu[1].checked);
    ApplyViewCommand(s, ID_SHOW_LOW_ALARM, file);
    EXPECT_EQ(s.m_nShowLowAlarm, 1);
}

TEST_F(ViewSettingsTest, SchemesAndCheckMarks) {
    ViewSettings s = LoadViewSettings(file);
    struct Case {
        int command;
        int scheme;
    };
    for (const Case c : {Case{ID_BACK_WHITE, 1}, Case{ID_BACK_BLACK_RED, 2},
                         Case{ID_BACK_BLACK_BLUE, 3}, Case{ID_BACK_BLACK, 0}}) {
        ASSERT_TRUE(ApplyViewCommand(s, c.command, file));
        EXPECT_EQ(s.m_nScheme, c.scheme);
        EXPECT_EQ(file.ReadInt("VIEW CONFIG", "SELECTBACK", -9), c.scheme);
        for (const Case other : {Case{ID_BACK_BLACK, 0}, Case{ID_BACK_WHITE, 1},
                                 Case{ID_BACK_BLACK_RED, 2}, Case{ID_BACK_BLACK_BLUE, 3}}) {
            EXPECT_EQ(ViewCommandChecked(s, other.command), other.scheme == c.scheme);
        }
    }
    // The scheme already active is saved again.
    std::filesystem::remove(path);
    ASSERT_TRUE(ApplyViewCommand(s, ID_BACK_BLACK, file));
    EXPECT_EQ(file.ReadInt("VIEW CONFIG", "SELECTBACK", -9), 0);

    EXPECT_FALSE(ApplyViewCommand(s, ID_ZOOM_OUT, file));
    EXPECT_EQ(ViewCommandChecked(s, ID_ZOOM_OUT), std::nullopt);
    s.m_nShowTemp = 0;
    EXPECT_EQ(ViewCommandChecked(s, ID_SHOW_TEMPERATURE), false);
}

TEST_F(ViewSettingsTest, ContextMenuItemsInOrder) {
    ViewSettings s;
    s.m_nScheme = 2;
    s.m_nGridY = 0;
    const auto menu = ViewContextMenu(s);
    const std::vector<int> ids{ID_SHOW_TEMPERATURE,
                               ID_SHOW_LOW_ALARM,
                               ID_SHOW_HIGH_ALARM,
                               0,
                               ID_BACK_BLACK,
                               ID_BACK_WHITE,
                               ID_BACK_BLACK_RED,
                               ID_BACK_BLACK_BLUE,
                               0,
                               ID_GRID_X,
                               ID_GRID_Y,
                               0,
                               ID_POINT_MARKERS};
    const std::vector<bool> checked{true,  true,  true, false, false, false, true,
                                    false, false, true, false, false, false};
    ASSERT_EQ(menu.size(), ids.size());
    for (std::size_t i = 0; i < ids.size(); ++i) {
        EXPECT_EQ(menu[i].commandId, ids[i]) << i;
        EXPECT_EQ(menu[i].checked, checked[i]) << i;
    }
    EXPECT_STREQ(menu[2].text, "Верхняя аварийная граница температуры");
    EXPECT_STREQ(menu[9].text, "Ось \u0425");
    EXPECT_STREQ(menu[10].text, "Ось Y");
}

TEST(ChartColorsTest, SchemeSlots) {
    EXPECT_EQ(ColorsForScheme(2).m_clrWindow, (Rgb{196, 21, 28}));
    EXPECT_EQ(ColorsForScheme(3).m_clrWindow, (Rgb{2, 160, 197}));
    EXPECT_EQ(ColorsForScheme(1).m_clrGrid, (Rgb{220, 220, 220}));
    EXPECT_EQ(ColorsForScheme(0).m_clrReadout, (Rgb{250, 0, 0}));
    EXPECT_EQ(ColorsForScheme(7), ColorsForScheme(3));
}
