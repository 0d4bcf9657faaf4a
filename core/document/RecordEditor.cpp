#include "core/document/RecordEditor.h"

#include <utility>

#include "core/document/DocumentHints.h"
#include "core/document/RecordTexts.h"
#include "core/pipe/FilterProposal.h"
#include "core/pipe/Pipe.h"

namespace korvanta {

RecordEditor::RecordEditor(MeasurementRecord& record, CMaterialDatabase& materials, const CPresetFilters& presets,
                           TwoStationMeasurement& two, ActiveMeasurement* const& active, IDocumentSettings& settings,
                           CLinkState& link, bool& modified, Notify notify)
    : record_(record),
      materials_(materials),
      presets_(presets),
      two_(two),
      active_(active),
      settings_(settings),
      link_(link),
      modified_(modified),
      notify_(std::move(notify))
{
}

void RecordEditor::SetCorrelationRange(uint32_t range)
{
    if (range <= 2) {
        record_.range = range;
    }
}

void RecordEditor::SetFilters(float low, float high)
{
    korvanta::SetFilters(record_.filters, low, high);
    modified_ = true;
}

void RecordEditor::RestoreSavedFilters()
{
    record_.filters = savedFilters_;
    modified_ = true;
}

bool RecordEditor::ApplyPreset(int k)
{
    if (!korvanta::ApplyPreset(record_.pipe, presets_, k, record_.filters)) {
        return false;
    }
    modified_ = true;
    return true;
}

void RecordEditor::SetFiltersFromMaterials()
{
    korvanta::SetFiltersFromMaterials(record_.pipe, materials_, record_.filters);
    modified_ = true;
}

void RecordEditor::ApplyPipeData(const PipeSections& pipe)
{
    record_.pipe = pipe;
    if (GetSectionCount(record_.pipe) > 0) {
        SelectRange(record_.pipe, record_.range);
    }
    SetFiltersFromMaterials();
    modified_ = true;
    notify_(kHintPipeChanged);
}

void RecordEditor::MeasurementSetupClosed(std::optional<uint32_t> range)
{
    if (range) {
        SetCorrelationRange(*range);
    }
    modified_ = true;
}

void RecordEditor::ApplySensorCombination(int pairCode)
{
    record_.pairCode = static_cast<uint32_t>(pairCode);
    two_.Engine().SetPairCode(pairCode);
    settings_.SetSensorPairCode(pairCode);
    LinkCommand select;
    select.code = TM_SELECT_SENSORS;
    select.sensorMask = pairCode;
    link_.PostCommand(select);
    notify_(kHintSensorsChanged);
}

void RecordEditor::ReplaceMaterialDatabase(std::span<const Material, kMaxMaterials> materials)
{
    materials_.CopyIn(materials);
    modified_ = true;
}

void RecordEditor::StoreFilterSettings(const FilterSettings& filters)
{
    active_->RecordOnShow().filters = filters;
    savedFilters_ = record_.filters;
    if (active_->ShowsDocumentRecord()) {
        modified_ = true;
    }
    notify_(active_->FiltersChangedHint());
}

void RecordEditor::SetFileInformation(const std::string& title, const std::array<std::string, 3>& comments,
                                      const std::string& userInformation)
{
    RecordTexts(record_).SetInformation(title, comments, userInformation);
    modified_ = true;
}

void RecordEditor::TakeSensorPairFromSettings()
{
    record_.range = 0;
    two_.ResetUpdateCounter();
    const int pairCode = settings_.GetSensorPairCode();
    record_.pairCode = static_cast<uint32_t>(pairCode);
    two_.Engine().SetPairCode(pairCode);
}

}  // namespace korvanta
