#include "core/export/GisCsv.h"

#include <vector>

#include "core/pipe/PipeSection.h"
#include "core/pipe/UnitConversion.h"
#include "core/text/Cp1252.h"
#include "core/text/StringTable.h"

namespace korvanta {

std::string CsvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

namespace {

std::string HeaderLine(const ResultReport& report)
{
    const std::string timeUnit = LoadString(TimeUnitLabel(report.timeUnit));
    const std::string lengthUnit = LoadString(LengthUnitLabel(report.units));
    const std::string diameterUnit = LoadString(DiameterUnitLabel(report.units));
    const std::string velocityUnit = LoadString(VelocityUnitLabel(report.units, report.timeUnit));
    std::string line = "GIS-kode,Fil   ,Dato   ,Tid   ,Titel   ,Brugerref...   ,Løbetid  " + timeUnit +
                       ",Værdi ,Afstand fra sensor 1 ,Afstand fra sensor 2 ,Lav Cut-Off     Hz,"
                       "Høj Cut-Off     Hz,Autofilter   ,Notchfilter   ,";
    for (int k = 0; k < kMaxPipeSections; ++k) {
        line += "Rørstykke ,Materiale ,Længde  " + lengthUnit + ",Diameter  " + diameterUnit + ",Hastighed  " +
                velocityUnit + ",";
    }
    return line + "Kommentarer,\n";
}

// A section's length, diameter and velocity in the export's formats: the view's, except that an
// imperial diameter keeps one decimal like the length.
std::vector<std::string> SectionValues(const ReportSection& section, UnitSystem units, TimeUnit time)
{
    const char* lengthFormat = units == UnitSystem::Imperial ? "%.1f" : "%.2f";
    const char* diameterFormat = units == UnitSystem::Imperial ? "%.1f" : "%.0f";
    const char* velocityFormat = time == TimeUnit::Milliseconds ? "%.2f" : "%.0f";
    return {FormatNumber(lengthFormat, LengthForDisplay(section.length, units)),
            FormatNumber(diameterFormat, DiameterForDisplay(section.diameter, units)),
            FormatNumber(velocityFormat, VelocityForDisplay(section.velocity, units, time))};
}

std::string DataLine(const ResultReport& report, std::string_view gisCode)
{
    std::string line;
    const auto add = [&line](std::string_view field) { line += CsvField(field) + ","; };
    add(gisCode);
    for (const std::string* text :
         {&report.fileName, &report.date, &report.time, &report.title, &report.userReference, &report.delayText}) {
        add(*text);
    }
    add(std::to_string(report.blockCount));
    for (const std::string* text : {&report.distance1, &report.distance2, &report.lowSummary, &report.highSummary,
                                    &report.autoText, &report.notchText}) {
        add(*text);
    }
    for (int k = 0; k < kMaxPipeSections; ++k) {
        add(std::to_string(k + 1));
        const bool present = k < static_cast<int>(report.sections.size()) && report.sections[k].length > 0.0f;
        if (!present) {
            line += ",,,,";
            continue;
        }
        const ReportSection& section = report.sections[static_cast<size_t>(k)];
        add(section.material);
        for (const std::string& value : SectionValues(section, report.units, report.timeUnit)) {
            add(value);
        }
    }
    line += CsvField(report.comments[0]) + "," + CsvField(report.comments[1]) + "," + CsvField(report.comments[2]);
    return line;
}

}  // namespace

std::string BuildGisCsv(const ResultReport& report, std::string_view gisCode)
{
    return Utf8ToCp1252(HeaderLine(report) + DataLine(report, gisCode));
}

}  // namespace korvanta
