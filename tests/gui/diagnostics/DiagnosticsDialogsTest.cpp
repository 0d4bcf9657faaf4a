// The diagnostics dialogs against the in-process kit through the running program's comms thread,
// as a user would see them, with pictures of each in its main states.
#include <QAction>
#include <QLabel>
#include <QPushButton>

#include "core/app/CommandIds.h"
#include "core/diagnostics/SystemInformationModel.h"
#include "core/diagnostics/SystemStatusModel.h"
#include "gui/diagnostics/CAdcDialog.h"
#include "gui/diagnostics/CListeningDialog.h"
#include "gui/diagnostics/CSignalStrengthDialog.h"
#include "gui/diagnostics/CSystemInformationDialog.h"
#include "gui/diagnostics/CSystemStatusDialog.h"
#include "tests/gui/DialogDriver.h"
#include "tests/gui/UnpacedKitAppFixture.h"

namespace korvanta::test {
namespace {

class DiagnosticsGui : public UnpacedKitAppFixture {
protected:
    void SetUp() override
    {
        UnpacedKitAppFixture::SetUp();
        LinkCommand open;
        open.code = TM_CONFIGURE_COM_PORT;
        open.portName = "SIM";
        Link().PostUrgentCommand(open);
        ASSERT_TRUE(ProcessEventsUntil([this] { return Link().IsPortResultPending(); }));
        ASSERT_TRUE(Link().GetPortResult());
        ASSERT_TRUE(ProcessEventsUntil([this] { return Link().IsLinkUp(); }));
    }
    static int Resource(QWidget* dialog, int id) { return Control<QLabel>(dialog, id)->property("resource").toInt(); }
    static QString Text(QWidget* dialog, int id) { return Control<QLabel>(dialog, id)->text(); }
};

TEST_F(DiagnosticsGui, SystemStatusShowsUnitsAndFollowsAnUnpluggedSensor)
{
    Kit().SetBattery(2, 20);
    SystemStatusModel model(Link(), 3);
    model.Prepare();
    gui::CSystemStatusDialog dialog(model);
    ASSERT_TRUE(ProcessEventsUntil([&] { return Link().IsSensorStatusUpdated() && Link().IsQueueEmpty(); }));
    dialog.Tick();
    EXPECT_EQ(Resource(&dialog, gui::systemstatusctl::kRadioIds[1]), 181) << "red answers, high power";
    EXPECT_EQ(Resource(&dialog, gui::systemstatusctl::kSensorIds[2]), 188) << "blue's sensor";
    EXPECT_EQ(Resource(&dialog, gui::systemstatusctl::kBatteryIds[2]), 256) << "blue's battery at level 1";
    SaveScreenshot(&dialog, QStringLiteral("diagnostics-system-status"));

    Kit().SetSensor(2, false);
    model.Prepare();
    ASSERT_TRUE(ProcessEventsUntil([&] { return Link().IsSensorStatusUpdated() && Link().IsQueueEmpty(); }));
    dialog.Tick();
    EXPECT_EQ(Resource(&dialog, gui::systemstatusctl::kSensorIds[2]), 250) << "no sensor on blue";
    SaveScreenshot(&dialog, QStringLiteral("diagnostics-system-status-unplugged"));
    dialog.accept();
}

TEST_F(DiagnosticsGui, SystemInformationFlagsAnOldFirmware)
{
    Kit().SetFirmware(1, {1, 9, 25});
    SystemInformationModel model(Link());
    model.Prepare();
    gui::CSystemInformationDialog dialog(model);
    ASSERT_TRUE(ProcessEventsUntil([&] {
        dialog.Tick();
        return model.Received(0) && model.Received(1) && model.Received(2) && model.Received(3);
    }));
    EXPECT_EQ(Text(&dialog, gui::systeminfoctl::kVersionIds[0]), QStringLiteral("QX-913-07-200C"));
    EXPECT_EQ(Text(&dialog, gui::systeminfoctl::kStatusIds[0]), QStringLiteral("Kompatibel"));
    EXPECT_EQ(Text(&dialog, gui::systeminfoctl::kVersionIds[1]), QStringLiteral("QX-913-07-109Z"));
    EXPECT_EQ(Text(&dialog, gui::systeminfoctl::kStatusIds[1]), QStringLiteral("Ikke kompatibel"));
    SaveScreenshot(&dialog, QStringLiteral("diagnostics-system-information"));
    dialog.accept();
}

TEST_F(DiagnosticsGui, ListeningToRedThenBlueThenNoHeadphones)
{
    std::vector<int> countdowns;
    std::vector<QString> shownDuringCountdown;
    gui::CListeningDialog* shown = nullptr;
    gui::CListeningDialog dialog(Link(), app_->Clock(), &app_->WaitPump(), [&](int seconds) {
        countdowns.push_back(seconds);
        shownDuringCountdown.push_back(shown->StatusText());
        return true;
    });
    shown = &dialog;
    EXPECT_EQ(Text(&dialog, gui::listeningctl::kStatus), QStringLiteral("Klar"));
    ASSERT_TRUE(ProcessEventsUntil([&] {
        dialog.Tick();
        return dialog.ListenButton(3)->isEnabled();
    }));
    Click(&dialog, gui::listeningctl::kButtonIds[1]);
    EXPECT_EQ(dialog.StatusText(), QStringLiteral("Der lyttes på rød sender"));
    SaveScreenshot(&dialog, QStringLiteral("diagnostics-listening-red"));
    Click(&dialog, gui::listeningctl::kButtonIds[2]);
    EXPECT_EQ(countdowns.size(), 1u) << "red's time is waited out before blue starts";
    EXPECT_EQ(shownDuringCountdown, (std::vector<QString>{QStringLiteral("Der lyttes på rød sender")}))
        << "nothing is checked while red's time runs out";
    EXPECT_EQ(dialog.StatusText(), QStringLiteral("Der lyttes på blå sender"));

    Kit().SetHeadphones(false);
    Click(&dialog, gui::listeningctl::kButtonIds[3]);
    EXPECT_EQ(countdowns.size(), 2u);
    EXPECT_EQ(dialog.StatusText(), QStringLiteral("Hovedtelefon ikke tilsluttet"));
    EXPECT_FALSE(dialog.Session().Listening());
    SaveScreenshot(&dialog, QStringLiteral("diagnostics-listening-no-headphones"));
    Click(&dialog, gui::listeningctl::kClose);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(DiagnosticsGui, SignalStrengthCountsFollowTheLinks)
{
    Kit().SetLinkQuality(2, sim::LinkQuality::Acceptable);
    Kit().SetUnitOn(3, false);
    gui::CSignalStrengthDialog dialog(Link(), app_->Clock(), 2);
    EXPECT_EQ(Text(&dialog, gui::signalstrengthctl::kPowerText), QStringLiteral("Lav sendestyrkle"));
    dialog.show();
    SaveScreenshot(&dialog, QStringLiteral("diagnostics-signal-strength-searching"));
    ASSERT_TRUE(ProcessEventsUntil([&] { return dialog.Test().Bar(1).Total() >= 4 && dialog.Test().SearchDone(); }));
    dialog.done(QDialog::Accepted);
    EXPECT_EQ(dialog.Test().Bar(0).Perfect(), dialog.Test().Bar(0).Total());
    EXPECT_EQ(dialog.Test().Bar(1).Perfect(), 0);
    EXPECT_EQ(dialog.Test().Bar(1).Acceptable(), dialog.Test().Bar(1).Total());
    EXPECT_EQ(Text(&dialog, gui::signalstrengthctl::kRows[0].okShare), QStringLiteral("100.0%")) << "red's OK share";
    EXPECT_EQ(Text(&dialog, gui::signalstrengthctl::kRows[1].perfectShare), QStringLiteral("0.0%")) << "blue's perfect share";
    EXPECT_EQ(Text(&dialog, gui::signalstrengthctl::kRows[2].wait), QStringLiteral("Ikke fundet. Uden for radiodækning?"));
    EXPECT_FALSE(Control<QLabel>(&dialog, gui::signalstrengthctl::kRows[2].perfectCount)->isVisible());
    // The bars' pictures: red all green, blue all yellow.
    const QImage red = dialog.findChild<gui::CSignalStrengthBarView*>(QStringLiteral("ctl1682"))->Image();
    const QImage blue = dialog.findChild<gui::CSignalStrengthBarView*>(QStringLiteral("ctl1683"))->Image();
    EXPECT_EQ(red.pixelColor(red.width() / 2, red.height() / 2), QColor(0, 255, 0));
    EXPECT_EQ(blue.pixelColor(blue.width() / 2, blue.height() / 2), QColor(255, 255, 0));
    dialog.show();
    SaveScreenshot(&dialog, QStringLiteral("diagnostics-signal-strength"));
}

TEST_F(DiagnosticsGui, AdcShowsElevenVoltagesPerUnitAndRunsFromTheMenu)
{
    gui::CAdcDialog dialog(Link());
    ASSERT_TRUE(ProcessEventsUntil([&] {
        dialog.Tick();
        return !dialog.Row(0)->Text().isEmpty() && !dialog.Row(3)->Text().isEmpty();
    }));
    for (int unit = 0; unit < 4; ++unit) {
        EXPECT_FALSE(dialog.Row(unit)->Cell(10).isEmpty()) << unit;
        EXPECT_TRUE(dialog.Row(unit)->Cell(0).contains(QLatin1Char('.'))) << unit;
    }
    SaveScreenshot(&dialog, QStringLiteral("diagnostics-adc"));
    dialog.accept();

    // Ctrl+U runs it from the frame.
    EXPECT_EQ(Frame().Action(cmd::kAdcTest)->shortcut(), QKeySequence(QStringLiteral("Ctrl+U")));
    bool shown = false;
    OnNextModal(QStringLiteral("adcDialog"), [&](QDialog* adc) {
        shown = true;
        adc->accept();
    });
    Frame().CommandState().SetCommAvailable(true);
    Frame().UpdateCommandUi();
    Frame().Action(cmd::kAdcTest)->trigger();
    EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace korvanta::test
