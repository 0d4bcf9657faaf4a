#include "core/link/LinkCommands.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/link/ReplyDecoding.h"
#include "core/text/StringIds.h"

namespace korvanta {

namespace {

constexpr uint8_t kOpGetVersion = 0x00;
constexpr uint8_t kOpStartListening = 0x01;
constexpr uint8_t kOpSensorStatus = 0x02;
constexpr uint8_t kOpSelectSensors = 0x03;
constexpr uint8_t kOpChargeStatus = 0x05;
constexpr uint8_t kOpStartSampling = 0x06;
constexpr uint8_t kOpDataBlock = 0x07;
constexpr uint8_t kOpRadioTest = 0x0D;
constexpr uint8_t kOpRadioMode = 0x12;
constexpr uint8_t kOpStopListening = 0x14;
constexpr uint8_t kOpOutstationVersion = 0x15;
constexpr uint8_t kOpBeacons = 0x16;
constexpr uint8_t kOpHeadphone = 0x18;
constexpr uint8_t kOpDiagnostics = 0x1A;

constexpr uint8_t kResetButtonFlag = 0x80;
constexpr int kInterfaceBit = 1;
constexpr int kAllUnits = 15;
constexpr int kDataBlockReplyBytes = 2808;
constexpr int kDataBlockPayloadOffset = 8;

// One exchange: the request is written into the buffer and the reply read back into it, so
// bytes the reply does not reach keep the request's contents (or zero). The buffer holds at
// least the reply capacity, so every reply field is read inside it.
template <size_t Size>
struct Exchange {
    std::array<uint8_t, Size> bytes = {};

    template <typename... Bytes>
    explicit Exchange(Bytes... request) : bytes{static_cast<uint8_t>(request)...}, length(sizeof...(request))
    {
    }

    bool Run(CRadioLink& link, int32_t capacity, int64_t timeoutMs)
    {
        return link.Transact(bytes.data(), length, bytes.data(), capacity, timeoutMs);
    }

    uint8_t operator[](size_t index) const { return bytes[index]; }

    int32_t length;
};

}  // namespace

LinkCommands::LinkCommands(CRadioLink& link, ILinkLibrary& library, CLinkState& state, IBlockReadyNotifier* notifier)
    : link_(link), library_(library), state_(state), notifier_(notifier)
{
}

bool LinkCommands::CommunicationFailed(uint32_t& errorId)
{
    library_.CommReset();
    errorId = str::kCommunicationError;
    return false;
}

bool LinkCommands::GetInterfaceVersion(uint32_t& errorId)
{
    state_.SetVersion(0, "");
    Exchange<32> exchange(kOpGetVersion);
    if (!exchange.Run(link_, 32, kTimeoutShortMs)) {
        return CommunicationFailed(errorId);
    }
    state_.SetVersion(0, FormatVersionText(exchange[2], exchange[3], exchange[4]));
    state_.SetVersionUpdated(0, true);
    return true;
}

bool LinkCommands::GetOutstationVersion(int unit, uint32_t& errorId)
{
    state_.SetVersion(unit, "");
    Exchange<32> exchange(kOpOutstationVersion, unit);
    if (!exchange.Run(link_, 32, kTimeoutOutstationMs)) {
        return CommunicationFailed(errorId);
    }
    if (exchange[1] == 0) {
        state_.SetVersion(unit, FormatVersionText(exchange[2], exchange[3], exchange[4]));
        state_.SetVersionUpdated(unit, true);
    }
    return true;
}

bool LinkCommands::SensorStatus(int unitMask, int64_t timeoutMs, bool interfaceOnly, uint32_t& errorId)
{
    Exchange<4> exchange(kOpSensorStatus, unitMask);
    if (!exchange.Run(link_, 4, timeoutMs)) {
        library_.CommReset();
        state_.UpdateUnitPresence(0, 0, kAllUnits);
        errorId = str::kCommunicationError;
        return false;
    }
    if (exchange[2] & kResetButtonFlag) {
        // The answer after a reset says nothing reliable about the units.
        state_.SetResetPressed(true);
        library_.CommReset();
        return interfaceOnly;
    }
    state_.UpdateUnitPresence(exchange[1], exchange[3], unitMask);
    state_.SetSensorStatusUpdated(true);
    return true;
}

bool LinkCommands::GetSensorStatus(int unitMask, uint32_t& errorId)
{
    return SensorStatus(unitMask, kTimeoutSensorStatusMs, false, errorId);
}

bool LinkCommands::GetInterfaceSensorStatus(uint32_t& errorId)
{
    return SensorStatus(kInterfaceBit, kTimeoutShortMs, true, errorId);
}

bool LinkCommands::RequestChargeStatus(uint32_t& errorId)
{
    Exchange<8> exchange(kOpChargeStatus);
    if (!exchange.Run(link_, 8, kTimeoutShortMs)) {
        state_.SetChargeStatus({0, 0, 0, 0}, 0);
        return CommunicationFailed(errorId);
    }
    state_.SetChargeStatus({exchange[1], exchange[2], exchange[3], exchange[4]}, exchange[6]);
    state_.SetChargeUpdated(true);
    return true;
}

bool LinkCommands::StartListeningMode(int unit, uint32_t& errorId)
{
    state_.SetListening(false);
    Exchange<4> exchange(kOpStartListening, unit, 0, 0);
    if (!exchange.Run(link_, 2, kTimeoutShortMs)) {
        return CommunicationFailed(errorId);
    }
    const bool started = exchange[1] == 0;
    if (started) {
        state_.SetListening(true);
    } else {
        errorId = str::kListeningInterrupted;
    }
    state_.SetListeningUpdated(true);
    return started;
}

bool LinkCommands::StopListeningMode(uint32_t& errorId)
{
    Exchange<2> exchange(kOpStopListening);
    if (!exchange.Run(link_, 2, kTimeoutShortMs)) {
        return CommunicationFailed(errorId);
    }
    const bool stopped = exchange[1] == 0;
    if (stopped) {
        state_.SetListening(false);
    } else {
        library_.CommReset();
        errorId = str::kListeningStopFailed;
    }
    state_.SetListeningUpdated(true);
    return stopped;
}

bool LinkCommands::SelectSensors(int unitMask, uint32_t& errorId)
{
    Exchange<2> exchange(kOpSelectSensors, unitMask);
    return exchange.Run(link_, 2, kTimeoutShortMs) || CommunicationFailed(errorId);
}

bool LinkCommands::SetRadioMode(int mode, uint32_t& errorId)
{
    Exchange<5> exchange(kOpRadioMode, 0x01, mode, mode, mode);
    return exchange.Run(link_, 2, kTimeoutShortMs) || CommunicationFailed(errorId);
}

bool LinkCommands::ControlBeacons(bool on, uint32_t& errorId)
{
    Exchange<3> exchange(kOpBeacons, on ? 0x0F : 0x00, on ? 0x00 : 0x0F);
    return exchange.Run(link_, 2, kTimeoutShortMs) || CommunicationFailed(errorId);
}

bool LinkCommands::GetHeadphoneStatus(uint32_t& errorId)
{
    state_.SetHeadphone(false);
    Exchange<2> exchange(kOpHeadphone);
    if (!exchange.Run(link_, 2, kTimeoutShortMs)) {
        return CommunicationFailed(errorId);
    }
    if (exchange[1] != 0) {
        state_.SetHeadphone(true);
    }
    state_.SetHeadphoneUpdated(true);
    return true;
}

bool LinkCommands::GetDiagnosticsInfo(int unit, uint32_t& errorId)
{
    Exchange<24> exchange(kOpDiagnostics, unit);
    if (!exchange.Run(link_, 24, kTimeoutOutstationMs)) {
        return CommunicationFailed(errorId);
    }
    if (unit < 0 || unit >= CLinkState::kUnits) {
        return true;
    }
    if (exchange[1] == 0) {
        state_.SetDiagnostics(unit, FormatDiagnosticsText(exchange.bytes.data() + 2));
    }
    state_.SetDiagnosticsUpdated(unit, true);
    return true;
}

bool LinkCommands::StartSampling(uint32_t& errorId)
{
    errorId = str::kNoError;
    state_.SetSamplingStarted(false);
    Exchange<4> exchange(kOpStartSampling, 0x01, 0x00);
    if (!exchange.Run(link_, 4, kTimeoutStartSamplingMs)) {
        return CommunicationFailed(errorId);
    }
    if (exchange[1] == 0) {
        state_.SetSamplingStarted(true);
        state_.SetSamplingAnswered(true);
        return true;
    }
    errorId = StartSamplingFailureId(exchange[2], exchange[3]);
    return false;
}

bool LinkCommands::GetDataBlock(bool threeStation, uint32_t& errorId)
{
    errorId = str::kNoError;
    Exchange<kDataBlockReplyBytes> exchange(kOpDataBlock);
    // Slow is not lost: after the time-out the reply is still awaited while the far end is
    // heard; a silent link fails the wait at once.
    const bool received =
        exchange.Run(link_, kDataBlockReplyBytes, kTimeoutDataBlockMs) ||
        (link_.GetLastError() == kLinkTimeout &&
         link_.AwaitReply(kOpDataBlock, exchange.bytes.data(), kDataBlockReplyBytes, kDataBlockLateMs));
    if (!received) {
        errorId = str::kCommunicationError;
        return false;
    }
    if (exchange[7] & kResetButtonFlag) {
        errorId = str::kResetPressedDuringMeasurement;
        return false;
    }
    DataBlockRecord record;
    record.unit = exchange[1];
    record.status = exchange[2];
    record.battery = exchange[3];
    record.blockNumber = static_cast<uint16_t>((exchange[4] << 8) | exchange[5]);
    record.exponent = static_cast<int8_t>(exchange[6]);
    record.payloadLength = kPayloadBytes;
    std::memcpy(record.payload, exchange.bytes.data() + kDataBlockPayloadOffset, kPayloadBytes);
    static_assert(kDataBlockPayloadOffset + kPayloadBytes == kDataBlockReplyBytes);

    state_.StoreDataBlock(record);
    state_.SetDataBlockReady(true);
    if (notifier_ != nullptr) {
        notifier_->PostBlockReady(threeStation ? kCommandBlockReadyThreeStation : kCommandBlockReadyTwoStation);
    }
    return true;
}

bool LinkCommands::TestRadioComms(int unit, bool flag)
{
    Exchange<RadioTestResult::kReplyBytes> exchange(kOpRadioTest, flag ? 0x00 : 0x02, unit, 0x01);
    const bool ok = exchange.Run(link_, RadioTestResult::kReplyBytes, kTimeoutRadioTestMs);
    // Written whole under the state's lock with done set last; failures leave no message ID,
    // the test screen shows the outcome itself.
    state_.SetRadioTestResult(ok ? exchange.bytes.data() : nullptr, ok);
    return ok;
}

void LinkCommands::SuspendComms()
{
    state_.SetChargeStatus({0, 0, 0, 0}, 0);
    state_.SetChargeUpdated(true);
    state_.UpdateUnitPresence(0, 0, kAllUnits);
    state_.SetSensorStatusUpdated(true);
    library_.CommReset();
}

}  // namespace korvanta
