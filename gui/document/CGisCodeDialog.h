#pragma once

#include <QDialog>
#include <QLineEdit>

#include "core/text/MessageSink.h"
#include "gui/forms/CTemplateLayout.h"

namespace korvanta::gui {

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
