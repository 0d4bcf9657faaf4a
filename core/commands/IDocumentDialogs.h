#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "core/dialogs/FileInformationForm.h"
#include "core/dialogs/MeasurementSetupLoop.h"
#include "core/pipe/Material.h"
#include "core/pipe/PipeSection.h"
#include "core/values/CoherenceSpectrum.h"
#include "core/values/FilterSettings.h"
#include "core/velocity/VelocityWizardResult.h"
#include "core/velocity/VelocityWizardSetup.h"

namespace korvanta {

class CMaterialDatabase;

// The material database as the pipe database dialog leaves it, with the open pipe's sections
// following the materials that moved.
struct EditedMaterials {
    std::array<Material, kMaxMaterials> materials{};
    PipeSections pipe{};
};

// The window's dialogs that describe a measurement, as the document's commands run them. Each
// returns nothing when the user cancelled. The window implements it; tests script it.
class IDocumentDialogs {
public:
    virtual ~IDocumentDialogs() = default;
    virtual std::optional<PipeSections> EditPipe(const PipeSections& pipe, const CMaterialDatabase& materials,
                                                 uint32_t pairCode) = 0;
    virtual std::optional<EditedMaterials> EditMaterials(std::span<const Material, kMaxMaterials> materials,
                                                         const PipeSections& openPipe) = 0;
    // `upper` is sensor 2's spectrum trace, `lower` sensor 1's; `coherence` the two stations'.
    virtual std::optional<FilterSettings> EditFilters(const FilterSettings& settings, std::span<const int32_t> upper,
                                                      std::span<const int32_t> lower, uint32_t pairCode,
                                                      const CoherenceSpectrum& coherence) = 0;
    virtual std::optional<FileInformationForm> EditFileInformation(const FileInformationForm& form) = 0;
    virtual std::optional<uint32_t> ChooseSensorCombination(uint32_t pairCode) = 0;
    virtual SetupDialogResult RunMeasurementSetup(const SetupDialogState& state) = 0;
    // The velocity calculation wizard; the answer after Finish.
    virtual std::optional<VelocityWizardAnswer> RunVelocityWizard(const VelocityWizardSetup& setup) = 0;
};

}  // namespace korvanta
