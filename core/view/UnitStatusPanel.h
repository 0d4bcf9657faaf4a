#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace korvanta {

// Unit numbers of the status panel.
inline constexpr int kInterfaceUnit = 0;
inline constexpr int kRedUnit = 1;
inline constexpr int kBlueUnit = 2;
inline constexpr int kYellowUnit = 3;
inline constexpr int kStatusUnits = 4;

// Battery gauge levels: 0 flat, 1 low ... 5 full, 6 unknown (no report, or a value out of range).
inline constexpr int kBatteryLevels = 7;
inline constexpr int kUnknownBatteryLevel = 6;
int BatteryLevel(int raw);

// The radio mode that selects the high-power radio icon.
inline constexpr int kRadioModeHigh = 3;

// The status panel: for each of three positions a unit picture, a radio icon, a battery gauge
// and a sensor icon. Positions 0 and 1 are the two units of the sensor combination (at the left
// and right end of the graph); position 2 is always the interface unit.
class UnitStatusPanel {
public:
    static constexpr int kPositions = 3;
    static constexpr int kNoUnit = -1;

    enum class RadioIcon { Absent, High, Low };

    struct Position {
        int picture = kNoUnit;  // unit whose picture is shown
        int unit = kNoUnit;     // unit whose status the other elements show
        RadioIcon radio = RadioIcon::Absent;
        int batteryLevel = kUnknownBatteryLevel;
        bool charging = false;  // the charging picture replaces the gauge
        bool sensor = false;    // the unit's own sensor icon; false shows the no-sensor icon

        friend bool operator==(const Position&, const Position&) = default;
    };

    UnitStatusPanel();

    // The units of a sensor combination at positions 0 and 1; false for a code that is not one
    // of the six pairs.
    static bool UnitsOfPair(int pairCode, int& position0, int& position1);

    // Shows the pictures of a combination. 0 and unknown codes change nothing.
    void SetCombination(int pairCode);
    // What the link state last said of a unit.
    void SetUnitStatus(int unit, bool present, bool sensor);
    void SetCharge(const std::array<int, kStatusUnits>& raw, bool charging);
    void ClearCharging() { charging_ = false; }

    // Refreshes the elements of the combination's positions from the held status, then position 2.
    void Refresh(int pairCode, int radioMode);

    const Position& At(int position) const { return positions_[static_cast<size_t>(position)]; }
    bool Present(int unit) const { return present_[static_cast<size_t>(unit)] != 0; }
    bool Sensor(int unit) const { return sensor_[static_cast<size_t>(unit)] != 0; }
    int RawBattery(int unit) const { return raw_[static_cast<size_t>(unit)]; }
    bool Charging() const { return charging_; }

private:
    void RefreshPosition(int position, int unit, int radioMode);

    std::array<Position, kPositions> positions_{};
    std::array<uint8_t, kStatusUnits> present_{};
    std::array<uint8_t, kStatusUnits> sensor_{};
    std::array<int, kStatusUnits> raw_{};
    bool charging_ = false;
};

}  // namespace korvanta
