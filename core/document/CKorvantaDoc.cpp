#include "core/document/CKorvantaDoc.h"

#include <stdexcept>

#include "core/document/DocumentHints.h"
#include "core/pipe/FilterProposal.h"
#include "core/pipe/Pipe.h"
#include "core/text/StringIds.h"

namespace korvanta {

namespace {

template <typename T>
T& Required(T* pointer, const char* what)
{
    if (pointer == nullptr) {
        throw std::invalid_argument(std::string("document needs ") + what);
    }
    return *pointer;
}

}  // namespace

CKorvantaDoc::CKorvantaDoc(const DocumentContext& context)
    : context_(context),
      link_(Required(context.link, "a link state")),
      messages_(Required(context.messages, "a message sink")),
      settings_(Required(context.settings, "settings")),
      files_(messages_),
      record_(std::make_unique<MeasurementRecord>()),
      three_(std::make_unique<ThreeStationMeasurement>(spectra_[0], spectra_[1], spectra_[2])),
      session_(link_, Required(context.clock, "a clock"), context.waitPump),
      two_(std::make_unique<TwoStationMeasurement>(*record_, spectra_[0], spectra_[1], link_, session_,
                                                   [this](uint32_t hint) { UpdateAllViews(hint); })),
      active_(two_.get())
{
    materials_ = std::make_unique<CMaterialDatabase>(context_.dataFolder, messages_);
    presets_.Load(context_.dataFolder, messages_);
    DeleteContents();
}

CKorvantaDoc::~CKorvantaDoc() = default;

void CKorvantaDoc::SetCorrelationRange(uint32_t range)
{
    if (range <= 2) {
        record_->range = range;
    }
}

// --- The two-station measurement -------------------------------------------------------------

bool CKorvantaDoc::StartMeasurement()
{
    if (!session_.CanStart()) {
        return false;
    }
    two_->ResetUpdateCounter();
    const bool modifiedBefore = modified_;
    if ((Pipe().SectionCount() == 0 && (context_.setup == nullptr || !context_.setup->RunMeasurementSetup())) ||
        !two_->Start()) {
        modified_ = modifiedBefore;  // nothing was measured; a range chosen for it stays for the next try
        return false;
    }
    modifiedBeforeStart_ = modifiedBefore;
    modified_ = true;
    if (!path_.empty() || loaded_) {
        ForgetFile();
        UpdateAllViews(kHintPathChanged);
    }
    return true;
}

void CKorvantaDoc::StopMeasurement()
{
    if (session_.AbandonStart()) {
        return;
    }
    two_->Stop();
    resultValid_ = two_->HasResult();
    RecordTexts(*record_).StampDateAndTime(context_.localTime ? context_.localTime() : CurrentLocalTime());
    modified_ = resultValid_ || modifiedBeforeStart_;
}

// --- Results ---------------------------------------------------------------------------------

LeakPosition CKorvantaDoc::ComputeLeakPosition(float delay) const
{
    return korvanta::ComputeLeakPosition(record_->pipe, delay);
}

std::span<const int32_t> CKorvantaDoc::SpectrumBuffer(int which) const
{
    if (which < 0 || which >= static_cast<int>(spectra_.size())) {
        return {};
    }
    return spectra_[static_cast<size_t>(which)];
}

void CKorvantaDoc::ClearSpectra()
{
    for (auto& spectrum : spectra_) {
        spectrum.fill(0);
    }
}

void CKorvantaDoc::EmptyRecord()
{
    *record_ = MakeEmptyRecord();
    two_->ClearTrace();
    ClearSpectra();
    resultValid_ = false;
    modified_ = false;
    ForgetFile();
}

// --- Filters ---------------------------------------------------------------------------------

void CKorvantaDoc::SetFilters(float low, float high)
{
    korvanta::SetFilters(record_->filters, low, high);
    modified_ = true;
}

void CKorvantaDoc::RestoreSavedFilters()
{
    record_->filters = savedFilters_;
    modified_ = true;
}

bool CKorvantaDoc::ApplyPreset(int k)
{
    if (!korvanta::ApplyPreset(record_->pipe, presets_, k, record_->filters)) {
        return false;
    }
    modified_ = true;
    return true;
}

void CKorvantaDoc::SetFiltersFromMaterials()
{
    korvanta::SetFiltersFromMaterials(record_->pipe, *materials_, record_->filters);
    modified_ = true;
}

// --- Results of the window's dialogs ---------------------------------------------------------

void CKorvantaDoc::ApplyPipeData(const PipeSections& pipe)
{
    record_->pipe = pipe;
    if (Pipe().SectionCount() > 0) {
        SelectRange(record_->pipe, record_->range);
    }
    SetFiltersFromMaterials();
    modified_ = true;
    UpdateAllViews(kHintPipeChanged);
}

void CKorvantaDoc::MeasurementSetupClosed(std::optional<uint32_t> range)
{
    if (range) {
        SetCorrelationRange(*range);
    }
    modified_ = true;
}

void CKorvantaDoc::ApplySensorCombination(int pairCode)
{
    record_->pairCode = static_cast<uint32_t>(pairCode);
    two_->Engine().SetPairCode(pairCode);
    settings_.SetSensorPairCode(pairCode);
    LinkCommand select;
    select.code = TM_SELECT_SENSORS;
    select.sensorMask = pairCode;
    link_.PostCommand(select);
    UpdateAllViews(kHintSensorsChanged);
}

void CKorvantaDoc::ReplaceMaterialDatabase(std::span<const Material, kMaxMaterials> materials)
{
    materials_->CopyIn(materials);
    modified_ = true;
}

bool CKorvantaDoc::RestoreDefaultMaterials()
{
    const MessageAnswer answer = messages_.ShowMessage(str::kRestoreMaterialsQuestion, kStyleQuestion | kStyleYesNo);
    return answer == MessageAnswer::Yes && materials_->RestoreDefaults();
}

void CKorvantaDoc::StoreFilterSettings(const FilterSettings& filters)
{
    active_->RecordOnShow().filters = filters;
    savedFilters_ = record_->filters;
    if (active_->ShowsDocumentRecord()) {
        modified_ = true;
    }
    UpdateAllViews(active_->FiltersChangedHint());
}

void CKorvantaDoc::SetFileInformation(const std::string& title, const std::array<std::string, 3>& comments,
                                      const std::string& userInformation)
{
    RecordTexts(*record_).SetInformation(title, comments, userInformation);
    modified_ = true;
}

// --- Files -----------------------------------------------------------------------------------

bool CKorvantaDoc::Open(const std::filesystem::path& path)
{
    const std::unique_ptr<MeasurementRecord> record = files_.Read(path);
    return record != nullptr && OpenRecord(*record, path);
}

bool CKorvantaDoc::OpenRecord(const MeasurementRecord& record, const std::filesystem::path& path)
{
    if (!files_.IsSound(record, path)) {
        return false;
    }
    DeleteContents();
    *record_ = record;
    // The file's materials are in force until a new document, without replacing Database2.bin.
    materials_->CopyIn(record_->materials);
    materials_->SetSaveAtExit(false);
    loaded_ = true;
    savedFilters_ = record_->filters;
    path_ = path.string();
    resultValid_ = true;
    UpdateAllViews(kHintFileOpened);
    return true;
}

void CKorvantaDoc::StopBeforeSave()
{
    if (active_->ShowsDocumentRecord() && session_.IsMeasuring()) {
        UpdateAllViews(kHintStopBeforeSave);
        if (session_.IsMeasuring()) {
            StopMeasurement();
        }
    }
}

bool CKorvantaDoc::SaveCopy(const std::filesystem::path& path, std::string& error)
{
    StopBeforeSave();
    materials_->CopyOut(record_->materials);
    return WriteKvdFile(path, *record_, error);
}

bool CKorvantaDoc::OpenUnnamed(const std::filesystem::path& path)
{
    if (!Open(path)) {
        return false;
    }
    ForgetFile();
    modified_ = true;
    UpdateAllViews(kHintPathChanged);
    return true;
}

bool CKorvantaDoc::Save(const std::filesystem::path& path, std::string* reason)
{
    StopBeforeSave();
    materials_->CopyOut(record_->materials);
    if (!files_.Write(path, *record_, reason)) {
        return false;
    }
    path_ = path.string();
    modified_ = false;
    UpdateAllViews(kHintPathChanged);
    return true;
}

void CKorvantaDoc::NewDocument()
{
    DeleteContents();
    if (materials_->ReadFile()) {
        materials_->SetSaveAtExit(true);
    }
    UpdateAllViews(kHintNewDocument);
}

void CKorvantaDoc::DeleteContents()
{
    EmptyRecord();
    two_->ClearQuality();
    TakeSensorPairFromSettings();
    session_.Forget();
}

void CKorvantaDoc::ForgetFile()
{
    path_.clear();
    loaded_ = false;
}

void CKorvantaDoc::TakeSensorPairFromSettings()
{
    record_->range = 0;
    two_->ResetUpdateCounter();
    const int pairCode = settings_.GetSensorPairCode();
    record_->pairCode = static_cast<uint32_t>(pairCode);
    two_->Engine().SetPairCode(pairCode);
}

// --- The three-station mode ------------------------------------------------------------------

void CKorvantaDoc::EnterThreeStationMode()
{
    // An unsaved two-station measurement is dropped here; the window asks before it comes to this.
    // What is left is no file's measurement: a later Gem must ask for a name, not write an empty
    // record over the file that was open.
    EmptyRecord();
    UpdateAllViews(kHintPathChanged);
    active_ = three_.get();
}

void CKorvantaDoc::SetThreeStationMode(bool on)
{
    if (on) {
        active_ = three_.get();
        return;
    }
    active_ = two_.get();
    TakeSensorPairFromSettings();
}

void CKorvantaDoc::ThreeStationSetup(const std::array<uint32_t, ThreeStationMeasurement::kPairs>& ranges, float low,
                                     float high)
{
    ClearThreeStationData();
    three_->Setup(ranges, low, high);
}

bool CKorvantaDoc::ThreeStationStart()
{
    if (!session_.CanStart()) {
        return false;
    }
    two_->ResetUpdateCounter();
    return three_->Start(session_);
}

void CKorvantaDoc::ThreeStationStop()
{
    if (!session_.AbandonStart()) {
        three_->Stop(session_);
    }
}

void CKorvantaDoc::OnThreeStationBlockReady()
{
    for (const uint32_t hint : three_->OnBlockReady(link_, session_)) {
        UpdateAllViews(hint);
    }
}

void CKorvantaDoc::ClearThreeStationData()
{
    three_->Clear();
    ClearSpectra();
}

}  // namespace korvanta
