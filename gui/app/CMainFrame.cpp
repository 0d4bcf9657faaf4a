#include "gui/app/CMainFrame.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QShortcut>
#include <QStatusTipEvent>
#include <QStatusBar>
#include <QTimer>

#include "core/app/CommandIds.h"
#include "core/link/FirmwareCheck.h"
#include "core/app/MainMenu.h"
#include "core/link/LinkCommand.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"
#include "gui/app/CInitialisationDialog.h"
#include "gui/forms/CMenuBuilder.h"
#include "gui/app/CPortMenu.h"
#include "gui/forms/GuiResources.h"
#include "gui/app/SerialPortDiscovery.h"
#include "gui/forms/FormControls.h"

namespace korvanta::gui {

namespace {

constexpr int kIdleUpdateMs = 200;

}  // namespace

CMainFrame::CMainFrame(FrameContext context, QWidget* parent) : QMainWindow(parent), context_(std::move(context))
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen != nullptr ? screen->geometry().size() : QSize(kWidth, kHeight);
    if (ScreenTooSmall(screenSize)) {
        context_.messages->ShowMessage(str::kScreenTooSmall, kStyleStop);
    }
    setObjectName(QStringLiteral("mainFrame"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(ProgramIcon());
    setFixedSize(kWidth, kHeight);
    move((screenSize.width() - kWidth) / 2, (screenSize.height() - kHeight) / 2);
    setAcceptDrops(true);
    BuildMenusAndBars();
    documentTitle_ = StringText(str::kUntitledDocument);
    UpdateTitle();
    RefreshLinkStatus();

    // Menu items, buttons and the status pane follow the program's state as it changes, as an
    // idle update would keep them.
    auto* idle = new QTimer(this);
    connect(idle, &QTimer::timeout, this, &CMainFrame::UpdateCommandUi);
    connect(idle, &QTimer::timeout, this, &CMainFrame::RefreshLinkStatus);
    idle->start(kIdleUpdateMs);
    UpdateCommandUi();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::BuildMenusAndBars()
{
    const auto onCommand = [this](uint32_t id) { RouteCommand(id); };
    menus_ = std::make_unique<CFrameMenus>(*menuBar(), this, onCommand, [this] { UpdateCommandUi(); });

    const std::vector<std::string> found = context_.listSerialPorts ? context_.listSerialPorts() : ListSerialPorts();
    portMenu_ = std::make_unique<CPortMenu>(PortMenuList(found, context_.namedPorts), menus_->PortParent(), menus_->PortAnchor(),
                                            this, onCommand);

    toolbar_ = new QToolBar(QStringLiteral("Værktøj"), this);
    toolbar_->setObjectName(QStringLiteral("toolBar"));
    toolbar_->setIconSize(QSize(16, 16));
    toolbar_->setAllowedAreas(Qt::AllToolBarAreas);
    CMenuBuilder::BuildToolbar(toolbar_, menus_->Actions());
    addToolBar(Qt::TopToolBarArea, toolbar_);
    // Alt+F4 closes the window as its system menu does, also where no window manager offers it.
    auto* closeKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);
    status_ = std::make_unique<CFrameStatusBar>(*statusBar(), context_.link);
}

bool CMainFrame::IsThreeStationMenu() const
{
    return menus_->IsThreeStationMenu();
}

void CMainFrame::SetThreeStationMenu(bool on)
{
    const bool changed = on != IsThreeStationMenu();
    menus_->ShowThreeStationMenu(on);  // made the first time, also when asked to stay hidden
    if (!changed) {
        return;
    }
    // The toolbar stays: its buttons reach the form's file commands, the filters of the pair on
    // show, the radio power, the beacons, listening and the system information.
    state_.SetThreeStationForm(on);
    UpdateCommandUi();
}

void CMainFrame::SetForm(QWidget* form, ICommandTarget* target)
{
    router_.SetForm(form != nullptr ? target : nullptr);
    if (form != nullptr) {
        // A form that gives way goes at once: it observes the document, and a hint sent before a
        // deferred deletion would still reach it (two boxes for one ended measurement). Forms are
        // swapped from the frame's command targets, never from inside the old form's handlers.
        if (QWidget* old = centralWidget(); old != nullptr && old != form) {
            delete takeCentralWidget();
        }
        setCentralWidget(form);
        // A form put into a shown window is shown from the event loop; the layout counts it
        // only then.
        QTimer::singleShot(0, this, &CMainFrame::FitToForm);
    } else if (QWidget* old = takeCentralWidget()) {
        old->deleteLater();
    }
    UpdateCommandUi();
}

void CMainFrame::FitToForm()
{
    // The window is as tall as its bars and the form's fixed layout, so no empty band is left
    // under the form; 800 pixels wide as always.
    const QWidget* form = centralWidget();
    if (form == nullptr) {
        return;
    }
    layout()->invalidate();
    const int height = layout()->totalSizeHint().height();
    setFixedSize(std::max(kWidth, form->width()), std::min(height, kHeight));
}

void CMainFrame::AddCommandTarget(ICommandTarget* target)
{
    router_.Add(target);
}

void CMainFrame::RemoveCommandTarget(ICommandTarget* target)
{
    router_.Remove(target);
}

void CMainFrame::RouteCommand(uint32_t id)
{
    // An accelerator can arrive between two idle updates: the rule decides, not the stale item.
    if (state_.IsEnabled(id) == false) {
        return;
    }
    id = state_.Routed(id);
    if (id == cmd::kStopAndSuspend) {
        status_->CommunicationStopped();
    }
    if (router_.Route(id) || OnCommand(id)) {
        return;
    }
    if (FindMenuCommand(id) != nullptr) {
        ShowNotAvailableYet();
    }
}

void CMainFrame::PostCommand(uint32_t id)
{
    QMetaObject::invokeMethod(
        this, [this, id] { RouteCommand(id); }, Qt::QueuedConnection);
}

void CMainFrame::UpdateCommandUi()
{
    const QHash<uint32_t, QAction*>& actions = menus_->Actions();
    for (auto it = actions.cbegin(); it != actions.cend(); ++it) {
        const uint32_t id = it.key();
        const uint32_t routed = state_.Routed(id);
        const CommandUi ui = router_.Ask(routed);
        const std::optional<bool> rule = state_.IsEnabled(id);
        const bool enabled = rule ? *rule && ui.enabled.value_or(true) : ui.enabled.value_or(false);
        it.value()->setEnabled(enabled);

        std::optional<bool> checked = state_.IsChecked(routed);
        if (id == cmd::kViewToolbar) {
            checked = !toolbar_->isHidden();
        } else if (id == cmd::kViewStatusBar) {
            checked = !statusBar()->isHidden();
        }
        if (!checked) {
            checked = ui.checked;
        }
        if (it.value()->isCheckable()) {
            it.value()->setChecked(checked.value_or(false));
        }
    }
    menus_->EnableTopLevel(state_.TopLevelMenusEnabled());
}

bool CMainFrame::OnCommand(uint32_t id)
{
    switch (id) {
    case cmd::kRadioModeLow:
        SetRadioMode(FrameCommandState::kRadioModeLow);
        return true;
    case cmd::kRadioModeHigh:
        SetRadioMode(FrameCommandState::kRadioModeHigh);
        return true;
    case cmd::kBeaconsOn:
        PostBeacons(true);
        return true;
    case cmd::kBeaconsOff:
        PostBeacons(false);
        return true;
    case cmd::kViewToolbar:
        toolbar_->setHidden(!toolbar_->isHidden());
        FitToForm();
        UpdateCommandUi();
        return true;
    case cmd::kViewStatusBar:
        statusBar()->setHidden(!statusBar()->isHidden());
        FitToForm();
        UpdateCommandUi();
        return true;
    case cmd::kAppExit:
        close();
        return true;
    case cmd::kTwoStationMode:
        // Already in two-station mode: nothing to do, and the item stays checked.
        UpdateCommandUi();
        return true;
    default:
        break;
    }
    if (id >= cmd::kPortFirst && id <= cmd::kPortLast) {
        OnPortCommand(id);
        return true;
    }
    return false;
}

void CMainFrame::OnPortCommand(uint32_t id)
{
    const auto port = portMenu_->Choose(id);
    if (!port) {
        return;
    }
    if (context_.storePortChoice) {
        context_.storePortChoice(*port);
    }
    SetConnectedPort({});
    status_->PortChosen();
    const bool up =
        context_.initialise ? context_.initialise(*port) : CInitialisationDialog::Run(*context_.link, *port, this);
    if (up) {
        SetConnectedPort(QString::fromStdString(*port));
    }
    RefreshLinkStatus();
}

void CMainFrame::SetRadioMode(int mode)
{
    state_.SetRadioMode(mode);
    LinkCommand command;
    command.code = TM_SET_RADIO_MODE;
    command.radioMode = mode;
    context_.link->PostUrgentCommand(command);
    UpdateCommandUi();
}

void CMainFrame::PostBeacons(bool on)
{
    LinkCommand command;
    command.code = TM_CONTROL_BEACONS;
    command.flag = on ? 1 : 0;
    context_.link->PostCommand(command);
}

void CMainFrame::EnableAllMenus(bool on)
{
    state_.EnableAllMenus(on);
    UpdateCommandUi();
}

void CMainFrame::SetCommAvailable()
{
    state_.SetCommAvailable(true);
    UpdateCommandUi();
    // Old firmware and a unit that does not answer both stop communication; the user is told
    // which of the two it was.
    const FirmwareVerdict verdict = FirmwareCheck(*context_.link, *context_.clock, context_.waitPump).Run();
    if (verdict != FirmwareVerdict::Compatible) {
        PostCommand(cmd::kStopAndSuspend);
        context_.messages->ShowMessage(FirmwareCheck::MessageFor(verdict), kStyleExclamation);
    }
}

void CMainFrame::ClearCommAvailable()
{
    state_.SetCommAvailable(false);
    UpdateCommandUi();
}

void CMainFrame::EnableVelocityCommand(bool on)
{
    state_.SetFlag(CommandGroup::VelocityCalculation, on);
    UpdateCommandUi();
}

void CMainFrame::EnableFiltersCommand(bool on)
{
    state_.SetFlag(CommandGroup::Filters, on);
    UpdateCommandUi();
}

void CMainFrame::SetStationChecks(bool twoStations, bool threeStations)
{
    state_.SetStationChecks(twoStations, threeStations);
    UpdateCommandUi();
}

void CMainFrame::SetDocumentTitle(const QString& title)
{
    documentTitle_ = title;
    UpdateTitle();
}

void CMainFrame::SetConnectedPort(const QString& port)
{
    connectedPort_ = port;
    UpdateTitle();
}

void CMainFrame::UpdateTitle()
{
    QString title = documentTitle_ + QStringLiteral(" - ") + StringText(str::kAppTitle);
    if (!connectedPort_.isEmpty()) {
        title += QStringLiteral(" [%1]").arg(connectedPort_);
    }
    setWindowTitle(title);
}

void CMainFrame::ShowStatus(const QString& text)
{
    status_->ShowNote(text);
}

void CMainFrame::ShowLinkActivity(LinkActivity activity, unsigned blockPairs)
{
    status_->ShowLinkActivity(activity, blockPairs);
}

void CMainFrame::ShowListeningUnit(int unit)
{
    status_->ShowListeningUnit(unit);
}

void CMainFrame::RefreshLinkStatus()
{
    status_->Refresh();
}

bool CMainFrame::event(QEvent* event)
{
    // The bars know their final heights once the window is polished for showing.
    if (event->type() == QEvent::Show) {
        FitToForm();
    }
    // Leaving a menu item without a prompt brings the link's state back instead of an empty
    // pane.
    if (event->type() == QEvent::StatusTip && static_cast<QStatusTipEvent*>(event)->tip().isEmpty()) {
        status_->ClearNote();
        return true;
    }
    return QMainWindow::event(event);
}

QString CMainFrame::StatusText() const
{
    return status_->Text();
}

void CMainFrame::ShowNotAvailableYet()
{
    ShowStatus(StringText(str::kCommandNotAvailableYet));
}

void CMainFrame::SetRecentFiles(const std::vector<std::string>& paths)
{
    menus_->SetRecentFiles(paths);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (context_.queryClose && !context_.queryClose()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls() && !event->mimeData()->urls().isEmpty() &&
        event->mimeData()->urls().first().isLocalFile()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile() && context_.openDroppedFile) {
        event->acceptProposedAction();
        context_.openDroppedFile(urls.first().toLocalFile());
    }
}

}  // namespace korvanta::gui
