#include "gui/app/CInitialisationDialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <cstdio>

#include "core/app/CommandIds.h"
#include "core/link/LinkCommand.h"
#include "tests/gui/GuiTestSupport.h"

namespace korvanta::test {
namespace {

using gui::CInitialisationDialog;

template <typename Widget>
Widget* Control(QWidget& dialog, int id)
{
    return dialog.findChild<Widget*>(QStringLiteral("ctl%1").arg(id));
}

int Progress(QWidget& dialog)
{
    return Control<QProgressBar>(dialog, gui::initialisationctl::kProgress)->value();
}
QString Message(QWidget& dialog)
{
    return Control<QLabel>(dialog, gui::initialisationctl::kMessageText)->text();
}
bool CloseEnabled(QWidget& dialog)
{
    return Control<QPushButton>(dialog, 2)->isEnabled();
}

// The dialog against the link state alone, its ticks driven by the test.
class InitialisationSteps : public testing::Test {
protected:
    void Begin()
    {
        dialog_.SetTimerRunning(false);
        dialog_.Start();
        dialog_.SetTimerRunning(false);
    }
    void Ticks(int n)
    {
        for (int i = 0; i < n; ++i) {
            dialog_.Tick();
        }
    }

    CLinkState link_;
    CInitialisationDialog dialog_{link_, "/dev/ttyUSB7"};
};

TEST_F(InitialisationSteps, AsksForThePortUrgentlyAndSaysWhichItOpens)
{
    LinkCommand waiting;
    waiting.code = TM_GET_CHARGE_STATUS;
    link_.PostCommand(waiting);
    Begin();
    EXPECT_EQ(Control<QLabel>(dialog_, gui::initialisationctl::kOpeningText)->text(),
              QStringLiteral("Åbner /dev/ttyUSB7"));
    EXPECT_FALSE(Control<QLabel>(dialog_, gui::initialisationctl::kTalkingText)->isEnabled());
    EXPECT_FALSE(CloseEnabled(dialog_));
    EXPECT_TRUE(Message(dialog_).isEmpty());
    LinkCommand next;
    ASSERT_TRUE(link_.GetNextCommand(next));
    EXPECT_EQ(next.code, TM_CONFIGURE_COM_PORT);
    EXPECT_EQ(next.portName, "/dev/ttyUSB7");
}

TEST_F(InitialisationSteps, NoPortAnswerInTenSecondsFailsWith62114)
{
    Begin();
    Ticks(19);
    EXPECT_EQ(dialog_.CurrentStep(), CInitialisationDialog::Step::PortRequested);
    EXPECT_EQ(Progress(dialog_), 19);
    Ticks(1);
    EXPECT_EQ(dialog_.CurrentStep(), CInitialisationDialog::Step::Failed);
    EXPECT_EQ(Progress(dialog_), 39);
    EXPECT_EQ(Message(dialog_), QStringLiteral("Kunne ikke åbne den valgte COM-port.\n\nVælg en anden COM-port."));
    EXPECT_TRUE(CloseEnabled(dialog_));
    EXPECT_FALSE(Control<QLabel>(dialog_, gui::initialisationctl::kPortIcon)->pixmap().isNull());
}

TEST_F(InitialisationSteps, APortThatDoesNotOpenFailsAtOnce)
{
    Begin();
    Ticks(3);
    link_.SetPortResult(false);
    Ticks(1);
    EXPECT_EQ(dialog_.CurrentStep(), CInitialisationDialog::Step::Failed);
    EXPECT_EQ(Progress(dialog_), 39);
}

TEST_F(InitialisationSteps, SilentInterfaceUnitFailsWith62113AfterTenSeconds)
{
    bool present = true;
    bool sensor = true;
    link_.UpdateUnitPresence(1, 1, 1);  // an answer from before must not count
    Begin();
    link_.SetPortResult(true);
    Ticks(1);
    EXPECT_EQ(dialog_.CurrentStep(), CInitialisationDialog::Step::WaitingForInterface);
    EXPECT_TRUE(Control<QLabel>(dialog_, gui::initialisationctl::kTalkingText)->isEnabled());
    EXPECT_EQ(Progress(dialog_), 21);
    link_.GetUnitStatus(0, present, sensor);
    EXPECT_FALSE(present);
    LinkCommand next;
    ASSERT_TRUE(link_.GetNextCommand(next));
    EXPECT_EQ(next.code, TM_GET_SENSOR_STATUS) << "urgent: runs next";
    EXPECT_EQ(next.unitMask, 1);

    Ticks(19);
    EXPECT_EQ(dialog_.CurrentStep(), CInitialisationDialog::Step::WaitingForInterface);
    Ticks(1);
    EXPECT_EQ(dialog_.CurrentStep(), CInitialisationDialog::Step::Failed);
    EXPECT_EQ(Progress(dialog_), 40);
    EXPECT_TRUE(Message(dialog_).startsWith(QStringLiteral("Fejl i kommunikation med modtageren.")));
    EXPECT_TRUE(CloseEnabled(dialog_));
}

TEST_F(InitialisationSteps, AResultLeftFromAnEarlierPortIsNotTaken)
{
    link_.SetPortResult(true);
    Begin();
    Ticks(1);
    EXPECT_EQ(dialog_.CurrentStep(), CInitialisationDialog::Step::PortRequested);
}

TEST_F(InitialisationSteps, OnlyLukClosesAndOnlyAfterAFailure)
{
    Begin();
    dialog_.show();
    dialog_.reject();
    EXPECT_TRUE(dialog_.isVisible());
    link_.SetPortResult(false);
    Ticks(1);
    dialog_.reject();
    EXPECT_FALSE(dialog_.isVisible());
}

// Against the real comms thread: the simulated kit answers; a port that is not there fails.
using InitialisationWithComms = AppFixture;

TEST_F(InitialisationWithComms, SucceedsAgainstTheSimulatedKit)
{
    Start();
    CInitialisationDialog dialog(app_->GetLinkState(), "SIM", &Frame());
    dialog.SetCloseDelay(0);
    EventLoopGapProbe probe;
    dialog.show();
    ASSERT_TRUE(ProcessEventsUntil([&] { return dialog.CurrentStep() == CInitialisationDialog::Step::Succeeded; }));
    // The figure the README quotes: the window kept running its events while the link came up.
    RecordProperty("longest_event_loop_gap_ms", static_cast<int>(probe.LongestGapMs()));
    std::printf("longest event-loop gap while the link came up: %lld ms\n",
                static_cast<long long>(probe.LongestGapMs()));
    EXPECT_EQ(Progress(dialog), 40);
    EXPECT_FALSE(Control<QLabel>(dialog, gui::initialisationctl::kInterfaceIcon)->pixmap().isNull());
    SaveScreenshot(&dialog, QStringLiteral("initialisation-succeeded"));
    EXPECT_TRUE(ProcessEventsUntil([&] { return dialog.result() == QDialog::Accepted; }));
}

// The link is up on the kit: the frame's firmware check asks the interface unit for its version
// through the comms thread and accepts the kit's "QX-913-07-200C"; the commands that need
// communication come alive.
TEST_F(InitialisationWithComms, FirmwareOfTheSimulatedKitIsAccepted)
{
    Start();
    CInitialisationDialog dialog(app_->GetLinkState(), "SIM", &Frame());
    dialog.SetCloseDelay(0);
    dialog.show();
    ASSERT_TRUE(ProcessEventsUntil([&] { return dialog.result() == QDialog::Accepted; }));
    Frame().SetCommAvailable();
    EXPECT_TRUE(Frame().IsCommAvailable());
    EXPECT_TRUE(Frame().Action(cmd::kSystemInformation)->isEnabled());
    EXPECT_TRUE(Frame().Action(cmd::kSensorCombination)->isEnabled());
    EXPECT_TRUE(hook_.ShownBoxes().empty()) << "no firmware complaint";
}

TEST_F(InitialisationWithComms, FailsOnAPortThatDoesNotOpen)
{
    Start();
    CInitialisationDialog dialog(app_->GetLinkState(), "/dev/korvanta-no-such-port", &Frame());
    dialog.show();
    ASSERT_TRUE(ProcessEventsUntil([&] { return dialog.CurrentStep() == CInitialisationDialog::Step::Failed; }));
    EXPECT_EQ(Progress(dialog), 39);
    EXPECT_TRUE(Message(dialog).startsWith(QStringLiteral("Kunne ikke åbne")));
    SaveScreenshot(&dialog, QStringLiteral("initialisation-failed"));
}

}  // namespace
}  // namespace korvanta::test
