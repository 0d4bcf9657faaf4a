#include "core/velocity/VelocityWizardResult.h"

#include <array>

#include "core/document/CKorvantaDoc.h"
#include "core/document/DocumentHints.h"
#include "core/text/StringIds.h"
#include "core/velocity/VelocityWizardChecks.h"

namespace korvanta {

bool ApplyVelocityWizardAnswer(CKorvantaDoc& document, const VelocityWizardAnswer& answer, IMessageSink& messages)
{
    if (answer.materialIndex < 0 || answer.materialIndex >= kMaxMaterials) {
        messages.ShowMessage(str::kMaterialIndexError, kStyleExclamation);
        return false;
    }
    if (answer.save) {
        std::array<Material, kMaxMaterials> materials{};
        document.Materials().CopyOut(materials);
        if (InsertVelocityPair(materials[static_cast<size_t>(answer.materialIndex)], answer.diameter,
                               answer.velocity)) {
            document.Edit().ReplaceMaterialDatabase(materials);
        } else {
            messages.ShowMessage(str::kVelocityDatabaseFull, kStyleExclamation);
        }
    }
    PipeSection& first = document.Record().pipe[0];
    first.materialIndex = static_cast<int16_t>(answer.materialIndex);
    first.length = answer.length;
    first.diameter = answer.diameter;
    first.velocity = answer.velocity;
    document.Edit().SetFiltersFromMaterials();
    document.SetModified(true);
    document.UpdateAllViews(kHintPipeChanged);
    return true;
}

}  // namespace korvanta
