#pragma once

#include <QDialog>
#include <QLineEdit>

#include "core/host/IMessageSink.h"
#include "gui/forms/CTemplateLayout.h"

namespace korvanta::gui {

// The control IDs of the dialog's template.
namespace materialnamectl {
enum ControlId { kOk = 1, kCancel = 2, kPrompt = 1578, kName = 1579 };
}  // namespace materialnamectl

// "Materiale": asks for a material name of at most 50 characters; OK refuses an empty one.
class CMaterialNameDialog final : public QDialog {
    Q_OBJECT

public:
    CMaterialNameDialog(const QString& name, IMessageSink& messages, QWidget* parent = nullptr);

    QString Name() const;
    void accept() override;

private:
    IMessageSink& messages_;
    QLineEdit* name_ = nullptr;
    CTemplateLayout layout_;
};

}  // namespace korvanta::gui
