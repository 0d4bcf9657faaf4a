#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

#include <optional>

#include "core/dialogs/SectionEntry.h"
#include "core/host/IMessageSink.h"
#include "gui/forms/CTemplateLayout.h"

namespace korvanta::gui {

// The control IDs of the dialog's template.
namespace sectionctl {
enum ControlId {
    kOk = 1,
    kCancel = 2,
    kMaterial = 1649,
    kLength = 1650,
    kDiameter = 1651,
    kVelocity = 1652,
    kLengthUnit = 1653,
    kDiameterUnit = 1654,
    kVelocityUnit = 1655,
};
}  // namespace sectionctl

// "Indtast rørstykke": one pipe section's material, length, diameter and velocity in the user's
// units, the velocity proposed from the material database when the material or the diameter
// changes.
class CSectionDialog final : public QDialog {
    Q_OBJECT

public:
    // `section` set: the dialog edits it; else a new section.
    CSectionDialog(const CMaterialDatabase& materials, UnitSystem units, TimeUnit time, IMessageSink& messages,
                   const std::optional<PipeSection>& section, QWidget* parent = nullptr);

    // The section in stored units after OK.
    PipeSection Result() const { return entry_.Result(); }

    void accept() override;
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Reads the three edits into the entry; on a bad value tells the user, puts the focus back
    // and returns false.
    bool ReadValues();
    void ShowValues();
    void MaterialChosen(int comboIndex);

    SectionEntry entry_;
    IMessageSink& messages_;
    QComboBox* material_ = nullptr;
    QLineEdit* length_ = nullptr;
    QLineEdit* diameter_ = nullptr;
    QLineEdit* velocity_ = nullptr;
    // While the focus is on its way back to an edit with a bad value, further focus changes
    // are not checked (each would show the same message again).
    QLineEdit* refocusing_ = nullptr;
    CTemplateLayout layout_;
};

}  // namespace korvanta::gui
