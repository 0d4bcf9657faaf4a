#include "sim/KitReplies.h"

#include <cstring>

namespace korvanta::sim {

namespace {

constexpr uint8_t kTestPackets = 16;  // packets each way in one radio test

struct RadioTestFigures {
    uint8_t lostOut;    // byte 4: packets the outstation missed
    uint8_t lostBack;   // byte 5: packets the interface unit missed
    uint8_t levelOut;   // byte 6: signal level at the outstation
    uint8_t levelBack;  // byte 7: signal level at the interface unit
    uint8_t received;   // byte 10: packets that made the round trip
    uint8_t noContact;  // byte 12: non-zero when the outstation never answered
};

// A test counts as acceptable when byte 12 is 0 and byte 10 is at least 13, as perfect when
// bytes 4 and 5 are 0 as well.
RadioTestFigures FiguresOf(RadioTestOutcome outcome)
{
    switch (outcome) {
    case RadioTestOutcome::Perfect:
        return {0, 0, 201, 196, kTestPackets, 0};
    case RadioTestOutcome::Acceptable:
        return {1, 2, 118, 112, 14, 0};
    case RadioTestOutcome::Failed:
        return {6, 5, 41, 37, 5, 0};
    case RadioTestOutcome::NoContact:
        break;
    }
    return {kTestPackets, kTestPackets, 0, 0, 0, 1};
}

}  // namespace

std::vector<uint8_t> VersionReply(uint8_t opcode, uint8_t status, const std::array<uint8_t, 3>& firmware)
{
    if (status != 0) {
        return {opcode, status, 0, 0, 0};
    }
    return {opcode, status, firmware[0], firmware[1], firmware[2]};
}

std::vector<uint8_t> SensorStatusReply(uint8_t presentMask, uint8_t flags, uint8_t sensorMask)
{
    return {kOpSensorStatus, presentMask, flags, sensorMask};
}

std::vector<uint8_t> ChargeReply(const std::array<uint8_t, kKitUnits>& batteries, bool charging)
{
    return {kOpChargeStatus,
            batteries[0],
            batteries[1],
            batteries[2],
            batteries[3],
            0,
            static_cast<uint8_t>(charging ? 1 : 0),
            0};
}

std::vector<uint8_t> StatusReply(uint8_t opcode, uint8_t status)
{
    return {opcode, status};
}

std::vector<uint8_t> EchoReply(uint8_t opcode)
{
    return {opcode};
}

std::vector<uint8_t> DiagnosticsReply(uint8_t status, const std::array<uint16_t, kDiagnosticsChannels>& counts)
{
    std::vector<uint8_t> reply = {kOpDiagnostics, status};
    for (const uint16_t value : counts) {
        const uint16_t sent = status == 0 ? value : 0;
        reply.push_back(static_cast<uint8_t>(sent >> 8));
        reply.push_back(static_cast<uint8_t>(sent & 0xFF));
    }
    return reply;
}

std::vector<uint8_t> StartSamplingReply(uint8_t status, uint8_t maskA, uint8_t maskB)
{
    return {kOpStartSampling, status, maskA, maskB};
}

std::vector<uint8_t> RadioTestReply(uint8_t unit, uint8_t modeByte, RadioTestOutcome outcome)
{
    const RadioTestFigures figures = FiguresOf(outcome);
    std::vector<uint8_t> reply(kRadioTestReplyBytes, 0);
    reply[0] = kOpRadioTest;
    reply[1] = unit;
    reply[2] = modeByte;
    reply[3] = kTestPackets;
    reply[4] = figures.lostOut;
    reply[5] = figures.lostBack;
    reply[6] = figures.levelOut;
    reply[7] = figures.levelBack;
    reply[8] = kTestPackets;
    reply[10] = figures.received;
    reply[12] = figures.noContact;
    return reply;
}

std::vector<uint8_t> DataBlockReply(const DataBlockRecord& record, uint8_t flags)
{
    std::vector<uint8_t> reply(kDataBlockReplyBytes, 0);
    reply[0] = kOpDataBlock;
    reply[1] = record.unit;
    reply[2] = record.status;
    reply[3] = record.battery;
    reply[4] = static_cast<uint8_t>(record.blockNumber >> 8);
    reply[5] = static_cast<uint8_t>(record.blockNumber & 0xFF);
    reply[6] = static_cast<uint8_t>(record.exponent);
    reply[7] = flags;
    static_assert(8 + kPayloadBytes == kDataBlockReplyBytes);
    std::memcpy(reply.data() + 8, record.payload, kPayloadBytes);
    return reply;
}

RefusalMasks SamplingRefusal(uint8_t selectedMask, const std::array<UnitSettings, kKitUnits>& units)
{
    RefusalMasks masks;
    for (int unit = 0; unit < kKitUnits; ++unit) {
        const uint8_t bit = UnitBit(unit);
        if (!(selectedMask & bit)) {
            continue;
        }
        const UnitSettings& settings = units[unit];
        const bool answers = unit == kInterfaceUnit || settings.on;
        if (!answers) {
            masks.a |= bit;
        } else if (!settings.sensor) {
            masks.a |= bit;
            masks.b |= bit;
        } else if (unit != kInterfaceUnit && settings.faulty) {
            masks.b |= bit;
        }
    }
    return masks;
}

}  // namespace korvanta::sim
