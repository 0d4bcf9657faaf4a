#include "gui/pipe/CMaterialNameDialog.h"

#include "core/dialogs/MaterialTableEditor.h"
#include "gui/forms/CTemplateControls.h"
#include "gui/forms/FormControls.h"

namespace korvanta::gui {

namespace {

using namespace materialnamectl;

constexpr DialogItemTemplate kItems[] = {
    {kPrompt, 7, 7, 165, 9, "Indtast materiale"},
    {kName, 7, 20, 165, 12, nullptr, ControlKind::Edit},
    {kOk, 68, 47, 50, 14, "OK"},
    {kCancel, 122, 47, 50, 14, "Cancel"},
};

constexpr DialogTemplate kTemplate = {0, "Materiale", "Tahoma", 8, 400, false, 179, 69, kItems};

}  // namespace

CMaterialNameDialog::CMaterialNameDialog(const QString& name, IMessageSink& messages, QWidget* parent)
    : QDialog(parent), messages_(messages)
{
    setObjectName(QStringLiteral("materialNameDialog"));
    setWindowTitle(QString::fromUtf8(kTemplate.caption));
    name_ = CTemplateControls(this, kTemplate).Get<QLineEdit>(kName);
    name_->setMaxLength(static_cast<int>(MaterialTableEditor::kNameLimit));
    name_->setText(name);
    layout_.Apply(this, kTemplate);
}

QString CMaterialNameDialog::Name() const
{
    return name_->text();
}

void CMaterialNameDialog::accept()
{
    if (const uint32_t message = MaterialTableEditor::CheckNameTyped(ToUtf8(Name())); message != str::kNoError) {
        messages_.ShowMessage(message, kStyleExclamation);
        name_->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace korvanta::gui
