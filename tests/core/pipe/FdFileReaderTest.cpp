#include <gtest/gtest.h>

#include "core/pipe/FdFileReader.h"
#include "tests/core/pipe/PipeTestSupport.h"

namespace korvanta {
namespace {

std::vector<FdEntry> ParseFilters(std::string_view text, int slots = 3)
{
    return FdFileReader(FdLineFormat::FilterPair, slots).Parse(text);
}

std::vector<FdEntry> ParseVelocities(std::string_view text)
{
    return FdFileReader(FdLineFormat::VelocityPair, 20).Parse(text);
}

void ExpectEntry(const FdEntry& entry, int material, int slot, float first, float second)
{
    EXPECT_EQ(entry.material, material);
    EXPECT_EQ(entry.slot, slot);
    EXPECT_EQ(entry.first, first);
    EXPECT_EQ(entry.second, second);
}

TEST(FdFileReader, FilterLinesFollowTheScanPattern)
{
    ASSERT_TRUE(FdFileReader::ParseLine("3, 100, 800", FdLineFormat::FilterPair));
    ASSERT_TRUE(FdFileReader::ParseLine("  0x0A,100.5,  -2e2 trailing text", FdLineFormat::FilterPair));
    const auto parsed = FdFileReader::ParseLine("  0x0A,100.5,  -2e2 trailing", FdLineFormat::FilterPair);
    EXPECT_EQ(parsed->material, 10);
    EXPECT_EQ(parsed->first, 100.5f);
    EXPECT_EQ(parsed->second, -200.0f);
    // The comma must follow the number directly, as the scan pattern demands.
    EXPECT_FALSE(FdFileReader::ParseLine("3 , 100, 800", FdLineFormat::FilterPair));
    EXPECT_FALSE(FdFileReader::ParseLine("3, 100", FdLineFormat::FilterPair));
    EXPECT_FALSE(FdFileReader::ParseLine("x, 100, 800", FdLineFormat::FilterPair));
    EXPECT_FALSE(FdFileReader::ParseLine("3, nan, 800", FdLineFormat::FilterPair));
    EXPECT_FALSE(FdFileReader::ParseLine("3, 1e60, 800", FdLineFormat::FilterPair));
    EXPECT_FALSE(FdFileReader::ParseLine("3, --1, 800", FdLineFormat::FilterPair));
}

TEST(FdFileReader, VelocityLinesFollowTheScanPattern)
{
    const auto parsed = FdFileReader::ParseLine("3 \"110\" \"500\"", FdLineFormat::VelocityPair);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->material, 3);
    EXPECT_EQ(parsed->first, 110.0f);
    EXPECT_EQ(parsed->second, 500.0f);
    EXPECT_TRUE(FdFileReader::ParseLine("3\"110\"\t\" 500", FdLineFormat::VelocityPair));
    EXPECT_FALSE(FdFileReader::ParseLine("3 \"110 \" \"500\"", FdLineFormat::VelocityPair));
    EXPECT_FALSE(FdFileReader::ParseLine("3 110 500", FdLineFormat::VelocityPair));
    EXPECT_FALSE(FdFileReader::ParseLine("3, 110, 500", FdLineFormat::VelocityPair));
}

TEST(FdFileReader, AnotherIndexRestartsAMaterialAtSlotZero)
{
    const auto entries =
        ParseVelocities("1 \"100\" \"900\"\n1 \"150\" \"1000\"\n2 \"100\" \"400\"\n1 \"200\" \"1100\"\n");
    ASSERT_EQ(entries.size(), 4u);
    ExpectEntry(entries[0], 1, 0, 100.0f, 900.0f);
    ExpectEntry(entries[1], 1, 1, 150.0f, 1000.0f);
    ExpectEntry(entries[2], 2, 0, 100.0f, 400.0f);
    ExpectEntry(entries[3], 1, 0, 200.0f, 1100.0f);
}

TEST(FdFileReader, SkippedLinesDoNotBreakARun)
{
    const auto entries = ParseFilters(
        "// 14, 1, 2 comment whatever follows\n"
        "4, 100, 800\n"
        "14, 1, 1\n"  // index 20: outside the table
        "garbage\n"
        "\n"
        "   // not a comment, and not a line either\n"
        "4, 80, 600\n");
    ASSERT_EQ(entries.size(), 2u);
    ExpectEntry(entries[0], 4, 0, 100.0f, 800.0f);
    ExpectEntry(entries[1], 4, 1, 80.0f, 600.0f);
}

TEST(FdFileReader, LinesBeyondAMaterialsSlotsAreDropped)
{
    const auto entries = ParseFilters("0, 1, 2\n0, 3, 4\n0, 5, 6\n0, 7, 8\n0, 9, 10\n13, 1, 1\n");
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[2].slot, 2);
    ExpectEntry(entries[3], 19, 0, 1.0f, 1.0f);
    EXPECT_TRUE(ParseFilters("5, 1, 1\n", 0).empty());
}

TEST(FdFileReader, AcceptsCrLfLoneCrByteOrderMarkAndNoFinalNewline)
{
    const auto crlf = ParseFilters(
        "\xEF\xBB\xBF"
        "2, 10, 20\r\n2, 30, 40\r\n// c\r\n2, 50, 60");
    ASSERT_EQ(crlf.size(), 3u);
    ExpectEntry(crlf[2], 2, 2, 50.0f, 60.0f);
    const auto cr = ParseFilters("2, 10, 20\r2, 30, 40\r");
    ASSERT_EQ(cr.size(), 2u);
    EXPECT_EQ(cr[1].slot, 1);
}

TEST(FdFileReader, ReadFileTellsAMissingFileFromAnEmptyOne)
{
    pipetest::TempDir dir;
    EXPECT_FALSE(FdFileReader::ReadFile(dir / "missing.fd"));
    EXPECT_FALSE(FdFileReader::ReadFile(dir.Path()));
    pipetest::WriteFile(dir / "empty.fd", "");
    EXPECT_EQ(FdFileReader::ReadFile(dir / "empty.fd"), std::string());
}

}  // namespace
}  // namespace korvanta
