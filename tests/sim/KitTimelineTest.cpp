// A scenario's timeline played on a kit: when events happen, what lasting faults do while they
// last, and that a real kit and its line feel them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KitTestSupport.h"
#include "orvelink/framing/BytePipe.h"
#include "orvelink/framing/LinkEndpoint.h"
#include "sim/KitDevice.h"
#include "sim/KitReplies.h"
#include "sim/scenario/KitTimeline.h"
#include "sim/scenario/ScenarioKitOptions.h"
#include "sim/scenario/ScenarioParser.h"

namespace korvanta::sim {
namespace {

// Records what the timeline does, in order.
class RecordingControls final : public KitControls {
public:
    void SetUnitOn(int unit, bool on) override { Log("on " + std::to_string(unit) + " " + std::to_string(on)); }
    void SetSensor(int unit, bool plugged) override
    {
        Log("sensor " + std::to_string(unit) + " " + std::to_string(plugged));
    }
    uint8_t Battery(int unit) const override { return batteries[static_cast<size_t>(unit)]; }
    void SetBattery(int unit, uint8_t value) override
    {
        batteries[static_cast<size_t>(unit)] = value;
        Log("battery " + std::to_string(unit) + " " + std::to_string(value));
    }
    void SetCharging(bool charging) override { Log("charging " + std::to_string(charging)); }
    void SetHeadphones(bool connected) override { Log("headphones " + std::to_string(connected)); }
    void PressResetButton() override { Log("reset"); }
    void SetSilent(bool silent) override { Log("silent " + std::to_string(silent)); }
    void SetLineFaults(const LineFaultShares& shares) override
    {
        Log("faults " + std::to_string(shares.lose) + " " + std::to_string(shares.corrupt));
    }

    std::vector<std::string> Take()
    {
        std::vector<std::string> taken;
        taken.swap(log);
        return taken;
    }

    std::array<uint8_t, kKitUnits> batteries = {180, 200, 200, 200};
    std::vector<std::string> log;

private:
    void Log(std::string entry) { log.push_back(std::move(entry)); }
};

TimelineEvent At(double seconds, TimelineAction action, int unit = -1)
{
    TimelineEvent event;
    event.atSeconds = seconds;
    event.action = action;
    event.unit = unit;
    return event;
}

TimelineEvent AfterBlocks(uint64_t blocks, TimelineAction action, int unit = -1)
{
    TimelineEvent event;
    event.afterBlocks = blocks;
    event.action = action;
    event.unit = unit;
    return event;
}

using Log = std::vector<std::string>;

TEST(KitTimeline, EventsHappenOnceWhenTheirTimeOrBlockCountHasCome)
{
    TimelineEvent charging = At(2.0, TimelineAction::Charging);
    charging.flag = true;
    TimelineEvent headphones = At(2.0, TimelineAction::Headphones);
    KitTimeline timeline(
        {At(5.0, TimelineAction::UnitOff, 2), charging, AfterBlocks(10, TimelineAction::SensorUnplugged, 1), headphones,
         AfterBlocks(12, TimelineAction::ResetButton), At(6.0, TimelineAction::UnitOn, 2)},
        {});
    RecordingControls kit;
    timeline.Apply(1.9, 9, kit);
    EXPECT_EQ(kit.Take(), Log{});
    timeline.Apply(2.0, 9, kit);
    EXPECT_EQ(kit.Take(), (Log{"charging 1", "headphones 0"}));  // in the file's order
    timeline.Apply(3.0, 10, kit);
    EXPECT_EQ(kit.Take(), Log{"sensor 1 0"});
    // Several due at once, as after a long pause: in the file's order again.
    timeline.Apply(7.0, 20, kit);
    EXPECT_EQ(kit.Take(), (Log{"on 2 0", "reset", "on 2 1"}));
    timeline.Apply(100.0, 100, kit);
    EXPECT_EQ(kit.Take(), Log{});
    EXPECT_TRUE(timeline.Finished());
}

TEST(KitTimeline, ABatteryDrainsInAStraightLineToItsEnd)
{
    TimelineEvent drain = At(10.0, TimelineAction::BatteryDrain, 3);
    drain.durationSeconds = 100.0;
    drain.battery = 0;
    KitTimeline timeline({drain}, {});
    RecordingControls kit;
    timeline.Apply(10.0, 0, kit);
    EXPECT_EQ(kit.batteries[3], 200);
    timeline.Apply(35.0, 0, kit);
    EXPECT_EQ(kit.batteries[3], 150);
    timeline.Apply(60.0, 0, kit);
    EXPECT_EQ(kit.batteries[3], 100);
    EXPECT_FALSE(timeline.Finished());
    timeline.Apply(500.0, 0, kit);
    EXPECT_EQ(kit.batteries[3], 0);
    EXPECT_TRUE(timeline.Finished());
    kit.Take();
    timeline.Apply(600.0, 0, kit);
    EXPECT_EQ(kit.Take(), Log{});  // a finished drain is left alone

    // A drain without time empties at once, to flat by default.
    KitTimeline sudden({At(0.0, TimelineAction::BatteryDrain, 1)}, {});
    sudden.Apply(0.0, 0, kit);
    EXPECT_EQ(kit.batteries[1], 6);
}

TEST(KitTimeline, LineFaultsLastTheirTimeAndTheLatestWinsWhileTheyOverlap)
{
    TimelineEvent first = At(1.0, TimelineAction::LineFaults);
    first.shares = {0.5, 0.0};
    first.durationSeconds = 10.0;
    TimelineEvent second = At(4.0, TimelineAction::LineFaults);
    second.shares = {0.0, 0.25};
    second.durationSeconds = 2.0;
    KitTimeline timeline({first, second}, {0.1, 0.0});
    RecordingControls kit;
    timeline.Apply(0.5, 0, kit);
    EXPECT_EQ(kit.Take(), Log{});  // the kit starts with its base shares itself
    timeline.Apply(1.0, 0, kit);
    EXPECT_EQ(kit.Take(), Log{"faults 0.500000 0.000000"});
    timeline.Apply(2.0, 0, kit);
    EXPECT_EQ(kit.Take(), Log{});  // told only of changes
    timeline.Apply(4.0, 0, kit);
    EXPECT_EQ(kit.Take(), Log{"faults 0.000000 0.250000"});
    timeline.Apply(6.0, 0, kit);
    EXPECT_EQ(kit.Take(), Log{"faults 0.500000 0.000000"});
    timeline.Apply(11.0, 0, kit);
    EXPECT_EQ(kit.Take(), Log{"faults 0.100000 0.000000"});
    EXPECT_TRUE(timeline.Finished());
}

TEST(KitTimeline, TheLinkIsDeadWhileAnyDeadStretchLasts)
{
    TimelineEvent shortDeath = At(1.0, TimelineAction::LinkDead);
    shortDeath.durationSeconds = 2.0;
    TimelineEvent longDeath = At(2.0, TimelineAction::LinkDead);
    longDeath.durationSeconds = 5.0;
    TimelineEvent forGood = AfterBlocks(50, TimelineAction::LinkDead);
    KitTimeline timeline({shortDeath, longDeath, forGood}, {});
    RecordingControls kit;
    timeline.Apply(1.0, 0, kit);
    EXPECT_EQ(kit.Take(), Log{"silent 1"});
    timeline.Apply(3.5, 0, kit);
    EXPECT_EQ(kit.Take(), Log{});
    timeline.Apply(7.0, 0, kit);
    EXPECT_EQ(kit.Take(), Log{"silent 0"});
    timeline.Apply(8.0, 50, kit);
    EXPECT_EQ(kit.Take(), Log{"silent 1"});
    timeline.Apply(1e6, 50, kit);
    EXPECT_EQ(kit.Take(), Log{});
    EXPECT_FALSE(timeline.Finished());  // dead for good
}

// A kit with its device on an in-memory line and a clock that moves when told.
struct TimelineRig {
    explicit TimelineRig(const std::string& scenarioText)
    {
        auto scenario = std::make_shared<Scenario>();
        std::string error;
        EXPECT_TRUE(ScenarioParser::Parse(scenarioText, "/", *scenario, error)) << error;
        options = ScenarioKitOptions(scenario);
        options.paced = false;
        kit = std::make_unique<FieldKit>(options, clock);
        device = std::make_unique<KitDevice>(pipe.DeviceEnd(), *kit, clock, options);
    }
    void At(double seconds)
    {
        clock.Advance(std::chrono::milliseconds(static_cast<int64_t>(seconds * 1000.0)) -
                      std::chrono::duration_cast<std::chrono::milliseconds>(clock.Now().time_since_epoch()));
        device->Poll();
    }

    orvelink::ManualLinkClock clock;
    orvelink::BytePipe pipe;
    KitOptions options;
    std::unique_ptr<FieldKit> kit;
    std::unique_ptr<KitDevice> device;
};

TEST(KitTimeline, TheKitsDevicePlaysItsScenariosTimelineAtEveryPoll)
{
    TimelineRig rig(R"({"timeline": [
        {"at": 1, "event": "unit-off", "unit": "yellow"},
        {"at": 2, "event": "battery-drain", "unit": "blue", "overSeconds": 4, "to": 100},
        {"at": 3, "event": "link-dead", "forSeconds": 2},
        {"at": 3, "event": "headphones", "plugged": false},
        {"at": 4, "event": "frames", "lose": 1.0, "forSeconds": 3}]})");
    rig.At(0.5);
    EXPECT_TRUE(rig.kit->Snapshot().units[3].on);
    rig.At(1.0);
    EXPECT_FALSE(rig.kit->Snapshot().units[3].on);
    rig.At(4.0);
    EXPECT_EQ(rig.kit->Snapshot().units[2].battery, 150);
    EXPECT_TRUE(rig.kit->IsSilent());
    EXPECT_FALSE(rig.kit->Snapshot().headphones);
    rig.At(5.0);
    EXPECT_FALSE(rig.kit->IsSilent());

    // Every frame the kit writes is lost now: a request is acknowledged by nobody.
    orvelink::LinkEndpoint host(rig.pipe.HostEnd(), rig.clock);
    ASSERT_TRUE(host.Send(std::vector<uint8_t>{kOpHeadphones}));
    host.Poll();
    rig.device->Poll();
    EXPECT_GT(rig.device->LineCounters().lostOut, 0u);
    rig.At(8.0);
    EXPECT_EQ(rig.kit->Snapshot().units[2].battery, 100);
    const uint64_t lost = rig.device->LineCounters().lostOut;
    ASSERT_TRUE(host.Send(std::vector<uint8_t>{kOpHeadphones}));
    host.Poll();
    rig.device->Poll();
    EXPECT_EQ(rig.device->LineCounters().lostOut, lost);  // the line is whole again
}

TEST(KitTimeline, BlockCountsAreTheKitsDataBlocksServed)
{
    TimelineRig rig(R"({"timeline": [{"afterBlocks": 3, "event": "sensor-unplugged", "unit": "red"}]})");
    test::Bytes select = {kOpSelectSensors, 6};
    rig.kit->Handle(select);
    rig.kit->Handle(test::Bytes{kOpStartSampling, 1, 0});
    for (int block = 0; block < 3; ++block) {
        rig.device->Poll();
        EXPECT_TRUE(rig.kit->Snapshot().units[1].sensor) << block;
        rig.kit->Handle(test::Bytes{kOpDataBlock});
    }
    rig.device->Poll();
    EXPECT_FALSE(rig.kit->Snapshot().units[1].sensor);
}

}  // namespace
}  // namespace korvanta::sim
