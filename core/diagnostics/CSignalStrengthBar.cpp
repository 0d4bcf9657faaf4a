#include "core/diagnostics/CSignalStrengthBar.h"

#include <cstdio>

namespace korvanta {

void CSignalStrengthBar::Reset()
{
    total_ = 0;
    perfect_ = 0;
    acceptable_ = 0;
}

std::string CSignalStrengthBar::PerfectText() const
{
    return std::to_string(perfect_);
}
std::string CSignalStrengthBar::AcceptableText() const
{
    return std::to_string(acceptable_);
}
std::string CSignalStrengthBar::FailedText() const
{
    return std::to_string(Failed());
}
std::string CSignalStrengthBar::PerfectShareText() const
{
    return Share(perfect_);
}
std::string CSignalStrengthBar::AcceptableShareText() const
{
    return Share(acceptable_);
}
std::string CSignalStrengthBar::FailedShareText() const
{
    return Share(Failed());
}

std::string CSignalStrengthBar::Share(int count) const
{
    // No test yet: the share is undefined; show none rather than dividing by zero.
    const double share = total_ > 0 ? static_cast<double>(count) * 100.0 / total_ : 0.0;
    char text[32];
    std::snprintf(text, sizeof text, "%.1f%%", share);
    return text;
}

CSignalStrengthBar::Segments CSignalStrengthBar::Layout(int left, int width) const
{
    Segments segments;
    if (total_ == 0) {
        return segments;
    }
    segments.empty = false;
    const int perfectEdge = left + static_cast<int>(static_cast<long long>(width) * perfect_ / total_);
    if (perfect_ > 0) {
        segments.green = {left, perfectEdge};
    }
    if (perfect_ < acceptable_) {
        const int begin = perfect_ == 0 ? left : perfectEdge;
        segments.yellow = {begin, left + static_cast<int>(static_cast<long long>(width) * acceptable_ / total_)};
    }
    return segments;
}

}  // namespace korvanta
