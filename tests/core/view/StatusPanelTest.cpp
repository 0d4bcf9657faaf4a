// The status panel against the units' states, the battery levels and warnings, and the gate that
// keeps the view's message boxes from stacking.
#include <gtest/gtest.h>

#include "core/text/StringIds.h"
#include "core/view/BatteryWarnings.h"
#include "core/view/ModalMessageGate.h"
#include "core/view/UnitStatusPanel.h"

namespace korvanta {
namespace {

using RadioIcon = UnitStatusPanel::RadioIcon;

TEST(UnitStatusPanelTest, BatteryLevelBoundaries)
{
    const std::pair<int, int> cases[] = {
        {-1, 6}, {0, 6},   {1, 0},   {13, 0},  {14, 1},  {39, 1},  {40, 2},  {64, 2},
        {65, 3}, {127, 3}, {128, 4}, {191, 4}, {192, 5}, {255, 5}, {256, 6}, {100000, 6},
    };
    for (const auto& [raw, level] : cases) {
        EXPECT_EQ(BatteryLevel(raw), level) << raw;
    }
}

TEST(UnitStatusPanelTest, PicturesPerCombination)
{
    struct Case {
        int code;
        int first;
        int second;
    };
    const Case cases[] = {
        {3, kRedUnit, kInterfaceUnit},    {5, kBlueUnit, kInterfaceUnit}, {6, kRedUnit, kBlueUnit},
        {9, kYellowUnit, kInterfaceUnit}, {10, kRedUnit, kYellowUnit},    {12, kBlueUnit, kYellowUnit},
    };
    for (const Case& c : cases) {
        UnitStatusPanel panel;
        panel.SetCombination(c.code);
        EXPECT_EQ(panel.At(0).picture, c.first) << c.code;
        EXPECT_EQ(panel.At(1).picture, c.second) << c.code;
        EXPECT_EQ(panel.At(2).picture, kInterfaceUnit) << c.code;
        // 0 and codes that are no pair leave the pictures alone.
        panel.SetCombination(0);
        panel.SetCombination(7);
        EXPECT_EQ(panel.At(0).picture, c.first) << c.code;
    }
}

TEST(UnitStatusPanelTest, PositionsFollowTheCombination)
{
    struct Case {
        int code;
        int position0;
        int position1;
    };
    // Red/yellow shows yellow at position 1; interface/yellow shows it at position 0.
    const Case cases[] = {
        {10, kRedUnit, kYellowUnit}, {9, kYellowUnit, kInterfaceUnit}, {5, kBlueUnit, kInterfaceUnit}};
    for (const Case& c : cases) {
        UnitStatusPanel panel;
        for (int unit = 0; unit < kStatusUnits; ++unit) {
            panel.SetUnitStatus(unit, true, true);
        }
        panel.Refresh(c.code, kRadioModeHigh);
        EXPECT_EQ(panel.At(0).unit, c.position0) << c.code;
        EXPECT_EQ(panel.At(1).unit, c.position1) << c.code;
        EXPECT_EQ(panel.At(2).unit, kInterfaceUnit) << c.code;
    }
}

TEST(UnitStatusPanelTest, ElementsOfAbsentUnpluggedAndChargingUnits)
{
    UnitStatusPanel panel;
    panel.SetUnitStatus(kRedUnit, true, true);
    panel.SetUnitStatus(kBlueUnit, true, false);  // sensor unplugged
    panel.SetUnitStatus(kInterfaceUnit, false, false);
    panel.SetCharge({200, 50, 0, 20}, false);  // by unit number: interface, red, blue, yellow
    panel.Refresh(6, 2);

    const UnitStatusPanel::Position& red = panel.At(0);
    EXPECT_EQ(red.radio, RadioIcon::Low);
    EXPECT_EQ(red.batteryLevel, 2);
    EXPECT_TRUE(red.sensor);
    const UnitStatusPanel::Position& blue = panel.At(1);
    EXPECT_EQ(blue.radio, RadioIcon::Low);
    EXPECT_EQ(blue.batteryLevel, 6);  // raw 0: unknown
    EXPECT_FALSE(blue.sensor);
    const UnitStatusPanel::Position& interface = panel.At(2);
    EXPECT_EQ(interface.radio, RadioIcon::Absent);
    EXPECT_EQ(interface.batteryLevel, 6);  // absent: unknown, whatever it reported
    EXPECT_FALSE(interface.sensor);
    EXPECT_FALSE(interface.charging);

    panel.SetUnitStatus(kInterfaceUnit, true, true);
    panel.SetCharge({200, 50, 0, 20}, true);
    panel.Refresh(6, kRadioModeHigh);
    EXPECT_EQ(panel.At(0).radio, RadioIcon::High);
    EXPECT_EQ(panel.At(2).batteryLevel, 5);
    EXPECT_TRUE(panel.At(2).charging);
    EXPECT_TRUE(panel.At(2).sensor);
    panel.ClearCharging();
    panel.Refresh(6, kRadioModeHigh);
    EXPECT_FALSE(panel.At(2).charging);
}

TEST(BatteryWarningsTest, LowAndFlatOfPresentUnitsInOrder)
{
    UnitStatusPanel panel;
    for (int unit = 0; unit < kStatusUnits; ++unit) {
        panel.SetUnitStatus(unit, true, true);
    }
    panel.SetCharge({5, 20, 13, 14}, false);
    const std::vector<MessageRequest> expected = {
        {str::kLowBatteryRed, kStyleExclamation},
        {str::kFlatBatteryBlue, kStyleExclamation},
        {str::kLowBatteryYellow, kStyleExclamation},
        {str::kFlatBatteryInterface, kStyleStop},
    };
    EXPECT_EQ(BatteryWarnings(panel), expected);

    panel.SetCharge({14, 1, 0, 256}, false);  // 0 and 256 are unknown: no warning
    EXPECT_EQ(BatteryWarnings(panel), (std::vector<MessageRequest>{{str::kFlatBatteryRed, kStyleExclamation},
                                                                   {str::kLowBatteryInterface, kStyleExclamation}}));
    panel.SetUnitStatus(kRedUnit, false, false);
    panel.SetUnitStatus(kInterfaceUnit, false, false);
    EXPECT_TRUE(BatteryWarnings(panel).empty());

    EXPECT_TRUE(InterfaceBatteryCritical(1));
    EXPECT_FALSE(InterfaceBatteryCritical(2));
    EXPECT_FALSE(InterfaceBatteryCritical(0));
}

TEST(ModalMessageGateTest, KnowsWhileABoxIsOpen)
{
    class Probe final : public IMessageSink {
    public:
        MessageAnswer ShowMessage(uint32_t, uint32_t) override
        {
            openDuringShow = gate->BoxOpen();
            return MessageAnswer::No;
        }
        ModalMessageGate* gate = nullptr;
        bool openDuringShow = false;
    };
    Probe probe;
    ModalMessageGate gate(probe);
    probe.gate = &gate;
    EXPECT_FALSE(gate.BoxOpen());
    EXPECT_EQ(gate.ShowMessage(1, kStyleYesNo), MessageAnswer::No);
    EXPECT_TRUE(probe.openDuringShow);
    EXPECT_FALSE(gate.BoxOpen());
}

}  // namespace
}  // namespace korvanta
