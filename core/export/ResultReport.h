#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/values/FilterSettings.h"
#include "core/values/UnitSystem.h"

namespace korvanta {

// One pipe section as the outputs list it, in metres, millimetres and metres per second.
struct ReportSection {
    std::string material;
    float length = 0.0f;
    float diameter = 0.0f;
    float velocity = 0.0f;
};

// A notch filter in force, in Hz.
struct ReportNotch {
    float low = 0.0f;
    float high = 0.0f;
};

// What the two-station form shows and the document holds at the moment the user prints, copies
// or exports: the single source of the copied text, the GIS files and the printed page.
struct ResultReport {
    // The form's texts.
    std::string fileName;
    std::string delayText;
    std::string blockCountText;  // "%d:1"
    uint32_t blockCount = 0;
    std::string distance1;
    std::string distance2;
    std::string lowSummary;
    std::string highSummary;
    std::string autoText;
    std::string notchText;
    std::string elapsedText;
    bool cursorOnPeak = false;
    // How sure the result is in one line ("Pålideligt resultat: 43,5 m ± 0,4 m"), and why not in
    // sentences; empty without a result.
    std::string verdictLine;
    std::vector<std::string> verdictReasons;
    // The document's data.
    std::vector<ReportSection> sections;
    std::string date;
    std::string time;
    std::string title;
    std::string userReference;
    std::array<std::string, 3> comments;
    uint32_t pairCode = 0;
    float lowCutoff = 0.0f;  // as stored, Hz
    float highCutoff = 0.0f;
    bool automaticFilter = false;
    std::vector<ReportNotch> notches;
    // The graph: one display height per column, the picture's height in pixels, the cursor.
    std::vector<int32_t> graphHeights;
    int graphHeight = 0;
    int cursorColumn = 0;
    UnitSystem units = UnitSystem::Metric;
    TimeUnit timeUnit = TimeUnit::Seconds;
};

}  // namespace korvanta
