#pragma once

#include <cstdint>

namespace korvanta {

// What changed in the document, as the views are told.
inline constexpr uint32_t kHintNewResult = 100;         // a new two-station result
inline constexpr uint32_t kHintMeasurementEnded = 101;  // the measurement must end
inline constexpr uint32_t kHintPipeChanged = 102;
inline constexpr uint32_t kHintFileOpened = 103;
inline constexpr uint32_t kHintSensorsChanged = 104;
inline constexpr uint32_t kHintNewDocument = 105;
inline constexpr uint32_t kHintBlankingChanged = 106;  // sent by the view itself
inline constexpr uint32_t kHintFiltersChanged = 107;
inline constexpr uint32_t kHintPathChanged = 108;
// The measurement is about to be saved while it runs: a view stops it as STOP does (with its
// measuring time), so the file holds one consistent measurement.
inline constexpr uint32_t kHintStopBeforeSave = 109;
inline constexpr uint32_t kHintThreeStationResult = 1000;    // every pair has a result
inline constexpr uint32_t kHintThreeStationBlockSet = 1001;  // a block from red, blue and yellow
inline constexpr uint32_t kHintThreeStationFiltersChanged = 1003;
inline constexpr uint32_t kHintThreeStationCombinedResult = 1005;  // as 1000 with the result view shown

}  // namespace korvanta
