#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "core/document/ActiveMeasurement.h"
#include "core/document/TwoStationMeasurement.h"
#include "core/host/IDocumentSettings.h"
#include "core/link/CLinkState.h"
#include "core/pipe/CMaterialDatabase.h"
#include "core/pipe/CPresetFilters.h"
#include "core/record/MeasurementRecord.h"

namespace korvanta {

// The edits of the document's two-station record (pipe, sensor pair, range, filters, texts) and
// of the filters on show, with the document marked changed and its views told. The document
// hands it out; it lives as long as the document. User-interface thread only.
class RecordEditor {
public:
    using Notify = std::function<void(uint32_t hint)>;

    // `active` is the document's active measurement, read at each edit; `modified` its changed flag.
    RecordEditor(MeasurementRecord& record, CMaterialDatabase& materials, const CPresetFilters& presets,
                 TwoStationMeasurement& two, ActiveMeasurement* const& active, IDocumentSettings& settings,
                 CLinkState& link, bool& modified, Notify notify);

    // Ranges above 2 are ignored.
    void SetCorrelationRange(uint32_t range);
    void SetFilters(float low, float high);
    void RestoreSavedFilters();
    bool ApplyPreset(int k);
    void SetFiltersFromMaterials();

    // What the window's dialogs leave behind when the user confirms them.
    void ApplyPipeData(const PipeSections& pipe);
    // The measurement setup dialog closed; `range` is set when the user confirmed one.
    void MeasurementSetupClosed(std::optional<uint32_t> range);
    void ApplySensorCombination(int pairCode);
    void ReplaceMaterialDatabase(std::span<const Material, kMaxMaterials> materials);
    // Stores a filter block confirmed in the filter dialog into the record on show.
    void StoreFilterSettings(const FilterSettings& filters);
    // The texts of the file information dialog (UTF-8); too long texts are cut to the field.
    void SetFileInformation(const std::string& title, const std::array<std::string, 3>& comments,
                            const std::string& userInformation);

    // The filters a restore goes back to: the file's, or the last confirmed in the filter dialog.
    const FilterSettings& SavedFilters() const { return savedFilters_; }
    void KeepFiltersAsSaved() { savedFilters_ = record_.filters; }
    // Range 0 and the sensor pair the settings hold, for the record and its engine.
    void TakeSensorPairFromSettings();

private:
    MeasurementRecord& record_;
    CMaterialDatabase& materials_;
    const CPresetFilters& presets_;
    TwoStationMeasurement& two_;
    ActiveMeasurement* const& active_;
    IDocumentSettings& settings_;
    CLinkState& link_;
    bool& modified_;
    Notify notify_;
    FilterSettings savedFilters_{};
};

}  // namespace korvanta
