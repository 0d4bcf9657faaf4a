#pragma once

#include <QObject>
#include <QSettings>
#include <QString>

#include <memory>
#include <string>

#include "core/commands/DocumentCommands.h"
#include "core/document/CKorvantaDoc.h"
#include "core/document/IDocumentObserver.h"
#include "core/link/CLinkState.h"
#include "core/link/CommsThread.h"
#include "core/link/OrvelinkLibrary.h"
#include "core/link/SteadyClock.h"
#include "gui/app/AppOptions.h"
#include "gui/app/CAppSettings.h"
#include "gui/forms/CMessageBoxSink.h"
#include "gui/app/CPrinterSetup.h"
#include "gui/app/CWaitPump.h"
#include "gui/forms/ICommandTarget.h"

namespace korvanta::sim {
class InProcessKit;
}

namespace korvanta::gui {

class CBlockReadyNotifier;
class CFrameViewHost;
class CMeasurementFiles;
class CDocumentCommandTarget;
class CDiagnosticsCommandTarget;
class CRegressionCommandTarget;
class CDocumentDialogs;
class CThreeStationMode;
class CMainFrame;
class CTerminationWatcher;

// The application object: settings, the link state and the comms thread, the simulated kit
// under the port name "SIM", the document, the main frame with its form, and the commands of
// the framework (files, About). Create it after the QApplication; InitInstance brings the
// program up, ExitInstance takes it down.
class CKorvantaApp final : public QObject,
                           public ICommandTarget,
                           public IMeasurementSetup,
                           public IDocumentObserver {
    Q_OBJECT

public:
    explicit CKorvantaApp(AppOptions options);
    ~CKorvantaApp() override;

    // Settings, document, main frame (shown), files from the command line, then the comms thread.
    bool InitInstance();
    // Stops the comms thread (up to 15 s) and writes the settings. Safe to call twice.
    void ExitInstance();

    CMainFrame& Frame() { return *frame_; }
    CKorvantaDoc& Document() { return *doc_; }
    CLinkState& GetLinkState() { return link_; }
    CMessageBoxSink& Messages() { return messages_; }
    CThreeStationMode& ThreeStationMode() { return *threeStation_; }
    CWaitPump& WaitPump() { return waitPump_; }
    IClock& Clock() { return clock_; }
    // The simulated kit behind the port "SIM", or nullptr when it could not be made.
    sim::InProcessKit* SimulatedKit() { return kit_.get(); }
    CAppSettings& Settings() { return settings_; }
    CPrinterSetup& PrinterSetup() { return printerSetup_; }
    bool IsCommsRunning() const { return commsRunning_; }

    UnitSystem GetUnitSystem() const { return settings_.GetUnitSystem(); }
    void SetUnitSystem(UnitSystem units) { settings_.SetUnitSystem(units); }
    TimeUnit GetTimeUnit() const { return settings_.GetTimeUnit(); }
    void SetTimeUnit(TimeUnit time) { settings_.SetTimeUnit(time); }
    int GetSensorPairCode() const { return settings_.GetSensorPairCode(); }
    void SetSensorPairCode(int code) { settings_.SetSensorPairCode(code); }
    const std::string& GetComPort() const { return settings_.GetComPort(); }
    void SetComPort(const std::string& port) { settings_.SetComPort(port); }

    // Opens a measurement file into the document; on failure the document has told the user
    // and the measurement on show stays.
    bool OpenDocumentFile(const QString& path);
    bool SaveDocumentFile(const QString& path);
    // Before a changed measurement is left: asks whether to save it. False when the user
    // cancels or the save fails, and the measurement must stay.
    bool SaveModified();

    // A file from the command line or the shell: a kvd file into the document, a kv3 file into
    // the three-station form, a kvr file into the regression window (once the window is up).
    bool OpenAnyFile(const QString& path);
    // The program is told to end (SIGTERM): an unsaved measurement is kept as the recovery file
    // and the program ends without asking.
    void Terminate();
    // Where that file goes, and what the next start offers.
    std::filesystem::path RecoveryFile() const;

    bool OnCommand(uint32_t id) override;
    // A measurement started without a pipe asks for its measurement time first.
    bool RunMeasurementSetup() override;
    // The window's title follows the document's file.
    void OnDocumentUpdate(uint32_t hint) override;

private:
    std::unique_ptr<QSettings> OpenSettingsStore() const;
    void CreateDocument();
    void CreateFrame();
    // Where the two-station view is made and put into the frame.
    void CreateView();
    void StartComms();
    void RegisterSimulatedKit();
    void OnAppAbout();
    void SaveSettings();

    AppOptions options_;
    CAppSettings settings_;
    CLinkState link_;
    SteadyClock clock_;
    OrvelinkLibrary library_;
    CMessageBoxSink messages_;
    CWaitPump waitPump_;
    // Before the frame: the form on show prints on it until the frame is gone.
    CPrinterSetup printerSetup_;
    std::unique_ptr<sim::InProcessKit> kit_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<CBlockReadyNotifier> notifier_;
    std::unique_ptr<CFrameViewHost> viewHost_;
    std::unique_ptr<CKorvantaDoc> doc_;
    std::unique_ptr<CMeasurementFiles> files_;
    std::unique_ptr<CommsThread> comms_;
    // The dialogs that describe a measurement and the document's commands that run them.
    std::unique_ptr<CDocumentDialogs> documentDialogs_;
    std::unique_ptr<DocumentCommands> documentCommands_;
    std::unique_ptr<CDocumentCommandTarget> documentTarget_;
    std::unique_ptr<CThreeStationMode> threeStation_;
    std::unique_ptr<CDiagnosticsCommandTarget> diagnosticsTarget_;
    std::unique_ptr<CRegressionCommandTarget> regressionTarget_;
    std::unique_ptr<CTerminationWatcher> terminationWatcher_;
    bool commsRunning_ = false;
    bool exited_ = false;
    bool terminating_ = false;
};

}  // namespace korvanta::gui
