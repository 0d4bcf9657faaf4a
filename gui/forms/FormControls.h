#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <QWizard>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "gui/forms/CTemplateLayout.h"
#include "gui/forms/DialogTemplate.h"

namespace korvanta::gui {

// Static texts without an ID of their own share this one, as in the dialog templates.
inline constexpr int kStaticId = 65535;
// Every dialog template's OK and Cancel buttons.
inline constexpr int kOkId = 1;
inline constexpr int kCancelId = 2;

// A control of a form, named after its template ID ("ctl1234") so that the layout and the tests
// find it. Create the controls in template order: the layout walks them forward.
template <typename Widget>
Widget* MakeControl(QWidget* parent, int id)
{
    auto* widget = new Widget(parent);
    widget->setObjectName(CTemplateLayout::ControlName(id));
    return widget;
}

// A verdict line's colour: green for a result to rely on, amber for one in doubt.
inline constexpr const char* kReliableVerdictStyle = "color: #1b7a1b;";
inline constexpr const char* kDoubtfulVerdictStyle = "color: #b25e00;";
// What goes before a verdict line: a dot in the line's colour.
inline constexpr const char16_t* kVerdictBullet = u"\u25CF ";

// A dialog's OK button: the default button, accepting the dialog (through its own accept()
// where it checks the entries first).
QPushButton* MakeOkButton(QDialog* dialog, const DialogItemTemplate& item);
// A dialog's Cancel button, rejecting the dialog.
QPushButton* MakeCancelButton(QDialog* dialog, const DialogItemTemplate& item);
// A wizard's Back, Next, Finish and Cancel buttons in Danish, with their mnemonics.
void SetWizardButtonTexts(QWizard& wizard);
// A string-table text with its CR LF line breaks as Qt wants them.
QString StringText(uint32_t id);
// A file dialog's filter from the string table's "Name (*.kvd)|*.kvd||" form.
QString FileFilterText(uint32_t id);
// UTF-8 from core to Qt and back.
QString FromUtf8(std::string_view text);
std::string ToUtf8(const QString& text);
// A file name from a dialog or the command line as the file system takes it.
std::filesystem::path ToPath(const QString& path);
// And back, for a name to show or to hand to Qt.
QString FromPath(const std::filesystem::path& path);
// The same for a path core keeps as text (the file system's own narrow form).
std::string ToPathText(const QString& path);
QString FromPathText(const std::string& path);

}  // namespace korvanta::gui
