#include "Cp1251.h"

#include <gtest/gtest.h>

TEST(Cp1251, RoundTripsCyrillicAndAscii) {
    const std::string name = "Имя логгера";
    const auto bytes = cp1251::FromUtf8(name);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, "\xC8\xEC\xFF\x20\xEB\xEE\xE3\xE3\xE5\xF0\xE0");
    EXPECT_EQ(cp1251::ToUtf8(*bytes), name);
    EXPECT_EQ(cp1251::ToUtf8("\xA8\xB8\xB9"), "Ёё№");
}

TEST(Cp1251, RefusesWhatItCannotHold) {
    EXPECT_FALSE(cp1251::FromUtf8("温度"));
    EXPECT_FALSE(cp1251::FromUtf8("\xC3"));         // cut UTF-8 sequence
    EXPECT_FALSE(cp1251::FromUtf8("\xEF\xBF\xBD")); // the replacement character has no byte
    EXPECT_EQ(cp1251::EncodedLength("Склад №2"), 8U);
}
