#pragma once

#include <cstdint>
#include <string>

namespace korvanta {

// Version text of a unit from the three version bytes of its reply, e.g. "QX-913-07-200C".
std::string FormatVersionText(uint8_t major, uint8_t minor, uint8_t letterIndex);

inline constexpr int kDiagnosticsValues = 11;

// The eleven supply voltages of a diagnostics reply as one line of text; `words` points at
// the 22 bytes of big-endian raw readings.
std::string FormatDiagnosticsText(const uint8_t* words);

// The message that tells the user why the interface unit refused to start sampling, from the
// two unit masks of its refusal: a unit in A only does not answer, in both has no sensor,
// in B only reports a fault.
uint32_t StartSamplingFailureId(uint8_t maskA, uint8_t maskB);

}  // namespace korvanta
