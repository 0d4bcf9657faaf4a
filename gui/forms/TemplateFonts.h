#pragma once

#include <QString>

namespace korvanta::gui {

// The forms' templates ask for Tahoma. A system without it gets the copy the Wine fonts ship
// (it has the Danish letters), loaded into the application's font database once.
class TemplateFonts {
public:
    static constexpr const char* kTemplateFace = "Tahoma";

    // True when Tahoma is available afterwards.
    static bool EnsureTahoma();
};

}  // namespace korvanta::gui
