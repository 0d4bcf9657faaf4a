#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/correlation/DataBlockRecord.h"
#include "sim/KitOptions.h"

namespace korvanta::sim {

// Opcodes of the interface unit's commands; a reply's first byte repeats its request's opcode.
inline constexpr uint8_t kOpInterfaceVersion = 0x00;
inline constexpr uint8_t kOpStartListening = 0x01;
inline constexpr uint8_t kOpSensorStatus = 0x02;
inline constexpr uint8_t kOpSelectSensors = 0x03;
inline constexpr uint8_t kOpChargeStatus = 0x05;
inline constexpr uint8_t kOpStartSampling = 0x06;
inline constexpr uint8_t kOpDataBlock = 0x07;
inline constexpr uint8_t kOpRadioTest = 0x0D;
inline constexpr uint8_t kOpRadioMode = 0x12;
inline constexpr uint8_t kOpStopListening = 0x14;
inline constexpr uint8_t kOpOutstationVersion = 0x15;
inline constexpr uint8_t kOpBeacons = 0x16;
inline constexpr uint8_t kOpHeadphones = 0x18;
inline constexpr uint8_t kOpDiagnostics = 0x1A;

inline constexpr uint8_t kResetFlag = 0x80;       // reset button pressed (status and block replies)
inline constexpr uint8_t kStatusRejected = 0xFF;  // unknown opcode or a request too short
inline constexpr int kDataBlockReplyBytes = 2808;
inline constexpr int kRadioTestReplyBytes = 14;

// Unit status of a data block as the interface unit reports it.
inline constexpr uint8_t kBlockSampled = 1;         // sampled with a sensor plugged in
inline constexpr uint8_t kBlockNoSensor = 2;        // the sensor came off: no spectrum
inline constexpr uint8_t kBlockUnitSilent = 4;      // the outstation stopped answering
inline constexpr uint8_t kBlockNothingSampled = 5;  // no sampling is running

// What an outstation's radio test shows.
enum class RadioTestOutcome { Perfect, Acceptable, Failed, NoContact };

inline constexpr uint8_t UnitBit(int unit)
{
    return static_cast<uint8_t>(1u << unit);
}

// 0x00 and 0x15: status (0 = version valid) and the three version bytes.
std::vector<uint8_t> VersionReply(uint8_t opcode, uint8_t status, const std::array<uint8_t, 3>& firmware);
// 0x02: units that answered, flags (kResetFlag) and units with a sensor.
std::vector<uint8_t> SensorStatusReply(uint8_t presentMask, uint8_t flags, uint8_t sensorMask);
// 0x05: battery values of units 0..3 and the charging flag (byte 6).
std::vector<uint8_t> ChargeReply(const std::array<uint8_t, kKitUnits>& batteries, bool charging);
// Opcode and one status byte (listening, headphones, rejected requests).
std::vector<uint8_t> StatusReply(uint8_t opcode, uint8_t status);
// Commands that answer with their opcode alone.
std::vector<uint8_t> EchoReply(uint8_t opcode);
// 0x1A: status (0 = valid) and eleven big-endian readings.
std::vector<uint8_t> DiagnosticsReply(uint8_t status, const std::array<uint16_t, kDiagnosticsChannels>& counts);
// 0x06: status (0 = started) and the refusal masks A and B.
std::vector<uint8_t> StartSamplingReply(uint8_t status, uint8_t maskA, uint8_t maskB);
// 0x0D: the 14 bytes of a radio test; byte 2 repeats the request's mode byte.
std::vector<uint8_t> RadioTestReply(uint8_t unit, uint8_t modeByte, RadioTestOutcome outcome);
// 0x07: a block record as the 2808-byte reply, with the flags byte.
std::vector<uint8_t> DataBlockReply(const DataBlockRecord& record, uint8_t flags);

struct RefusalMasks {
    uint8_t a = 0;
    uint8_t b = 0;
    bool Refused() const { return a != 0 || b != 0; }
};

// Why the selected units cannot sample: a unit that does not answer goes in A only, one without
// a sensor in both, a faulty one in B only. Nothing selected at all is refused without a cause.
RefusalMasks SamplingRefusal(uint8_t selectedMask, const std::array<UnitSettings, kKitUnits>& units);

}  // namespace korvanta::sim
