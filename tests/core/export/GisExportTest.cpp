#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

#include "core/export/GisCsv.h"
#include "core/export/GisExport.h"
#include "core/export/GraphBitmap.h"
#include "core/text/Cp1252.h"
#include "tests/core/export/ExportTestSupport.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"

namespace korvanta {
namespace {

std::set<std::string> Names(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

std::vector<std::string> SplitFields(const std::string& line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t at; (at = line.find(',', start)) != std::string::npos; start = at + 1) {
        fields.push_back(line.substr(start, at - start));
    }
    fields.push_back(line.substr(start));
    return fields;
}

uint32_t Le32(const std::vector<uint8_t>& bytes, size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

TEST(GisCsvTest, HeaderAndDataLineInWindows1252)
{
    const std::string csv = BuildGisCsv(exporttest::SampleReport(), "GIS7");
    const size_t lineEnd = csv.find('\n');
    ASSERT_NE(lineEnd, std::string::npos);
    const std::string header = Cp1252ToUtf8(csv.substr(0, lineEnd));
    const std::string data = csv.substr(lineEnd + 1);
    EXPECT_EQ(data.find('\n'), std::string::npos) << "no line end after the data line";
    EXPECT_TRUE(header.starts_with(
        "GIS-kode,Fil   ,Dato   ,Tid   ,Titel   ,Brugerref...   ,Løbetid  s,Værdi ,Afstand fra sensor 1 ,"));
    EXPECT_NE(header.find(",Lav Cut-Off     Hz,Høj Cut-Off     Hz,Autofilter   ,Notchfilter   ,Rørstykke ,"
                          "Materiale ,Længde  m,Diameter  mm,Hastighed  m/s,"),
              std::string::npos);
    EXPECT_TRUE(header.ends_with(",Kommentarer,"));

    const auto headerFields = SplitFields(header);
    const auto dataFields = SplitFields(data);
    // 14 + 50 fields before the comments, each followed by a comma; three comments in the data.
    ASSERT_EQ(headerFields.size(), 14u + 50u + 2u);
    ASSERT_EQ(dataFields.size(), 14u + 50u + 3u);
    const std::vector<std::string> expectedStart = {"GIS7",
                                                    "m\xE5ling",
                                                    "07-12-2026",
                                                    "13:05:00",
                                                    "Vejen 4",
                                                    "K-17",
                                                    "-0.0500",
                                                    "12",
                                                    "75.0 m",
                                                    "125.0 m",
                                                    "100",
                                                    "800",
                                                    "OFF",
                                                    "ON",
                                                    "1",
                                                    "St\xF8"
                                                    "bejern",
                                                    "200.00",
                                                    "110",
                                                    "1250",
                                                    "2",
                                                    "",
                                                    "",
                                                    ""};
    EXPECT_EQ(std::vector<std::string>(dataFields.begin(), dataFields.begin() + 23), expectedStart);
    EXPECT_EQ(dataFields[14 + 45], "10");
    EXPECT_EQ(std::vector<std::string>(dataFields.end() - 3, dataFields.end()),
              (std::vector<std::string>{"stille nat", "", "ventil lukket"}));
}

TEST(GisCsvTest, UnitsChangeHeaderAndSectionFormats)
{
    struct Case {
        UnitSystem units;
        TimeUnit time;
        const char* headerPart;
        std::vector<std::string> values;  // length, diameter, velocity
    };
    const Case cases[] = {
        {UnitSystem::Metric, TimeUnit::Milliseconds, "Løbetid  ms", {"200.00", "110", "1.25"}},
        {UnitSystem::Imperial, TimeUnit::Seconds, "Hastighed  ft/s", {"656.2", "4.3", "4101"}},
        {UnitSystem::Imperial, TimeUnit::Milliseconds, "Hastighed  ft/ms", {"656.2", "4.3", "4.10"}},
    };
    for (const Case& c : cases) {
        ResultReport report = exporttest::SampleReport();
        report.units = c.units;
        report.timeUnit = c.time;
        const std::string csv = Cp1252ToUtf8(BuildGisCsv(report, ""));
        EXPECT_NE(csv.find(c.headerPart), std::string::npos) << c.headerPart;
        const auto fields = SplitFields(csv.substr(csv.find('\n') + 1));
        EXPECT_EQ(fields[0], "");
        EXPECT_EQ(std::vector<std::string>(fields.begin() + 16, fields.begin() + 19), c.values) << c.headerPart;
    }
}

TEST(GisCsvTest, QuotesOnlyFieldsThatWouldBreakTheLine)
{
    const std::pair<std::string, std::string> cases[] = {
        {"plain text", "plain text"},     {"a,b", "\"a,b\""},   {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\nlines", "\"two\nlines\""}, {"cr\r", "\"cr\r\""}, {"", ""},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(CsvField(text), expected) << text;
    }
    ResultReport report = exporttest::SampleReport();
    report.title = "Vej 4, nord";
    report.sections[0].material = "PE, blå";
    const std::string data = Cp1252ToUtf8(BuildGisCsv(report, "K,1"));
    EXPECT_TRUE(data.substr(data.find('\n') + 1).starts_with("\"K,1\",måling,07-12-2026,13:05:00,\"Vej 4, nord\","));
    EXPECT_NE(data.find(",1,\"PE, blå\",200.00,"), std::string::npos);
}

TEST(GisExportTest, BasePathDropsOnlyAThreeLetterExtension)
{
    const std::pair<std::string, std::string> cases[] = {
        {"/tmp/måling.txt", "/tmp/måling"},
        {"/tmp/måling", "/tmp/måling"},
        {"/tmp/a.b", "/tmp/a.b"},
        {"x", "x"},
        {".cs", ".cs"},
        {"", ""},
        {".csv", ""},
    };
    for (const auto& [chosen, base] : cases) {
        EXPECT_EQ(ExportBasePath(chosen), base) << chosen;
    }
}

TEST(GisExportTest, WritesBothFilesBesideTheChosenName)
{
    const auto folder = std::filesystem::temp_directory_path() / "korvanta-gis-export-test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::string error;
    const ResultReport report = exporttest::SampleReport();
    ASSERT_TRUE(WriteGisExport(folder / "måling.txt", report, "", error)) << error;
    EXPECT_EQ(test::ReadAll(folder / "måling.csv"), BuildGisCsv(report, ""));
    EXPECT_EQ(std::filesystem::file_size(folder / "måling.bmp"), 54u + 195u * BitmapRowBytes(627));
    EXPECT_FALSE(std::filesystem::exists(folder / "måling.txt"));
    // A folder where the csv belongs is refused by name; nothing is left half-written.
    std::filesystem::create_directories(folder / "blocked.csv");
    EXPECT_FALSE(WriteGisExport(folder / "blocked", report, "", error));
    EXPECT_FALSE(std::filesystem::exists(folder / "blocked.bmp"));
    std::filesystem::remove_all(folder);
}

// The csv and the bmp are one export: when the picture cannot be written the old table stays as
// it was, and nothing is left beside them.
TEST(GisExportTest, BothFilesOrNeither)
{
    test::TempFolder folder;
    const ResultReport report = exporttest::SampleReport();
    struct Case {
        const char* name;
        std::function<void(const std::filesystem::path& bmp)> block;
    };
    const Case cases[] = {
        {"a folder where the bmp belongs", [](const auto& bmp) { std::filesystem::create_directory(bmp); }},
        {"a link to nothing", [](const auto& bmp) { std::filesystem::create_symlink("/nonexistent/x", bmp); }},
        {"a full disk", [](const auto&) {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto base = folder / c.name;
        std::ofstream(base.string() + ".csv") << "old table";
        c.block(base.string() + ".bmp");
        const auto before = Names(folder.Path());
        std::string error;
        {
            const test::FileSizeLimit full(std::string(c.name) == "a full disk" ? 100000 : RLIM_INFINITY);
            EXPECT_FALSE(WriteGisExport(base, report, "", error));
        }
        EXPECT_NE(error.find(base.string() + ".bmp"), std::string::npos) << error;
        EXPECT_EQ(test::ReadAll(base.string() + ".csv"), "old table");
        EXPECT_EQ(Names(folder.Path()), before);
    }
    std::string error;
    for (const std::string& chosen : {std::string("/"), std::string(""), (folder / "").string(), std::string(".txt")}) {
        EXPECT_FALSE(HasExportBaseName(chosen)) << chosen;
        EXPECT_FALSE(WriteGisExport(chosen, report, "", error)) << chosen;
    }
    EXPECT_TRUE(HasExportBaseName((folder / "x").string()));
}

TEST(GraphBitmapTest, HeadersAndPaddedBottomUpRows)
{
    // Widths whose rows need 0, 3, 2 and 1 padding bytes.
    for (const int width : {4, 5, 6, 7}) {
        const std::vector<int32_t> heights = {1, 3, 0, 99};
        const int height = 3;
        const auto bmp = BuildGraphBitmap(heights, width, height, 1);
        const uint32_t row = BitmapRowBytes(width);
        EXPECT_EQ(row % 4, 0u);
        EXPECT_GE(row, 3u * width);
        EXPECT_LT(row, 3u * width + 4);
        ASSERT_EQ(bmp.size(), 54u + row * height);
        EXPECT_EQ(bmp[0], 'B');
        EXPECT_EQ(bmp[1], 'M');
        EXPECT_EQ(Le32(bmp, 2), bmp.size());
        EXPECT_EQ(Le32(bmp, 6), 0u);
        EXPECT_EQ(Le32(bmp, 10), 54u);
        EXPECT_EQ(Le32(bmp, 14), 40u);
        EXPECT_EQ(Le32(bmp, 18), static_cast<uint32_t>(width));
        EXPECT_EQ(Le32(bmp, 22), static_cast<uint32_t>(height));
        EXPECT_EQ(bmp[26] | bmp[27] << 8, 1);
        EXPECT_EQ(bmp[28] | bmp[29] << 8, 24);
        EXPECT_EQ(Le32(bmp, 30), 0u);
        EXPECT_EQ(Le32(bmp, 34), row * height);
        for (size_t at = 38; at < 54; ++at) {
            EXPECT_EQ(bmp[at], 0) << at;
        }
        const auto pixel = [&](int x, int y) {  // y counted from the bottom
            const size_t at = 54 + static_cast<size_t>(y) * row + 3u * static_cast<size_t>(x);
            return std::array<int, 3>{bmp[at], bmp[at + 1], bmp[at + 2]};
        };
        const std::array<int, 3> green = {0, 125, 0};
        const std::array<int, 3> white = {255, 255, 255};
        EXPECT_EQ(pixel(0, 0), white) << "left of the trace";
        EXPECT_EQ(pixel(1, 0), green);
        EXPECT_EQ(pixel(1, 1), white);
        EXPECT_EQ(pixel(2, 2), green) << "full height";
        EXPECT_EQ(pixel(3, 0), white) << "zero height";
        EXPECT_EQ(pixel(4 < width ? 4 : 3, 2), 4 < width ? green : white) << "clamped to the picture";
        for (int y = 0; y < height; ++y) {
            for (uint32_t pad = 3u * width; pad < row; ++pad) {
                EXPECT_EQ(bmp[54 + y * row + pad], 0) << "padding of row " << y;
            }
        }
    }
}

}  // namespace
}  // namespace korvanta
