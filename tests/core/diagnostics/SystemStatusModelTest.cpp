#include "core/diagnostics/SystemStatusModel.h"

#include <gtest/gtest.h>

#include "core/diagnostics/SystemStatusImages.h"
#include "tests/core/diagnostics/QueueServer.h"

namespace korvanta {
namespace {

namespace img = SystemStatusImages;

TEST(SystemStatusImages, BatteryLevelBoundaries)
{
    const std::pair<int, int> cases[] = {{-1, 6}, {0, 6},   {1, 0},   {13, 0},  {14, 1},  {39, 1},  {40, 2}, {64, 2},
                                         {65, 3}, {127, 3}, {128, 4}, {191, 4}, {192, 5}, {255, 5}, {256, 6}};
    for (const auto& [raw, level] : cases) {
        EXPECT_EQ(img::BatteryLevel(raw), level) << raw;
    }
    EXPECT_EQ(img::BatteryImage(0, img::BatteryLevel(13)), 207) << "flat";
    EXPECT_EQ(img::BatteryImage(2, img::BatteryLevel(14)), 256);
    EXPECT_EQ(img::BatteryImage(3, img::BatteryLevel(255)), 219);
    EXPECT_EQ(img::BatteryImage(1, img::BatteryLevel(256)), 266) << "unknown";
}

TEST(SystemStatusImages, Icons)
{
    EXPECT_EQ(img::RadioIcon(true, 3), 181);
    EXPECT_EQ(img::RadioIcon(true, 2), 182);
    EXPECT_EQ(img::RadioIcon(false, 3), 249);
    const int own[] = {190, 189, 188, 191};
    for (int unit = 0; unit < 4; ++unit) {
        EXPECT_EQ(img::SensorIcon(unit, true, true), own[unit]);
        EXPECT_EQ(img::SensorIcon(unit, true, false), 250);
        EXPECT_EQ(img::SensorIcon(unit, false, true), 250);
    }
}

TEST(SystemStatusModel, AbsentUnitShowsUnknownWhateverItsLastBattery)
{
    CLinkState link;
    link.SetChargeStatus({200, 200, 200, 200}, 1);
    link.UpdateUnitPresence(1 | 2, 1 | 2, 15);  // interface and red; blue and yellow absent
    SystemStatusModel model(link, 3);
    model.Tick();
    EXPECT_EQ(model.Unit(0).batteryImage, img::kChargingImage) << "charging wins over the level";
    EXPECT_EQ(model.Unit(1).batteryImage, 218);
    EXPECT_EQ(model.Unit(1).radioIcon, 181);
    EXPECT_EQ(model.Unit(1).sensorIcon, 189);
    for (int unit : {2, 3}) {
        EXPECT_EQ(model.Unit(unit).batteryImage, 266) << unit;
        EXPECT_EQ(model.Unit(unit).radioIcon, 249) << unit;
        EXPECT_EQ(model.Unit(unit).sensorIcon, 250) << unit;
    }
}

TEST(SystemStatusModel, AsksAgainEveryTenTicks)
{
    CLinkState link;
    SystemStatusModel model(link, 2);
    model.Prepare();
    auto drain = [&] {
        int n = 0;
        LinkCommand c;
        while (link.GetNextCommand(c)) {
            EXPECT_TRUE(c.code == TM_GET_CHARGE_STATUS || (c.code == TM_GET_SENSOR_STATUS && c.unitMask == 15));
            ++n;
        }
        return n;
    };
    EXPECT_EQ(drain(), 2);
    for (int i = 0; i < 9; ++i) {
        model.Tick();
    }
    EXPECT_EQ(drain(), 0);
    model.Tick();
    EXPECT_EQ(drain(), 2);
    model.Close();
}

TEST(SystemStatusModelKit, UnpluggedSensorAndSwitchedOffUnitChangeThePicture)
{
    test::InProcessRig rig;
    test::QueueServer server(rig);
    rig.Kit().SetBattery(1, 100);
    rig.Kit().SetBattery(2, 20);
    SystemStatusModel model(rig.state, 2);
    model.Prepare();
    server.RunAll();
    model.Tick();
    for (int unit = 0; unit < 4; ++unit) {
        EXPECT_TRUE(model.Unit(unit).present) << unit;
    }
    EXPECT_EQ(model.Unit(1).batteryLevel, 3);
    EXPECT_EQ(model.Unit(2).batteryLevel, 1);
    EXPECT_EQ(model.Unit(2).sensorIcon, 188);

    rig.Kit().SetSensor(2, false);
    rig.Kit().SetUnitOn(3, false);
    for (int round = 0; round < 2; ++round) {  // an outstation is dropped after two missed answers
        for (int i = 0; i < SystemStatusModel::kTicksPerRequest; ++i) {
            model.Tick();
        }
        server.RunAll();
    }
    model.Tick();
    EXPECT_EQ(model.Unit(2).sensorIcon, 250);
    EXPECT_TRUE(model.Unit(2).present);
    EXPECT_FALSE(model.Unit(3).present);
    EXPECT_EQ(model.Unit(3).radioIcon, 249);
}

}  // namespace
}  // namespace korvanta
