#pragma once

#include <optional>

#include "core/record/MeasurementRecord.h"
#include "core/values/CoherenceSpectrum.h"

namespace korvanta {

// The coherence travels in the record only in bytes the record leaves reserved (behind the first
// sum of cross-spectra), marked by a tag, a format number and a checksum, each bin quantised to
// 16 bits. Every byte with a meaning of its own stays as it was, and a record written before the
// coherence was kept (reserved bytes zero or anything else) reads as "no coherence stored".
inline constexpr size_t kCoherenceRecordBytes = 20 + 2 * kSpectrumBins;

// Writes the coherence into the reserved bytes; an unknown coherence (no pairs) removes the tag.
void StoreCoherence(MeasurementRecord& record, const CoherenceSpectrum& coherence);
// The stored coherence, or nothing when the record holds none (or a damaged or newer one).
std::optional<CoherenceSpectrum> LoadCoherence(const MeasurementRecord& record);

}  // namespace korvanta
