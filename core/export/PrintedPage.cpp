#include "core/export/PrintedPage.h"

#include <algorithm>

#include "core/pipe/UnitConversion.h"
#include "core/text/Cp1252.h"

namespace korvanta {

namespace {

using Kind = PageOperation::Kind;
using Align = PageOperation::Align;

constexpr double kSmall = 8.0;
constexpr double kMedium = 10.0;
constexpr double kLarge = 13.2;
constexpr int kSectionColumns = 10;
constexpr int kNotchBoxes = 5;

class PageBuilder {
public:
    void Rectangle(int left, int top, int right, int bottom)
    {
        ops_.push_back(PageOperation::Shape(Kind::Rectangle, left, top, right, bottom));
    }
    void Line(int x1, int y1, int x2, int y2) { ops_.push_back(PageOperation::Shape(Kind::Line, x1, y1, x2, y2)); }
    void Bar(int x, int y1, int y2) { ops_.push_back(PageOperation::Shape(Kind::Bar, x, y1, x, y2)); }
    void Dashed(int x, int y1, int y2) { ops_.push_back(PageOperation::Shape(Kind::DashedLine, x, y1, x, y2)); }
    void Text(int x, int y, std::string text, double points, Align align = Align::Left)
    {
        ops_.push_back({Kind::Text, x, y, x, y, std::move(text), points, align});
    }
    std::vector<PageOperation> Take() { return std::move(ops_); }

private:
    std::vector<PageOperation> ops_;
};

// The first `count` characters of a UTF-8 text, counted as the record's single-byte characters.
std::string Truncated(const std::string& text, size_t count)
{
    const std::string bytes = Utf8ToCp1252(text);
    return bytes.size() <= count ? text : Cp1252ToUtf8(bytes.substr(0, count));
}

std::string HzOrOpen(float value)
{
    return value != 0.0f ? FormatNumber("%.2f  Hz", value) : std::string("Åben");
}

// Sensor 1's and sensor 2's colour tags by the sensor pair.
std::pair<const char*, const char*> UnitTags(uint32_t pairCode)
{
    switch (pairCode) {
    case 3:
        return {" (RED)", " (INTERFACE)"};
    case 5:
        return {" (BLUE)", " (INTERFACE)"};
    case 6:
        return {" (RED)", " (BLUE)"};
    case 9:
        return {" (YELLOW)", " (INTERFACE)"};
    case 10:
        return {" (RED)", " (YELLOW)"};
    case 12:
        return {" (BLUE)", " (YELLOW)"};
    default:
        return {"", ""};
    }
}

void FramesAndHeadings(PageBuilder& page)
{
    page.Rectangle(40, -200, 2630, -1150);
    page.Rectangle(40, -1200, 2630, -1650);
    page.Text(55, -1180, "Rørdata ", kSmall);
    page.Rectangle(2250, -1685, 2630, -2000);
    page.Text(2275, -1665, "Filterindstillinger ", kSmall);
    page.Rectangle(40, -1725, 2225, -2000);
    page.Text(100, -1705, "Notch-filterindstillinger ", kSmall);
    for (int i = 0; i < kNotchBoxes; ++i) {
        page.Rectangle(100 + 425 * i, -1800, 475 + 425 * i, -1950);
        page.Text(125 + 425 * i, -1780, "Notch " + std::to_string(i + 1) + " ", kSmall);
    }
}

void PipeTableLabels(PageBuilder& page, const ResultReport& report)
{
    const bool imperial = report.units == UnitSystem::Imperial;
    const bool perMs = report.timeUnit == TimeUnit::Milliseconds;
    page.Text(55, -1275, "Rørstykke ", kSmall);
    page.Text(55, -1350, "Materiale ", kSmall);
    page.Text(55, -1425, "Længde ", kSmall);
    page.Text(55, -1500, "Diameter ", kSmall);
    page.Text(55, -1575, "Hastighed ", kSmall);
    page.Text(180, -1425, imperial ? "(ft)" : "(m)", kSmall);
    page.Text(180, -1500, imperial ? "(ins)" : "(mm)", kSmall);
    page.Text(180, -1575, imperial ? (perMs ? "(ft/ms)" : "(ft/s)") : (perMs ? "(m/ms)" : "(m/s)"), kSmall);
    page.Line(270, -1275, 270, -1625);
    for (int k = 1; k <= kSectionColumns; ++k) {
        page.Text(400 + 240 * (k - 1), -1275, std::to_string(k), kSmall, Align::Centre);
    }
    for (int k = 1; k < kSectionColumns; ++k) {
        page.Line(520 + 240 * (k - 1), -1275, 520 + 240 * (k - 1), -1625);
    }
}

void ResultAndFileLabels(PageBuilder& page, const ResultReport& report)
{
    page.Text(2275, -1725, "Lav Cut-Off   ", kSmall);
    page.Text(2275, -1800, "Høj Cut-Off   ", kSmall);
    page.Text(2275, -1875, "Autofilter   ", kSmall);
    page.Text(2275, -1950, "Notchfilter   ", kSmall);
    const auto [tag1, tag2] = UnitTags(report.pairCode);
    page.Text(130, -1100, std::string("Afstand fra sensor 1 ") + tag1, kSmall);
    page.Text(2600, -1100, std::string("Afstand fra sensor 2 ") + tag2, kSmall, Align::Right);
    page.Text(800, -1100, "Løbetid ", kSmall, Align::Centre);
    page.Text(887, -1100, report.timeUnit == TimeUnit::Milliseconds ? "(ms)" : "(s)", kSmall, Align::Centre);
    page.Text(1867, -1100, "Værdi ", kSmall, Align::Centre);
    page.Text(1335, -1100, "Elapsed Time", kSmall, Align::Centre);
    page.Text(95, -10, "Filnavn   ", kMedium);
    page.Text(950, -10, "Dato   ", kMedium);
    page.Text(1800, -10, "Titel   ", kMedium);
    page.Text(95, -60, "Comments", kMedium);
    page.Text(1800, -60, "User Reference", kMedium);
    page.Text(1800, -145, "Cursor", kMedium);
    for (int i = 0; i < kNotchBoxes; ++i) {
        page.Text(125 + 425 * i, -1850, "Lav Cut-Off   ", kSmall);
        page.Text(125 + 425 * i, -1900, "Høj Cut-Off   ", kSmall);
    }
}

void Graph(PageBuilder& page, const ResultReport& report)
{
    for (size_t i = 0; i < report.graphHeights.size(); ++i) {
        const int height = std::clamp(report.graphHeights[i], 0, std::max(report.graphHeight, 0));
        page.Bar(120 + 4 * static_cast<int>(i), -1000, 4 * height - 1000);
    }
}

void Values(PageBuilder& page, const ResultReport& report)
{
    const size_t columns = std::min<size_t>(report.sections.size(), kSectionColumns);
    for (size_t k = 0; k < columns; ++k) {
        const ReportSection& section = report.sections[k];
        const int x = 400 + 240 * static_cast<int>(k);
        page.Text(x, -1350, Truncated(section.material, 12), kSmall, Align::Centre);
        page.Text(x, -1425, FormatNumber("%.2f", LengthForDisplay(section.length, report.units)), kSmall,
                  Align::Centre);
        page.Text(x, -1500, FormatNumber("%.2f", DiameterForDisplay(section.diameter, report.units)), kSmall,
                  Align::Centre);
        page.Text(x, -1575, FormatNumber("%.2f", VelocityForDisplay(section.velocity, report.units, report.timeUnit)),
                  kSmall, Align::Centre);
    }
    page.Text(280, 0, Truncated(report.fileName, 20), kLarge);
    page.Text(1200, 0, report.date, kLarge);
    if (!report.title.empty()) {
        page.Text(2100, 0, report.title, kLarge);
    }
    page.Text(280, -50, report.comments[0], kLarge);
    page.Text(280, -100, report.comments[1], kLarge);
    page.Text(280, -145, report.comments[2], kLarge);
    page.Text(2100, -55, report.userReference, kLarge);
    page.Text(2100, -145, report.cursorOnPeak ? "Automatic" : "Manual", kLarge);
    page.Text(2455, -1725, HzOrOpen(report.lowCutoff), kSmall);
    page.Text(2455, -1800, HzOrOpen(report.highCutoff), kSmall);
    page.Text(2455, -1875, report.automaticFilter ? "ON" : "OFF", kSmall);
    page.Text(2455, -1950, report.notches.empty() ? "OFF" : "ON", kSmall);
    page.Text(130, -1050, report.distance1, kMedium);
    page.Text(2600, -1050, report.distance2, kMedium, Align::Right);
    page.Text(800, -1050, report.delayText, kMedium, Align::Centre);
    page.Text(1867, -1050, report.blockCountText, kMedium, Align::Centre);
    page.Text(1335, -1050, report.elapsedText, kMedium, Align::Centre);
    // Between the result's frame and the pipe's, clear of the pipe's heading on the left: how
    // sure the result is.
    if (!report.verdictLine.empty()) {
        page.Text(2600, -1158, "Vurdering   " + report.verdictLine, kSmall, Align::Right);
    }
    for (int i = 0; i < kNotchBoxes; ++i) {
        const bool defined = i < static_cast<int>(report.notches.size());
        const ReportNotch notch = defined ? report.notches[static_cast<size_t>(i)] : ReportNotch{};
        page.Text(300 + 425 * i, -1850, defined ? FormatNumber("%.2f  Hz", notch.low) : "Åben", kSmall);
        page.Text(300 + 425 * i, -1900, defined ? FormatNumber("%.2f  Hz", notch.high) : "Åben", kSmall);
    }
}

}  // namespace

std::vector<PageOperation> LayOutPrintedPage(const ResultReport& report)
{
    PageBuilder page;
    FramesAndHeadings(page);
    PipeTableLabels(page, report);
    ResultAndFileLabels(page, report);
    Graph(page, report);
    Values(page, report);
    if (!report.graphHeights.empty()) {
        page.Dashed(120 + 4 * report.cursorColumn, -1000, -225);
    }
    return page.Take();
}

}  // namespace korvanta
