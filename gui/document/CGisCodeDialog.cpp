#include "gui/document/CGisCodeDialog.h"

#include "core/dialogs/FileInformationForm.h"
#include "core/text/StringIds.h"
#include "gui/app/FormControls.h"

namespace korvanta::gui {

namespace {

using namespace giscodectl;

constexpr DialogItemTemplate kItems[] = {
    {kCode, 7, 10, 172, 12},
    {kOk, 75, 32, 50, 14, "OK"},
    {kCancel, 129, 32, 50, 14, "Cancel"},
};

constexpr DialogTemplate kTemplate = {0, "Indtast GIS-kode", "Tahoma", 8, 400, false, 186, 53, kItems};

}  // namespace

CGisCodeDialog::CGisCodeDialog(IMessageSink& messages, QWidget* parent) : QDialog(parent), messages_(messages)
{
    setObjectName(QStringLiteral("gisCodeDialog"));
    setWindowTitle(QString::fromUtf8(kTemplate.caption));
    for (const DialogItemTemplate& item : kTemplate.items) {
        if (item.id == kCode) {
            code_ = MakeControl<QLineEdit>(this, item.id);
        } else {
            MakeCommonControl(this, item);
        }
    }
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
