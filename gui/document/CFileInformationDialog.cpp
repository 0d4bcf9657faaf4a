#include "gui/document/CFileInformationDialog.h"

#include "gui/app/FormControls.h"

namespace korvanta::gui {

namespace {

using namespace fileinfoctl;

constexpr DialogItemTemplate kItems[] = {
    {kStaticId, 7, 9, 64, 9, "Titel"},
    {kTitle, 72, 7, 202, 12},
    {kStaticId, 7, 27, 64, 9, "Kommentarer"},
    {kComment1, 72, 25, 202, 12},
    {kComment2, 72, 40, 202, 12},
    {kComment3, 72, 55, 202, 12},
    {kStaticId, 7, 77, 64, 9, "Brugeroplysning"},
    {kUserInformation, 72, 75, 100, 12},
    {kStaticId, 7, 99, 64, 9, "Oprettelsesdato"},
    {kDate, 72, 97, 100, 12},
    {kStaticId, 7, 117, 64, 9, "Oprettelsestid"},
    {kTime, 72, 115, 100, 12},
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
    const auto edit = [this](int id, const std::string& text, int limit) {
        auto* line = MakeControl<QLineEdit>(this, id);
        if (limit > 0)
            line->setMaxLength(limit);
        line->setText(FromUtf8(text));
        return line;
    };
    for (const DialogItemTemplate& item : kTemplate.items) {
        switch (item.id) {
        case kTitle:
            title_ = edit(item.id, form.title, FileInformationForm::kTitleLimit);
            break;
        case kComment1:
        case kComment2:
        case kComment3: {
            const size_t line = static_cast<size_t>((item.id - kComment1) / 2);
            comments_[line] = edit(item.id, form.comments[line], FileInformationForm::kCommentLimit);
            break;
        }
        case kUserInformation:
            userInformation_ = edit(item.id, form.userInformation, FileInformationForm::kUserInformationLimit);
            break;
        case kDate:
            edit(item.id, form.date, 0)->setReadOnly(true);
            break;
        case kTime:
            edit(item.id, form.time, 0)->setReadOnly(true);
            break;
        default:
            MakeCommonControl(this, item);
            break;
        }
    }
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
