#pragma once

#include <complex>
#include <string>
#include <string_view>
#include <vector>

namespace korvanta::sim {

// A pipe's wavenumber as measured: rows of frequency (Hz), the real part of k (rad/m) and the
// attenuation (dB/m; a table whose rows in use add up negative writes the decay negative and is
// turned round). Measured wavenumbers are ragged, so each row in use is the mean of the rows
// within +-10 Hz of it (a mean decay below 0 counts as none), and only rows from `fromHz` to
// `toHz` are used. Between them the phase speed and the attenuation
// are interpolated in straight lines; below `fromHz` the speed stays and the attenuation falls
// in proportion to frequency, above `toHz` both stay as at `toHz`.
class MeasuredWavenumber {
public:
    static constexpr double kSmoothingHz = 10.0;
    static constexpr size_t kMaxRows = 100000;

    // Lines starting with '#' and empty lines are skipped; every other line needs three numbers.
    // False, with the reason, when the text holds no usable table in the range.
    static bool Parse(std::string_view text, double fromHz, double toHz, MeasuredWavenumber& result,
                      std::string& error);

    // k = omega / c - i alpha in rad/m and nepers per metre.
    std::complex<double> At(double hz) const;
    double FromHz() const { return hz_.front(); }
    double ToHz() const { return hz_.back(); }

private:
    std::vector<double> hz_;
    std::vector<double> speed_;  // m/s
    std::vector<double> alpha_;  // nepers per metre, 0 or more
};

}  // namespace korvanta::sim
