#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/values/ComplexF.h"

namespace korvanta {

// The spectrum display: the amplitudes of each station's quietest block, summed into SW columns
// and scaled so that each trace reaches SH at its own maximum.
class SpectrumTraces {
public:
    void Init(std::span<int32_t> outputA, std::span<int32_t> outputB, uint32_t width, uint32_t height);
    void Build(const ComplexF* ring0, const ComplexF* ring1);

    const std::vector<float>& TraceA() const { return traceA_; }
    const std::vector<float>& TraceB() const { return traceB_; }

private:
    std::vector<float> traceA_, traceB_;
    std::span<int32_t> outputA_, outputB_;
    uint32_t width_ = 0;
    uint32_t height_ = 0;
};

}  // namespace korvanta
