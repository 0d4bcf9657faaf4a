#pragma once

namespace korvanta::sim {

// A noise band: flat from lowHz to highHz, falling to nothing outside over a raised-cosine edge
// a fifth of the edge frequency wide (at least 1 Hz), so that the band has no sharp corners that
// would ring for long. Nothing at 0 Hz.
struct SourceBand {
    double lowHz = 5.0;
    double highHz = 1500.0;

    double Gain(double hz) const;
    static double EdgeWidth(double edgeHz);
};

}  // namespace korvanta::sim
