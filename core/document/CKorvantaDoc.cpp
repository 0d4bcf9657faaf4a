#include "core/document/CKorvantaDoc.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "core/document/DocumentHints.h"
#include "core/document/RecordFilters.h"
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
      record_(std::make_unique<MeasurementRecord>()),
      three_(std::make_unique<ThreeStationMeasurement>(spectra_[0], spectra_[1], spectra_[2])),
      session_(link_, Required(context.clock, "a clock"), context.waitPump),
      two_(std::make_unique<TwoStationMeasurement>(*record_, spectra_[0], spectra_[1], link_, session_,
                                                   [this](uint32_t hint) { UpdateAllViews(hint); }))
{
    materials_ = std::make_unique<CMaterialDatabase>(context_.dataFolder, messages_);
    presets_.Load(context_.dataFolder, messages_);
    DeleteContents();
}

CKorvantaDoc::~CKorvantaDoc() = default;

// --- Views -----------------------------------------------------------------------------------

void CKorvantaDoc::AddObserver(IDocumentObserver* observer)
{
    if (observer != nullptr && std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) {
        observers_.push_back(observer);
    }
}

void CKorvantaDoc::RemoveObserver(IDocumentObserver* observer)
{
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void CKorvantaDoc::UpdateAllViews(uint32_t hint)
{
    // A view may add or remove views while it handles the hint.
    const std::vector<IDocumentObserver*> observers = observers_;
    for (IDocumentObserver* observer : observers) {
        if (std::find(observers_.begin(), observers_.end(), observer) != observers_.end()) {
            observer->OnDocumentUpdate(hint);
        }
    }
}

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
    if (GetSectionCount() == 0 && (context_.setup == nullptr || !context_.setup->RunMeasurementSetup())) {
        return false;
    }
    return two_->Start();
}

void CKorvantaDoc::StopMeasurement()
{
    if (session_.IsWaiting() && !session_.IsMeasuring()) {
        session_.End();  // the start is abandoned; nothing was measured
        return;
    }
    two_->Stop();
    resultValid_ = two_->HasResult();
    RecordTexts(*record_).StampDateAndTime(context_.localTime ? context_.localTime() : CurrentLocalTime());
    modified_ = true;
}

void CKorvantaDoc::SetMeasuringTime(const std::string& text)
{
    if (threeStationMode_) {
        three_->SetMeasuringTime(text);
        return;
    }
    RecordTexts(*record_).SetMeasuringTime(text);
}

void CKorvantaDoc::OnBlockReady()
{
    two_->OnBlockReady();
}

// --- Results ---------------------------------------------------------------------------------

CCorrelator& CKorvantaDoc::EngineOnShow()
{
    return threeStationMode_ ? three_->Engine(ThreeStationMeasurement::IndexForPair(three_->SelectedPair()))
                             : two_->Engine();
}

const CCorrelator& CKorvantaDoc::EngineOnShow() const
{
    return threeStationMode_ ? three_->Engine(ThreeStationMeasurement::IndexForPair(three_->SelectedPair()))
                             : two_->Engine();
}

MeasurementRecord& CKorvantaDoc::RecordOnShow()
{
    return threeStationMode_ ? three_->Record(ThreeStationMeasurement::IndexForPair(three_->SelectedPair())) : *record_;
}

const MeasurementRecord& CKorvantaDoc::RecordOnShow() const
{
    return threeStationMode_ ? three_->Record(ThreeStationMeasurement::IndexForPair(three_->SelectedPair())) : *record_;
}

bool CKorvantaDoc::Recompute()
{
    if (threeStationMode_) {
        if (three_->SelectedPair() == ThreeStationMeasurement::kResultView) {
            return false;
        }
        return EngineOnShow().RestoreFromRecord();
    }
    return two_->Recompute();
}

float CKorvantaDoc::GetDelay() const
{
    return EngineOnShow().GetDelay();
}

uint16_t CKorvantaDoc::GetQuality() const
{
    if (!threeStationMode_) {
        return two_->Quality();  // the latest two-station result's, 0 once the document is cleared
    }
    return static_cast<uint16_t>(std::max<int16_t>(EngineOnShow().GetQuality(), 0));
}

uint32_t CKorvantaDoc::SetZoom(uint32_t& column, uint32_t factor)
{
    return two_->Engine().SetZoom(column, factor);
}

bool CKorvantaDoc::CanZoom(uint32_t factor) const
{
    return two_->Engine().CanZoom(factor);
}

bool CKorvantaDoc::SetBlanking(uint32_t columnA, uint32_t columnB)
{
    return two_->Engine().SetBlanking(columnA, columnB);
}

LeakPosition CKorvantaDoc::ComputeLeakPosition(float delay) const
{
    return korvanta::ComputeLeakPosition(record_->pipe, delay);
}

std::span<const int32_t> CKorvantaDoc::TraceBuffer() const
{
    if (threeStationMode_) {
        return three_->Trace(ThreeStationMeasurement::IndexForPair(three_->SelectedPair()));
    }
    return two_->Trace();
}

std::span<const int32_t> CKorvantaDoc::SpectrumBuffer(int which) const
{
    if (which < 0 || which >= static_cast<int>(spectra_.size())) {
        return {};
    }
    return spectra_[static_cast<size_t>(which)];
}

void CKorvantaDoc::ClearDisplayBuffers()
{
    two_->ClearTrace();
    for (auto& spectrum : spectra_) {
        spectrum.fill(0);
    }
}

// --- The pipe --------------------------------------------------------------------------------

int CKorvantaDoc::GetSectionCount() const
{
    return RecordPipe(record_->pipe, *materials_).SectionCount();
}
float CKorvantaDoc::GetTotalLength() const
{
    return RecordPipe(record_->pipe, *materials_).TotalLength();
}
float CKorvantaDoc::GetTravelTime() const
{
    return RecordPipe(record_->pipe, *materials_).TravelTime();
}
bool CKorvantaDoc::HasMixedMaterials() const
{
    return RecordPipe(record_->pipe, *materials_).HasMixedMaterials();
}
int CKorvantaDoc::GetSectionMaterial(int index) const
{
    return RecordPipe(record_->pipe, *materials_).SectionMaterial(index);
}
float CKorvantaDoc::GetSectionLength(int index) const
{
    return RecordPipe(record_->pipe, *materials_).SectionLength(index);
}
bool CKorvantaDoc::GetSection(int index, SectionInfo& info) const
{
    return RecordPipe(record_->pipe, *materials_).Section(index, info);
}
std::string CKorvantaDoc::MaterialName(int index) const
{
    return RecordPipe(record_->pipe, *materials_).MaterialName(index);
}

// --- Filters ---------------------------------------------------------------------------------

float CKorvantaDoc::LowCutoff() const
{
    return RecordFilters(RecordOnShow().filters).LowCutoff();
}
float CKorvantaDoc::HighCutoff() const
{
    return RecordFilters(RecordOnShow().filters).HighCutoff();
}
bool CKorvantaDoc::AutomaticFilter() const
{
    return RecordFilters(RecordOnShow().filters).Automatic();
}

float CKorvantaDoc::NotchLow(int k) const
{
    return RecordFilters(RecordOnShow().filters).NotchLow(k);
}

float CKorvantaDoc::NotchHigh(int k) const
{
    return RecordFilters(RecordOnShow().filters).NotchHigh(k);
}

int CKorvantaDoc::NotchCount() const
{
    return RecordFilters(RecordOnShow().filters).NotchCount();
}

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
    if (GetSectionCount() > 0) {
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
    RecordOnShow().filters = filters;
    savedFilters_ = record_->filters;
    if (threeStationMode_) {
        UpdateAllViews(kHintThreeStationFiltersChanged);
        return;
    }
    modified_ = true;
    UpdateAllViews(kHintFiltersChanged);
}

void CKorvantaDoc::SetFileInformation(const std::string& title, const std::array<std::string, 3>& comments,
                                      const std::string& userInformation)
{
    RecordTexts(*record_).SetInformation(title, comments, userInformation);
    modified_ = true;
}

// --- File information ------------------------------------------------------------------------

FileInformation CKorvantaDoc::GetFileInformation() const
{
    return RecordTexts(*record_).Information(path_);
}

std::array<std::string, 3> CKorvantaDoc::CommentLines() const
{
    return RecordTexts(*record_).CommentLines();
}

std::string CKorvantaDoc::MeasuringTime() const
{
    return RecordTexts(*record_).MeasuringTime();
}

// --- Files -----------------------------------------------------------------------------------

bool CKorvantaDoc::Open(const std::filesystem::path& path)
{
    auto scratch = std::make_unique<MeasurementRecord>();
    const KvdStatus status = ReadKvdFile(path, *scratch);
    if (status != KvdStatus::Ok) {
        messages_.ShowMessage(KvdStatusMessage(status), kStyleExclamation);
        return false;
    }
    return OpenRecord(*scratch, path);
}

bool CKorvantaDoc::OpenRecord(const MeasurementRecord& record, const std::filesystem::path& path)
{
    if (!FindRecordDamage(record).empty()) {
        messages_.ShowMessage(KvdStatusMessage(KvdStatus::Damaged), kStyleExclamation);
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

bool CKorvantaDoc::Save(const std::filesystem::path& path, std::string* reason)
{
    materials_->CopyOut(record_->materials);
    std::string error;
    if (!WriteKvdFile(path, *record_, error)) {
        if (reason) {
            *reason = error;
        }
        messages_.ShowMessage(str::kFileNotSaved, kStyleExclamation);
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
    *record_ = MakeEmptyRecord();
    ClearDisplayBuffers();
    resultValid_ = false;
    two_->ClearQuality();
    path_.clear();
    loaded_ = false;
    modified_ = false;
    record_->range = 0;
    two_->ResetUpdateCounter();
    const int pairCode = settings_.GetSensorPairCode();
    record_->pairCode = static_cast<uint32_t>(pairCode);
    two_->Engine().SetPairCode(pairCode);
    session_.Forget();
}

// --- The three-station mode ------------------------------------------------------------------

void CKorvantaDoc::EnterThreeStationMode()
{
    // An unsaved two-station measurement is dropped here; the window asks before it comes to this.
    *record_ = MakeEmptyRecord();
    ClearDisplayBuffers();
    resultValid_ = false;
    modified_ = false;
    // The file named the measurement just dropped: "Gem" must not put an empty one in its place.
    path_.clear();
    threeStationMode_ = true;
}

void CKorvantaDoc::SetThreeStationMode(bool on)
{
    threeStationMode_ = on;
    if (!on) {
        record_->range = 0;
        two_->ResetUpdateCounter();
        const int pairCode = settings_.GetSensorPairCode();
        record_->pairCode = static_cast<uint32_t>(pairCode);
        two_->Engine().SetPairCode(pairCode);
    }
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
    if (session_.IsWaiting() && !session_.IsMeasuring()) {
        session_.End();
        return;
    }
    three_->Stop(session_);
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
    for (auto& spectrum : spectra_) {
        spectrum.fill(0);
    }
}

void CKorvantaDoc::ClearThreeStationTraces()
{
    three_->ClearTraces();
}

void CKorvantaDoc::ThreeStationRecordsToFile(std::vector<uint8_t>& out) const
{
    three_->AppendRecords(out);
}

bool CKorvantaDoc::ThreeStationRecordsFromFile(std::span<const uint8_t> file)
{
    constexpr size_t kHeaderBytes = 4;
    return file.size() >= kHeaderBytes && three_->ReadRecords(file.subspan(kHeaderBytes));
}

}  // namespace korvanta
