#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "tests/orvelink/EndpointPair.h"

namespace korvanta::orvelink::test {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<uint8_t>;

constexpr uint16_t kUnacked = LinkEndpoint::kStatusUnacknowledged;
constexpr uint16_t kFailure = LinkEndpoint::kStatusLinkFailure;

std::vector<Bytes> TakeAll(LinkEndpoint& endpoint)
{
    std::vector<Bytes> messages;
    while (auto message = endpoint.TakeMessage()) {
        messages.push_back(*message);
    }
    return messages;
}

TEST(LinkEndpointTest, DeliversMessagesBothWaysInOrderAndOnce)
{
    EndpointPair pair;
    std::vector<Bytes> toDevice;
    std::vector<Bytes> toHost;
    std::vector<Bytes> deviceGot;
    std::vector<Bytes> hostGot;
    for (int i = 0; i < 40; ++i) {
        toDevice.push_back(TestMessage(i, 1 + i * 13 % 200));
        toHost.push_back(TestMessage(i + 100, 2800 + i % 9));
    }
    std::size_t nextToDevice = 0;
    std::size_t nextToHost = 0;
    for (int step = 0; step < 20000 && (hostGot.size() < toHost.size() || deviceGot.size() < toDevice.size()); ++step) {
        while (nextToDevice < toDevice.size() && pair.host.Send(toDevice[nextToDevice])) {
            ++nextToDevice;
        }
        while (nextToHost < toHost.size() && pair.device.Send(toHost[nextToHost])) {
            ++nextToHost;
        }
        pair.Step();
        for (Bytes& message : TakeAll(pair.device))
            deviceGot.push_back(message);
        for (Bytes& message : TakeAll(pair.host))
            hostGot.push_back(message);
    }
    EXPECT_EQ(deviceGot, toDevice);
    EXPECT_EQ(hostGot, toHost);
    pair.RunFor(std::chrono::milliseconds(50));  // the last acks are still on their way
    EXPECT_EQ(pair.host.Status(), 0);
    EXPECT_EQ(pair.device.Status(), 0);
    EXPECT_EQ(pair.host.Counters().messagesFailed + pair.device.Counters().messagesFailed, 0u);
}

TEST(LinkEndpointTest, UnacknowledgedBitLastsUntilTheAckArrives)
{
    EndpointPair pair;
    ASSERT_TRUE(pair.host.Send(Bytes{0x07}));
    EXPECT_EQ(pair.host.Status(), kUnacked);
    pair.device.ReceiveAvailable();  // data in, ack out
    EXPECT_EQ(pair.host.Status(), kUnacked);
    pair.host.ReceiveAvailable();
    EXPECT_EQ(pair.host.Status(), 0);
    EXPECT_EQ(pair.host.Counters().messagesAcknowledged, 1u);
    EXPECT_EQ(pair.device.TakeMessage(), (Bytes{0x07}));
}

TEST(LinkEndpointTest, RepeatedFrameAfterALostAckIsAckedButNotDeliveredTwice)
{
    EndpointPair pair;
    pair.deviceFaults.DropNextAcks(1);
    ASSERT_TRUE(pair.host.Send(Bytes{1, 2, 3}));
    for (int step = 0; step < 200 && (pair.host.Status() & kUnacked); ++step) {
        pair.Step();
    }
    EXPECT_EQ(pair.host.Status(), 0);
    EXPECT_EQ(pair.host.Counters().retransmissions, 1u);
    EXPECT_EQ(pair.device.Counters().duplicates, 1u);
    EXPECT_EQ(TakeAll(pair.device), (std::vector<Bytes>{{1, 2, 3}}));
}

TEST(LinkEndpointTest, SilentFarEndBecomesALinkFailureWithinAFewSeconds)
{
    EndpointPair pair;
    pair.RunFor(20s, 50ms);  // idle, on heartbeats alone
    EXPECT_EQ(pair.host.Status(), 0);
    EXPECT_EQ(pair.device.Status(), 0);

    // The device stops: from now on only the host is polled.
    auto failedAfter = 0ms;
    while (!(pair.host.Status() & kFailure) && failedAfter < 10s) {
        pair.clock.Advance(100ms);
        failedAfter += 100ms;
        pair.host.Poll();
    }
    EXPECT_GE(failedAfter, 2s);
    EXPECT_LE(failedAfter, 4s);

    // Heartbeats alone bring the link back once the device answers again.
    pair.RunFor(1s);
    EXPECT_EQ(pair.host.Status() & kFailure, 0);
}

// Both ends idle unpolled for a quarter of a minute, as the program's line is while it listens:
// the first poll after the pause must not take the far end for gone before reading from it.
TEST(LinkEndpointTest, APauseInPollingIsNoSilentFarEnd)
{
    EndpointPair pair;
    pair.RunFor(1s);
    pair.clock.Advance(15s);
    pair.host.Poll();
    EXPECT_EQ(pair.host.Status() & kFailure, 0);
    ASSERT_TRUE(pair.host.Send(Bytes{7}));
    pair.device.Poll();
    pair.RunFor(200ms);
    EXPECT_EQ(pair.host.Status(), 0);
    EXPECT_EQ(TakeAll(pair.device), (std::vector<Bytes>{{7}}));

    // A far end that is really gone is still found out within the silence limit.
    pair.clock.Advance(15s);
    auto failedAfter = 0ms;
    while (!(pair.host.Status() & kFailure) && failedAfter < 10s) {
        pair.host.Poll();
        pair.clock.Advance(100ms);
        failedAfter += 100ms;
    }
    EXPECT_LE(failedAfter, 4s);
}

TEST(LinkEndpointTest, GivesUpAfterTheLastTryAndRecoversWithTheNextMessage)
{
    LinkConfig deviceConfig = EndpointPair::DeviceConfig();
    deviceConfig.receiveQueueLimit = 1;  // the device refuses (does not ack) while full
    EndpointPair pair(EndpointPair::HostConfig(), deviceConfig);
    ASSERT_TRUE(pair.host.Send(Bytes{1}));
    ASSERT_TRUE(pair.host.Send(Bytes{2}));
    pair.RunFor(15s);
    // The device stayed alive (heartbeats), yet the second message was never acknowledged: a
    // heard far end gets all 32 sends before the message is given up.
    EXPECT_EQ(pair.host.Status(), kFailure);
    EXPECT_EQ(pair.host.Counters().messagesFailed, 1u);
    EXPECT_EQ(pair.host.Counters().retransmissions, 31u);
    EXPECT_GE(pair.device.Counters().refused, 32u);

    EXPECT_EQ(TakeAll(pair.device), (std::vector<Bytes>{{1}}));
    ASSERT_TRUE(pair.host.Send(Bytes{3}));
    EXPECT_EQ(pair.host.Status(), kUnacked);  // a new message clears the earlier failure
    pair.RunFor(100ms);
    EXPECT_EQ(pair.host.Status(), 0);
    EXPECT_EQ(TakeAll(pair.device), (std::vector<Bytes>{{3}}));
}

TEST(LinkEndpointTest, ResetForgetsUnackedAndWaitingMessagesButKeepsNumbering)
{
    EndpointPair pair;
    ASSERT_TRUE(pair.host.Send(Bytes{1}));
    pair.RunFor(50ms);
    EXPECT_EQ(TakeAll(pair.device), (std::vector<Bytes>{{1}}));

    // Unacknowledged: the device hears nothing until after the reset.
    pair.hostFaults.SetSilent(true);
    ASSERT_TRUE(pair.host.Send(Bytes{2}));
    // Waiting: a message from the device that the host has not taken.
    ASSERT_TRUE(pair.device.Send(Bytes{9}));
    pair.host.ReceiveAvailable();
    ASSERT_TRUE(pair.host.WaitingMessageSize().has_value());

    pair.host.Reset();
    EXPECT_EQ(pair.host.Status(), 0);
    EXPECT_FALSE(pair.host.WaitingMessageSize().has_value());

    pair.hostFaults.SetSilent(false);
    const uint64_t sentBefore = pair.host.Counters().framesSent;
    pair.RunFor(2s);
    EXPECT_TRUE(TakeAll(pair.device).empty());                    // message 2 is not retransmitted
    EXPECT_LT(pair.host.Counters().framesSent - sentBefore, 8u);  // heartbeats only

    // A restarted sequence number would make this look like a repeat of message 1.
    ASSERT_TRUE(pair.host.Send(Bytes{3}));
    pair.RunFor(50ms);
    EXPECT_EQ(TakeAll(pair.device), (std::vector<Bytes>{{3}}));
}

TEST(LinkEndpointTest, ResetDropsAPartlyReceivedFrame)
{
    EndpointPair pair;
    pair.RunFor(50ms);
    ASSERT_TRUE(pair.device.Send(Bytes{5, 6, 7}));
    // Keep only the first half of the frame on the line.
    Bytes line(64);
    const auto length = static_cast<std::size_t>(pair.pipe.HostEnd().Read(line));
    ASSERT_GT(length, 4u);
    pair.pipe.DeviceEnd().Write(std::span(line).first(length / 2));
    pair.host.ReceiveAvailable();
    pair.host.Reset();
    pair.RunFor(1s);
    EXPECT_EQ(pair.host.Counters().invalidFrames, 0u);
    EXPECT_EQ(TakeAll(pair.host), (std::vector<Bytes>{{5, 6, 7}}));
}

TEST(LinkEndpointTest, NewSessionIsNotMistakenForARepeat)
{
    EndpointPair pair;
    ASSERT_TRUE(pair.host.Send(Bytes{1}));
    pair.RunFor(50ms);
    ASSERT_EQ(TakeAll(pair.device).size(), 1u);

    // A reopened host starts again at sequence 0. Under the same session number its first frame
    // reads as a repeat; under a fresh one it is delivered.
    for (uint16_t session : {uint16_t{0x1111}, uint16_t{0x3333}}) {
        LinkConfig config;
        config.session = session;
        LinkEndpoint reopened(pair.hostFaults, pair.clock, config);
        ASSERT_TRUE(reopened.Send(Bytes{2}));
        for (int step = 0; step < 5; ++step) {
            pair.clock.Advance(10ms);
            reopened.Poll();
            pair.device.Poll();
        }
        EXPECT_EQ(reopened.Status(), 0);
        EXPECT_EQ(TakeAll(pair.device).size(), session == 0x1111 ? 0u : 1u);
    }
}

// A line that returns every byte written to it (a loopback terminal) carries only our own frames:
// none of them is taken for the far end, so nothing is acknowledged or delivered and the far end
// shows as silent.
TEST(LinkEndpointTest, OurOwnFramesEchoedBackAreNeverTakenForTheFarEnd)
{
    class Loopback final : public ByteTransport {
    public:
        std::ptrdiff_t Read(std::span<uint8_t> buffer) override
        {
            const std::size_t count = std::min(buffer.size(), line.size());
            std::copy_n(line.begin(), count, buffer.begin());
            line.erase(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(count));
            return static_cast<std::ptrdiff_t>(count);
        }
        std::ptrdiff_t Write(std::span<const uint8_t> bytes) override
        {
            line.insert(line.end(), bytes.begin(), bytes.end());
            return static_cast<std::ptrdiff_t>(bytes.size());
        }
        Bytes line;
    };
    for (const LinkSide side : {LinkSide::Host, LinkSide::Device}) {
        Loopback line;
        ManualLinkClock clock;
        LinkConfig config;
        config.side = side;
        LinkEndpoint endpoint(line, clock, config);
        ASSERT_TRUE(endpoint.Send(Bytes{0x00}));
        for (int step = 0; step < 400; ++step) {
            clock.Advance(10ms);
            endpoint.Poll();
        }
        EXPECT_TRUE(TakeAll(endpoint).empty());
        EXPECT_EQ(endpoint.Counters().framesReceived, 0u);
        EXPECT_EQ(endpoint.Counters().messagesAcknowledged, 0u);
        EXPECT_GT(endpoint.Counters().echoedFrames, 8u);
        EXPECT_TRUE(endpoint.Status() & kFailure);
    }
}

}  // namespace
}  // namespace korvanta::orvelink::test
