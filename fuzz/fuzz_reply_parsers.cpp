// Every command routine against a far end that answers with arbitrary bytes: the first input
// byte picks the routine, the rest is the reply. Replies of any length and content must be
// refused or decoded without reading or writing outside the exchange buffer.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/host/IClock.h"
#include "core/link/CLinkState.h"
#include "core/link/CRadioLink.h"
#include "core/link/ILinkLibrary.h"
#include "core/link/LinkCommands.h"

namespace {

using namespace korvanta;

// Answers the next request with the fuzzer's bytes, at once.
class ScriptedLibrary final : public ILinkLibrary {
public:
    std::vector<uint8_t> reply;
    bool pending = false;

    uint16_t CommOpenStr(const std::string&, int32_t) override { return 0; }
    void CommClose() override {}
    uint8_t CommIsOpen() override { return 1; }
    void CommReset() override { pending = false; }
    uint16_t PutMessage(const uint8_t*, int32_t) override
    {
        pending = true;
        return 0;
    }
    uint16_t GetStatus() override { return 0; }
    void LinkTimer() override {}
    void ReadBuffer() override {}
    int16_t GetMessageSize() override { return pending ? static_cast<int16_t>(reply.size()) : -1; }
    int16_t GetMessage(uint8_t* buffer, int32_t capacity) override
    {
        if (!pending || static_cast<int32_t>(reply.size()) > capacity) {
            return -1;
        }
        pending = false;
        std::copy(reply.begin(), reply.end(), buffer);  // an empty reply copies nothing
        return static_cast<int16_t>(reply.size());
    }
};

// Time runs on by itself, so a routine waiting for a second reply times out quickly.
class JumpingClock final : public IClock {
public:
    int64_t NowMs() override { return now_ += 50; }
    void SleepMs(int64_t ms) override { now_ += ms; }

private:
    int64_t now_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > 4097) {
        return 0;
    }
    ScriptedLibrary library;
    library.reply.assign(data + 1, data + size);
    JumpingClock clock;
    CRadioLink link(library, clock);
    CLinkState state;
    LinkCommands commands(link, library, state, nullptr);
    uint32_t error = 0;
    const int unit = 1 + data[0] % 3;
    switch (data[0] % 16) {
    case 0:
        commands.GetInterfaceVersion(error);
        break;
    case 1:
        commands.GetOutstationVersion(unit, error);
        break;
    case 2:
        commands.GetSensorStatus(15, error);
        break;
    case 3:
        commands.GetInterfaceSensorStatus(error);
        break;
    case 4:
        commands.RequestChargeStatus(error);
        break;
    case 5:
        commands.StartListeningMode(unit, error);
        break;
    case 6:
        commands.StopListeningMode(error);
        break;
    case 7:
        commands.SelectSensors(6, error);
        break;
    case 8:
        commands.SetRadioMode(2 + data[0] % 2, error);
        break;
    case 9:
        commands.GetHeadphoneStatus(error);
        break;
    case 10:
        commands.GetDiagnosticsInfo(unit, error);
        break;
    case 11:
        commands.ControlBeacons(data[0] & 0x10, error);
        break;
    case 12:
        commands.StartSampling(error);
        break;
    case 13:
        commands.GetDataBlock(false, error);
        break;
    case 14:
        commands.GetDataBlock(true, error);
        break;
    default:
        commands.TestRadioComms(unit, data[0] & 0x10);
        break;
    }
    return 0;
}
