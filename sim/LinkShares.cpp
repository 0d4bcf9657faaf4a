#include "sim/LinkShares.h"

#include <cmath>

namespace korvanta::sim {

LinkShares::LinkShares(LinkQuality quality)
    : perfect(quality == LinkQuality::Perfect ? 1.0 : 0.0),
      acceptable(quality == LinkQuality::Acceptable ? 1.0 : 0.0),
      failed(quality == LinkQuality::Failed ? 1.0 : 0.0)
{
}

std::string LinkShares::Check() const
{
    for (const double share : {perfect, acceptable, failed}) {
        if (!std::isfinite(share) || share < 0.0) {
            return "the shares of perfect, acceptable and failed radio tests must be numbers of at least 0";
        }
    }
    if (!(perfect + acceptable + failed > 0.0) || !std::isfinite(perfect + acceptable + failed)) {
        return "the shares of perfect, acceptable and failed radio tests must not all be 0";
    }
    return {};
}

LinkQuality LinkShares::Draw(double uniform) const
{
    const double point = uniform * (perfect + acceptable + failed);
    if (point < perfect) {
        return LinkQuality::Perfect;
    }
    if (point < perfect + acceptable) {
        return LinkQuality::Acceptable;
    }
    return LinkQuality::Failed;
}

std::optional<LinkQuality> LinkQualityNamed(const std::string& name)
{
    if (name == "perfect") {
        return LinkQuality::Perfect;
    }
    if (name == "acceptable") {
        return LinkQuality::Acceptable;
    }
    if (name == "failed") {
        return LinkQuality::Failed;
    }
    return std::nullopt;
}

}  // namespace korvanta::sim
