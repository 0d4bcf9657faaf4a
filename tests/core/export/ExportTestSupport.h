#pragma once

#include "core/export/ResultReport.h"

namespace korvanta::exporttest {

// A finished measurement as the form shows it: one section of cast iron, filters set by hand,
// two notches.
inline ResultReport SampleReport()
{
    ResultReport report;
    report.fileName = "måling";
    report.delayText = "-0.0500";
    report.blockCountText = "12:1";
    report.blockCount = 12;
    report.distance1 = "75.0 m";
    report.distance2 = "125.0 m";
    report.lowSummary = "100";
    report.highSummary = "800";
    report.autoText = "OFF";
    report.notchText = "ON";
    report.elapsedText = "00:01:10";
    report.cursorOnPeak = true;
    report.sections = {{"Støbejern", 200.0f, 110.0f, 1250.0f}};
    report.date = "07-12-2026";
    report.time = "13:05:00";
    report.title = "Vejen 4";
    report.userReference = "K-17";
    report.comments = {"stille nat", "", "ventil lukket"};
    report.pairCode = 6;
    report.lowCutoff = 100.0f;
    report.highCutoff = 800.0f;
    report.notches = {{48.0f, 52.0f}, {98.5f, 101.5f}};
    report.graphHeights = {0, 10, 300, -5};
    report.graphHeight = 195;
    report.cursorColumn = 2;
    return report;
}

}  // namespace korvanta::exporttest
