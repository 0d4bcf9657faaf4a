#pragma once

#include <string>

#include "core/export/ResultReport.h"

namespace korvanta {

class CKorvantaDoc;
class CorrelationDisplay;

// Gathers what the two-station form shows (its display model) and what the document holds into
// one report. `graphHeight` is the graph picture's height in pixels.
ResultReport CollectResultReport(const CKorvantaDoc& document, const CorrelationDisplay& display,
                                 const std::string& elapsedText, int graphHeight);

}  // namespace korvanta
