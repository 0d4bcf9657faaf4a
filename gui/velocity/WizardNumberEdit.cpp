#include "gui/velocity/WizardNumberEdit.h"

#include <QLineEdit>

#include "core/text/NumberText.h"
#include "core/text/StringIds.h"
#include "gui/forms/FormControls.h"

namespace korvanta::gui {

namespace {

constexpr int kShownDigits = 6;  // a float's significant decimal digits

}  // namespace

void ShowNumber(QLineEdit* edit, float value)
{
    edit->setText(FromUtf8(FormatGeneral(value, kShownDigits)));
}

std::optional<float> ReadNumber(QLineEdit* edit, IMessageSink& messages)
{
    const std::optional<float> value = ParseWholeFloat(ToUtf8(edit->text()));
    if (!value)
        RefuseEntry(edit, str::kEnterNumber, messages);
    return value;
}

void RefuseEntry(QLineEdit* edit, uint32_t message, IMessageSink& messages)
{
    messages.ShowMessage(message, kStyleExclamation);
    edit->setFocus();
    edit->selectAll();
}

void EnableAll(std::initializer_list<QWidget*> widgets, bool enabled)
{
    for (QWidget* widget : widgets)
        widget->setEnabled(enabled);
}

}  // namespace korvanta::gui
