#pragma once

#include <QIcon>
#include <QString>

#include <cstdint>

namespace korvanta::gui {

// Makes the icons compiled into the library available; call once after creating the
// QApplication (the program's main and the test programs do).
void InitGuiResources();

// The resource path of a command's toolbar icon, or an empty string for a command without one.
QString CommandIconPath(uint32_t id);
// The program icon: a pipe with a red and a blue sensor.
QIcon ProgramIcon();

// Result pictures of the initialisation dialog's two steps.
inline constexpr const char* kStepSucceededIcon = ":/icons/step-ok.svg";
inline constexpr const char* kStepFailedIcon = ":/icons/step-failed.svg";

}  // namespace korvanta::gui
