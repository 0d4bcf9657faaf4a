#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>

#include "core/host/IMessageSink.h"

class QLineEdit;
class QWidget;

namespace korvanta::gui {

// The wizard pages' number edits, as a dialog's data exchange moves a float: shown with six
// significant digits, read back as one number. Text that is no number is told ("Indtast et
// tal."), the edit gets the focus and nothing is read.
void ShowNumber(QLineEdit* edit, float value);
std::optional<float> ReadNumber(QLineEdit* edit, IMessageSink& messages);

// Refuses a value after a check: the message, and the focus back on the edit with its text
// selected for typing over.
void RefuseEntry(QLineEdit* edit, uint32_t message, IMessageSink& messages);

// Enables or disables each of `widgets`.
void EnableAll(std::initializer_list<QWidget*> widgets, bool enabled);

}  // namespace korvanta::gui
