// Pictures of the two-station form for a person to look at: before, during and after a
// measurement, zoomed, delimited, in feet and milliseconds, and with every battery level.
#include <gtest/gtest.h>

#include <QFile>

#include "core/app/CommandIds.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/view/ViewTestSupport.h"
#include "gui/view/TwoStationFormTemplate.h"

namespace korvanta::test {
namespace {

namespace view101 = gui::view101;

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
    rig.Click(view101::kStartStop);
    Save(rig, "view-3-after");
    rig.Click(view101::kZoomIn);
    rig.Click(view101::kZoomIn);
    Save(rig, "view-4-zoomed");
    rig.Click(view101::kZoomOut);
    rig.Click(view101::kStepLeft);
    rig.Click(view101::kStepLeft);
    rig.Click(view101::kSetPoint);
    for (int i = 0; i < 8; ++i) {
        rig.Click(view101::kStepRight);
    }
    Save(rig, "view-5-delimitation-pending");
    rig.Click(view101::kSetPoint);
    Save(rig, "view-6-delimited");
    rig.Click(view101::kRemove);
    rig.view->OnCommand(cmd::kUnitsImperial);
    rig.view->OnCommand(cmd::kTimeMilliseconds);
    Save(rig, "view-7-feet-ms");
}

TEST(ViewScreenshots, AReliableAndAWeakResultWithTheirVerdicts)
{
    ViewFormRig reliable;
    reliable.LayPipe();
    reliable.Measure();
    Save(reliable, "view-verdict-reliable");
    ViewFormRig weak;
    weak.LayPipe();
    weak.Measure(6, true, -24.0);
    Save(weak, "view-verdict-weak");
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
