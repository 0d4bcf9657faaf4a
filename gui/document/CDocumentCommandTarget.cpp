#include "gui/document/CDocumentCommandTarget.h"

#include "core/app/CommandIds.h"

namespace korvanta::gui {

bool CDocumentCommandTarget::OnCommand(uint32_t id)
{
    switch (id) {
    case cmd::kFileInformation:
        commands_.FileInformation();
        return true;
    case cmd::kCorrelation:
        commands_.Correlation();
        return true;
    case cmd::kPipeParameters:
        commands_.PipeParameters();
        return true;
    case cmd::kPipeMaterials:
        commands_.PipeMaterials();
        return true;
    case cmd::kRestoreDefaultMaterials:
        commands_.RestoreDefaultMaterials();
        return true;
    case cmd::kSensorCombination:
        commands_.SensorCombination();
        return true;
    case cmd::kFilters:
        commands_.Filters();
        return true;
    case cmd::kVelocityCalculation:
        commands_.VelocityCalculation();
        return true;
    default:
        return false;
    }
}

}  // namespace korvanta::gui
