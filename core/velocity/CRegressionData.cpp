#include "core/velocity/CRegressionData.h"

#include <algorithm>

namespace korvanta {

size_t CRegressionData::IncludedCount() const
{
    const auto points = Points();
    return static_cast<size_t>(
        std::count_if(points.begin(), points.end(), [](const RegressionPoint& point) { return point.included == 1; }));
}

bool CRegressionData::Add(const RegressionPoint& point)
{
    if (Full()) {
        return false;
    }
    points_[count_++] = point;
    return true;
}

void CRegressionData::Remove(size_t index)
{
    if (index >= count_) {
        return;
    }
    std::move(points_.begin() + static_cast<std::ptrdiff_t>(index) + 1,
              points_.begin() + static_cast<std::ptrdiff_t>(count_),
              points_.begin() + static_cast<std::ptrdiff_t>(index));
    points_[--count_] = RegressionPoint{};
}

void CRegressionData::SetIncluded(size_t index, bool included)
{
    if (index < count_) {
        points_[index].included = included ? 1 : 0;
    }
}

void CRegressionData::Clear()
{
    points_ = {};
    count_ = 0;
    reference_ = {};
    fit_ = {};
    staticSensor_ = kNoStaticSensor;
}

const RegressionFit& CRegressionData::Refit()
{
    fit_ = FitRegression(Points());
    return fit_;
}

void CRegressionData::Assign(std::span<const RegressionPoint, kMaxRegressionPoints> slots, size_t count,
                             const ReferenceSection& reference, uint32_t staticSensor)
{
    std::copy(slots.begin(), slots.end(), points_.begin());
    count_ = std::min(count, kMaxRegressionPoints);
    reference_ = reference;
    SetStaticSensor(staticSensor);
    Refit();
}

}  // namespace korvanta
