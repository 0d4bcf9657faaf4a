#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

#include "core/document/ActiveMeasurement.h"
#include "core/document/DocumentContext.h"
#include "core/document/DocumentFileIo.h"
#include "core/document/DocumentGeometry.h"
#include "core/document/DocumentObservers.h"
#include "core/document/KvdFile.h"
#include "core/document/MeasurementSession.h"
#include "core/document/RecordEditor.h"
#include "core/document/RecordFilters.h"
#include "core/document/RecordPipe.h"
#include "core/document/RecordTexts.h"
#include "core/document/ThreeStationMeasurement.h"
#include "core/document/ThreeStationSession.h"
#include "core/document/TwoStationMeasurement.h"
#include "core/pipe/CMaterialDatabase.h"
#include "core/pipe/CPresetFilters.h"
#include "core/pipe/LeakPosition.h"

namespace korvanta {

// The single document: one two-station measurement, the three pairs of the three-station mode,
// their engines, the material database and the filter presets. It starts and stops sampling
// through the comms thread's queue, feeds every received block to its engine, and tells its
// views what changed. Whatever differs between the modes is the active measurement's: what it
// has on show (record, engine, trace), its end and its measuring time. Runs on the
// user-interface thread only. About 1 MB; create it on the heap.
class CKorvantaDoc {
public:
    explicit CKorvantaDoc(const DocumentContext& context);
    ~CKorvantaDoc();
    CKorvantaDoc(const CKorvantaDoc&) = delete;
    CKorvantaDoc& operator=(const CKorvantaDoc&) = delete;

    // Views.
    void AddObserver(IDocumentObserver* observer) { observers_.Add(observer); }
    void RemoveObserver(IDocumentObserver* observer) { observers_.Remove(observer); }
    void UpdateAllViews(uint32_t hint) { observers_.Notify(hint); }

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
    uint32_t PairTotal() const { return record_->pairTotal; }
    // At exit the program saves the database with Materials().SaveIfChanged().
    CMaterialDatabase& Materials() { return *materials_; }
    const CMaterialDatabase& Materials() const { return *materials_; }
    const CPresetFilters& Presets() const { return presets_; }
    const CCorrelator& Engine() const { return two_->Engine(); }
    const IDocumentSettings& Settings() const { return settings_; }
    // Where the document and the commands beside it tell the user what went wrong.
    IMessageSink& Messages() const { return messages_; }

    // The two-station record's pipe with the database's material names; valid while the document
    // lives, showing the pipe as it is when asked.
    RecordPipe Pipe() const { return RecordPipe(record_->pipe, *materials_); }
    // The filters of the record on show (the selected pair's in the three-station mode).
    RecordFilters Filters() const { return RecordFilters(active_->RecordOnShow().filters); }
    // The edits of the record (pipe, sensors, range, filters, texts) and of the filters on show.
    RecordEditor& Edit() { return editor_; }
    const RecordEditor& Edit() const { return editor_; }

    // The two-station measurement. A start is refused while a measurement runs or while the
    // document waits for the stations (a wait pump may run queued calls). A stop during that
    // wait ends it: a start then fails, a measurement ends as after any stop. A measurement that
    // starts is a new document: it has no file yet (hint 108) and counts as changed; a start that
    // fails, or a stop before any block pair made a result, leaves the changed flag as it was.
    bool StartMeasurement();
    void StopMeasurement();
    void SetMeasuringTime(const std::string& text) { active_->SetMeasuringTime(text); }
    // A block from the comms thread. A station that stops answering (two of its blocks in a row
    // come without it) ends the measurement as a failed re-synchronisation does: hint 101 and no
    // further block is asked for.
    void OnBlockReady() { two_->OnBlockReady(); }
    // Why the measurement of the mode in force had to end (a string-table ID naming the unit and
    // the cause where there is one) once hint 101 was sent; 0 before.
    uint32_t EndReason() const { return active_->EndReason(); }

    // Results of the engine on show (the two-station one, or in three-station mode the pair
    // selected on the form). Zoom and blanking work on the two-station engine.
    bool Recompute() { return active_->Recompute(); }
    float GetDelay() const { return active_->EngineOnShow().GetDelay(); }
    uint16_t GetQuality() const { return active_->QualityOnShow(); }
    uint32_t SetZoom(uint32_t& column, uint32_t factor) { return two_->Engine().SetZoom(column, factor); }
    bool CanZoom(uint32_t factor) const { return two_->Engine().CanZoom(factor); }
    bool SetBlanking(uint32_t columnA, uint32_t columnB) { return two_->Engine().SetBlanking(columnA, columnB); }
    LeakPosition ComputeLeakPosition(float delay) const { return korvanta::ComputeLeakPosition(record_->pipe, delay); }
    std::span<const int32_t> TraceBuffer() const { return active_->TraceOnShow(); }
    std::span<const int32_t> SpectrumBuffer(int which) const;  // 0 station A, 1 B, 2 third

    // Asks first; true when the defaults were restored.
    bool RestoreDefaultMaterials();

    // File information.
    FileInformation GetFileInformation() const { return RecordTexts(*record_).Information(path_); }
    std::array<std::string, 3> CommentLines() const { return RecordTexts(*record_).CommentLines(); }
    std::string MeasuringTime() const { return RecordTexts(*record_).MeasuringTime(); }

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
    bool IsThreeStationMode() const { return active_ == three_.get(); }
    // Its flow: set-up, start, blocks and stop, on the session the two-station flow uses.
    ThreeStationSession& ThreeStationRun() { return threeRun_; }
    // The three pairs: the selected pair, records (the order 6, 12, 10, 78588 bytes each), traces.
    ThreeStationMeasurement& ThreeStation() { return *three_; }
    const ThreeStationMeasurement& ThreeStation() const { return *three_; }

private:
    // An empty two-station record with nothing on show, no result and nothing changed.
    void EmptyRecord();
    void StopBeforeSave();
    // Nothing measured and no file: what is left when a document is emptied.
    void ForgetFile();

    DocumentContext context_;
    CLinkState& link_;
    IMessageSink& messages_;
    IDocumentSettings& settings_;
    DocumentObservers observers_;
    DocumentFileIo files_;

    std::unique_ptr<MeasurementRecord> record_;
    ThreeStationSession::Spectra spectra_{};
    std::unique_ptr<ThreeStationMeasurement> three_;
    MeasurementSession session_;
    std::unique_ptr<TwoStationMeasurement> two_;
    ThreeStationSession threeRun_;
    ActiveMeasurement* active_ = nullptr;
    std::unique_ptr<CMaterialDatabase> materials_;
    CPresetFilters presets_;

    std::string path_;
    bool resultValid_ = false;
    bool loaded_ = false;
    bool modified_ = false;
    bool modifiedBeforeStart_ = false;
    RecordEditor editor_;
};

}  // namespace korvanta
