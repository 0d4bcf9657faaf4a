#include "core/document/CKorvantaDoc.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "core/document/DocumentFileName.h"
#include "core/document/DocumentHints.h"
#include "core/pipe/FilterProposal.h"
#include "core/pipe/Pipe.h"
#include "core/text/Cp1252.h"
#include "core/text/StringIds.h"

namespace korvanta {

namespace {

constexpr size_t kUserInformationLimit = 19;
// The status of a block that an outstation did not deliver; one such block can be a lost radio
// reply, two in a row mean the station is gone.
constexpr uint8_t kStatusUnitSilent = 4;
constexpr uint8_t kSilentBlocksBeforeEnd = 2;
constexpr size_t kMeasuringTimeChars = sizeof(MeasurementRecord::measuringTime);

template <typename T>
T& Required(T* pointer, const char* what)
{
    if (pointer == nullptr) {
        throw std::invalid_argument(std::string("document needs ") + what);
    }
    return *pointer;
}

std::tm CurrentLocalTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

void FormatInto(std::span<char> field, const char* format, const std::tm& when)
{
    std::fill(field.begin(), field.end(), '\0');
    // On overflow strftime gives 0 and leaves the contents unspecified: keep the field empty.
    if (std::strftime(field.data(), field.size(), format, &when) == 0) {
        std::fill(field.begin(), field.end(), '\0');
    }
}

}  // namespace

CKorvantaDoc::CKorvantaDoc(const DocumentContext& context)
    : context_(context),
      link_(Required(context.link, "a link state")),
      messages_(Required(context.messages, "a message sink")),
      settings_(Required(context.settings, "settings")),
      record_(std::make_unique<MeasurementRecord>()),
      engine_(std::make_unique<CCorrelator>()),
      three_(std::make_unique<ThreeStationMeasurement>(spectra_[0], spectra_[1], spectra_[2])),
      session_(link_, Required(context.clock, "a clock"), context.waitPump)
{
    engine_->Init(trace_, spectra_[0], spectra_[1], kTraceWidth, kTraceHeight, kSpectrumWidth, kSpectrumHeight);
    engine_->SetRecord(record_.get());
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
    updateCounter_ = 0;
    if (GetSectionCount() == 0 && (context_.setup == nullptr || !context_.setup->RunMeasurementSetup())) {
        return false;
    }
    if (session_.StartSampling() != MeasurementSession::StartResult::Started) {
        return false;
    }
    engine_->ResetMeasurement();
    silentBlocks_.fill(0);
    session_.Begin();
    session_.RequestNextBlock(false);
    return true;
}

void CKorvantaDoc::StopMeasurement()
{
    if (session_.IsWaiting() && !session_.IsMeasuring()) {
        session_.End();  // the start is abandoned; nothing was measured
        return;
    }
    engine_->StoreToRecord();
    session_.End();
    resultValid_ = updateCounter_ > 1;
    StampDateAndTime();
    modified_ = true;
}

void CKorvantaDoc::SetMeasuringTime(const std::string& text)
{
    if (threeStationMode_) {
        three_->SetMeasuringTime(text);
        return;
    }
    std::memset(record_->measuringTime, 0, kMeasuringTimeChars);
    std::memcpy(record_->measuringTime, text.data(), std::min(text.size(), kMeasuringTimeChars));
}

void CKorvantaDoc::OnBlockReady()
{
    // No block is asked for while a wait runs; a notice the wait pump delivers then is stale.
    if (!session_.IsMeasuring() || session_.IsWaiting()) {
        return;
    }
    DataBlockRecord block;
    link_.FetchDataBlock(block);
    if (block.unit < silentBlocks_.size()) {
        uint8_t& silent = silentBlocks_[block.unit];
        silent = block.status == kStatusUnitSilent ? static_cast<uint8_t>(silent + 1) : 0;
        if (silent >= kSilentBlocksBeforeEnd) {
            UpdateAllViews(kHintMeasurementEnded);
            return;
        }
    }
    const bool newResult = engine_->ProcessBlock(block);
    if (newResult) {
        quality_ = static_cast<uint16_t>(std::max<int16_t>(engine_->GetQuality(), 0));
    }
    // A pair without a usable block can complete the chain too.
    if (engine_->NeedsRestart()) {
        const MeasurementSession::StartResult restarted = session_.StartSampling();
        if (restarted == MeasurementSession::StartResult::Stopped) {
            return;  // stopped during the wait: the stop has stored everything
        }
        if (restarted == MeasurementSession::StartResult::Failed) {
            // The stations no longer sample in step; the view ends the measurement.
            UpdateAllViews(kHintMeasurementEnded);
            return;
        }
        engine_->RestartSequence();
    }
    if (newResult) {
        updateCounter_ += 2;
        UpdateAllViews(kHintNewResult);
    }
    session_.RequestNextBlock(false);
}

void CKorvantaDoc::StampDateAndTime()
{
    const std::tm now = context_.localTime ? context_.localTime() : CurrentLocalTime();
    FormatInto(record_->date, "%d %b %Y", now);
    FormatInto(record_->time, "%H:%M", now);
}

// --- Results ---------------------------------------------------------------------------------

CCorrelator& CKorvantaDoc::EngineOnShow()
{
    return threeStationMode_ ? three_->Engine(ThreeStationMeasurement::IndexForPair(three_->SelectedPair())) : *engine_;
}

const CCorrelator& CKorvantaDoc::EngineOnShow() const
{
    return threeStationMode_ ? three_->Engine(ThreeStationMeasurement::IndexForPair(three_->SelectedPair())) : *engine_;
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
    const bool result = engine_->RestoreFromRecord();
    quality_ = static_cast<uint16_t>(std::max<int16_t>(engine_->GetQuality(), 0));
    return result;
}

float CKorvantaDoc::GetDelay() const
{
    return EngineOnShow().GetDelay();
}

uint16_t CKorvantaDoc::GetQuality() const
{
    if (!threeStationMode_) {
        return quality_;  // the latest two-station result's, 0 once the document is cleared
    }
    return static_cast<uint16_t>(std::max<int16_t>(EngineOnShow().GetQuality(), 0));
}

uint32_t CKorvantaDoc::SetZoom(uint32_t& column, uint32_t factor)
{
    return engine_->SetZoom(column, factor);
}

bool CKorvantaDoc::CanZoom(uint32_t factor) const
{
    return engine_->CanZoom(factor);
}

bool CKorvantaDoc::SetBlanking(uint32_t columnA, uint32_t columnB)
{
    return engine_->SetBlanking(columnA, columnB);
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
    return trace_;
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
    trace_.fill(0);
    for (auto& spectrum : spectra_) {
        spectrum.fill(0);
    }
}

// --- The pipe --------------------------------------------------------------------------------

int CKorvantaDoc::GetSectionCount() const
{
    return korvanta::GetSectionCount(record_->pipe);
}
float CKorvantaDoc::GetTotalLength() const
{
    return korvanta::GetTotalLength(record_->pipe);
}
float CKorvantaDoc::GetTravelTime() const
{
    return korvanta::GetTravelTime(record_->pipe);
}
bool CKorvantaDoc::HasMixedMaterials() const
{
    return korvanta::HasMixedMaterials(record_->pipe);
}
int CKorvantaDoc::GetSectionMaterial(int index) const
{
    return korvanta::GetSectionMaterial(record_->pipe, index);
}
float CKorvantaDoc::GetSectionLength(int index) const
{
    return korvanta::GetSectionLength(record_->pipe, index);
}

bool CKorvantaDoc::GetSection(int index, SectionInfo& info) const
{
    if (index < 0 || index >= kMaxPipeSections) {
        return false;
    }
    const PipeSection& section = record_->pipe[static_cast<size_t>(index)];
    info.length = section.length;
    info.velocity = section.velocity;
    info.diameter = section.diameter;
    info.materialName = MaterialName(section.materialIndex);
    return true;
}

std::string CKorvantaDoc::MaterialName(int index) const
{
    if (index < 0 || index >= kMaxMaterials) {
        return {};
    }
    return materials_->MaterialName(index);
}

// --- Filters ---------------------------------------------------------------------------------

float CKorvantaDoc::LowCutoff() const
{
    return RecordOnShow().filters.lowCutoff;
}
float CKorvantaDoc::HighCutoff() const
{
    return RecordOnShow().filters.highCutoff;
}
bool CKorvantaDoc::AutomaticFilter() const
{
    return RecordOnShow().filters.automatic == 1;
}

float CKorvantaDoc::NotchLow(int k) const
{
    return k >= 0 && k < kNotchCount ? RecordOnShow().filters.notches[k].low : 0.0f;
}

float CKorvantaDoc::NotchHigh(int k) const
{
    return k >= 0 && k < kNotchCount ? RecordOnShow().filters.notches[k].high : 0.0f;
}

int CKorvantaDoc::NotchCount() const
{
    const FilterSettings& filters = RecordOnShow().filters;
    return static_cast<int>(std::count_if(std::begin(filters.notches), std::end(filters.notches),
                                          [](const NotchFilter& notch) { return notch.high > 0.0f; }));
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
    engine_->SetPairCode(pairCode);
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
    CopyToFixedField(title, record_->title);
    for (size_t i = 0; i < comments.size(); ++i) {
        CopyToFixedField(comments[i], record_->comment[i]);
    }
    std::memset(record_->userInformation, 0, sizeof(record_->userInformation));
    CopyToFixedField(userInformation, std::span<char>(record_->userInformation, kUserInformationLimit + 1));
    modified_ = true;
}

// --- File information ------------------------------------------------------------------------

FileInformation CKorvantaDoc::GetFileInformation() const
{
    FileInformation info;
    info.name = DocumentFileName(path_);
    info.title = ReadFixedField(record_->title);
    info.date = ReadFixedField(record_->date);
    info.time = ReadFixedField(record_->time);
    info.userInformation = ReadFixedField(record_->userInformation);
    return info;
}

std::array<std::string, 3> CKorvantaDoc::CommentLines() const
{
    return {ReadFixedField(record_->comment[0]), ReadFixedField(record_->comment[1]),
            ReadFixedField(record_->comment[2])};
}

std::string CKorvantaDoc::MeasuringTime() const
{
    return ReadFixedField(record_->measuringTime);
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

bool CKorvantaDoc::Save(const std::filesystem::path& path)
{
    materials_->CopyOut(record_->materials);
    std::string error;
    if (!WriteKvdFile(path, *record_, error)) {
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
    quality_ = 0;
    path_.clear();
    loaded_ = false;
    modified_ = false;
    record_->range = 0;
    updateCounter_ = 0;
    const int pairCode = settings_.GetSensorPairCode();
    record_->pairCode = static_cast<uint32_t>(pairCode);
    engine_->SetPairCode(pairCode);
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
    threeStationMode_ = true;
}

void CKorvantaDoc::SetThreeStationMode(bool on)
{
    threeStationMode_ = on;
    if (!on) {
        record_->range = 0;
        updateCounter_ = 0;
        const int pairCode = settings_.GetSensorPairCode();
        record_->pairCode = static_cast<uint32_t>(pairCode);
        engine_->SetPairCode(pairCode);
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
    updateCounter_ = 0;
    if (session_.StartSampling() != MeasurementSession::StartResult::Started) {
        return false;
    }
    three_->ResetEngines();
    session_.Begin();
    session_.RequestNextBlock(true);
    return true;
}

void CKorvantaDoc::ThreeStationStop()
{
    if (session_.IsWaiting() && !session_.IsMeasuring()) {
        session_.End();
        return;
    }
    three_->StoreToRecords();
    session_.End();
}

void CKorvantaDoc::OnThreeStationBlockReady()
{
    if (!session_.IsMeasuring() || session_.IsWaiting()) {
        return;
    }
    DataBlockRecord block;
    link_.FetchDataBlock(block);
    three_->ProcessBlock(block);
    bool resynchronised = true;
    if (three_->AllNeedRestart()) {
        const MeasurementSession::StartResult restarted = session_.StartSampling();
        if (restarted == MeasurementSession::StartResult::Stopped) {
            return;
        }
        resynchronised = restarted == MeasurementSession::StartResult::Started;
        three_->RestartAll();
    }
    session_.RequestNextBlock(true);
    if (three_->UpdateResultsReady()) {
        UpdateAllViews(three_->SelectedPair() == ThreeStationMeasurement::kResultView ? kHintThreeStationCombinedResult
                                                                                      : kHintThreeStationResult);
    }
    if (three_->TakeCompleteSet()) {
        UpdateAllViews(kHintThreeStationBlockSet);
    }
    if (!resynchronised) {
        // No further block will come; a view that handles the hint can end the measurement.
        UpdateAllViews(kHintMeasurementEnded);
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
