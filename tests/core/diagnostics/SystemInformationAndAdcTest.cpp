#include <gtest/gtest.h>

#include "core/diagnostics/AdcReadings.h"
#include "core/diagnostics/SystemInformationModel.h"
#include "core/text/StringIds.h"
#include "tests/core/diagnostics/QueueServer.h"

namespace korvanta {
namespace {

TEST(SystemInformationModelKit, ListsVersionsAndFlagsAnOldFirmware)
{
    test::InProcessRig rig;
    test::QueueServer server(rig);
    rig.Kit().SetFirmware(1, {1, 9, 25});  // "QX-913-07-109Z"
    rig.Kit().SetUnitOn(3, false);
    SystemInformationModel model(rig.state);
    model.Prepare();
    ASSERT_EQ(server.RunAll(), 4);
    EXPECT_EQ(server.ran[0].code, TM_GET_INTERFACE_VERSION);
    for (int unit = 1; unit <= 3; ++unit) {
        EXPECT_EQ(server.ran[static_cast<size_t>(unit)].code, TM_GET_OUTSTATION_VERSION);
        EXPECT_EQ(server.ran[static_cast<size_t>(unit)].unit, unit);
    }
    EXPECT_TRUE(model.Tick());
    EXPECT_FALSE(model.Tick()) << "a version is taken once";
    EXPECT_EQ(model.VersionText(0), "QX-913-07-200C");
    EXPECT_EQ(model.StatusId(0), str::kCompatible);
    EXPECT_EQ(model.VersionText(1), "QX-913-07-109Z");
    EXPECT_EQ(model.StatusId(1), str::kIncompatible);
    EXPECT_EQ(model.StatusId(2), str::kCompatible);
    EXPECT_FALSE(model.Received(3)) << "a unit that does not answer keeps empty texts";
    EXPECT_TRUE(model.VersionText(3).empty());
    EXPECT_EQ(model.StatusId(3), 0u);
}

TEST(AdcReadingsKit, EveryAnswerIsFollowedByTheNextRequest)
{
    test::InProcessRig rig;
    test::QueueServer server(rig);
    rig.state.SetLinkUp(true);
    rig.Kit().SetUnitOn(2, false);  // the interface unit answers for it with a non-zero status
    AdcReadings adc(rig.state);
    adc.Start();
    ASSERT_EQ(server.RunAll(), 4);
    EXPECT_TRUE(adc.Tick());
    for (int unit : {0, 1, 3}) {
        EXPECT_EQ(std::count(adc.Text(unit).begin(), adc.Text(unit).end(), '.'), 11) << adc.Text(unit);
    }
    EXPECT_TRUE(adc.Text(2).empty()) << "a refused request keeps the text it had";
    EXPECT_EQ(server.RunAll(), 4) << "each unit that raised its flag is asked again";

    rig.Kit().SetSilent(true);  // from now on nothing answers
    adc.Tick();
    EXPECT_EQ(server.RunAll(), 4);
    EXPECT_FALSE(adc.Tick());
    EXPECT_EQ(server.RunAll(), 0) << "a unit that never answers is not asked again";
    EXPECT_EQ(std::count(adc.Text(1).begin(), adc.Text(1).end(), '.'), 11) << "the last values stay";
}

TEST(AdcReadingsKit, StopsAskingWhileTheLinkIsDownAndResumesAfter)
{
    CLinkState link;
    link.SetLinkUp(true);
    AdcReadings adc(link);
    adc.Start();
    link.ClearCommands();
    link.SetDiagnostics(1, "1.00");
    link.SetDiagnosticsUpdated(1, true);
    link.SetLinkUp(false);
    EXPECT_TRUE(adc.Tick());
    EXPECT_EQ(adc.Text(1), "1.00");
    for (int i = 0; i < 5; ++i) {
        adc.Tick();
    }
    EXPECT_TRUE(link.IsQueueEmpty()) << "nothing is queued for a link that is down";
    link.SetLinkUp(true);
    adc.Tick();
    int asked = 0;
    LinkCommand c;
    while (link.GetNextCommand(c)) {
        EXPECT_EQ(c.code, TM_GET_DIAGNOSTICS_INFO);
        ++asked;
    }
    EXPECT_EQ(asked, 4) << "every unit is asked afresh when the link is back";
}

}  // namespace
}  // namespace korvanta
