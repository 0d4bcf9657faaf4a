#pragma once

#include <QDialog>
#include <QLineEdit>

#include "core/host/IMessageSink.h"
#include "gui/forms/CTemplateLayout.h"

namespace korvanta::gui {

// The control IDs of the dialog's template.
namespace giscodectl {
enum ControlId { kOk = 1, kCancel = 2, kCode = 1644 };
}  // namespace giscodectl

// "Indtast GIS-kode": the code written first on the line of a GIS export. A code that would
// break that comma-separated line is refused.
class CGisCodeDialog final : public QDialog {
    Q_OBJECT

public:
    explicit CGisCodeDialog(IMessageSink& messages, QWidget* parent = nullptr);

    QString Code() const { return code_->text(); }
    void accept() override;

private:
    IMessageSink& messages_;
    QLineEdit* code_ = nullptr;
    CTemplateLayout layout_;
};

}  // namespace korvanta::gui
