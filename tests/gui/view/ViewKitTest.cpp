// START and STOP on the form against the simulated field kit behind the "SIM" port: the link
// library, the comms thread and the kit in this process, the program's time run ten times faster.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QPrinter>

#include "core/document/LeakTravelTimes.h"
#include "core/pipe/UnitConversion.h"
#include "gui/forms/CTemplateLayout.h"
#include "gui/view/CKorvantaView.h"
#include "tests/core/view/ViewModelTestSupport.h"
#include "core/text/StringIds.h"
#include "tests/e2e/ScenarioRig.h"
#include "gui/view/TwoStationFormTemplate.h"

namespace korvanta::test {
namespace {

namespace view101 = gui::view101;

TEST(ViewKitTest, StartMeasuresTheKitsLeakAndStopKeepsIt)
{
    PipeSections pipe{};
    pipe[0] = e2e::Section(2, 200.0f, 1000.0f);
    e2e::KitRig rig(e2e::FastKit(pipe, 75.0));
    ASSERT_TRUE(rig.kit) << rig.kitError;
    ASSERT_TRUE(rig.Open());
    rig.document->Edit().ApplySensorCombination(6);
    rig.document->Edit().ApplyPipeData(pipe);

    viewtest::RecordingHost host;
    QPrinter printer(QPrinter::HighResolution);
    gui::CKorvantaView view(*rig.document, rig.link, host, rig.messages, rig.clock, printer);
    view.InitialUpdate();
    view.StatusPollTick();
    auto control = [&](int id) { return view.findChild<QWidget*>(gui::CTemplateLayout::ControlName(id)); };
    auto text = [&](int id) { return view.findChild<QLabel*>(gui::CTemplateLayout::ControlName(id))->text(); };
    auto* start = static_cast<QAbstractButton*>(control(view101::kStartStop));
    ASSERT_TRUE(start->isEnabled());

    start->click();
    ASSERT_EQ(start->text(), "STOP") << rig.messageText.str();
    // The comms thread's notices, taken on this thread as the window takes them.
    while (rig.document->PairTotal() < 6) {
        PostedNotice notice;
        ASSERT_TRUE(rig.notices.WaitNext(notice, std::chrono::seconds(30))) << "no block came";
        if (notice.kind == PostedNotice::Kind::BlockReady) {
            rig.document->OnBlockReady();
        }
    }
    EXPECT_EQ(text(view101::kBlockCount), "6:1");
    start->click();
    EXPECT_EQ(start->text(), "START");
    EXPECT_TRUE(rig.document->IsResultValid());
    const LeakPosition at = rig.document->ComputeLeakPosition(view.Model().Display().Cursor().Delay());
    EXPECT_NEAR(at.fromStart, 75.0f, 1.0f);
    EXPECT_EQ(text(view101::kDistance1), QString::fromStdString(FormatLeakDistance(at.fromStart, UnitSystem::Metric)));
    EXPECT_TRUE(view.Model().Display().Cursor().OnPeak());
}

TEST(ViewKitTest, APulledInterfaceUnitEndsTheMeasurementAndTheResultStays)
{
    const auto scenario = e2e::ScenarioFromText(R"({"timeline": [{"afterBlocks": 8, "event": "link-dead"}]})");
    e2e::KitRig rig(e2e::FastScenarioKit(scenario));
    ASSERT_TRUE(rig.kit) << rig.kitError;
    ASSERT_TRUE(rig.Open());
    rig.document->Edit().ApplySensorCombination(6);
    rig.document->Edit().ApplyPipeData(e2e::UserPipe(*scenario));

    viewtest::RecordingHost host;
    QPrinter printer(QPrinter::HighResolution);
    gui::CKorvantaView view(*rig.document, rig.link, host, rig.messages, rig.clock, printer);
    view.InitialUpdate();
    view.StatusPollTick();
    auto* start = view.findChild<QAbstractButton*>(gui::CTemplateLayout::ControlName(view101::kStartStop));
    start->click();
    ASSERT_EQ(start->text(), "STOP");
    // Blocks as they come, and the status poll, until the form has ended the measurement.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (start->text() == "STOP" && std::chrono::steady_clock::now() < deadline) {
        PostedNotice notice;
        if (rig.notices.WaitNext(notice, std::chrono::milliseconds(20)) &&
            notice.kind == PostedNotice::Kind::BlockReady) {
            rig.document->OnBlockReady();
        }
        view.StatusPollTick();
    }
    ASSERT_EQ(start->text(), "START");
    // The next polls find the interface unit gone: nothing to measure with.
    while (start->isEnabled() && std::chrono::steady_clock::now() < deadline) {
        rig.clock.SleepMs(100);
        view.StatusPollTick();
    }
    EXPECT_FALSE(start->isEnabled());
    EXPECT_GE(host.commCleared, 1);
    EXPECT_FALSE(rig.document->IsMeasuring());
    const std::vector<uint32_t> shown = rig.messages.Shown();
    EXPECT_NE(std::find(shown.begin(), shown.end(), str::kMeasurementStopped), shown.end());
    // What was summed stays on show and can be saved.
    EXPECT_GE(rig.document->PairTotal(), 3u);
    EXPECT_TRUE(rig.document->IsResultValid());
    EXPECT_TRUE(view.Model().Display().GraphShown());
    EXPECT_TRUE(rig.document->Save(rig.folder / "ended.kvd"));
}

}  // namespace
}  // namespace korvanta::test
