#include "gui/app/CKorvantaApp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

#include <QThread>
#include <QTimer>

#include <iostream>

#include "core/app/DataFolder.h"
#include "core/document/DocumentHints.h"
#include "core/app/ProgramFileKind.h"
#include "core/fileio/FileProblem.h"
#include "gui/app/CTerminationWatcher.h"
#include "core/app/CommandIds.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"
#include "gui/app/CAboutDialog.h"
#include "gui/app/CBlockReadyNotifier.h"
#include "gui/forms/FormControls.h"
#include "gui/app/CFrameViewHost.h"
#include "gui/app/CMeasurementFiles.h"
#include "gui/app/CRecoveryFile.h"
#include "gui/view/CKorvantaView.h"
#include "gui/app/CMainFrame.h"
#include "gui/threestation/CThreeStationForm.h"
#include "gui/threestation/CThreeStationMode.h"
#include "gui/forms/TemplateFonts.h"
#include "gui/diagnostics/CDiagnosticsCommandTarget.h"
#include "gui/velocity/CRegressionCommandTarget.h"
#include "gui/document/CDocumentCommandTarget.h"
#include "gui/app/CDocumentDialogs.h"
#include "sim/InProcessKit.h"
#include "sim/scenario/ScenarioKitOptions.h"

namespace korvanta::gui {

namespace {

// The data files: beside the program in the build tree, a folder of the user's own when installed.
std::filesystem::path ProgramDataFolder()
{
    return DataFolder::Resolve(ToPath(QCoreApplication::applicationDirPath()),
                               ToPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
}

}  // namespace

CKorvantaApp::CKorvantaApp(AppOptions options) : options_(std::move(options)) {}

CKorvantaApp::~CKorvantaApp()
{
    ExitInstance();
    terminationWatcher_.reset();
    if (doc_) {
        doc_->RemoveObserver(this);
    }
    if (frame_ && documentTarget_)
        frame_->RemoveCommandTarget(documentTarget_.get());
    if (frame_ && diagnosticsTarget_)
        frame_->RemoveCommandTarget(diagnosticsTarget_.get());
    // The form observes the document and works with the frame: it goes before either does.
    if (frame_) {
        QWidget* form = frame_->takeCentralWidget();
        frame_->SetForm(nullptr, nullptr);
        delete form;
    }
    threeStation_.reset();
    notifier_.reset();
    frame_.reset();
}

std::unique_ptr<QSettings> CKorvantaApp::OpenSettingsStore() const
{
    if (!options_.settingsFile.isEmpty()) {
        return std::make_unique<QSettings>(options_.settingsFile, QSettings::IniFormat);
    }
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QString::fromLatin1(CAppSettings::kOrganisation),
                                       QString::fromLatin1(CAppSettings::kApplication));
}

bool CKorvantaApp::InitInstance()
{
    TemplateFonts::EnsureTahoma();
    settings_.Load(*OpenSettingsStore());
    RegisterSimulatedKit();
    CreateDocument();
    CreateFrame();
    CreateView();
    terminationWatcher_ = std::make_unique<CTerminationWatcher>();
    connect(terminationWatcher_.get(), &CTerminationWatcher::Terminated, this, &CKorvantaApp::Terminate);
    CRecoveryFile(options_.recoveryFolder).Offer(*doc_, messages_);
    for (const QString& file : options_.files) {
        OpenAnyFile(file);
    }
    frame_->show();
    if (options_.startComms) {
        StartComms();
    }
    return true;
}

void CKorvantaApp::RegisterSimulatedKit()
{
    sim::KitOptions kitOptions;
    std::string error;
    if (sim::ProgramKitOptions(kitOptions, error)) {
        kit_ = sim::RegisterSimTransport(kitOptions, nullptr, &error);
    }
    if (!kit_) {
        std::cerr << "korvanta: the simulated kit is not available: " << error << "\n";
    }
}

void CKorvantaApp::CreateDocument()
{
    DocumentContext context;
    context.link = &link_;
    context.clock = &clock_;
    context.messages = &messages_;
    context.settings = &settings_;
    context.waitPump = &waitPump_;
    context.setup = this;
    context.dataFolder = options_.dataFolder.empty() ? ProgramDataFolder() : options_.dataFolder;
    doc_ = std::make_unique<CKorvantaDoc>(context);
    doc_->AddObserver(this);
    files_ = std::make_unique<CMeasurementFiles>(*doc_, settings_, messages_, options_.askMeasurementFile);
}

void CKorvantaApp::CreateFrame()
{
    FrameContext context;
    context.link = &link_;
    context.clock = &clock_;
    context.waitPump = &waitPump_;
    context.messages = &messages_;
    context.listSerialPorts = options_.listSerialPorts;
    context.namedPorts = options_.ports;
    context.storePortChoice = [this](const std::string& port) { SetComPort(port); };
    // A drop opens as "Åben" does, and like it not while a measurement runs.
    context.openDroppedFile = [this](const QString& path) {
        if (!doc_->IsMeasuring()) {
            OpenAnyFile(path);
        }
    };
    context.queryClose = [this] { return terminating_ || SaveModified(); };
    frame_ = std::make_unique<CMainFrame>(std::move(context));
    messages_.SetParentWindow(frame_.get());
    frame_->AddCommandTarget(this);
    documentDialogs_ = std::make_unique<CDocumentDialogs>(settings_, messages_, frame_.get());
    documentCommands_ = std::make_unique<DocumentCommands>(*doc_, *documentDialogs_);
    documentTarget_ = std::make_unique<CDocumentCommandTarget>(*documentCommands_);
    frame_->AddCommandTarget(documentTarget_.get());
    diagnosticsTarget_ = std::make_unique<CDiagnosticsCommandTarget>(
        CDiagnosticsCommandTarget::Context{frame_.get(), &link_, &clock_, &waitPump_, &messages_});
    frame_->AddCommandTarget(diagnosticsTarget_.get());
    regressionTarget_ = std::make_unique<CRegressionCommandTarget>(frame_.get(), settings_, messages_);
    frame_->AddCommandTarget(regressionTarget_.get());
    files_->SetFrame(frame_.get());
    frame_->SetRecentFiles(settings_.RecentFiles().Paths());
    files_->UpdateTitle();
    notifier_ = std::make_unique<CBlockReadyNotifier>(
        frame_.get(), [this](uint32_t id) { frame_->RouteCommand(id); }, &messages_, &waitPump_);

    ThreeStationModeContext three;
    three.document = doc_.get();
    three.link = &link_;
    three.frame = frame_.get();
    three.messages = &messages_;
    three.clock = &clock_;
    three.settings = &settings_;
    three.kit = kit_.get();
    three.saveDocument = [this] { return files_->Save(false); };
    three.restoreView = [this] {
        CreateView();
        files_->UpdateTitle();
    };
    three.runSetup = options_.runThreeStationSetup;
    three.askFileName = options_.askThreeStationFile;
    threeStation_ = std::make_unique<CThreeStationMode>(std::move(three));
    frame_->AddCommandTarget(threeStation_.get());
}

void CKorvantaApp::CreateView()
{
    viewHost_ = std::make_unique<CFrameViewHost>(*frame_, settings_, [this] { return SaveModified(); });
    auto* view = new CKorvantaView(*doc_, link_, *viewHost_, messages_, clock_, printerSetup_.Printer());
    frame_->SetForm(view, view);
    view->InitialUpdate();
}

void CKorvantaApp::StartComms()
{
    CommsContext context;
    context.state = &link_;
    context.library = &library_;
    context.clock = &clock_;
    context.blockReady = notifier_.get();
    context.logFolder = options_.logFolder;
    comms_ = std::make_unique<CommsThread>(context);
    commsRunning_ = comms_->Start();
    if (!commsRunning_) {
        comms_.reset();
        messages_.ShowMessage(str::kCannotCreateComms, kStyleStop);
    }
}

void CKorvantaApp::ExitInstance()
{
    if (exited_) {
        return;
    }
    exited_ = true;
    if (comms_) {
        comms_->Stop(CommsThread::kDefaultStopTimeoutMs);
        comms_.reset();
        commsRunning_ = false;
    }
    // The material database is written once, at exit, and only when the user changed it.
    if (doc_) {
        doc_->Materials().SaveIfChanged();
    }
    SaveSettings();
}

void CKorvantaApp::SaveSettings()
{
    const std::unique_ptr<QSettings> store = OpenSettingsStore();
    if (settings_.Save(*store)) {
        return;
    }
    const std::string where = ToUtf8(store->fileName());
    const std::string text = FileFailureText(str::kSettingsNotSaved, where, {});
    if (terminating_) {
        std::cerr << "korvanta: the settings could not be written to " << where << "\n";
        return;
    }
    messages_.ShowText(str::kSettingsNotSaved, text, kStyleExclamation);
}

bool CKorvantaApp::RunMeasurementSetup()
{
    return documentCommands_ && documentCommands_->RunMeasurementSetup();
}

bool CKorvantaApp::OnCommand(uint32_t id)
{
    switch (id) {
    case cmd::kFileNew:
        files_->New();
        return true;
    case cmd::kFileOpen:
        files_->Open();
        return true;
    case cmd::kFileSave:
        files_->Save(false);
        return true;
    case cmd::kFileSaveAs:
        files_->Save(true);
        return true;
    case cmd::kAppAbout:
        OnAppAbout();
        return true;
    case cmd::kFilePrintSetup:
        printerSetup_.Run(frame_.get());
        return true;
    case cmd::kBlockReadyTwoStation:
        doc_->OnBlockReady();
        return true;
    case cmd::kBlockReadyThreeStation:
        doc_->ThreeStationRun().OnBlockReady();
        return true;
    default:
        break;
    }
    if (id >= cmd::kFileRecentFirst && id < cmd::kFileRecentFirst + RecentFileList::kDefaultCapacity) {
        files_->OpenRecent(id - cmd::kFileRecentFirst);
        return true;
    }
    return false;
}

bool CKorvantaApp::OpenAnyFile(const QString& path)
{
    switch (IdentifyProgramFile(ToPath(path))) {
    case ProgramFileKind::ThreeStationResult:
        if (threeStation_->Form() == nullptr && !threeStation_->Enter()) {
            return false;
        }
        return threeStation_->Form()->OpenFile(path);
    case ProgramFileKind::Regression:
        // The regression window is modal: it opens once the main window is up and running.
        QTimer::singleShot(0, frame_.get(), [this, path] { regressionTarget_->Run(path); });
        return true;
    case ProgramFileKind::Measurement:
    case ProgramFileKind::Unknown:
        break;  // the document tells why it cannot take the file
    }
    return OpenDocumentFile(path);
}

bool CKorvantaApp::OpenDocumentFile(const QString& path)
{
    return files_->OpenFile(path);
}

bool CKorvantaApp::SaveDocumentFile(const QString& path)
{
    return files_->SaveFile(path);
}

bool CKorvantaApp::SaveModified()
{
    return files_->SaveModified();
}

std::filesystem::path CKorvantaApp::RecoveryFile() const
{
    return CRecoveryFile(options_.recoveryFolder).Path();
}

void CKorvantaApp::Terminate()
{
    if (terminating_) {
        return;
    }
    terminating_ = true;
    CRecoveryFile(options_.recoveryFolder).Keep(*doc_);
    // Every event loop ends, a message box's too; nothing more is asked. Without a running loop
    // (a test drives the events itself) there is nothing to end, and an exit asked for then would
    // make every later modal loop return at once.
    if (QThread::currentThread()->loopLevel() > 0) {
        QCoreApplication::exit(0);
    }
}

void CKorvantaApp::OnDocumentUpdate(uint32_t hint)
{
    if (hint == kHintFileOpened || hint == kHintNewDocument || hint == kHintPathChanged) {
        files_->UpdateTitle();
    }
}

void CKorvantaApp::OnAppAbout()
{
    CAboutDialog about(frame_.get());
    about.exec();
}

}  // namespace korvanta::gui
