// The whole program on the in-process kit when the link is lost and the port chosen again: the
// status pane says what the link does at every step, and nothing needs a restart.
#include <QAbstractButton>

#include "core/app/CommandIds.h"
#include "gui/forms/CTemplateLayout.h"
#include "gui/diagnostics/CListeningDialog.h"
#include "gui/view/CKorvantaView.h"
#include "tests/gui/UnpacedKitAppFixture.h"
#include "tests/gui/view/KitFormSupport.h"

namespace korvanta::test {
namespace {

constexpr uint32_t kSimPortCommand = cmd::kPortFirst;  // the only port: no serial ports here

class LinkRecoveryTest : public UnpacedKitAppFixture {
protected:
    void SetUp() override
    {
        UnpacedKitAppFixture::SetUp();
        Frame().SetInitialiser([this](const std::string&) { return OpenKitPort(); });
    }

    gui::CKorvantaView& View() { return *qobject_cast<gui::CKorvantaView*>(Frame().Form()); }
    QAbstractButton* StartButton()
    {
        return View().findChild<QAbstractButton*>(gui::CTemplateLayout::ControlName(gui::view101::kStartStop));
    }
    bool Present(int unit)
    {
        bool present = false;
        bool sensor = false;
        Link().GetUnitStatus(unit, present, sensor);
        return present;
    }
    bool PaneSays(const char* text)
    {
        return ProcessEventsUntil([&] { return Frame().StatusText() == QString::fromUtf8(text); });
    }
};

TEST_F(LinkRecoveryTest, LosingTheLinkAndChoosingThePortAgain)
{
    EXPECT_EQ(Frame().StatusText(), QStringLiteral("Ingen forbindelse til modtageren – vælg Com Port"));
    Frame().RouteCommand(kSimPortCommand);
    ASSERT_TRUE(ProcessEventsUntil([&] { return StartButton()->isEnabled(); }));
    EXPECT_TRUE(PaneSays("Klar"));

    // The interface unit falls silent: START greys and the pane says why.
    Kit().SetSilent(true);
    EXPECT_TRUE(PaneSays("Forbindelsen til modtageren er tabt – vælg Com Port igen"));
    EXPECT_TRUE(ProcessEventsUntil([&] { return !StartButton()->isEnabled(); }));
    SaveScreenshot(&Frame(), QStringLiteral("link-lost-status"));

    // Back again, and the port chosen once more: the whole kit is there as after a fresh start.
    Kit().SetSilent(false);
    Frame().RouteCommand(kSimPortCommand);
    EXPECT_TRUE(ProcessEventsUntil([&] { return StartButton()->isEnabled(); }));
    EXPECT_TRUE(PaneSays("Klar"));
    EXPECT_TRUE(ProcessEventsUntil([&] { return Present(1) && Present(2); })) << "the stations came back";
    EXPECT_TRUE(ProcessEventsUntil([&] {
        return View().Model().Control().Panel().At(0).batteryLevel != kUnknownBatteryLevel;
    })) << "red's battery gauge";
}

// A crew measures, stops and then listens to a sensor: the stations leave sampling for listening,
// and the pane follows every step.
TEST_F(LinkRecoveryTest, MeasureStopThenListen)
{
    Frame().RouteCommand(kSimPortCommand);
    ASSERT_TRUE(ProcessEventsUntil([&] { return StartButton()->isEnabled(); }));
    app_->Document().Edit().ApplyPipeData(KitDefaultPipe());
    StartButton()->click();
    ASSERT_TRUE(app_->Document().IsMeasuring());
    EXPECT_TRUE(ProcessEventsUntil([&] { return Frame().StatusText().startsWith(QStringLiteral("Måler… ")); }));
    ASSERT_TRUE(ProcessEventsUntil([&] { return app_->Document().PairTotal() >= 2; }));
    StartButton()->click();
    EXPECT_FALSE(app_->Document().IsMeasuring());
    EXPECT_TRUE(PaneSays("Klar"));

    gui::CListeningDialog dialog(Link(), app_->Clock(), &app_->WaitPump(), [](int) { return true; });
    ASSERT_TRUE(ProcessEventsUntil([&] {
        dialog.Tick();
        return dialog.ListenButton(1)->isEnabled();
    }));
    dialog.ListenButton(1)->click();
    EXPECT_EQ(dialog.StatusText(), QStringLiteral("Der lyttes på rød sender")) << "red listens after the stop";
    dialog.reject();
}

}  // namespace
}  // namespace korvanta::test
