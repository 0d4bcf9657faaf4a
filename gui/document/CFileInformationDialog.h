#pragma once

#include <QDialog>
#include <QLineEdit>

#include <array>

#include "core/dialogs/FileInformationForm.h"
#include "gui/forms/CTemplateLayout.h"

namespace korvanta::gui {

// The control IDs of the dialog's template.
namespace fileinfoctl {
enum ControlId {
    kOk = 1,
    kCancel = 2,
    kDate = 1043,
    kTime = 1044,
    kTitle = 1173,
    kComment1 = 1175,
    kComment2 = 1177,
    kComment3 = 1179,
    kUserInformation = 1181,
};
}  // namespace fileinfoctl

// "Filinformation": the measurement's title, three comment lines and user note, with the date
// and time it was made shown read-only.
class CFileInformationDialog final : public QDialog {
    Q_OBJECT

public:
    explicit CFileInformationDialog(const FileInformationForm& form, QWidget* parent = nullptr);

    // The texts as they stand (after OK: as confirmed).
    FileInformationForm Form() const;

private:
    FileInformationForm form_;
    QLineEdit* title_ = nullptr;
    std::array<QLineEdit*, 3> comments_{};
    QLineEdit* userInformation_ = nullptr;
    CTemplateLayout layout_;
};

}  // namespace korvanta::gui
