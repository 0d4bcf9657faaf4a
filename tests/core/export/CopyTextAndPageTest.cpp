#include <gtest/gtest.h>

#include <algorithm>

#include "core/export/CopyText.h"
#include "core/export/PrintedPage.h"
#include "core/export/StoredResultReport.h"
#include "tests/core/export/ExportTestSupport.h"
#include "tests/core/view/ViewModelTestSupport.h"

namespace korvanta {
namespace {

using Kind = PageOperation::Kind;
using Align = PageOperation::Align;

TEST(CopyTextTest, TheWholeTextOfAMeasurement)
{
    EXPECT_EQ(BuildCopyText(exporttest::SampleReport()),
              "Fil   måling\n\nLøbetid : -0.0500 s\n\nVærdi : 12:1\n\n"
              "Afstand fra sensor 1 : 75.0 m\nAfstand fra sensor 2 : 125.0 m\n\n"
              "Rørstykke : 1\nMateriale : Støbejern\nLængde : 200.00 m\nDiameter : 110 mm\nHastighed : 1250 m/s\n\n"
              "Lav Cut-Off   100 Hz\nHøj Cut-Off   800 Hz\n\nAutofilter   OFF\n\nNotchfilter   ON");
}

TEST(CopyTextTest, NoSectionsNoSectionBlockAndOpenCutoffsWithoutHz)
{
    ResultReport report = exporttest::SampleReport();
    report.sections.clear();
    report.lowCutoff = 0.0f;
    report.lowSummary = "Åben";
    report.units = UnitSystem::Imperial;
    report.timeUnit = TimeUnit::Milliseconds;
    const std::string text = BuildCopyText(report);
    EXPECT_EQ(text.find("Rørstykke"), std::string::npos);
    EXPECT_NE(text.find("Løbetid : -0.0500 ms\n"), std::string::npos);
    EXPECT_NE(text.find("\n\nLav Cut-Off   Åben\nHøj Cut-Off   800 Hz\n"), std::string::npos);
}

TEST(CopyTextTest, ImperialSectionFormats)
{
    ResultReport report = exporttest::SampleReport();
    report.units = UnitSystem::Imperial;
    report.timeUnit = TimeUnit::Milliseconds;
    EXPECT_NE(BuildCopyText(report).find("Længde : 656.2 ft\nDiameter : 4.3 ins\nHastighed : 4.10 ft/ms\n"),
              std::string::npos);
}

std::vector<PageOperation> TextsAt(const std::vector<PageOperation>& page, int x, int y)
{
    std::vector<PageOperation> found;
    std::copy_if(page.begin(), page.end(), std::back_inserter(found),
                 [&](const PageOperation& op) { return op.kind == Kind::Text && op.x1 == x && op.y1 == y; });
    return found;
}

std::string TextAt(const std::vector<PageOperation>& page, int x, int y)
{
    const auto found = TextsAt(page, x, y);
    return found.size() == 1 ? found[0].text : "<" + std::to_string(found.size()) + " texts>";
}

TEST(PrintedPageTest, FramesHeadingsAndLabelsWhereThePageHasThem)
{
    const auto page = LayOutPrintedPage(exporttest::SampleReport());
    ASSERT_GE(page.size(), 5u);
    const PageOperation first[] = {
        PageOperation::Shape(Kind::Rectangle, 40, -200, 2630, -1150),
        PageOperation::Shape(Kind::Rectangle, 40, -1200, 2630, -1650),
        {Kind::Text, 55, -1180, 55, -1180, "Rørdata ", 8.0, Align::Left},
        PageOperation::Shape(Kind::Rectangle, 2250, -1685, 2630, -2000),
        {Kind::Text, 2275, -1665, 2275, -1665, "Filterindstillinger ", 8.0, Align::Left},
    };
    EXPECT_TRUE(std::equal(std::begin(first), std::end(first), page.begin()));
    const int rectangles = static_cast<int>(
        std::count_if(page.begin(), page.end(), [](const PageOperation& op) { return op.kind == Kind::Rectangle; }));
    EXPECT_EQ(rectangles, 4 + 5);
    EXPECT_EQ(TextAt(page, 1825, -1780), "Notch 5 ");
    EXPECT_EQ(TextAt(page, 180, -1575), "(m/s)");
    EXPECT_EQ(TextAt(page, 2560, -1275), "10");
    EXPECT_EQ(TextsAt(page, 2560, -1275)[0].align, Align::Centre);
    EXPECT_EQ(TextAt(page, 130, -1100), "Afstand fra sensor 1  (RED)");
    const auto sensor2 = TextsAt(page, 2600, -1100);
    ASSERT_EQ(sensor2.size(), 1u);
    EXPECT_EQ(sensor2[0].text, "Afstand fra sensor 2  (BLUE)");
    EXPECT_EQ(sensor2[0].align, Align::Right);
    EXPECT_EQ(TextAt(page, 95, -10), "Filnavn   ");
    EXPECT_EQ(TextsAt(page, 95, -10)[0].fontPoints, 10.0);
    // Nine vertical lines between the ten columns and one after the labels.
    const int lines = static_cast<int>(
        std::count_if(page.begin(), page.end(), [](const PageOperation& op) { return op.kind == Kind::Line; }));
    EXPECT_EQ(lines, 10);
    EXPECT_NE(std::find(page.begin(), page.end(), PageOperation::Shape(Kind::Line, 2440, -1275, 2440, -1625)),
              page.end());
}

TEST(PrintedPageTest, GraphBarsAndCursorFollowTheTrace)
{
    const auto page = LayOutPrintedPage(exporttest::SampleReport());
    std::vector<PageOperation> bars;
    std::copy_if(page.begin(), page.end(), std::back_inserter(bars),
                 [](const PageOperation& op) { return op.kind == Kind::Bar; });
    // Heights 0, 10, 300 (clamped to the graph's 195) and -5 (clamped to 0).
    const std::vector<PageOperation> expected = {
        PageOperation::Shape(Kind::Bar, 120, -1000, 120, -1000),
        PageOperation::Shape(Kind::Bar, 124, -1000, 124, -960),
        PageOperation::Shape(Kind::Bar, 128, -1000, 128, -220),
        PageOperation::Shape(Kind::Bar, 132, -1000, 132, -1000),
    };
    EXPECT_EQ(bars, expected);
    EXPECT_EQ(page.back(), PageOperation::Shape(Kind::DashedLine, 128, -1000, 128, -225));
}

TEST(PrintedPageTest, ValuesInTheirFieldsAndUnits)
{
    ResultReport report = exporttest::SampleReport();
    report.fileName = "a_very_long_file_name_indeed";
    report.sections.push_back({"Polyethylen hård", 12.5f, 63.0f, 400.0f});
    report.title.clear();
    report.cursorOnPeak = false;
    auto page = LayOutPrintedPage(report);
    EXPECT_EQ(TextAt(page, 280, 0), "a_very_long_file_nam");
    EXPECT_EQ(TextsAt(page, 280, 0)[0].fontPoints, 13.2);
    EXPECT_TRUE(TextsAt(page, 2100, 0).empty()) << "no title, no text";
    EXPECT_EQ(TextAt(page, 2100, -145), "Manual");
    EXPECT_EQ(TextAt(page, 400, -1350), "Støbejern");
    EXPECT_EQ(TextAt(page, 640, -1350), "Polyethylen ");
    EXPECT_EQ(TextAt(page, 640, -1425), "12.50");
    EXPECT_EQ(TextAt(page, 640, -1575), "400.00");
    EXPECT_EQ(TextAt(page, 2455, -1725), "100.00  Hz");
    EXPECT_EQ(TextAt(page, 2455, -1950), "ON");
    EXPECT_EQ(TextAt(page, 300, -1850), "48.00  Hz");
    EXPECT_EQ(TextAt(page, 725, -1900), "101.50  Hz");
    EXPECT_EQ(TextAt(page, 1150, -1850), "Åben");
    EXPECT_EQ(TextAt(page, 2600, -1050), "125.0 m");
    EXPECT_EQ(TextAt(page, 1335, -1050), "00:01:10");

    report.units = UnitSystem::Imperial;
    report.timeUnit = TimeUnit::Milliseconds;
    page = LayOutPrintedPage(report);
    EXPECT_EQ(TextAt(page, 400, -1425), "656.17");
    EXPECT_EQ(TextAt(page, 400, -1500), "4.33");
    EXPECT_EQ(TextAt(page, 400, -1575), "4.10");
    EXPECT_EQ(TextAt(page, 180, -1575), "(ft/ms)");
    EXPECT_EQ(TextAt(page, 887, -1100), "(ms)");
}

TEST(PrintedPageTest, AutomaticFilterWithStoredZeroCutoffs)
{
    ResultReport report = exporttest::SampleReport();
    report.automaticFilter = true;
    report.lowCutoff = 0.0f;
    report.highCutoff = 0.0f;
    report.notches.clear();
    const auto page = LayOutPrintedPage(report);
    EXPECT_EQ(TextAt(page, 2455, -1725), "Åben");
    EXPECT_EQ(TextAt(page, 2455, -1800), "Åben");
    EXPECT_EQ(TextAt(page, 2455, -1875), "ON");
    EXPECT_EQ(TextAt(page, 2455, -1950), "OFF");
}

TEST(ResultVerdictOutputTest, TheVerdictGoesBesideTheDistancesOnTheClipboardAndThePage)
{
    struct Case {
        double snrDb;
        int pairs;
        const char* lineStart;
        bool reasons;
    };
    // A clear leak over 200 m, and leak noise drowned in the pipe's noise.
    const Case cases[] = {{6.0, 6, "Pålideligt resultat: ", false}, {-30.0, 2, "Usikkert resultat: ", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.snrDb);
        viewtest::ViewRig rig;
        rig.LayPipe(200.0f, 2);
        rig.Measure(c.pairs, c.snrDb);
        const ResultReport report = ReportOfOpenedMeasurement(rig.Doc());
        ASSERT_EQ(report.verdictLine.rfind(c.lineStart, 0), 0u) << report.verdictLine;
        EXPECT_EQ(report.verdictReasons.empty(), !c.reasons);
        EXPECT_EQ(report.verdictLine.find(" m ± ") != std::string::npos, !c.reasons) << "a span for a sure result";

        const std::string text = BuildCopyText(report);
        const size_t distance = text.find("Afstand fra sensor 2 : ");
        const size_t verdict = text.find("Vurdering : " + report.verdictLine + "\n");
        ASSERT_NE(verdict, std::string::npos) << text;
        EXPECT_LT(distance, verdict);
        EXPECT_LT(verdict, text.find("Rørstykke : 1"));
        for (const std::string& reason : report.verdictReasons) {
            EXPECT_NE(text.find(reason + "\n"), std::string::npos);
        }
        const auto page = LayOutPrintedPage(report);
        EXPECT_EQ(TextAt(page, 2600, -1158), "Vurdering   " + report.verdictLine);
        EXPECT_EQ(TextsAt(page, 2600, -1158)[0].align, Align::Right);
    }

    // Nothing measured: no verdict anywhere.
    const ResultReport empty = exporttest::SampleReport();
    EXPECT_EQ(BuildCopyText(empty).find("Vurdering"), std::string::npos);
    EXPECT_TRUE(TextsAt(LayOutPrintedPage(empty), 2600, -1158).empty());
}

}  // namespace
}  // namespace korvanta
