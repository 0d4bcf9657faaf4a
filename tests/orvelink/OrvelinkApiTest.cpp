#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "orvelink/framing/TransportOpsAdapter.h"
#include "orvelink/orvelink.h"
#include "orvelink/orvelink_transport.h"
#include "tests/orvelink/EndpointPair.h"

namespace korvanta::orvelink::test {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<uint8_t>;

constexpr const char* kName = "TESTPIPE";

int64_t ManualMilliseconds(void* context)
{
    const auto* clock = static_cast<const ManualLinkClock*>(context);
    return std::chrono::duration_cast<std::chrono::milliseconds>(clock->Now().time_since_epoch()).count();
}

// The library opened on a registered in-process transport, with a far end run by the test on
// the same manual clock.
class OrvelinkApiTest : public ::testing::Test {
protected:
    OrvelinkApiTest()
        : hostFaults_(pipe_.HostEnd()),
          deviceFaults_(pipe_.DeviceEnd()),
          device_(deviceFaults_, clock_, EndpointPair::DeviceConfig())
    {
    }

    void SetUp() override
    {
        orvelink_set_clock(ManualMilliseconds, &clock_);
        ASSERT_EQ(orvelink_register_transport(kName, &TransportOpsAdapter::Ops(), HostContext()), 0);
    }

    void TearDown() override
    {
        comm_close();
        orvelink_unregister_transport(kName);
        orvelink_set_clock(nullptr, nullptr);
    }

    void* HostContext() { return TransportOpsAdapter::Context(hostFaults_); }

    // One poll cycle of the comms thread, then one of the far end.
    void Cycle()
    {
        clock_.Advance(100ms);
        link_timer();
        read_buffer();
        device_.Poll();
    }

    // Sends like the link wrapper: put, then poll until delivered or failed.
    bool SendMessage(const Bytes& message)
    {
        if (put_message(message.data(), static_cast<int32_t>(message.size())) != 0) {
            return false;
        }
        for (int cycle = 0; cycle < 200; ++cycle) {
            Cycle();
            if (get_status() & ORVELINK_STATUS_LINK_FAILURE)
                return false;
            if (!(get_status() & ORVELINK_STATUS_UNACKNOWLEDGED))
                return true;
        }
        return false;
    }

    Bytes ReceiveMessage()
    {
        for (int cycle = 0; cycle < 200 && get_message_size() < 0; ++cycle) {
            Cycle();
        }
        Bytes message(static_cast<std::size_t>(std::max<int16_t>(get_message_size(), 0)));
        EXPECT_EQ(get_message(message.data(), static_cast<int32_t>(message.size())),
                  static_cast<int16_t>(message.size()));
        return message;
    }

    ManualLinkClock clock_;
    BytePipe pipe_;
    FaultyTransport hostFaults_;
    FaultyTransport deviceFaults_;
    LinkEndpoint device_;
};

TEST_F(OrvelinkApiTest, OpensARegisteredTransportByNameAndFailsCleanlyOtherwise)
{
    EXPECT_EQ(comm_is_open(), 0);
    ASSERT_EQ(comm_open_str("\\\\.\\TESTPIPE", 57600), 0);
    EXPECT_NE(comm_is_open(), 0);
    comm_close();
    EXPECT_EQ(comm_is_open(), 0);
    ASSERT_EQ(comm_open_str(kName, 57600), 0);
    EXPECT_NE(comm_is_open(), 0);
    comm_close();

    EXPECT_EQ(comm_open_str("\\\\.\\NO-SUCH-PORT-4711", 57600), ORVELINK_OPEN_NOT_FOUND);
    EXPECT_EQ(comm_open_str(nullptr, 57600), ORVELINK_OPEN_BAD_PARAMETER);
    EXPECT_EQ(comm_open_str(kName, 0), ORVELINK_OPEN_BAD_PARAMETER);
    EXPECT_EQ(comm_is_open(), 0);
    // A closed link refuses messages and reads as failed, so that no caller waits on it.
    const uint8_t byte = 1;
    EXPECT_NE(put_message(&byte, 1), 0);
    EXPECT_EQ(get_status(), ORVELINK_STATUS_LINK_FAILURE);
    EXPECT_LT(get_message_size(), 0);
    uint8_t buffer[4];
    EXPECT_EQ(get_message(buffer, 4), -1);
}

TEST_F(OrvelinkApiTest, RunsARequestReplyExchange)
{
    ASSERT_EQ(comm_open_str(kName, 57600), 0);
    EXPECT_LT(get_message_size(), 0);
    ASSERT_TRUE(SendMessage({0x02, 0x0F}));
    EXPECT_EQ(device_.TakeMessage(), (Bytes{0x02, 0x0F}));

    Bytes reply(2808, 0x7E);  // a data-block reply, all flag bytes
    reply[0] = 0x07;
    ASSERT_TRUE(device_.Send(reply));
    EXPECT_EQ(ReceiveMessage(), reply);
    EXPECT_EQ(get_status(), 0);
}

TEST_F(OrvelinkApiTest, KeepsAMessageTheCallerCannotHold)
{
    ASSERT_EQ(comm_open_str(kName, 57600), 0);
    ASSERT_TRUE(device_.Send(Bytes{1, 2, 3, 4, 5}));
    while (get_message_size() < 0)
        Cycle();
    uint8_t small[4] = {};
    EXPECT_EQ(get_message(small, 4), -1);
    EXPECT_EQ(get_message(nullptr, 5), -1);
    ASSERT_EQ(get_message_size(), 5);
    uint8_t full[5] = {};
    EXPECT_EQ(get_message(full, 5), 5);
    EXPECT_EQ(Bytes(full, full + 5), (Bytes{1, 2, 3, 4, 5}));
    EXPECT_LT(get_message_size(), 0);
}

TEST_F(OrvelinkApiTest, PutMessageRefusesBadMessagesAndAFullQueue)
{
    ASSERT_EQ(comm_open_str(kName, 57600), 0);
    const Bytes tooLong(ORVELINK_MAX_MESSAGE_SIZE + 1, 0x7D);
    EXPECT_EQ(put_message(tooLong.data(), static_cast<int32_t>(tooLong.size())), ORVELINK_PUT_BAD_MESSAGE);
    EXPECT_EQ(put_message(nullptr, 3), ORVELINK_PUT_BAD_MESSAGE);
    EXPECT_EQ(put_message(tooLong.data(), -1), ORVELINK_PUT_BAD_MESSAGE);
    // The longest message, every byte stuffed, goes through; then the queue fills up.
    ASSERT_TRUE(SendMessage(Bytes(tooLong.begin(), tooLong.end() - 1)));
    EXPECT_EQ(device_.TakeMessage(), Bytes(ORVELINK_MAX_MESSAGE_SIZE, 0x7D));
    const uint8_t byte = 1;
    int accepted = 0;
    while (put_message(&byte, 1) == 0 && accepted < 100)
        ++accepted;
    EXPECT_EQ(accepted, 8);
    EXPECT_EQ(put_message(&byte, 1), ORVELINK_PUT_NO_ROOM);
}

TEST_F(OrvelinkApiTest, ResetForgetsUnackedAndWaitingMessages)
{
    ASSERT_EQ(comm_open_str(kName, 57600), 0);
    ASSERT_TRUE(device_.Send(Bytes{0x05}));
    while (get_message_size() < 0)
        Cycle();
    deviceFaults_.DropNextAcks(100);
    const uint8_t request = 0x00;
    ASSERT_EQ(put_message(&request, 1), 0);
    Cycle();
    ASSERT_EQ(get_status(), ORVELINK_STATUS_UNACKNOWLEDGED);

    comm_reset();
    EXPECT_EQ(get_status(), 0);
    EXPECT_LT(get_message_size(), 0);
    deviceFaults_.DropNextAcks(0);
    ASSERT_TRUE(SendMessage({0x15, 0x01}));
}

TEST_F(OrvelinkApiTest, SilentFarEndSetsTheFailureBitAndAnswersClearIt)
{
    ASSERT_EQ(comm_open_str(kName, 57600), 0);
    Cycle();
    EXPECT_EQ(get_status(), 0);
    int cycles = 0;
    while (!(get_status() & ORVELINK_STATUS_LINK_FAILURE) && cycles < 100) {
        clock_.Advance(100ms);  // the far end is not polled: it is dead
        link_timer();
        read_buffer();
        ++cycles;
    }
    EXPECT_GE(cycles, 20);
    EXPECT_LE(cycles, 40);
    // A message sent now is not acknowledged; the sender sees the failure bit.
    const uint8_t request = 0x06;
    ASSERT_EQ(put_message(&request, 1), 0);
    EXPECT_EQ(get_status(), ORVELINK_STATUS_UNACKNOWLEDGED | ORVELINK_STATUS_LINK_FAILURE);

    Cycle();
    Cycle();
    EXPECT_EQ(get_status(), 0);
    EXPECT_EQ(device_.TakeMessage(), (Bytes{0x06}));
}

TEST_F(OrvelinkApiTest, ExchangesSurviveALossyTransport)
{
    // Damage the default number of tries always gets through.
    hostFaults_.CorruptOneByteIn(200);
    hostFaults_.DropOneWriteIn(8);
    deviceFaults_.DropOneByteIn(200);
    ASSERT_EQ(comm_open_str(kName, 57600), 0);
    for (int i = 0; i < 20; ++i) {
        const Bytes request = TestMessage(i, 2 + i % 3);
        ASSERT_TRUE(SendMessage(request)) << "request " << i;
        EXPECT_EQ(device_.TakeMessage(), request);
        const Bytes reply = TestMessage(i + 50, 4 + i % 20);
        ASSERT_TRUE(device_.Send(reply));
        EXPECT_EQ(ReceiveMessage(), reply) << "reply " << i;
        comm_reset();  // harmless between exchanges
    }
    EXPECT_GT(hostFaults_.BytesDamaged() + deviceFaults_.BytesDamaged(), 0u);
}

TEST_F(OrvelinkApiTest, RegistrationGuardsTheOpenLink)
{
    const orvelink_transport_ops& ops = TransportOpsAdapter::Ops();
    orvelink_transport_ops noRead = ops;
    noRead.read = nullptr;
    EXPECT_EQ(orvelink_register_transport("", &ops, HostContext()), -1);
    EXPECT_EQ(orvelink_register_transport(nullptr, &ops, HostContext()), -1);
    EXPECT_EQ(orvelink_register_transport("X", &noRead, HostContext()), -1);
    EXPECT_EQ(orvelink_register_transport(std::string(64, 'n').c_str(), &ops, HostContext()), -1);
    EXPECT_EQ(orvelink_unregister_transport("NOT-REGISTERED"), -1);

    ASSERT_EQ(comm_open_str(kName, 57600), 0);
    EXPECT_EQ(orvelink_register_transport(kName, &ops, HostContext()), -2);
    EXPECT_EQ(orvelink_unregister_transport(kName), 0);
    EXPECT_EQ(comm_is_open(), 0);  // the link went with its transport
    EXPECT_NE(comm_open_str(kName, 57600), 0);
}

TEST_F(OrvelinkApiTest, AnotherThreadMayAskWhetherThePortIsOpen)
{
    std::atomic<bool> stop{false};
    std::atomic<int> openSeen{0};
    std::thread observer([&] {
        while (!stop.load()) {
            openSeen += comm_is_open();
        }
    });
    for (int i = 0; i < 200; ++i) {
        ASSERT_EQ(comm_open_str(kName, 57600), 0);
        Cycle();
        comm_close();
    }
    stop = true;
    observer.join();
    EXPECT_EQ(comm_is_open(), 0);
}

}  // namespace
}  // namespace korvanta::orvelink::test
