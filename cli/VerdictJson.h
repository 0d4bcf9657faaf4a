#pragma once

#include "cli/JsonWriter.h"
#include "core/result/LeakResultReport.h"
#include "core/values/CoherenceSpectrum.h"
#include "core/values/FilterSettings.h"

namespace korvanta::cli {

class CommandLine;

// True for "--filter coherence" (the band the measurement's coherence proposes), false without
// --filter or with "--filter standard" (the filters as they are); any other value is refused.
bool FilterChoice(const CommandLine& options);

// "reliable", "reasons" (keys: weak, ambiguous, outside, zero_delay), "messages" (the Danish
// texts), "candidates" (delay, from_start, from_end, relative) and "interval_m" (the leak's span
// from the start of the pipe, only for a reliable result on a known pipe), "delay_sigma".
void AddVerdict(JsonWriter& json, const LeakResultReport& report);

// The same keys for no result: not reliable, reason weak, no candidates.
void AddNoVerdict(JsonWriter& json);

// The coherence as JSON: pairs, and per bin 1..1023 its frequency and value; null when unknown.
std::string CoherenceJson(const CoherenceSpectrum& coherence);

// A filter block as JSON: low, high, notches, automatic.
std::string FilterJson(const FilterSettings& filters);

}  // namespace korvanta::cli
