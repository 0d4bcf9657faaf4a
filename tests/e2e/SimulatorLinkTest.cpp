// korvanta-sim --link PATH holds its path: a second simulator is refused while the first runs, a
// link left by a killed one is taken over, and a stopping simulator removes only its own link.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/ChildProcesses.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"

namespace korvanta {
namespace {

namespace fs = std::filesystem;

class SimulatorLinkTest : public testing::Test {
protected:
    void SetUp() override
    {
        sim_ = fs::read_symlink("/proc/self/exe").parent_path() / "korvanta-sim";
        if (!fs::exists(sim_)) {
            GTEST_SKIP() << "korvanta-sim is not built beside this test";
        }
        link_ = folder_ / "ttyKORV";
    }
    // Starts a simulator on the link path; its messages go to the file `errors`.
    pid_t Start(const std::string& errors)
    {
        return processes_.Start(sim_, {"--link", link_.string()}, std::nullopt, {}, folder_ / errors);
    }

    // Waits (bounded, for a slow machine) until `pid` holds the link, or false once it ended.
    bool WaitUntilServing(pid_t pid)
    {
        for (int i = 0; i < 3000; ++i) {
            if (test::ReadAll(link_.string() + ".lock") == std::to_string(pid) + "\n" && fs::is_symlink(link_)) {
                return true;
            }
            if (processes_.Ended(pid)) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    int Stop(pid_t pid, int signal = 0) { return processes_.Wait(pid, signal); }

    test::TempFolder folder_;
    fs::path sim_;
    fs::path link_;
    test::ChildProcesses processes_;
};

TEST_F(SimulatorLinkTest, ALivingOwnerKeepsItsLinkAndAKilledOneLosesIt)
{
    const pid_t first = Start("first.txt");
    ASSERT_TRUE(WaitUntilServing(first)) << test::ReadAll(folder_ / "first.txt");
    const fs::path firstTerminal = fs::read_symlink(link_);

    // A second simulator on the same path is refused, names the owner and leaves the link alone.
    const pid_t second = Start("second.txt");
    EXPECT_EQ(Stop(second), 1);
    EXPECT_NE(test::ReadAll(folder_ / "second.txt").find("process " + std::to_string(first)), std::string::npos)
        << test::ReadAll(folder_ / "second.txt");
    EXPECT_EQ(fs::read_symlink(link_), firstTerminal);

    // Killed, the first leaves its link behind; the next simulator takes the path over.
    Stop(first, SIGKILL);
    EXPECT_TRUE(fs::is_symlink(link_));
    const pid_t third = Start("third.txt");
    ASSERT_TRUE(WaitUntilServing(third)) << test::ReadAll(folder_ / "third.txt");
    EXPECT_TRUE(fs::exists(fs::read_symlink(link_)));

    // Stopped normally, it removes its link and its lock.
    EXPECT_EQ(Stop(third, SIGTERM), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link_)));
    EXPECT_FALSE(fs::exists(link_.string() + ".lock"));
}

TEST_F(SimulatorLinkTest, AStoppingSimulatorRemovesOnlyItsOwnLink)
{
    const pid_t owner = Start("owner.txt");
    ASSERT_TRUE(WaitUntilServing(owner)) << test::ReadAll(folder_ / "owner.txt");
    // Someone points the path elsewhere while it runs.
    fs::remove(link_);
    fs::create_symlink("/dev/null", link_);
    EXPECT_EQ(Stop(owner, SIGTERM), 0);
    ASSERT_TRUE(fs::is_symlink(link_));
    EXPECT_EQ(fs::read_symlink(link_), fs::path("/dev/null"));
}

}  // namespace
}  // namespace korvanta
