#pragma once

#include <QDialog>
#include <QLineEdit>

#include "core/text/MessageSink.h"
#include "gui/forms/CTemplateLayout.h"

namespace korvanta::gui {

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
