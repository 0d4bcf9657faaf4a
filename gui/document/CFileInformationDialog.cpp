#include "gui/document/CFileInformationDialog.h"

#include "gui/forms/CTemplateControls.h"
#include "gui/forms/FormControls.h"

namespace korvanta::gui {

namespace {

using namespace fileinfoctl;

constexpr DialogItemTemplate kItems[] = {
    {kStaticId, 7, 9, 64, 9, "Titel"},
    {kTitle, 72, 7, 202, 12, nullptr, ControlKind::Edit},
    {kStaticId, 7, 27, 64, 9, "Kommentarer"},
    {kComment1, 72, 25, 202, 12, nullptr, ControlKind::Edit},
    {kComment2, 72, 40, 202, 12, nullptr, ControlKind::Edit},
    {kComment3, 72, 55, 202, 12, nullptr, ControlKind::Edit},
    {kStaticId, 7, 77, 64, 9, "Brugeroplysning"},
    {kUserInformation, 72, 75, 100, 12, nullptr, ControlKind::Edit},
    {kStaticId, 7, 99, 64, 9, "Oprettelsesdato"},
    {kDate, 72, 97, 100, 12, nullptr, ControlKind::Edit},
    {kStaticId, 7, 117, 64, 9, "Oprettelsestid"},
    {kTime, 72, 115, 100, 12, nullptr, ControlKind::Edit},
    {kOk, 170, 145, 50, 14, "OK"},
    {kCancel, 224, 145, 50, 14, "Cancel"},
};

constexpr DialogTemplate kTemplate = {0, "Filinformation", "Tahoma", 8, 400, false, 281, 166, kItems};

}  // namespace

CFileInformationDialog::CFileInformationDialog(const FileInformationForm& form, QWidget* parent)
    : QDialog(parent), form_(form)
{
    setObjectName(QStringLiteral("fileInformationDialog"));
    setWindowTitle(QString::fromUtf8(kTemplate.caption));
    const CTemplateControls controls(this, kTemplate);
    const auto edit = [&controls](int id, const std::string& text, int limit) {
        auto* line = controls.Get<QLineEdit>(id);
        if (limit > 0)
            line->setMaxLength(limit);
        line->setText(FromUtf8(text));
        return line;
    };
    title_ = edit(kTitle, form.title, FileInformationForm::kTitleLimit);
    const std::array<int, 3> commentIds = {kComment1, kComment2, kComment3};
    for (size_t line = 0; line < comments_.size(); ++line) {
        comments_[line] = edit(commentIds[line], form.comments[line], FileInformationForm::kCommentLimit);
    }
    userInformation_ = edit(kUserInformation, form.userInformation, FileInformationForm::kUserInformationLimit);
    edit(kDate, form.date, 0)->setReadOnly(true);
    edit(kTime, form.time, 0)->setReadOnly(true);
    layout_.Apply(this, kTemplate);
}

FileInformationForm CFileInformationDialog::Form() const
{
    FileInformationForm form = form_;
    form.title = ToUtf8(title_->text());
    for (size_t i = 0; i < comments_.size(); ++i) {
        form.comments[i] = ToUtf8(comments_[i]->text());
    }
    form.userInformation = ToUtf8(userInformation_->text());
    return form;
}

}  // namespace korvanta::gui
