#include "IniFile.h"

#include "TempDir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

std::string Text(const std::filesystem::path& p) {
    const auto bytes = ReadAll(p);
    return {bytes.begin(), bytes.end()};
}

} // namespace

TEST(IniFile, AbsentFileGivesDefaults) {
    TempDir dir;
    const IniFile ini(dir / "none.ini");
    EXPECT_EQ(ini.ReadString("LOGGER CONFIG", "LOGGER NAME", "Имя логгера"), "Имя логгера");
    EXPECT_EQ(ini.ReadInt("VIEW CONFIG", "SELECTBACK", 7), 7);
}

TEST(IniFile, ReadsIntegersAsTheNumberAtTheStart) {
    TempDir dir;
    WriteAll(dir / "a.ini", "[S]\r\nA=12abc\r\nB=abc\r\nC=-40\r\nD=\r\nE = 7 \r\n");
    const IniFile ini(dir / "a.ini");
    EXPECT_EQ(ini.ReadInt("S", "A", 5), 12);
    EXPECT_EQ(ini.ReadInt("S", "B", 5), 0);
    EXPECT_EQ(ini.ReadInt("S", "C", 5), -40);
    EXPECT_EQ(ini.ReadInt("S", "D", 5), 5);
    EXPECT_EQ(ini.ReadInt("s", "e", 5), 7);
    EXPECT_EQ(ini.ReadInt("S", "F", 5), 5);
}

TEST(IniFile, TextIsWindows1251OnDisk) {
    TempDir dir;
    IniFile ini(dir / "a.ini");
    ASSERT_TRUE(ini.WriteString("LOGGER CONFIG", "LOGGER NAME", "Склад"));
    EXPECT_EQ(Text(dir / "a.ini"), "[LOGGER CONFIG]\r\nLOGGER NAME=\xD1\xEA\xEB\xE0\xE4\r\n");
    EXPECT_EQ(ini.ReadString("LOGGER CONFIG", "LOGGER NAME", ""), "Склад");
    EXPECT_FALSE(ini.WriteString("LOGGER CONFIG", "LOGGER NAME", "温度"));
}

TEST(IniFile, WriteKeepsEveryOtherLineInPlace) {
    TempDir dir;
    WriteAll(dir / "a.ini", "; hand notes\n[VIEW CONFIG]\nSELECTBACK=2\nGRID=1\n\n[OTHER]\nX=1\n");
    IniFile ini(dir / "a.ini");
    ASSERT_TRUE(ini.WriteInt("view config", "selectback", 3));
    ASSERT_TRUE(ini.WriteInt("VIEW CONFIG", "NEW", 9));
    ASSERT_TRUE(ini.WriteInt("LOGGER CONFIG", "TEMPUNIT", 1));
    EXPECT_EQ(Text(dir / "a.ini"),
              "; hand notes\r\n[VIEW CONFIG]\r\nselectback=3\r\nGRID=1\r\nNEW=9\r\n"
              "\r\n[OTHER]\r\nX=1\r\n[LOGGER CONFIG]\r\nTEMPUNIT=1\r\n");
}

TEST(IniFile, FailedWriteReportsAndLeavesNoTemporaryBehind) {
    TempDir dir;
    std::filesystem::create_directory(dir / "a.ini"); // rename over a folder fails, even for root
    IniFile ini(dir / "a.ini");
    EXPECT_FALSE(ini.WriteInt("S", "A", 2));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "a.ini"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(IniFile, UnchangedValueLeavesTheFileAsItIs) {
    TempDir dir;
    IniFile ini(dir / "a.ini");
    ASSERT_TRUE(ini.WriteInt("S", "A", 1));
    const auto inode = [&] {
        struct stat st {};
        stat((dir / "a.ini").c_str(), &st);
        return st.st_ino;
    };
    const auto before = inode();
    ASSERT_TRUE(ini.WriteInt("S", "A", 1));
    EXPECT_EQ(inode(), before);
    ASSERT_TRUE(ini.WriteInt("S", "A", 2));
    EXPECT_NE(inode(), before);
    EXPECT_EQ(ini.ReadInt("S", "A", 0), 2);
}

TEST(IniFile, WriteRefusesWhatItCannotReadAndLeavesItAlone) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "pipe.ini").c_str(), 0600), 0);
    IniFile pipe(dir / "pipe.ini");
    EXPECT_EQ(pipe.ReadInt("S", "A", 4), 4);
    EXPECT_FALSE(pipe.WriteInt("S", "A", 1));
    EXPECT_TRUE(std::filesystem::is_fifo(dir / "pipe.ini"));

    WriteAll(dir / "a.ini", std::string("[VIEW CONFIG]\r\nSELECTBACK=2\r\n"));
    ::chmod((dir / "a.ini").c_str(), 0200);
    if (std::ifstream(dir / "a.ini")) {
        GTEST_SKIP() << "this user reads every file";
    }
    IniFile ini(dir / "a.ini");
    EXPECT_FALSE(ini.WriteInt("LOGGER CONFIG", "TEMPUNIT", 1));
    ::chmod((dir / "a.ini").c_str(), 0600);
    EXPECT_EQ(Text(dir / "a.ini"), "[VIEW CONFIG]\r\nSELECTBACK=2\r\n");
}
