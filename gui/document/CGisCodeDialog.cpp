#include "gui/document/CGisCodeDialog.h"

#include "core/dialogs/FileInformationForm.h"
#include "core/text/StringIds.h"
#include "gui/forms/CTemplateControls.h"
#include "gui/forms/FormControls.h"

namespace korvanta::gui {

namespace {

using namespace giscodectl;

constexpr DialogItemTemplate kItems[] = {
    {kCode, 7, 10, 172, 12, nullptr, ControlKind::Edit},
    {kOk, 75, 32, 50, 14, "OK"},
    {kCancel, 129, 32, 50, 14, "Cancel"},
};

constexpr DialogTemplate kTemplate = {0, "Indtast GIS-kode", "Tahoma", 8, 400, false, 186, 53, kItems};

}  // namespace

CGisCodeDialog::CGisCodeDialog(IMessageSink& messages, QWidget* parent) : QDialog(parent), messages_(messages)
{
    setObjectName(QStringLiteral("gisCodeDialog"));
    setWindowTitle(QString::fromUtf8(kTemplate.caption));
    code_ = CTemplateControls(this, kTemplate).Get<QLineEdit>(kCode);
    layout_.Apply(this, kTemplate);
}

void CGisCodeDialog::accept()
{
    if (const uint32_t message = CheckGisCode(ToUtf8(Code())); message != str::kNoError) {
        messages_.ShowMessage(message, kStyleExclamation);
        code_->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace korvanta::gui
