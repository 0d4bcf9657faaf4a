#pragma once

#include <optional>

#include "core/values/CoherenceSpectrum.h"
#include "core/values/FilterSettings.h"

namespace korvanta {

// The band the coherence proposes as filter: the low and high cut-off around the widest stretch
// of clearly coherent bins (the most coherence above that of unrelated signals), and notches over
// narrow tones inside it — a line much more coherent than its neighbours (mains hum, a pump) or
// much less (a tone one sensor hears alone). Nothing when no bin is clearly coherent; the
// automatic filter is off in the proposal.
std::optional<FilterSettings> ProposeCoherenceBand(const CoherenceSpectrum& coherence);

}  // namespace korvanta
