#pragma once

#include <array>

#include "core/values/CoherenceSpectrum.h"
#include "core/values/ComplexF.h"

namespace korvanta {

// Sums, per bin, the cross-spectrum and both stations' auto-spectra of the same block pairs the
// centre segment sums, but unweighted (the automatic filter never touches them), in double
// precision, so the coherence can be formed at any time. Independent of the engine's own sums,
// which stay exactly as they were.
class CoherenceAccumulator {
public:
    void Clear();
    // One block pair: ring 1's spectrum and ring 0's, as the engine pairs them.
    void Add(const ComplexF* ring1, const ComplexF* ring0);
    uint32_t Pairs() const { return pairs_; }
    // A bin where either station is silent has coherence 0.
    CoherenceSpectrum Coherence() const;

private:
    struct Bin {
        double crossRe = 0.0;
        double crossIm = 0.0;
        double power1 = 0.0;
        double power0 = 0.0;
    };
    std::array<Bin, kSpectrumBins> bins_{};
    uint32_t pairs_ = 0;
};

}  // namespace korvanta
