#include "gui/app/CDocumentDialogs.h"

#include <algorithm>

#include "gui/document/CFileInformationDialog.h"
#include "gui/document/CFilterDialog.h"
#include "gui/document/CMeasurementSetupDialog.h"
#include "gui/document/CSensorConfigurationDialog.h"
#include "gui/pipe/CPipeDataDialog.h"
#include "gui/pipe/CPipeDatabaseDialog.h"
#include "gui/velocity/CVelocityCalculation.h"

namespace korvanta::gui {

CDocumentDialogs::CDocumentDialogs(const IDocumentSettings& settings, IMessageSink& messages, QWidget* parent)
    : settings_(settings), messages_(messages), parent_(parent)
{
}

std::optional<PipeSections> CDocumentDialogs::EditPipe(const PipeSections& pipe, const CMaterialDatabase& materials,
                                                       uint32_t pairCode)
{
    CPipeDataDialog dialog(pipe, materials, settings_.GetUnitSystem(), settings_.GetTimeUnit(), pairCode, messages_,
                           parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Sections();
}

std::optional<EditedMaterials> CDocumentDialogs::EditMaterials(std::span<const Material, kMaxMaterials> materials,
                                                               const PipeSections& openPipe)
{
    CPipeDatabaseDialog dialog(materials, openPipe, settings_.GetUnitSystem(), settings_.GetTimeUnit(), messages_,
                               parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    EditedMaterials edited;
    const auto result = dialog.Editor().Materials();
    std::copy(result.begin(), result.end(), edited.materials.begin());
    edited.pipe = openPipe;
    dialog.Editor().RemapSections(edited.pipe);
    return edited;
}

std::optional<FilterSettings> CDocumentDialogs::EditFilters(const FilterSettings& settings,
                                                            std::span<const int32_t> upper,
                                                            std::span<const int32_t> lower, uint32_t pairCode,
                                                            const CoherenceSpectrum& coherence)
{
    CFilterDialog dialog(settings, upper, lower, pairCode, coherence, messages_, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Applied();
}

std::optional<FileInformationForm> CDocumentDialogs::EditFileInformation(const FileInformationForm& form)
{
    CFileInformationDialog dialog(form, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Form();
}

std::optional<uint32_t> CDocumentDialogs::ChooseSensorCombination(uint32_t pairCode)
{
    CSensorConfigurationDialog dialog(pairCode, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.PairCode();
}

SetupDialogResult CDocumentDialogs::RunMeasurementSetup(const SetupDialogState& state)
{
    CMeasurementSetupDialog dialog(state, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return SetupDialogResult{SetupChoice::Cancel, state.timeIndex};
    return dialog.Result();
}

std::optional<VelocityWizardAnswer> CDocumentDialogs::RunVelocityWizard(const VelocityWizardSetup& setup)
{
    CVelocityCalculation wizard(setup, messages_, parent_);
    if (wizard.exec() != QDialog::Accepted)
        return std::nullopt;
    return wizard.Answer();
}

}  // namespace korvanta::gui
