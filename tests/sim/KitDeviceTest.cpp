// The kit's end of the line against a host endpoint of the same framing, on one manual clock.
#include <gtest/gtest.h>

#include <optional>

#include "KitTestSupport.h"
#include "orvelink/framing/BytePipe.h"
#include "orvelink/framing/LinkEndpoint.h"
#include "sim/BlockTiming.h"
#include "sim/KitDevice.h"

namespace korvanta::sim::test {
namespace {

using std::chrono::milliseconds;

struct DeviceRig {
    explicit DeviceRig(const KitOptions& options)
        : kit(options, clock), device(pipe.DeviceEnd(), kit, clock, options), host(pipe.HostEnd(), clock)
    {
    }

    void Step(milliseconds step = milliseconds(10))
    {
        clock.Advance(step);
        host.Poll();
        device.Poll();
        host.Poll();
    }

    // Sends a request and polls until its reply arrives or `limit` has passed on the clock.
    std::optional<Bytes> Exchange(const Bytes& request, milliseconds limit = milliseconds(10000))
    {
        EXPECT_TRUE(host.Send(request));
        for (milliseconds waited{0}; waited < limit; waited += milliseconds(10)) {
            Step();
            if (auto reply = host.TakeMessage()) {
                return reply;
            }
        }
        return std::nullopt;
    }

    orvelink::ManualLinkClock clock;
    orvelink::BytePipe pipe;
    FieldKit kit;
    KitDevice device;
    orvelink::LinkEndpoint host;
};

KitOptions Paced()
{
    KitOptions options;
    options.paced = true;
    return options;
}

TEST(KitDevice, AnswersRequestsArrivingOverTheLink)
{
    DeviceRig rig(KitUnderTest::Unpaced());
    EXPECT_EQ(rig.Exchange({0x00}), (Bytes{0x00, 0, 2, 0, 2}));
    EXPECT_EQ(rig.Exchange({0x02, 0x0F}), (Bytes{0x02, 0x0F, 0x00, 0x0E}));
    EXPECT_EQ(rig.kit.Counters().requests, 2u);
    rig.Step();  // the host's acknowledgement of the last reply reaches the kit
    EXPECT_EQ(rig.device.LinkCounters().messagesAcknowledged, 2u);
    EXPECT_EQ(rig.device.LinkCounters().retransmissions, 0u);
}

TEST(KitDevice, PacedBlockLeavesOnceSampledAndTakesItsTimeOnTheLine)
{
    DeviceRig rig(Paced());
    ASSERT_TRUE(rig.Exchange({0x06, 0x01, 0x00}).has_value());
    const double start = SecondsOf(rig.clock.Now());
    ASSERT_TRUE(rig.host.Send(Bytes{0x07}));
    std::optional<Bytes> block;
    double arrived = 0.0;
    while (!block && SecondsOf(rig.clock.Now()) < start + 5.0) {
        rig.Step();
        block = rig.host.TakeMessage();
        arrived = SecondsOf(rig.clock.Now());
    }
    ASSERT_TRUE(block.has_value());
    EXPECT_EQ(block->size(), 2808u);
    // The reply left the kit when red's first block was complete, then took some 0.5 s to cross
    // a 57600-baud line (ten bit times per byte, plus the framing's stuffing).
    const double lineSeconds = 2808 * 10.0 / 57600.0;
    EXPECT_GT(arrived, start + kBlockSeconds + lineSeconds - 0.05);
    EXPECT_LT(arrived, start + kBlockSeconds + lineSeconds + 0.3);
}

TEST(KitDevice, SilentKitNeitherAcknowledgesNorAnswers)
{
    DeviceRig rig(KitUnderTest::Unpaced());
    rig.kit.SetSilent(true);
    EXPECT_FALSE(rig.Exchange({0x00}, milliseconds(4000)).has_value());
    EXPECT_TRUE(rig.host.Status() & orvelink::LinkEndpoint::kStatusLinkFailure);
    EXPECT_EQ(rig.device.LinkCounters().framesReceived, 0u);
    EXPECT_EQ(rig.kit.Counters().requests, 0u);

    rig.kit.SetSilent(false);
    rig.host.Reset();
    EXPECT_EQ(rig.Exchange({0x18}), (Bytes{0x18, 1}));
}

TEST(KitDevice, DyingAfterTheAcknowledgementLeavesTheRequestUnanswered)
{
    DeviceRig rig(KitUnderTest::Unpaced());
    rig.kit.SilenceAfterNextRequest();
    EXPECT_FALSE(rig.Exchange({0x18}, milliseconds(4000)).has_value());
    // The request was taken and acknowledged before the kit died: only the far end's silence
    // tells the host something is wrong.
    EXPECT_EQ(rig.device.LinkCounters().messagesDelivered, 1u);
    EXPECT_EQ(rig.host.Status(), orvelink::LinkEndpoint::kStatusLinkFailure);
}

TEST(KitDevice, LostAndDamagedFramesAreRecoveredByTheFraming)
{
    KitOptions options = KitUnderTest::Unpaced();
    options.lineFaults = {0.10, 0.05};
    options.seed = 7;
    DeviceRig rig(options);
    const std::vector<Bytes> requests = {{0x00}, {0x02, 0x0F}, {0x05}, {0x18}, {0x15, 2}};
    for (int round = 0; round < 6; ++round) {
        for (const Bytes& request : requests) {
            const auto reply = rig.Exchange(request);
            ASSERT_TRUE(reply.has_value()) << "round " << round;
            EXPECT_EQ(reply->at(0), request[0]);
        }
    }
    // Every request reached the kit exactly once, however often its frame had to be sent.
    EXPECT_EQ(rig.kit.Counters().requests, 30u);
    const LineFaultCounters line = rig.device.LineCounters();
    EXPECT_GT(line.lostOut + line.lostIn, 0u);
    EXPECT_GT(line.corruptedOut + line.corruptedIn, 0u);
    EXPECT_GT(rig.host.Counters().invalidFrames + rig.device.LinkCounters().invalidFrames, 0u);
    EXPECT_GT(rig.host.Counters().retransmissions + rig.device.LinkCounters().retransmissions, 0u);
}

TEST(KitDevice, ReconnectForgetsRepliesStillWaiting)
{
    DeviceRig rig(Paced());
    ASSERT_TRUE(rig.Exchange({0x06, 0x01, 0x00}).has_value());
    ASSERT_TRUE(rig.host.Send(Bytes{0x07}));
    rig.Step();
    rig.Step();
    EXPECT_EQ(rig.device.PendingReplies(), 1u);
    rig.device.Reconnect();
    EXPECT_EQ(rig.device.PendingReplies(), 0u);
}

}  // namespace
}  // namespace korvanta::sim::test
