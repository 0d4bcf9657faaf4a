#include "sim/acoustics/MeasuredWavenumber.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

namespace korvanta::sim {

namespace {

constexpr double kDbPerNeper = 8.685889638065036;

struct Row {
    double hz;
    double realK;
    double dbPerMetre;
};

bool ReadRows(std::string_view text, std::vector<Row>& rows, std::string& error)
{
    std::istringstream lines{std::string(text)};
    std::string line;
    size_t number = 0;
    while (std::getline(lines, line)) {
        ++number;
        const size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#') {
            continue;
        }
        std::istringstream fields(line);
        Row row{};
        std::string rest;
        if (!(fields >> row.hz >> row.realK >> row.dbPerMetre) || (fields >> rest) || !std::isfinite(row.hz) ||
            !std::isfinite(row.realK) || !std::isfinite(row.dbPerMetre)) {
            error = "line " + std::to_string(number) + ": needs three numbers (Hz, Re k in rad/m, dB/m)";
            return false;
        }
        if (!rows.empty() && row.hz < rows.back().hz) {
            error = "line " + std::to_string(number) + ": frequencies must not fall from row to row";
            return false;
        }
        if (rows.size() == MeasuredWavenumber::kMaxRows) {
            error = "more than " + std::to_string(MeasuredWavenumber::kMaxRows) + " rows";
            return false;
        }
        rows.push_back(row);
    }
    return true;
}

}  // namespace

bool MeasuredWavenumber::Parse(std::string_view text, double fromHz, double toHz, MeasuredWavenumber& result,
                               std::string& error)
{
    std::vector<Row> rows;
    if (!ReadRows(text, rows, error)) {
        return false;
    }
    // A decay written negative is turned round; single rows of the other sign are measuring noise.
    double signedSum = 0.0;
    for (const Row& row : rows) {
        if (row.hz >= fromHz && row.hz <= toHz) {
            signedSum += row.dbPerMetre;
        }
    }
    const double sign = signedSum < 0.0 ? -1.0 : 1.0;
    MeasuredWavenumber table;
    for (const Row& row : rows) {
        // A frequency measured twice is one point of the table, the mean of both.
        if (row.hz < fromHz || row.hz > toHz || (!table.hz_.empty() && row.hz == table.hz_.back())) {
            continue;
        }
        double realK = 0.0;
        double db = 0.0;
        int count = 0;
        for (const Row& near : rows) {
            if (std::abs(near.hz - row.hz) <= kSmoothingHz + 1e-9) {
                realK += near.realK;
                db += sign * near.dbPerMetre;
                ++count;
            }
        }
        realK /= count;
        const double speed = 2.0 * std::numbers::pi * row.hz / realK;
        if (!(row.hz > 0.0) || !(realK > 0.0) || speed > 6000.0) {
            error = "at " + std::to_string(row.hz) + " Hz the table gives no wave speed in 0..6000 m/s";
            return false;
        }
        table.hz_.push_back(row.hz);
        table.speed_.push_back(speed);
        table.alpha_.push_back(std::max(0.0, db / count / kDbPerNeper));
    }
    if (table.hz_.size() < 2) {
        error = "fewer than two rows between " + std::to_string(fromHz) + " and " + std::to_string(toHz) + " Hz";
        return false;
    }
    result = std::move(table);
    return true;
}

std::complex<double> MeasuredWavenumber::At(double hz) const
{
    const double f = std::abs(hz);
    double speed = speed_.front();
    double alpha = alpha_.front() * f / hz_.front();
    if (f >= hz_.back()) {
        speed = speed_.back();
        alpha = alpha_.back();
    } else if (f > hz_.front()) {
        const size_t i = static_cast<size_t>(std::upper_bound(hz_.begin(), hz_.end(), f) - hz_.begin());
        const double t = (f - hz_[i - 1]) / (hz_[i] - hz_[i - 1]);
        speed = speed_[i - 1] + t * (speed_[i] - speed_[i - 1]);
        alpha = alpha_[i - 1] + t * (alpha_[i] - alpha_[i - 1]);
    }
    return {2.0 * std::numbers::pi * f / speed, -alpha};
}

}  // namespace korvanta::sim
