#pragma once

#include <QLabel>

#include <array>
#include <cstddef>

#include "gui/diagnostics/DiagnosticsArt.h"

namespace korvanta::gui {

// The unit (0 interface, 1 red, 2 blue, 3 yellow) whose control in `ids` has ID `id`, or -1.
template <std::size_t N>
constexpr int UnitOfControl(const std::array<int, N>& ids, int id)
{
    for (std::size_t unit = 0; unit < N; ++unit) {
        if (ids[unit] == id) {
            return static_cast<int>(unit);
        }
    }
    return -1;
}

// The picture of a unit beside its controls.
inline void ShowUnitPicture(QLabel* picture, int unit, bool present = true)
{
    picture->setPixmap(DiagnosticsArt::Unit(unit, present, QSize(36, 34)));
    picture->setAlignment(Qt::AlignCenter);
}

}  // namespace korvanta::gui
