#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/velocity/RegressionFit.h"
#include "core/velocity/RegressionPoint.h"

namespace korvanta {

// The static sensor: 0 interface unit, 1 red, 2 blue, 3 yellow, 4 none chosen.
inline constexpr uint32_t kNoStaticSensor = 4;
inline constexpr size_t kMaxRegressionPoints = 10;

// The regression's data set: up to ten points, the pipe they share, the static sensor and the
// fit over the included points.
class CRegressionData {
public:
    size_t Count() const { return count_; }
    bool Full() const { return count_ == kMaxRegressionPoints; }
    std::span<const RegressionPoint> Points() const { return {points_.data(), count_}; }
    const RegressionPoint& Point(size_t index) const { return points_[index]; }
    size_t IncludedCount() const;

    // False when the set is full.
    bool Add(const RegressionPoint& point);
    // Later points move down one slot. Out of range does nothing.
    void Remove(size_t index);
    void SetIncluded(size_t index, bool included);
    // Empties the set; the static sensor returns to none.
    void Clear();

    const ReferenceSection& Reference() const { return reference_; }
    void SetReference(const ReferenceSection& reference) { reference_ = reference; }
    uint32_t StaticSensor() const { return staticSensor_; }
    void SetStaticSensor(uint32_t sensor) { staticSensor_ = sensor <= kNoStaticSensor ? sensor : kNoStaticSensor; }

    // Fits the included points and keeps the result.
    const RegressionFit& Refit();
    const RegressionFit& Fit() const { return fit_; }

    // Replaces the whole set (a file was read and checked); `count` is at most ten.
    void Assign(std::span<const RegressionPoint, kMaxRegressionPoints> slots, size_t count,
                const ReferenceSection& reference, uint32_t staticSensor);
    // All ten slots, used or not, as a file stores them.
    std::span<const RegressionPoint, kMaxRegressionPoints> Slots() const { return points_; }

private:
    std::array<RegressionPoint, kMaxRegressionPoints> points_{};
    size_t count_ = 0;
    ReferenceSection reference_{};
    RegressionFit fit_{};
    uint32_t staticSensor_ = kNoStaticSensor;
};

}  // namespace korvanta
