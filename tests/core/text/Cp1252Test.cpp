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

TEST(Cp1252, FixedFieldFilledExactly)
{
    std::array<char, 10> field;
    field.fill('X');
    CopyToFixedField("Støbejern", field);  // 9 bytes + terminator
    EXPECT_EQ(std::string(field.data(), 9),
              "St\xF8"
              "bejern");
    EXPECT_EQ(field[9], '\0');
    EXPECT_EQ(ReadFixedField(field), "Støbejern");
}

TEST(Cp1252, FixedFieldTruncatesAfterConversionAndStaysInside)
{
    // Guard bytes on both sides catch any write outside the field.
    std::array<char, 8> buffer;
    buffer.fill('#');
    const std::span<char> field(buffer.data() + 1, 5);
    CopyToFixedField("Støbejern", field);
    EXPECT_EQ(buffer[0], '#');
    EXPECT_EQ(buffer[6], '#');
    EXPECT_EQ(buffer[7], '#');
    // Cut after conversion: "Støb" is 4 single bytes, where 4 UTF-8 bytes would be only "Stø".
    EXPECT_EQ(std::string(field.data(), 5), std::string("St\xF8"
                                                        "b",
                                                        4) +
                                                '\0');
    EXPECT_EQ(ReadFixedField(field), "Støb");
}

TEST(Cp1252, FixedFieldZeroFillsTheRest)
{
    std::array<char, 12> field;
    field.fill('X');
    CopyToFixedField("PVC", field);
    EXPECT_EQ(std::string(field.data(), 3), "PVC");
    for (std::size_t i = 3; i < field.size(); ++i)
        EXPECT_EQ(field[i], '\0') << i;

    std::array<char, 1> tiny = {'X'};
    CopyToFixedField("abc", tiny);
    EXPECT_EQ(tiny[0], '\0');

    std::array<char, 2> guard = {'#', '#'};
    CopyToFixedField("abc", std::span<char>(guard.data(), 0));
    EXPECT_EQ(guard[0], '#');
}

TEST(Cp1252, ReadFixedFieldStopsAtZeroOrAtTheFieldEnd)
{
    // A full field without terminator; the byte after it belongs to the next field.
    const char record[] = {'0', '1', ':', '2', '3', ':', '4', '5', 'Z', 'Z'};
    EXPECT_EQ(ReadFixedField(std::span<const char>(record, 8)), "01:23:45");

    const char withZero[] = {'B', 'l', '\xE5', '\0', 'x', 'y'};
    EXPECT_EQ(ReadFixedField(withZero), "Blå");
    EXPECT_EQ(ReadFixedField(std::span<const char>()), "");
}

}  // namespace
}  // namespace korvanta
