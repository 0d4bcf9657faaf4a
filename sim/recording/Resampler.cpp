#include "sim/recording/Resampler.h"

#include <soxr.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace korvanta::sim {

namespace {

// Output samples of loop on either side: more than the very-high-quality filter reaches.
constexpr double kContextOutputSamples = 4096.0;
// The lead-in is chosen among this many lengths so that it ends on an output sample.
constexpr int kLeadInCandidates = 200000;

// A lead-in of at least `least` input samples whose length at the output rate is (nearly) whole.
size_t LeadIn(size_t least, double ratio)
{
    size_t best = least;
    double bestMiss = 1.0;
    for (size_t p = least; p < least + kLeadInCandidates; ++p) {
        const double out = static_cast<double>(p) * ratio;
        const double miss = std::abs(out - std::round(out));
        if (miss < bestMiss) {
            best = p;
            bestMiss = miss;
            if (miss < 1e-4) {
                break;
            }
        }
    }
    return best;
}

}  // namespace

Resampler::Resampler(double inputRate, double outputRate) : inputRate_(inputRate), outputRate_(outputRate) {}

double Resampler::CutoffHz() const
{
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_VHQ, 0);
    return quality.passband_end * std::min(inputRate_, outputRate_) / 2.0;
}

std::vector<double> Resampler::Run(std::span<const float> input) const
{
    if (input.empty()) {
        return {};
    }
    if (inputRate_ == outputRate_) {
        return {input.begin(), input.end()};
    }
    const double ratio = outputRate_ / inputRate_;
    const auto length = static_cast<size_t>(std::llround(static_cast<double>(input.size()) * ratio));
    const auto context = static_cast<size_t>(std::ceil(kContextOutputSamples / std::min(ratio, 1.0)));
    const size_t lead = LeadIn(context, ratio);

    // The loop from `lead` samples before its start to `context` after its end, in three pieces.
    const size_t n = input.size();
    const auto looped = [&](size_t count, size_t from) {
        std::vector<float> piece(count);
        for (size_t i = 0; i < count; ++i) {
            piece[i] = input[(from + i) % n];
        }
        return piece;
    };
    const std::vector<float> before = looped(lead, n - lead % n);
    const std::vector<float> after = looped(context, 0);

    const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT64_I);
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_VHQ, 0);
    soxr_error_t failed = nullptr;
    const std::unique_ptr<soxr, decltype(&soxr_delete)> resampler(
        soxr_create(inputRate_, outputRate_, 1, &failed, &io, &quality, nullptr), &soxr_delete);
    if (failed != nullptr || !resampler) {
        return {};
    }
    const size_t total = lead + n + context;
    std::vector<double> out(static_cast<size_t>(std::ceil(static_cast<double>(total) * ratio)) + 64);
    size_t produced = 0;
    for (const std::span<const float> piece : {std::span<const float>(before), input, std::span<const float>(after)}) {
        size_t taken = 0;
        while (failed == nullptr && taken < piece.size() && produced < out.size()) {
            size_t used = 0;
            size_t made = 0;
            failed = soxr_process(resampler.get(), piece.data() + taken, piece.size() - taken, &used,
                                  out.data() + produced, out.size() - produced, &made);
            taken += used;
            produced += made;
        }
    }
    // Flush what the filter still holds.
    while (failed == nullptr && produced < out.size()) {
        size_t made = 0;
        failed =
            soxr_process(resampler.get(), nullptr, 0, nullptr, out.data() + produced, out.size() - produced, &made);
        produced += made;
        if (made == 0) {
            break;
        }
    }
    const auto first = static_cast<size_t>(std::llround(static_cast<double>(lead) * ratio));
    if (failed != nullptr || produced < first + length) {
        return {};
    }
    return {out.begin() + static_cast<std::ptrdiff_t>(first),
            out.begin() + static_cast<std::ptrdiff_t>(first + length)};
}

}  // namespace korvanta::sim
