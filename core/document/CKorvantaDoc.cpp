#include "core/document/CKorvantaDoc.h"

#include <stdexcept>

#include "core/document/DocumentHints.h"
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
      threeRun_(*three_, *two_, spectra_, link_, session_, [this](uint32_t hint) { UpdateAllViews(hint); }),
      active_(two_.get()),
      materials_(std::make_unique<CMaterialDatabase>(context_.dataFolder, messages_)),
      editor_(*record_, *materials_, presets_, *two_, active_, settings_, link_, modified_,
              [this](uint32_t hint) { UpdateAllViews(hint); })
{
    presets_.Load(context_.dataFolder, messages_);
    DeleteContents();
}

CKorvantaDoc::~CKorvantaDoc() = default;

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

std::span<const int32_t> CKorvantaDoc::SpectrumBuffer(int which) const
{
    if (which < 0 || which >= static_cast<int>(spectra_.size())) {
        return {};
    }
    return spectra_[static_cast<size_t>(which)];
}

void CKorvantaDoc::EmptyRecord()
{
    *record_ = MakeEmptyRecord();
    two_->ClearTrace();
    for (auto& spectrum : spectra_) {
        spectrum.fill(0);
    }
    resultValid_ = false;
    modified_ = false;
    ForgetFile();
}

bool CKorvantaDoc::RestoreDefaultMaterials()
{
    const MessageAnswer answer = messages_.ShowMessage(str::kRestoreMaterialsQuestion, kStyleQuestion | kStyleYesNo);
    return answer == MessageAnswer::Yes && materials_->RestoreDefaults();
}

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
    editor_.KeepFiltersAsSaved();
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
    editor_.TakeSensorPairFromSettings();
    session_.Forget();
}

void CKorvantaDoc::ForgetFile()
{
    path_.clear();
    loaded_ = false;
}

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
    editor_.TakeSensorPairFromSettings();
}

}  // namespace korvanta
