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

// Request/reply traffic in both directions over a damaged line: everything arrives in order,
// exactly once, and the damage really happened (retransmissions were needed).
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

    std::vector<Bytes> requests;
    std::vector<Bytes> replies;
    std::vector<Bytes> deviceGot;
    std::vector<Bytes> hostGot;
    for (int i = 0; i < 60; ++i) {
        requests.push_back(TestMessage(i, 1 + i % 5));
        replies.push_back(TestMessage(i + 500, 3 + i % 40));
    }
    std::size_t sent = 0;
    for (int step = 0; step < 100000 && hostGot.size() < replies.size(); ++step) {
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
