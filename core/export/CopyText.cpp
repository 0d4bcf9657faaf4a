#include "core/export/CopyText.h"

#include "core/pipe/UnitConversion.h"
#include "core/text/StringTable.h"

namespace korvanta {

namespace {

std::string CutoffLine(const char* label, const std::string& summary, float cutoff)
{
    return label + summary + (cutoff > 0.0f ? " Hz" : "") + "\n";
}

}  // namespace

std::string BuildCopyText(const ResultReport& report)
{
    const std::string timeUnit = LoadString(TimeUnitLabel(report.timeUnit));
    const std::string lengthUnit = LoadString(LengthUnitLabel(report.units));
    const std::string diameterUnit = LoadString(DiameterUnitLabel(report.units));
    const std::string velocityUnit = LoadString(VelocityUnitLabel(report.units, report.timeUnit));
    std::string text = "Fil   " + report.fileName;
    text += "\n\nLøbetid : " + report.delayText + " " + timeUnit;
    text += "\n\nVærdi : " + report.blockCountText;
    text += "\n\nAfstand fra sensor 1 : " + report.distance1 + "\n";
    text += "Afstand fra sensor 2 : " + report.distance2 + "\n\n";
    if (!report.verdictLine.empty()) {
        text += "Vurdering : " + report.verdictLine + "\n";
        for (const std::string& reason : report.verdictReasons) {
            text += reason + "\n";
        }
        text += "\n";
    }
    int number = 1;
    for (const ReportSection& section : report.sections) {
        text += "Rørstykke : " + std::to_string(number++) + "\n";
        text += "Materiale : " + section.material + "\n";
        text += "Længde : " + FormatSectionLength(section.length, report.units) + " " + lengthUnit + "\n";
        text += "Diameter : " + FormatSectionDiameter(section.diameter, report.units) + " " + diameterUnit + "\n";
        text += "Hastighed : " + FormatVelocity(section.velocity, report.units, report.timeUnit) + " " + velocityUnit +
                "\n\n";
    }
    text += CutoffLine("Lav Cut-Off   ", report.lowSummary, report.lowCutoff);
    text += CutoffLine("Høj Cut-Off   ", report.highSummary, report.highCutoff) + "\n";
    text += "Autofilter   " + report.autoText + "\n\nNotchfilter   " + report.notchText;
    return text;
}

}  // namespace korvanta
