#pragma once

#include <QPointer>
#include <QWidget>

#include "core/commands/IDocumentDialogs.h"
#include "core/host/IDocumentSettings.h"
#include "core/host/IMessageSink.h"

namespace korvanta::gui {

// The document's dialogs as the window shows them: each modal on the main window, in the
// user's units from the settings, with its messages through the program's message boxes.
class CDocumentDialogs final : public IDocumentDialogs {
public:
    CDocumentDialogs(const IDocumentSettings& settings, IMessageSink& messages, QWidget* parent);

    void SetParent(QWidget* parent) { parent_ = parent; }

    std::optional<PipeSections> EditPipe(const PipeSections& pipe, const CMaterialDatabase& materials,
                                         uint32_t pairCode) override;
    std::optional<EditedMaterials> EditMaterials(std::span<const Material, kMaxMaterials> materials,
                                                 const PipeSections& openPipe) override;
    std::optional<FilterSettings> EditFilters(const FilterSettings& settings, std::span<const int32_t> upper,
                                              std::span<const int32_t> lower, uint32_t pairCode,
                                              const CoherenceSpectrum& coherence) override;
    std::optional<FileInformationForm> EditFileInformation(const FileInformationForm& form) override;
    std::optional<uint32_t> ChooseSensorCombination(uint32_t pairCode) override;
    SetupDialogResult RunMeasurementSetup(const SetupDialogState& state) override;
    std::optional<VelocityWizardAnswer> RunVelocityWizard(const VelocityWizardSetup& setup) override;

private:
    const IDocumentSettings& settings_;
    IMessageSink& messages_;
    QPointer<QWidget> parent_;
};

}  // namespace korvanta::gui
