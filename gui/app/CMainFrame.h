#pragma once

#include <QHash>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QToolBar>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/app/FrameCommandState.h"
#include "core/app/LinkStatusPane.h"
#include "core/host/IClock.h"
#include "core/host/IMessageSink.h"
#include "core/host/IWaitPump.h"
#include "core/link/CLinkState.h"
#include "gui/app/CCommandRouter.h"
#include "gui/app/CFrameMenus.h"
#include "gui/app/CFrameStatusBar.h"
#include "gui/forms/ICommandTarget.h"
#include "gui/forms/IFormFrame.h"

namespace korvanta::gui {

class CPortMenu;

// What the frame works with; everything must outlive it.
struct FrameContext {
    CLinkState* link = nullptr;
    IClock* clock = nullptr;
    IWaitPump* waitPump = nullptr;
    IMessageSink* messages = nullptr;
    // The serial ports of the machine (the port library's list; tests give their own).
    std::function<std::vector<std::string>()> listSerialPorts;
    // Ports named on the command line, offered after the serial ports.
    std::vector<std::string> namedPorts;
    // A port was chosen from the menu: stores it as the COM-port setting.
    std::function<void(const std::string&)> storePortChoice;
    // Brings the link up on a port (the initialisation dialog, modal); true when the interface
    // unit answers. Empty: the frame runs its initialisation dialog.
    std::function<bool(const std::string&)> initialise;
    // A file dropped on the window.
    std::function<void(const QString&)> openDroppedFile;
    // Asked before the window closes; false keeps it open.
    std::function<bool()> queryClose;
};

// The single frame window: fixed 800 x 600, centred, with the main menu, the toolbar, the status
// bar and the current form (the two-station view or the three-station form) in the middle. It
// owns the command-enable state, the communication-available flag with the firmware check, the
// radio mode and the port menu, and routes every command to the form, the other command
// targets and itself.
class CMainFrame final : public QMainWindow, public ICommandTarget, public IFormFrame {
    Q_OBJECT

public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

    explicit CMainFrame(FrameContext context, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Forms. The frame takes `form` as its central widget (deleting the one before) and routes
    // commands to `target` (usually the form itself) before anyone else. Null clears the form.
    void SetForm(QWidget* form, ICommandTarget* target) override;
    QWidget* Form() const { return centralWidget(); }
    // Further command targets, asked after the form in the order added (the document's
    // commands, the application). Each must outlive the frame or be removed.
    void AddCommandTarget(ICommandTarget* target);
    void RemoveCommandTarget(ICommandTarget* target);

    // Commands: menu, toolbar, accelerators and internal posts all end here.
    void RouteCommand(uint32_t id);
    // Queues a command for the frame's thread, as a posted window message.
    void PostCommand(uint32_t id);
    // Refreshes every menu item and toolbar button from the enable rules and the targets.
    void UpdateCommandUi();
    QAction* Action(uint32_t id) const { return menus_->Actions().value(id); }

    // Operations for the forms.
    QWidget* Window() override { return this; }
    int GetRadioMode() const override { return state_.GetRadioMode(); }
    void EnableAllMenus(bool on) override;
    // Communication available, then the firmware check; an incompatible or silent interface
    // unit stops communication (command 32860) and the user is told.
    void SetCommAvailable();
    void ClearCommAvailable();
    bool IsCommAvailable() const { return state_.IsCommAvailable(); }
    void EnableVelocityCommand(bool on);
    void EnableFiltersCommand(bool on) override;
    void SetStationChecks(bool twoStations, bool threeStations) override;
    // The menu of the three-station form: its own "&Filer" and the main "&Mode" only; the
    // toolbar stays, its file buttons routed to the form. False gives the main menu back.
    void SetThreeStationMenu(bool on) override;
    bool IsThreeStationMenu() const;
    FrameCommandState& CommandState() { return state_; }

    // Title: "<document> - Korvanta", with the port in brackets while the link is up on one.
    void SetDocumentTitle(const QString& title) override;
    void SetConnectedPort(const QString& port);
    QString ConnectedPort() const { return connectedPort_; }
    // A passing note in the status bar; the link's state comes back after it.
    void ShowStatus(const QString& text);
    // What the status bar shows: a passing note while there is one, else the link's state.
    QString StatusText() const;
    // What runs on the link, for the status pane.
    void ShowLinkActivity(LinkActivity activity, unsigned blockPairs = 0) override;
    void ShowListeningUnit(int unit) override;
    void RefreshLinkStatus();

    const CPortMenu& PortMenu() const { return *portMenu_; }
    // Replaces how a chosen port is brought up (tests answer without the modal dialog).
    void SetInitialiser(std::function<bool(const std::string&)> initialise)
    {
        context_.initialise = std::move(initialise);
    }
    // The recent-file entries, newest first ("action57616" onwards).
    void SetRecentFiles(const std::vector<std::string>& paths);

    bool OnCommand(uint32_t id) override;

    // The screen-size rule: true when a screen of this size needs the warning.
    static bool ScreenTooSmall(const QSize& screen) { return screen.width() < kWidth || screen.height() < kHeight; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildMenusAndBars();
    void FitToForm();
    void OnPortCommand(uint32_t id);
    void SetRadioMode(int mode);
    void PostBeacons(bool on);
    void UpdateTitle();
    void ShowNotAvailableYet();

    FrameContext context_;
    FrameCommandState state_;
    std::unique_ptr<CFrameMenus> menus_;
    std::unique_ptr<CPortMenu> portMenu_;
    QToolBar* toolbar_ = nullptr;
    std::unique_ptr<CFrameStatusBar> status_;
    CCommandRouter router_;
    QString documentTitle_;
    QString connectedPort_;
};

}  // namespace korvanta::gui
