#pragma once

#include <cstdint>

namespace korvanta::str {

// Numeric IDs of the string table. The texts live in StringTable.cpp.
inline constexpr uint32_t kNoError = 62112;                 // "Ingen fejl"

// Default material names 0..19.
inline constexpr uint32_t kDefaultMaterialName0 = 62080;
inline constexpr uint32_t kDefaultMaterialNameLast = 62099;

// Validity checks of pipe values.
inline constexpr uint32_t kInvalidDiameterMetric = 62127;
inline constexpr uint32_t kInvalidDiameterImperial = 62128;
inline constexpr uint32_t kInvalidLengthMetric = 62142;
inline constexpr uint32_t kInvalidLengthImperial = 62143;
inline constexpr uint32_t kInvalidVelocityMetric = 62130;
inline constexpr uint32_t kInvalidVelocityImperial = 62129;

// Material database and filter files.
inline constexpr uint32_t kMaterialLoadError = 63001;
inline constexpr uint32_t kDefaultFiltersMissing = 63002;
inline constexpr uint32_t kDefaultMaterialsMissing = 63003;
inline constexpr uint32_t kDefaultVelocityTableMissing = 63004;
inline constexpr uint32_t kVelocityDatabaseFull = 62192;
inline constexpr uint32_t kPresetFiltersMissing = 63005;

// Unit labels.
inline constexpr uint32_t kUnitMetre = 62393;
inline constexpr uint32_t kUnitFoot = 62394;
inline constexpr uint32_t kUnitMillimetre = 62432;
inline constexpr uint32_t kUnitInch = 62433;
inline constexpr uint32_t kUnitMetrePerSecond = 62434;
inline constexpr uint32_t kUnitMetrePerMillisecond = 62435;
inline constexpr uint32_t kUnitFootPerSecond = 62430;
inline constexpr uint32_t kUnitFootPerMillisecond = 62431;
inline constexpr uint32_t kUnitSecond = 62391;
inline constexpr uint32_t kUnitMillisecond = 62392;

}  // namespace korvanta::str
