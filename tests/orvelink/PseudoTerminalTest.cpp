#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <pty.h>
#include <sys/file.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "orvelink/framing/LinkEndpoint.h"
#include "orvelink/framing/SteadyLinkClock.h"
#include "orvelink/orvelink.h"
#include "orvelink/orvelink_transport.h"

namespace korvanta::orvelink {
namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

// The master side of a pseudo-terminal as a non-blocking transport.
class MasterTransport final : public ByteTransport {
public:
    explicit MasterTransport(int fd) : fd_(fd) {}
    std::ptrdiff_t Read(std::span<uint8_t> buffer) override
    {
        const ssize_t result = ::read(fd_, buffer.data(), buffer.size());
        return result >= 0 ? result : (errno == EAGAIN ? 0 : -1);
    }
    std::ptrdiff_t Write(std::span<const uint8_t> bytes) override
    {
        const ssize_t result = ::write(fd_, bytes.data(), bytes.size());
        return result >= 0 ? result : (errno == EAGAIN ? 0 : -1);
    }

private:
    int fd_;
};

// A far end on the master side that answers every message with its bytes in reverse order.
class EchoDevice {
public:
    explicit EchoDevice(int masterFd) : transport_(masterFd), thread_([this] { Run(); }) {}
    ~EchoDevice()
    {
        stop_ = true;
        thread_.join();
    }

private:
    void Run()
    {
        LinkConfig config;
        config.side = LinkSide::Device;
        LinkEndpoint endpoint(transport_, clock_, config);
        while (!stop_) {
            endpoint.Poll();
            while (auto message = endpoint.TakeMessage()) {
                endpoint.Send(Bytes(message->rbegin(), message->rend()));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    MasterTransport transport_;
    SteadyLinkClock clock_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// The comms thread's two waits, with a generous real-time bound instead of an endless loop.
bool WaitDelivered(Clock::time_point deadline)
{
    while (Clock::now() < deadline) {
        link_timer();
        read_buffer();
        if (get_status() & ORVELINK_STATUS_LINK_FAILURE)
            return false;
        if (!(get_status() & ORVELINK_STATUS_UNACKNOWLEDGED))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

Bytes WaitReply(Clock::time_point deadline)
{
    while (Clock::now() < deadline && get_message_size() < 0) {
        link_timer();
        read_buffer();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    Bytes reply(static_cast<std::size_t>(std::max<int16_t>(get_message_size(), 0)));
    get_message(reply.data(), static_cast<int32_t>(reply.size()));
    return reply;
}

TEST(PseudoTerminalTest, ExchangesMessagesOverATerminalInRawMode)
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

    // Opened in the device-namespace form, which only Windows keeps. The far end starts only
    // after the library has put the terminal into raw mode.
    ASSERT_EQ(comm_open_str((std::string("\\\\.\\") + name).c_str(), 57600), 0);
    ASSERT_NE(comm_is_open(), 0);
    {
        EchoDevice device(master);
        // Every byte value, line-discipline characters included, must cross unchanged.
        Bytes everyByte(256);
        for (int i = 0; i < 256; ++i)
            everyByte[i] = static_cast<uint8_t>(i);
        const std::vector<Bytes> requests = {{0x00}, everyByte, Bytes(2808, 0x0D), {0x03, 0x04, 0x11, 0x13}};
        for (const Bytes& request : requests) {
            const auto deadline = Clock::now() + std::chrono::seconds(20);
            ASSERT_EQ(put_message(request.data(), static_cast<int32_t>(request.size())), 0);
            ASSERT_TRUE(WaitDelivered(deadline));
            EXPECT_EQ(WaitReply(deadline), Bytes(request.rbegin(), request.rend()));
        }
        comm_close();
    }
    EXPECT_EQ(comm_is_open(), 0);
    close(slave);
    close(master);
}

TEST(PseudoTerminalTest, AHungUpLineIsALostLinkAndItsHandleIsClosed)
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    ASSERT_EQ(comm_open_str(name, 57600), 0);
    ASSERT_NE(comm_is_open(), 0);
    close(master);  // the adaptor is pulled: the line hangs up
    for (int pass = 0; pass < 3; ++pass) {
        link_timer();
        read_buffer();
    }
    EXPECT_EQ(comm_is_open(), 0);
    EXPECT_NE(get_status() & ORVELINK_STATUS_LINK_FAILURE, 0);
    const uint8_t request = 0x00;
    EXPECT_NE(put_message(&request, 1), 0);
    close(slave);
}

// Two programs on one port would take each other's replies: a port another open holds is
// refused at once, and the library's own open keeps others out while it lasts.
TEST(PseudoTerminalTest, APortHeldElsewhereIsRefusedAsInUse)
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    const int other = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(other, 0);
    ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
    EXPECT_EQ(comm_open_str(name, 57600), ORVELINK_OPEN_IN_USE);
    EXPECT_EQ(comm_is_open(), 0);
    close(other);

    ASSERT_EQ(comm_open_str(name, 57600), 0);
    const int second = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(second, 0);
    EXPECT_NE(flock(second, LOCK_EX | LOCK_NB), 0);
    comm_close();
    EXPECT_EQ(flock(second, LOCK_EX | LOCK_NB), 0);
    close(second);
    close(slave);
    close(master);
}

TEST(PseudoTerminalTest, RefusesAPathThatIsNotATerminal)
{
    EXPECT_EQ(comm_open_str("/dev/null", 57600), ORVELINK_OPEN_NOT_FOUND);
    EXPECT_EQ(comm_is_open(), 0);
}

}  // namespace
}  // namespace korvanta::orvelink
