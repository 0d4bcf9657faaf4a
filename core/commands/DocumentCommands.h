#pragma once

#include <cstdint>
#include <optional>

#include "core/commands/IDocumentDialogs.h"
#include "core/dialogs/MeasurementSetupLoop.h"
#include "core/host/IMeasurementSetup.h"

namespace korvanta {

class CKorvantaDoc;

// The document's menu commands that open the dialogs describing a measurement ("Parametre",
// "Rørmaterialer", "Gendan standard-rørmaterialer", "Filtre", "Filinformation", "Korrelation",
// "Sensorkombination", "Løbehastighedsberegning"): each runs its dialog and puts what the user confirmed into the
// document. It also serves the document as its measurement setup when a measurement is started without a pipe.
class DocumentCommands final : public IMeasurementSetup, private MeasurementSetupHost {
public:
    DocumentCommands(CKorvantaDoc& document, IDocumentDialogs& dialogs);

    void PipeParameters();
    void PipeMaterials();
    void RestoreDefaultMaterials();
    void Filters();
    void FileInformation();
    // The measurement setup with its detours; the confirmed range, if any.
    std::optional<uint32_t> Correlation();
    void SensorCombination();
    // The velocity from the measured delay and a source at a known place, into the first
    // section and, when asked, the material database. Refused before the wizard opens for a
    // delay too short to divide by or a pipe of other than one section.
    void VelocityCalculation();

    bool RunMeasurementSetup() override { return Correlation().has_value(); }

private:
    // The measurement setup loop's view of the document.
    SetupDialogResult RunSetupDialog(const SetupDialogState& state) override;
    void RunPipeData() override { PipeParameters(); }
    void RunSensorCombination() override { SensorCombination(); }
    const PipeSections& Pipe() const override;
    uint32_t Range() const override;
    void SetupClosed(std::optional<uint32_t> range) override;

    CKorvantaDoc& document_;
    IDocumentDialogs& dialogs_;
};

}  // namespace korvanta
