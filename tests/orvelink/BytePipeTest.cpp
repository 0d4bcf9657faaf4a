#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "orvelink/framing/BytePipe.h"

namespace korvanta::orvelink {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(BytePipeTest, WritesComeBackShortWhenTheOtherEndIsFull)
{
    BytePipe pipe(10);
    const Bytes bytes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    EXPECT_EQ(pipe.HostEnd().Write(bytes), 10);
    EXPECT_EQ(pipe.HostEnd().Write(bytes), 0);
    Bytes buffer(4);
    EXPECT_EQ(pipe.HostEnd().Read(buffer), 0);  // nothing travels back to the writer
    EXPECT_EQ(pipe.DeviceEnd().Read(buffer), 4);
    EXPECT_EQ(buffer, (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(pipe.HostEnd().Write(bytes), 4);
}

TEST(BytePipeTest, CarriesAStreamBetweenTwoThreadsUnchanged)
{
    BytePipe pipe(257);
    Bytes sent(300000);
    for (std::size_t i = 0; i < sent.size(); ++i) {
        sent[i] = static_cast<uint8_t>(i * 7 + i / 251);
    }
    std::thread writer([&] {
        std::size_t offset = 0;
        std::size_t chunk = 1;
        while (offset < sent.size()) {
            const std::size_t size = std::min(chunk, sent.size() - offset);
            offset += static_cast<std::size_t>(pipe.HostEnd().Write(std::span(sent).subspan(offset, size)));
            chunk = chunk % 97 + 1;
            std::this_thread::yield();
        }
    });
    Bytes received;
    Bytes buffer(64);
    while (received.size() < sent.size()) {
        const auto read = pipe.DeviceEnd().Read(buffer);
        received.insert(received.end(), buffer.begin(), buffer.begin() + read);
        if (read == 0) {
            std::this_thread::yield();
        }
    }
    writer.join();
    EXPECT_EQ(received, sent);
}

}  // namespace
}  // namespace korvanta::orvelink
