#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "core/host/WakeSignal.h"
#include "core/link/CLinkState.h"
#include "core/link/SteadyClock.h"

namespace korvanta {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

TEST(WakeSignalTest, ASignalEndsOneWaitEvenWhenGivenBeforeIt)
{
    WakeSignal wake;
    EXPECT_FALSE(wake.WaitFor(20));

    wake.Notify();
    const auto start = Clock::now();
    EXPECT_TRUE(wake.WaitFor(60000));
    EXPECT_LT(SecondsSince(start), 30.0);
    // Taken by that wait: the next one runs its time.
    EXPECT_FALSE(wake.WaitFor(20));
}

TEST(WakeSignalTest, APostedCommandEndsTheCommsPauseOnTheRealClock)
{
    for (const bool urgent : {false, true}) {
        CLinkState state;
        SteadyClock clock;
        LinkCommand command;
        command.code = TM_GET_DATA_BLOCK;
        std::thread poster([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (urgent) {
                state.PostUrgentCommand(command);
            } else {
                state.PostCommand(command);
            }
        });
        const auto start = Clock::now();
        clock.PauseMs(60000, state.CommandPosted());
        EXPECT_LT(SecondsSince(start), 30.0) << (urgent ? "urgent" : "ordinary");
        poster.join();
        EXPECT_FALSE(state.IsQueueEmpty());
    }
}

}  // namespace
}  // namespace korvanta
