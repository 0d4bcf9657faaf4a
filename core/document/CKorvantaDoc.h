#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/correlation/CCorrelator.h"
#include "core/document/DocumentGeometry.h"
#include "core/document/IDocumentObserver.h"
#include "core/host/IDocumentSettings.h"
#include "core/host/IMeasurementSetup.h"
#include "core/host/IWaitPump.h"
#include "core/document/KvdFile.h"
#include "core/document/MeasurementSession.h"
#include "core/document/RecordPipe.h"
#include "core/document/RecordTexts.h"
#include "core/record/MeasurementRecord.h"
#include "core/document/ThreeStationMeasurement.h"
#include "core/document/TwoStationMeasurement.h"
#include "core/link/CLinkState.h"
#include "core/host/IClock.h"
#include "core/pipe/CMaterialDatabase.h"
#include "core/pipe/CPresetFilters.h"
#include "core/pipe/LeakPosition.h"
#include "core/host/IMessageSink.h"

namespace korvanta {

// Everything the document works with. Link, clock, messages and settings are required; a
// null wait pump or setup dialog means nobody needs them. All must outlive the document.
struct DocumentContext {
    CLinkState* link = nullptr;
    IClock* clock = nullptr;
    IMessageSink* messages = nullptr;
    IDocumentSettings* settings = nullptr;
    IWaitPump* waitPump = nullptr;
    IMeasurementSetup* setup = nullptr;
    // The program's folder, with Database2.bin and the default .fd files.
    std::filesystem::path dataFolder = ".";
    // Wall-clock time for the date and time stamped on a stopped measurement; local time if empty.
    std::function<std::tm()> localTime;
};

// The single document: one two-station measurement, the three pairs of the three-station mode,
// their engines, the material database and the filter presets. It starts and stops sampling
// through the comms thread's queue, feeds every received block to its engine, and tells its
// views what changed. Runs on the user-interface thread only. About 1 MB; create it on the heap.
class CKorvantaDoc {
public:
    explicit CKorvantaDoc(const DocumentContext& context);
    ~CKorvantaDoc();
    CKorvantaDoc(const CKorvantaDoc&) = delete;
    CKorvantaDoc& operator=(const CKorvantaDoc&) = delete;

    // Views.
    void AddObserver(IDocumentObserver* observer);
    void RemoveObserver(IDocumentObserver* observer);
    void UpdateAllViews(uint32_t hint);

    // State.
    MeasurementRecord& Record() { return *record_; }
    const MeasurementRecord& Record() const { return *record_; }
    bool IsModified() const { return modified_; }
    // A measured result that was never saved (or changed since): leaving it loses a measurement.
    bool HasUnsavedMeasurement() const { return modified_ && resultValid_; }
    void SetModified(bool modified) { modified_ = modified; }
    const std::string& Path() const { return path_; }
    bool IsResultValid() const { return resultValid_; }
    bool IsMeasuring() const { return session_.IsMeasuring(); }
    bool IsLoaded() const { return loaded_; }
    uint32_t UpdateCounter() const { return two_->UpdateCounter(); }
    uint32_t SensorPairCode() const { return record_->pairCode; }
    uint32_t CorrelationRange() const { return record_->range; }
    void SetCorrelationRange(uint32_t range);
    uint32_t PairTotal() const { return record_->pairTotal; }
    const FilterSettings& SavedFilters() const { return savedFilters_; }
    // At exit the program saves the database with Materials().SaveIfChanged().
    CMaterialDatabase& Materials() { return *materials_; }
    const CMaterialDatabase& Materials() const { return *materials_; }
    const CPresetFilters& Presets() const { return presets_; }
    const CCorrelator& Engine() const { return two_->Engine(); }
    const IDocumentSettings& Settings() const { return settings_; }
    // Where the document and the commands beside it tell the user what went wrong.
    IMessageSink& Messages() const { return messages_; }

    // The two-station measurement. A start is refused while a measurement runs or while the
    // document waits for the stations (a wait pump may run queued calls). A stop during that
    // wait ends it: a start then fails, a measurement ends as after any stop. A measurement that
    // starts is a new document: it has no file yet (hint 108) and counts as changed; a start that
    // fails, or a stop before any block pair made a result, leaves the changed flag as it was.
    bool StartMeasurement();
    void StopMeasurement();
    void SetMeasuringTime(const std::string& text);
    // A block from the comms thread. A station that stops answering (two of its blocks in a row
    // come without it) ends the measurement as a failed re-synchronisation does: hint 101 and no
    // further block is asked for.
    void OnBlockReady();
    // Why the measurement of the mode in force had to end (a string-table ID naming the unit and
    // the cause where there is one) once hint 101 was sent; 0 before.
    uint32_t EndReason() const { return threeStationMode_ ? three_->EndReason() : two_->EndReason(); }

    // Results of the engine on show (the two-station one, or in three-station mode the pair
    // selected on the form).
    bool Recompute();
    float GetDelay() const;
    uint16_t GetQuality() const;
    uint32_t SetZoom(uint32_t& column, uint32_t factor);
    bool CanZoom(uint32_t factor) const;
    bool SetBlanking(uint32_t columnA, uint32_t columnB);
    LeakPosition ComputeLeakPosition(float delay) const;
    std::span<const int32_t> TraceBuffer() const;
    std::span<const int32_t> SpectrumBuffer(int which) const;  // 0 station A, 1 B, 2 third

    // The pipe.
    int GetSectionCount() const;
    float GetTotalLength() const;
    float GetTravelTime() const;
    bool HasMixedMaterials() const;
    int GetSectionMaterial(int index) const;
    float GetSectionLength(int index) const;
    // False for an index outside 0..9.
    bool GetSection(int index, SectionInfo& info) const;
    // The name of a material index, or "" when there is no such entry.
    std::string MaterialName(int index) const;

    // Filters of the record on show.
    float LowCutoff() const;
    float HighCutoff() const;
    bool AutomaticFilter() const;
    float NotchLow(int k) const;
    float NotchHigh(int k) const;
    int NotchCount() const;
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
    // Asks first; true when the defaults were restored.
    bool RestoreDefaultMaterials();
    // Stores a filter block confirmed in the filter dialog into the record on show.
    void StoreFilterSettings(const FilterSettings& filters);
    // The texts of the file information dialog (UTF-8); too long texts are cut to the field.
    void SetFileInformation(const std::string& title, const std::array<std::string, 3>& comments,
                            const std::string& userInformation);

    // File information.
    FileInformation GetFileInformation() const;
    std::array<std::string, 3> CommentLines() const;
    std::string MeasuringTime() const;

    // Files. Open reads the file before anything is cleared, so a file that cannot be read
    // leaves the current measurement as it was; the user is shown why.
    bool Open(const std::filesystem::path& path);
    // The same for a record already read (it is checked again): the document takes it as the
    // measurement of the file at `path`.
    bool OpenRecord(const MeasurementRecord& record, const std::filesystem::path& path);
    // Writes through a temporary file; the old file stays intact when the write fails, and
    // `reason` (when given) then names the file and the cause. A two-station measurement that
    // runs is stopped first (hint 109, then the stop itself if no view did it), so what is
    // written is one measurement: its pairs, sums, delay and measuring time.
    bool Save(const std::filesystem::path& path, std::string* reason = nullptr);
    // Writes the measurement to `path` without making it the document's file and without telling
    // the user (the program is ending); a running measurement is stopped first as for Save.
    bool SaveCopy(const std::filesystem::path& path, std::string& error);
    // Opens a file as a measurement that belongs to no file and was never saved (one kept when
    // the program was ended): Gem asks for a name, leaving it asks first.
    bool OpenUnnamed(const std::filesystem::path& path);
    // A new, empty document; the material database is read again from its file.
    void NewDocument();
    void DeleteContents();

    // The three-station mode. Entering it empties the two-station document: no measurement, no
    // file name (hint 108), nothing to save.
    void EnterThreeStationMode();
    void SetThreeStationMode(bool on);
    bool IsThreeStationMode() const { return threeStationMode_; }
    void ThreeStationSetup(const std::array<uint32_t, ThreeStationMeasurement::kPairs>& ranges, float low, float high);
    bool ThreeStationStart();
    void ThreeStationStop();
    void OnThreeStationBlockReady();
    void ClearThreeStationData();
    void ClearThreeStationTraces();
    int32_t SelectedPair() const { return three_->SelectedPair(); }
    void SetSelectedPair(int32_t pairCode) { three_->SetSelectedPair(pairCode); }
    ThreeStationMeasurement& ThreeStation() { return *three_; }
    const ThreeStationMeasurement& ThreeStation() const { return *three_; }
    // The three records in the order 6, 12, 10 (78588 bytes each).
    void ThreeStationRecordsToFile(std::vector<uint8_t>& out) const;
    // Reads them from a three-station file image, from its offset 4 onward.
    bool ThreeStationRecordsFromFile(std::span<const uint8_t> file);

private:
    CCorrelator& EngineOnShow();
    const CCorrelator& EngineOnShow() const;
    MeasurementRecord& RecordOnShow();
    const MeasurementRecord& RecordOnShow() const;
    void ClearDisplayBuffers();
    void StopBeforeSave();

    DocumentContext context_;
    CLinkState& link_;
    IMessageSink& messages_;
    IDocumentSettings& settings_;
    std::vector<IDocumentObserver*> observers_;

    std::unique_ptr<MeasurementRecord> record_;
    std::array<std::array<int32_t, kSpectrumBufferEntries>, 3> spectra_{};
    std::unique_ptr<ThreeStationMeasurement> three_;
    MeasurementSession session_;
    std::unique_ptr<TwoStationMeasurement> two_;
    std::unique_ptr<CMaterialDatabase> materials_;
    CPresetFilters presets_;
    FilterSettings savedFilters_{};

    std::string path_;
    bool resultValid_ = false;
    bool threeStationMode_ = false;
    bool loaded_ = false;
    bool modified_ = false;
    bool modifiedBeforeStart_ = false;
};

}  // namespace korvanta
