#pragma once

#include <array>
#include <cstdint>

#include "core/values/ComplexF.h"

namespace korvanta {

inline constexpr int kAutoFilterTaperLength = 100;
using AutoFilterTaper = std::array<float, kAutoFilterTaperLength>;

// The bell-shaped weights around the learnt centre: the fourth-order series of exp(y), inverted.
AutoFilterTaper BuildAutoFilterTaper();

// The automatic filter: learns the strongest band of the centre sum over the first pairs of a
// measurement, then weights every later cross-spectrum around it.
class AutoFilter {
public:
    static constexpr uint16_t kLearningPairs = 10;

    void Clear();
    void SetTaper(const AutoFilterTaper& taper) { taper_ = taper; }

    // One block pair's step: `sum` is the centre accumulator before this pair is added,
    // `crossSpectrum` the pair's centre cross-spectrum, weighted in place once a centre is known.
    void Apply(const ComplexF* sum, ComplexF* crossSpectrum);

    uint16_t Centre() const { return centre_; }
    float CentreEnergy() const { return centreEnergy_; }
    bool CentreFound() const { return centreFound_ != 0; }
    uint16_t PairCounter() const { return pairCounter_; }

    void FindCentre(const ComplexF* sum);
    void Weight(ComplexF* crossSpectrum) const;

private:
    AutoFilterTaper taper_{};
    uint16_t centre_ = 0;
    float centreEnergy_ = 0.0f;
    uint16_t pairCounter_ = 0;
    uint8_t centreFound_ = 0;
};

}  // namespace korvanta
