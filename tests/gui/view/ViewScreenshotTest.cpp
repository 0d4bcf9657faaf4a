// Pictures of the two-station form for a person to look at: before, during and after a
// measurement, zoomed, delimited, in feet and milliseconds, and with every battery level.
#include <gtest/gtest.h>

#include <QFile>

#include "core/app/CommandIds.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/view/ViewTestSupport.h"

namespace korvanta::test {
namespace {

void Save(ViewFormRig& rig, const char* name)
{
    EXPECT_TRUE(QFile::exists(SaveScreenshot(rig.view.get(), QString::fromLatin1(name)))) << name;
}

TEST(ViewScreenshots, AMeasurementFromStartToZoomAndDelimitation)
{
    ViewFormRig rig;
    rig.LayPipe();
    Save(rig, "view-1-before");
    rig.Measure(3, false);
    rig.view->ElapsedTick();
    Save(rig, "view-2-during");
    rig.Click(1319);
    Save(rig, "view-3-after");
    rig.Click(32855);
    rig.Click(32855);
    Save(rig, "view-4-zoomed");
    rig.Click(32854);
    rig.Click(1125);
    rig.Click(1125);
    rig.Click(1156);
    for (int i = 0; i < 8; ++i) {
        rig.Click(1126);
    }
    Save(rig, "view-5-delimitation-pending");
    rig.Click(1156);
    Save(rig, "view-6-delimited");
    rig.Click(1003);
    rig.view->OnCommand(cmd::kUnitsImperial);
    rig.view->OnCommand(cmd::kTimeMilliseconds);
    Save(rig, "view-7-feet-ms");
}

TEST(ViewScreenshots, EveryBatteryLevel)
{
    ViewFormRig rig;
    const int raws[] = {5, 20, 50, 100, 150, 220, 0};
    for (int level = 0; level < 7; ++level) {
        const int raw = raws[level];
        rig.doc.link.SetChargeStatus({raw, raw, raw, raw}, 0);
        rig.doc.link.SetChargeUpdated(true);
        rig.view->StatusPollTick();
        Save(rig, QStringLiteral("view-battery-level-%1").arg(level).toLatin1().constData());
    }
    rig.doc.link.SetChargeStatus({220, 220, 220, 220}, 1);
    rig.doc.link.SetChargeUpdated(true);
    rig.doc.link.UpdateUnitPresence(15, 15 & ~4, 15);
    rig.view->StatusPollTick();
    Save(rig, "view-battery-charging-blue-unplugged");
}

}  // namespace
}  // namespace korvanta::test
