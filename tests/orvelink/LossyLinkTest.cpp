#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/orvelink/EndpointPair.h"

namespace korvanta::orvelink::test {
namespace {

using Bytes = std::vector<uint8_t>;

struct FaultCase {
    std::string name;
    std::function<void(FaultyTransport&)> apply;
};

void PrintTo(const FaultCase& faultCase, std::ostream* out)
{
    *out << faultCase.name;
}

// The host sends requests one after the other as the comms thread does, the device answers
// each: everything arrives in order, exactly once, nothing is given up, and the damage really
// happened (retransmissions were needed).
void ExchangeRequestsAndReplies(EndpointPair& pair, int count)
{
    std::vector<Bytes> requests;
    std::vector<Bytes> replies;
    std::vector<Bytes> deviceGot;
    std::vector<Bytes> hostGot;
    for (int i = 0; i < count; ++i) {
        requests.push_back(TestMessage(i, 1 + i % 5));
        replies.push_back(TestMessage(i + 500, 3 + i % 40));
    }
    std::size_t sent = 0;
    for (int step = 0; step < 2000 * count && hostGot.size() < replies.size(); ++step) {
        // The host sends the next request once the previous reply is in, like the comms thread.
        if (sent == hostGot.size() && sent < requests.size()) {
            ASSERT_TRUE(pair.host.Send(requests[sent]));
            ++sent;
        }
        pair.Step();
        while (auto request = pair.device.TakeMessage()) {
            deviceGot.push_back(*request);
            ASSERT_LE(deviceGot.size(), replies.size());
            ASSERT_TRUE(pair.device.Send(replies[deviceGot.size() - 1]));
        }
        while (auto reply = pair.host.TakeMessage()) {
            hostGot.push_back(*reply);
        }
    }
    EXPECT_EQ(deviceGot, requests);
    EXPECT_EQ(hostGot, replies);
    EXPECT_EQ(pair.host.Counters().messagesFailed, 0u);
    EXPECT_EQ(pair.device.Counters().messagesFailed, 0u);
    EXPECT_GT(pair.hostFaults.BytesDamaged() + pair.deviceFaults.BytesDamaged(), 0u);
    EXPECT_GT(pair.host.Counters().retransmissions + pair.device.Counters().retransmissions, 0u);
}

// Request/reply traffic in both directions over a damaged line.
class LossyLinkTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(LossyLinkTest, RetransmissionRecoversEveryMessage)
{
    LinkConfig hostConfig = EndpointPair::HostConfig();
    LinkConfig deviceConfig = EndpointPair::DeviceConfig();
    // Enough tries that no message is given up on this much damage; giving up is tested apart.
    hostConfig.maxTransmissions = deviceConfig.maxTransmissions = 40;
    EndpointPair pair(hostConfig, deviceConfig);
    GetParam().apply(pair.hostFaults);
    GetParam().apply(pair.deviceFaults);

    ExchangeRequestsAndReplies(pair, 60);
}

// A radio link in a bad spell loses a third of the frames both ways. The far end is heard all
// along, so with the default settings no message may be given up for want of an ack.
TEST(LossyLinkDefaults, AThirdOfTheFramesLostGivesNothingUpWhileTheFarEndIsHeard)
{
    EndpointPair pair;
    pair.hostFaults.DropOneWriteIn(3);
    pair.deviceFaults.DropOneWriteIn(3);
    ExchangeRequestsAndReplies(pair, 400);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, LossyLinkTest,
    ::testing::Values(FaultCase{"DropOneByteIn50", [](FaultyTransport& t) { t.DropOneByteIn(50); }},
                      FaultCase{"CorruptOneByteIn40", [](FaultyTransport& t) { t.CorruptOneByteIn(40); }},
                      FaultCase{"DropOneFrameIn3", [](FaultyTransport& t) { t.DropOneWriteIn(3); }},
                      FaultCase{"DropAndCorrupt",
                                [](FaultyTransport& t) {
                                    t.DropOneByteIn(70);
                                    t.CorruptOneByteIn(70);
                                    t.DropOneWriteIn(5);
                                }}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return info.param.name; });

}  // namespace
}  // namespace korvanta::orvelink::test
