#include <QAction>
#include <QMenuBar>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QPushButton>
#include <QPrinter>
#include <QLabel>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>

#include <pty.h>
#include <unistd.h>

#include "core/app/CommandIds.h"
#include "core/link/LinkCommand.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"
#include "gui/app/CLockKeyIndicators.h"
#include "gui/app/CPortMenu.h"
#include "gui/app/CPrinterSetupDialog.h"
#include "tests/gui/DialogDriver.h"
#include "tests/gui/GuiTestSupport.h"

namespace korvanta::test {
namespace {

using MainFrameTest = AppFixture;

QAction* ActionNamed(gui::CMainFrame& frame, const QString& name)
{
    return frame.findChild<QAction*>(name);
}

QAction* ActionOf(gui::CMainFrame& frame, uint32_t id)
{
    return ActionNamed(frame, QStringLiteral("action%1").arg(id));
}

// A pseudo-terminal that exists for the life of the test, as a port only the command line names.
class PseudoTerminal {
public:
    PseudoTerminal()
    {
        char name[256] = {};
        if (openpty(&master_, &slave_, name, nullptr, nullptr) == 0) {
            name_ = name;
        }
    }
    ~PseudoTerminal()
    {
        if (!name_.empty()) {
            close(master_);
            close(slave_);
        }
    }
    const std::string& Name() const { return name_; }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string name_;
};

TEST_F(MainFrameTest, EveryMenuCommandIsAnActionWithItsDanishCaption)
{
    Start();
    struct Case {
        uint32_t id;
        const char* caption;
        const char* shortcut;
    };
    const Case cases[] = {
        {cmd::kFileNew, "Ny\tCtrl+N", "Ctrl+N"},
        {cmd::kFileOpen, "&Åben...\tCtrl+å", "Ctrl+O"},
        {cmd::kFileSave, "&Gem..\tCtrl+S", "Ctrl+S"},
        {cmd::kFilePrint, "&Print...\tCtrl+P", "Ctrl+P"},
        {cmd::kAdcTest, "Test", "Ctrl+U"},
        {cmd::kRestoreDefaultMaterials, "Gendan standard-rørmaterialer", ""},
        {cmd::kVelocityCalculation, "Løbehastighedsberegning", ""},
        {cmd::kAppAbout, "&Om Korvanta", ""},
    };
    for (const Case& c : cases) {
        QAction* action = ActionOf(Frame(), c.id);
        ASSERT_NE(action, nullptr) << c.id;
        EXPECT_EQ(action->text(), QString::fromUtf8(c.caption));
        EXPECT_EQ(action->shortcut().toString(QKeySequence::PortableText), QString::fromUtf8(c.shortcut));
    }
    EXPECT_EQ(ActionOf(Frame(), cmd::kFileOpen)->shortcuts().size(), 2) << "Ctrl+O and Ctrl+Å";
    QStringList top;
    for (QAction* action : Frame().menuBar()->actions()) {
        top << action->text();
    }
    EXPECT_EQ(top,
              (QStringList{"&Filer", "&Kopi", "&Vis", "V&alg", "&Indstillinger", "&Mode", "&Avanceret", "&Hjælp"}));
}

TEST_F(MainFrameTest, ToolbarHoldsTheCommandsInOrderWithIcons)
{
    Start();
    auto* toolbar = Frame().findChild<QToolBar*>(QStringLiteral("toolBar"));
    ASSERT_NE(toolbar, nullptr);
    QStringList names;
    for (QAction* action : toolbar->actions()) {
        names << (action->isSeparator() ? QStringLiteral("|") : action->objectName().mid(6));
        if (!action->isSeparator()) {
            EXPECT_FALSE(action->icon().pixmap(16, 16).isNull()) << action->objectName().toStdString();
        }
    }
    EXPECT_EQ(names.join(QLatin1Char(' ')), QStringLiteral("57600 57601 57603 | 57607 | 32857 32858 | 32816 32808 | "
                                                           "32844 32850 32849 | 32810 32811 | 32847 32848 | 32879 | "
                                                           "32898 32897 | 57664"));
    // "&Vis" hides and shows it.
    ActionOf(Frame(), cmd::kViewToolbar)->trigger();
    EXPECT_TRUE(toolbar->isHidden());
    EXPECT_FALSE(ActionOf(Frame(), cmd::kViewToolbar)->isChecked());
    ActionOf(Frame(), cmd::kViewToolbar)->trigger();
    EXPECT_FALSE(toolbar->isHidden());
    EXPECT_TRUE(ActionOf(Frame(), cmd::kViewToolbar)->isChecked());
}

TEST_F(MainFrameTest, EnableRulesFollowFlagsAndCommunication)
{
    Start();
    const auto enabled = [&](uint32_t id) { return ActionOf(Frame(), id)->isEnabled(); };
    EXPECT_TRUE(enabled(cmd::kFileNew));
    EXPECT_FALSE(enabled(cmd::kSystemInformation)) << "needs communication";
    EXPECT_FALSE(enabled(cmd::kRadioModeHigh));
    EXPECT_TRUE(enabled(cmd::kUnitsMetric)) << "the form decides: the two-station view enables it";
    EXPECT_TRUE(ActionOf(Frame(), cmd::kUnitsMetric)->isChecked());
    EXPECT_FALSE(ActionOf(Frame(), cmd::kUnitsImperial)->isChecked());
    EXPECT_TRUE(enabled(cmd::kRadioSignalStrength));

    Frame().CommandState().SetCommAvailable(true);
    Frame().UpdateCommandUi();
    EXPECT_TRUE(enabled(cmd::kSystemInformation));
    EXPECT_TRUE(enabled(cmd::kRadioModeHigh));

    Frame().EnableAllMenus(false);
    EXPECT_FALSE(enabled(cmd::kFileNew));
    EXPECT_FALSE(enabled(cmd::kSystemInformation));
    EXPECT_TRUE(enabled(cmd::kAdcTest)) << "test keeps its flag";
    EXPECT_TRUE(enabled(cmd::kFileSaveAs));
    for (QAction* top : Frame().menuBar()->actions()) {
        EXPECT_FALSE(top->isEnabled()) << top->text().toStdString();
    }
    Frame().EnableAllMenus(true);
    EXPECT_TRUE(Frame().menuBar()->actions().front()->isEnabled());
    Frame().ClearCommAvailable();
    EXPECT_FALSE(enabled(cmd::kSystemInformation));

    // A disabled command's accelerator does nothing even if the item has not been updated yet.
    Frame().RouteCommand(cmd::kBeaconsOn);
    EXPECT_TRUE(app_->GetLinkState().IsQueueEmpty());
}

// The status bar: a highlighted item's prompt, the standing text back when it is left, the lock
// indicators, and "2 sendere" in two-station mode as nothing to do rather than a missing feature.
TEST_F(MainFrameTest, StatusBarShowsPromptsAndLockIndicators)
{
    Start();
    const QString ready = Frame().StatusText();
    const struct {
        uint32_t id;
        const char* prompt;
    } prompts[] = {{cmd::kCorrelation, "Viser indstillinger for korrelation"},
                   {cmd::kRadioModeLow, "Lav sendestyrkle"},
                   {cmd::kFileOpen, "Åbner en gemt måling"}};
    for (const auto& p : prompts) {
        QAction* action = ActionOf(Frame(), p.id);
        EXPECT_EQ(action->statusTip(), QString::fromUtf8(p.prompt)) << p.id;
        action->showStatusText(&Frame());
        EXPECT_EQ(Frame().StatusText(), QString::fromUtf8(p.prompt)) << p.id;
    }
    QStatusTipEvent left{QString()};
    QCoreApplication::sendEvent(&Frame(), &left);
    EXPECT_EQ(Frame().StatusText(), ready);

    auto* indicators = Frame().statusBar()->findChild<gui::CLockKeyIndicators*>();
    ASSERT_NE(indicators, nullptr);
    indicators->Show({true, false, true});
    const auto pane = [&](const char* name) {
        return indicators->findChild<QLabel*>(QStringLiteral("indicator") + QLatin1String(name))->text();
    };
    EXPECT_EQ(pane("CAP"), QStringLiteral("CAP"));
    EXPECT_EQ(pane("NUM"), QString());
    EXPECT_EQ(pane("SCRL"), QStringLiteral("SCRL"));
    SaveScreenshot(&Frame(), QStringLiteral("main-frame-status"));

    ASSERT_TRUE(ActionOf(Frame(), cmd::kTwoStationMode)->isChecked());
    ActionOf(Frame(), cmd::kTwoStationMode)->trigger();
    EXPECT_EQ(Frame().StatusText(), ready) << "no 'not available' note";
    EXPECT_TRUE(ActionOf(Frame(), cmd::kTwoStationMode)->isChecked());
}

TEST_F(MainFrameTest, RadioModeGoesAheadOfWaitingCommandsAndBeaconsQueueInOrder)
{
    // No comms thread: the test reads the queue itself.
    gui::AppOptions options = Options();
    options.startComms = false;
    Start(options);
    Frame().CommandState().SetCommAvailable(true);
    Frame().UpdateCommandUi();
    CLinkState& link = app_->GetLinkState();
    LinkCommand waiting;
    waiting.code = TM_GET_CHARGE_STATUS;
    link.PostCommand(waiting);

    ActionOf(Frame(), cmd::kBeaconsOn)->trigger();
    ActionOf(Frame(), cmd::kRadioModeHigh)->trigger();
    EXPECT_EQ(Frame().GetRadioMode(), 3);
    EXPECT_TRUE(ActionOf(Frame(), cmd::kRadioModeHigh)->isChecked());
    EXPECT_FALSE(ActionOf(Frame(), cmd::kRadioModeLow)->isChecked());

    LinkCommand next;
    ASSERT_TRUE(link.GetNextCommand(next));
    EXPECT_EQ(next.code, TM_SET_RADIO_MODE);
    EXPECT_EQ(next.radioMode, 3);
    ASSERT_TRUE(link.GetNextCommand(next));
    EXPECT_EQ(next.code, TM_GET_CHARGE_STATUS);
    ASSERT_TRUE(link.GetNextCommand(next));
    EXPECT_EQ(next.code, TM_CONTROL_BEACONS);
    EXPECT_EQ(next.flag, 1);

    ActionOf(Frame(), cmd::kRadioModeLow)->trigger();
    EXPECT_EQ(Frame().GetRadioMode(), 2);
    EXPECT_TRUE(ActionOf(Frame(), cmd::kRadioModeLow)->isChecked());
}

TEST_F(MainFrameTest, PrintSetupChoosesPrinterAndPaperForEveryPrintoutAndKeepsLandscape)
{
    gui::CKorvantaApp& app = Start();
    QPrinter& printer = app.PrinterSetup().Printer();
    const auto choose = [&](const QString& paper, bool accept) {
        test::OnNextModal(QStringLiteral("printSetup"), [paper, accept](QDialog* dialog) {
            auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
            printers->setCurrentIndex(printers->findText(gui::CPrinterSetupDialog::PdfFileEntry()));
            auto* papers = dialog->findChild<QComboBox*>(QStringLiteral("paper"));
            papers->setCurrentIndex(papers->findText(paper));
            EXPECT_GE(papers->currentIndex(), 0) << paper.toStdString();
            test::SaveScreenshot(dialog, QStringLiteral("print-setup"));
            accept ? dialog->accept() : dialog->reject();
        });
        ActionOf(Frame(), cmd::kFilePrintSetup)->trigger();
    };
    choose(QStringLiteral("A3"), true);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A3);
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    choose(QStringLiteral("A4"), false);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A3) << "Cancel keeps the choice";
}

TEST_F(MainFrameTest, PortMenuListsSerialPortsThenNamedPortsThenTheKit)
{
    PseudoTerminal pty;
    ASSERT_FALSE(pty.Name().empty());
    gui::AppOptions options = Options();
    options.listSerialPorts = [] { return std::vector<std::string>{"/dev/ttyS0", "/dev/ttyUSB0"}; };
    options.ports = {pty.Name()};
    options.startComms = false;
    Start(options);

    const std::vector<std::string> expected = {"/dev/ttyS0", "/dev/ttyUSB0", pty.Name(), "SIM"};
    EXPECT_EQ(Frame().PortMenu().Ports().Names(), expected);
    for (size_t i = 0; i < expected.size(); ++i) {
        QAction* item = ActionOf(Frame(), static_cast<uint32_t>(10 + i));
        ASSERT_NE(item, nullptr) << i;
        EXPECT_EQ(item->data().toString().toStdString(), expected[i]);
    }
    EXPECT_EQ(ActionOf(Frame(), 13)->text(), QStringLiteral("&SIM"));
}

TEST_F(MainFrameTest, ChoosingAPortChecksItAloneStoresItAndInitialises)
{
    gui::AppOptions options = Options();
    options.listSerialPorts = [] { return std::vector<std::string>{"COM1", "COM3", "COM4"}; };
    options.startComms = false;
    app_ = std::make_unique<gui::CKorvantaApp>(options);
    app_->Messages().SetHook(&hook_);
    ASSERT_TRUE(app_->InitInstance());
    // Port items and IDs: COM1 10, COM3 11, COM4 12, SIM 13.
    EXPECT_EQ(ActionOf(Frame(), 12)->data().toString(), QStringLiteral("COM4"));

    // The frame's initialisation step is the modal dialog; here it fails for COM4 and
    // succeeds for SIM without a window.
    std::vector<std::string> initialised;
    Frame().SetInitialiser([&](const std::string& port) {
        initialised.push_back(port);
        if (port == "SIM") {
            app_->GetLinkState().SetLinkUp(true);
        }
        return port == "SIM";
    });
    EXPECT_EQ(Frame().StatusText(), QStringLiteral("Ingen forbindelse til modtageren – vælg Com Port"));
    ActionOf(Frame(), 12)->trigger();
    EXPECT_TRUE(ActionOf(Frame(), 12)->isChecked());
    EXPECT_EQ(app_->GetComPort(), "COM4");
    EXPECT_TRUE(Frame().ConnectedPort().isEmpty());

    ActionOf(Frame(), 13)->trigger();
    EXPECT_FALSE(ActionOf(Frame(), 12)->isChecked());
    EXPECT_TRUE(ActionOf(Frame(), 13)->isChecked());
    EXPECT_EQ(app_->GetComPort(), "SIM");
    EXPECT_EQ(initialised, (std::vector<std::string>{"COM4", "SIM"}));
    EXPECT_EQ(Frame().ConnectedPort(), QStringLiteral("SIM"));
    EXPECT_TRUE(Frame().windowTitle().endsWith(QStringLiteral("[SIM]")));
    EXPECT_EQ(Frame().StatusText(), QStringLiteral("Klar"));

    app_->ExitInstance();
    QSettings stored(SettingsFile(), QSettings::IniFormat);
    EXPECT_EQ(stored.value(QStringLiteral("Settings/COM Port")).toString(), QStringLiteral("SIM"));
}

TEST_F(MainFrameTest, NoPortAtAllGraysThePortItem)
{
    gui::AppOptions options = Options();
    options.startComms = false;
    Start(options);
    // The kit is always there, so build a frame's menu without it.
    QMenu parent;
    QAction* anchor = parent.addSeparator();
    gui::CPortMenu empty(PortMenuList({}, {}, false), &parent, anchor, &parent, [](uint32_t) {});
    ASSERT_EQ(parent.actions().size(), 2);
    EXPECT_EQ(parent.actions().front()->text(), QStringLiteral("COM-Port"));
    EXPECT_FALSE(parent.actions().front()->isEnabled());
    EXPECT_FALSE(empty.Choose(10).has_value());
}

TEST_F(MainFrameTest, FrameIsFixedAndCentredAndWarnsOnASmallScreen)
{
    Start();
    EXPECT_EQ(Frame().width(), 800);
    EXPECT_LE(Frame().height(), 600) << "within the 800 x 600 the program needs";
    EXPECT_EQ(Frame().minimumSize(), Frame().maximumSize());
    // The form fills the window down to the status bar: no empty band below it, with or without
    // the toolbar.
    for (int pass = 0; pass < 2; ++pass) {
        Frame().show();
        QCoreApplication::processEvents();
        const QRect form = Frame().Form()->geometry();
        EXPECT_LE(std::abs(Frame().statusBar()->geometry().top() - (form.bottom() + 1)), 1) << pass;
        Frame().RouteCommand(cmd::kViewToolbar);
    }
    EXPECT_FALSE(Frame().windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(gui::CMainFrame::ScreenTooSmall(QSize(799, 600)));
    EXPECT_TRUE(gui::CMainFrame::ScreenTooSmall(QSize(1024, 599)));
    EXPECT_FALSE(gui::CMainFrame::ScreenTooSmall(QSize(800, 600)));
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("en unavngivet fil - Korvanta"));
}

}  // namespace
}  // namespace korvanta::test

namespace korvanta::test {
namespace {

// Qt's own file dialog, as every open, save and export shows it, speaks Danish.
TEST(QtOwnDialogs, FileDialogButtonsAndLabelsAreDanish)
{
    QFileDialog dialog(nullptr, QString(), QDir::tempPath());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.show();
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Annuller"));
    EXPECT_EQ(buttons->button(QDialogButtonBox::Save)->text().remove(QLatin1Char('&')), QStringLiteral("Gem"));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"))->text(), QStringLiteral("Kig i:"));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("fileNameLabel"))->text().remove(QLatin1Char('&')),
              QStringLiteral("Filnavn:"));
    SaveScreenshot(&dialog, QStringLiteral("file-dialog"));
}

}  // namespace
}  // namespace korvanta::test
