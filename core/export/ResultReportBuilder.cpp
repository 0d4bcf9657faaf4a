#include "core/export/ResultReportBuilder.h"

#include <algorithm>

#include "core/document/CKorvantaDoc.h"
#include "core/result/LeakResultReport.h"
#include "core/result/ResultTexts.h"
#include "core/view/CorrelationDisplay.h"

namespace korvanta {

ResultReport CollectResultReport(const CKorvantaDoc& document, const CorrelationDisplay& display,
                                 const std::string& elapsedText, int graphHeight)
{
    ResultReport report;
    report.fileName = display.FileName();
    report.delayText = display.DelayText();
    report.blockCountText = display.BlockCountText();
    report.blockCount = document.PairTotal();
    report.distance1 = display.Distances().sensor1;
    report.distance2 = display.Distances().sensor2;
    report.lowSummary = display.Filters().low;
    report.highSummary = display.Filters().high;
    report.autoText = display.Filters().automatic;
    report.notchText = display.Filters().notch;
    report.elapsedText = elapsedText;
    report.cursorOnPeak = display.Cursor().OnPeak();
    const CCorrelator& engine = document.Engine();
    if (!document.IsThreeStationMode() && engine.IsResultReady() && engine.HasSignal()) {
        const LeakResultReport leak =
            BuildLeakResultReport(engine, document.Record().pipe, &document.Materials(), display.LengthUnit());
        report.verdictLine = VerdictLine(leak.verdict, leak.interval, display.LengthUnit());
        report.verdictReasons = leak.reasonTexts;
    }
    for (int i = 0; i < document.Pipe().SectionCount(); ++i) {
        SectionInfo info;
        if (document.Pipe().Section(i, info)) {
            report.sections.push_back({info.materialName, info.length, info.diameter, info.velocity});
        }
    }
    const FileInformation information = document.GetFileInformation();
    report.date = information.date;
    report.time = information.time;
    report.title = information.title;
    report.userReference = information.userInformation;
    report.comments = document.CommentLines();
    report.pairCode = document.SensorPairCode();
    report.lowCutoff = document.Filters().LowCutoff();
    report.highCutoff = document.Filters().HighCutoff();
    report.automaticFilter = document.Filters().Automatic();
    for (int k = 0; k < kNotchCount; ++k) {
        if (document.Filters().NotchHigh(k) > 0.0f) {
            report.notches.push_back({document.Filters().NotchLow(k), document.Filters().NotchHigh(k)});
        }
    }
    if (display.GraphShown()) {
        const auto trace = document.TraceBuffer();
        const size_t columns = std::min<size_t>(trace.size(), static_cast<size_t>(std::max(display.GraphWidth(), 0)));
        report.graphHeights.assign(trace.begin(), trace.begin() + static_cast<std::ptrdiff_t>(columns));
    }
    report.graphHeight = graphHeight;
    report.cursorColumn = display.Cursor().Column();
    report.units = display.LengthUnit();
    report.timeUnit = display.TimeUnitShown();
    return report;
}

}  // namespace korvanta
