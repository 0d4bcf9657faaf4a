#pragma once

#include <optional>
#include <string>

namespace korvanta::sim {

// How one radio test between the interface unit and an outstation comes out.
enum class LinkQuality { Perfect, Acceptable, Failed };

// How well an outstation's radio reaches the interface unit: the shares of its radio tests that
// come out perfect, acceptable but not perfect, and failed, in proportion (70/20/10 and
// 0.7/0.2/0.1 are the same link). A single LinkQuality is the whole link at that quality.
struct LinkShares {
    double perfect = 1.0;
    double acceptable = 0.0;
    double failed = 0.0;

    LinkShares() = default;
    LinkShares(double perfectShare, double acceptableShare, double failedShare)
        : perfect(perfectShare), acceptable(acceptableShare), failed(failedShare)
    {
    }
    // Every test at this quality; implicit so that a link is still set from one quality.
    LinkShares(LinkQuality quality);  // NOLINT(google-explicit-constructor)

    // Empty when tests can be drawn from these shares, else what is wrong with them.
    std::string Check() const;
    // The outcome of one test for `uniform` drawn evenly from [0, 1). A link of a single
    // quality gives that quality whatever is drawn.
    LinkQuality Draw(double uniform) const;

    bool operator==(const LinkShares&) const = default;
};

// "perfect", "acceptable" or "failed"; nothing for any other text.
std::optional<LinkQuality> LinkQualityNamed(const std::string& name);

}  // namespace korvanta::sim
