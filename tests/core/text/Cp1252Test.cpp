#include "core/text/Cp1252.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

namespace korvanta {
namespace {

TEST(Cp1252, DanishLettersAreOneByteEach)
{
    const std::string bytes = Utf8ToCp1252("Støbejern");
    ASSERT_EQ(bytes.size(), 9u);
    EXPECT_EQ(bytes,
              "St\xF8"
              "bejern");
    EXPECT_EQ(Cp1252ToUtf8(bytes), "Støbejern");
    EXPECT_EQ(Utf8ToCp1252("ÆØÅæøå"), "\xC6\xD8\xC5\xE6\xF8\xE5");
}

TEST(Cp1252, HighControlRangeUsesTheWindowsTable)
{
    const std::pair<const char*, const char*> cases[] = {{"\x80", "€"}, {"\x9F", "Ÿ"}, {"\x85\x8A\x99\x96", "…Š™–"}};
    for (const auto& [cp1252, utf8] : cases) {
        EXPECT_EQ(Cp1252ToUtf8(cp1252), utf8);
        EXPECT_EQ(Utf8ToCp1252(utf8), cp1252) << utf8;
    }
}

TEST(Cp1252, UndefinedBytesRoundTripThroughC1Controls)
{
    for (const char b : {'\x81', '\x8D', '\x8F', '\x90', '\x9D'}) {
        const std::string utf8 = Cp1252ToUtf8(std::string(1, b));
        ASSERT_EQ(utf8.size(), 2u);
        EXPECT_EQ(static_cast<unsigned char>(utf8[0]), 0xC2);
        EXPECT_EQ(utf8[1], b);
    }
}

TEST(Cp1252, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_EQ(Utf8ToCp1252(utf8), all);
}

// Characters without a byte of their own, and malformed UTF-8, become question marks.
TEST(Cp1252, WhatHasNoByteBecomesQuestionMarks)
{
    struct Case {
        const char* name;
        std::string utf8;
        std::string cp1252;
    };
    const Case cases[] = {
        {"Polish letters", "Łódź",
         "?\xF3"
         "d?"},
        {"CJK, 3 bytes",
         "a\xE6\x97\xA5"
         "b",
         "a?b"},
        {"emoji, 4 bytes", "x\xF0\x9F\x98\x80y", "x?y"},
        // Latin-1 would have been wrong here: U+0080 has no byte of its own.
        {"U+0080", "\xC2\x80", "?"},
        {"stray continuation",
         "\x80"
         "A",
         "?A"},
        {"truncated at the end", "A\xC3", "A?"},
        {"truncated, one '?'",
         "\xE2\x82"
         "A",
         "?A"},
        {"overlong '/'", "\xC0\xAF", "??"},
        {"overlong NUL", "\xE0\x80\x80", "???"},
        {"surrogate", "\xED\xA0\x80", "???"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", "????"},
        {"never a UTF-8 byte", "\xF5\xFE\xFF", "???"},
        {"lead byte interrupted",
         "\xC3"
         "\xC3\xB8",
         "?\xF8"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << c.name;
    }
}

}  // namespace
}  // namespace korvanta
