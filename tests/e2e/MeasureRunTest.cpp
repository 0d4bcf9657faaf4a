// korvanta-cli's measurements as separate processes, the way a crew's scripts run them: a run that
// is interrupted keeps its pairs, a run that measured nothing writes nothing, and a port another
// program holds is refused at once.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "tests/e2e/ChildProcesses.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"

namespace korvanta {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

class MeasureRunTest : public testing::Test {
protected:
    void SetUp() override
    {
        const fs::path here = fs::read_symlink("/proc/self/exe").parent_path();
        cli_ = here / "korvanta-cli";
        sim_ = here / "korvanta-sim";
        if (!fs::exists(cli_)) {
            GTEST_SKIP() << "korvanta-cli is not built beside this test";
        }
        fs::create_directories(folder_ / "tmp");
        environment_ = {"TMPDIR=" + (folder_ / "tmp").string(), "XDG_DATA_HOME=" + (folder_ / "data").string(),
                        "HOME=" + folder_.Path().string()};
    }
    // Starts `program` with `arguments`; stdout and stderr go to NAME.out and NAME.err.
    pid_t Start(const fs::path& program, const std::string& name, const std::vector<std::string>& arguments,
                const std::vector<std::string>& extraEnvironment = {})
    {
        std::vector<std::string> variables = environment_;
        variables.insert(variables.end(), extraEnvironment.begin(), extraEnvironment.end());
        return processes_.Start(program, arguments, variables, folder_ / (name + ".out"), folder_ / (name + ".err"));
    }
    int Wait(pid_t pid) { return processes_.Wait(pid); }

    // Until the run's comms log shows `count` data blocks fetched (bounded for a slow machine).
    static bool WaitForBlocks(const fs::path& log, size_t count)
    {
        const auto deadline = Clock::now() + std::chrono::seconds(20);
        while (Clock::now() < deadline) {
            const std::string text = test::ReadAll(log / "DebugFile.txt");
            size_t found = 0;
            for (size_t at = text.find("GET_DATA_BLOCK\n"); at != std::string::npos;
                 at = text.find("GET_DATA_BLOCK\n", at + 1)) {
                ++found;
            }
            if (found >= count) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    test::TempFolder folder_;
    fs::path cli_;
    fs::path sim_;
    std::vector<std::string> environment_;
    test::ChildProcesses processes_;
};

// Ctrl-C or SIGTERM stops a measurement as Stop does: the pairs are saved (or printed), the
// private log folder goes, and the exit status says which signal ended the run.
TEST_F(MeasureRunTest, AnInterruptedRunKeepsItsPairs)
{
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        int signal;
        const char* out;  // nullptr: none asked for
        uintmax_t bytes;
    };
    const Case cases[] = {
        {"measure, Ctrl-C", {"measure", "--port", "SIM", "--fast", "--pairs", "100000"}, SIGINT, "m.kvd", 78590},
        {"measure3, SIGTERM",
         {"measure3", "--port", "SIM", "--fast", "--distances", "120:180", "--pairs", "100000"},
         SIGTERM,
         "m.kv3",
         235880},
        {"measure, SIGTERM, nothing but the printout", {"measure", "--port", "SIM", "--fast", "--pairs", "100000"},
         SIGTERM, nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> arguments = c.arguments;
        if (c.out) {
            arguments.insert(arguments.end(), {"--out", (folder_ / c.out).string()});
        }
        const pid_t run = Start(cli_, "run", arguments);
        ASSERT_GT(run, 0);
        // The run's comms log lies in its private folder under TMPDIR.
        fs::path log;
        for (int i = 0; i < 2000 && log.empty(); ++i) {
            for (const auto& entry : fs::directory_iterator(folder_ / "tmp")) {
                log = entry.path();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ASSERT_TRUE(WaitForBlocks(log, 3)) << test::ReadAll(folder_ / "run.err");
        EXPECT_EQ(processes_.Wait(run, c.signal), 128 + c.signal) << test::ReadAll(folder_ / "run.err");
        const auto result = nlohmann::json::parse(test::ReadAll(folder_ / "run.out"), nullptr, false);
        ASSERT_FALSE(result.is_discarded()) << test::ReadAll(folder_ / "run.out");
        EXPECT_NE(test::ReadAll(folder_ / "run.err").find("interrupted after"), std::string::npos);
        if (c.out) {
            EXPECT_EQ(fs::file_size(folder_ / c.out), c.bytes);
        } else {
            EXPECT_GT(result["pairs"].get<int>(), 0);
        }
        EXPECT_TRUE(fs::is_empty(folder_ / "tmp"));
    }
    // The pairs in the file are the pairs measured, and show reads them back.
    const pid_t show = Start(cli_, "show", {"show", (folder_ / "m.kvd").string()});
    ASSERT_EQ(Wait(show), 0) << test::ReadAll(folder_ / "show.err");
    EXPECT_GT(nlohmann::json::parse(test::ReadAll(folder_ / "show.out"))["pairs"].get<int>(), 0);
}

// A save that still fails at the end (the folder went during the run) keeps the measurement in
// the user's data folder and names it there.
TEST_F(MeasureRunTest, AFailedSaveKeepsTheMeasurementInTheDataFolder)
{
    const fs::path gone = folder_ / "gone";
    const fs::path log = folder_ / "log";
    fs::create_directories(gone);
    fs::create_directories(log);
    const pid_t run = Start(cli_, "run",
                            {"measure", "--port", "SIM", "--fast", "--pairs", "100000", "--log", log.string(), "--out",
                             (gone / "m.kvd").string()});
    ASSERT_TRUE(WaitForBlocks(log, 3)) << test::ReadAll(folder_ / "run.err");
    fs::remove_all(gone);
    EXPECT_EQ(processes_.Wait(run, SIGINT), 130);
    const fs::path kept = folder_ / "data" / "Veltmark" / "Korvanta" / "unsaved";
    ASSERT_TRUE(fs::is_directory(kept)) << test::ReadAll(folder_ / "run.err");
    const fs::path file = fs::directory_iterator(kept)->path();
    EXPECT_EQ(fs::file_size(file), 78590u);
    EXPECT_EQ(file.filename().string().substr(0, 2), "m-");
    EXPECT_EQ(file.extension(), ".kvd");
    EXPECT_NE(test::ReadAll(folder_ / "run.err").find(file.string()), std::string::npos) << test::ReadAll(folder_ / "run.err");
}

// A run whose kit falls silent before the first pair, or whose port another program holds,
// leaves an existing --out file exactly as it was and says so.
TEST_F(MeasureRunTest, ARunWithoutAPairWritesNothing)
{
    const fs::path scenario = folder_ / "dead.json";
    std::ofstream(scenario) << R"({"timeline": [{"afterBlocks": 1, "event": "link-dead"}]})";
    const std::string kit = "KORVANTA_SIM_SCENARIO=" + scenario.string();
    for (const char* name : {"victim.kvd", "victim.kv3"}) {
        SCOPED_TRACE(name);
        const fs::path victim = folder_ / name;
        std::ofstream(victim) << "a good measurement";
        const std::vector<std::string> arguments =
            std::string(name).ends_with(".kvd")
                ? std::vector<std::string>{"measure", "--port", "SIM", "--fast", "--pairs", "4", "--out",
                                           victim.string()}
                : std::vector<std::string>{"measure3", "--port", "SIM", "--fast", "--distances", "120:180",
                                           "--pairs", "4", "--out", victim.string()};
        const pid_t run = Start(cli_, "run", arguments, {kit});
        EXPECT_EQ(Wait(run), 1) << test::ReadAll(folder_ / "run.err");
        EXPECT_EQ(test::ReadAll(victim), "a good measurement");
        EXPECT_NE(test::ReadAll(folder_ / "run.err").find("no pair was measured"), std::string::npos)
            << test::ReadAll(folder_ / "run.err");
    }
}

// Two programs on one port would take each other's replies: the second is refused at once and
// the first measures on.
TEST_F(MeasureRunTest, ASecondProgramOnThePortIsRefusedAndTheFirstGoesOn)
{
    if (!fs::exists(sim_)) {
        GTEST_SKIP() << "korvanta-sim is not built beside this test";
    }
    const fs::path port = folder_ / "ttyKORV";
    const pid_t simulator = Start(sim_, "sim", {"--link", port.string(), "--fast"});
    for (int i = 0; i < 2000 && !fs::is_symlink(port); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(fs::is_symlink(port)) << test::ReadAll(folder_ / "sim.err");
    const fs::path log = folder_ / "log";
    fs::create_directories(log);
    const fs::path victim = folder_ / "second.kvd";
    std::ofstream(victim) << "a good measurement";

    const pid_t first =
        Start(cli_, "first", {"measure", "--port", port.string(), "--pairs", "6", "--log", log.string()});
    ASSERT_TRUE(WaitForBlocks(log, 1)) << test::ReadAll(folder_ / "first.err");
    const auto started = Clock::now();
    const pid_t second = Start(cli_, "second", {"measure", "--port", port.string(), "--out", victim.string()});
    EXPECT_EQ(Wait(second), 1);
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(5));
    EXPECT_NE(test::ReadAll(folder_ / "second.err").find("porten er i brug"), std::string::npos)
        << test::ReadAll(folder_ / "second.err");
    EXPECT_EQ(test::ReadAll(victim), "a good measurement");

    EXPECT_EQ(Wait(first), 0) << test::ReadAll(folder_ / "first.err");
    EXPECT_EQ(nlohmann::json::parse(test::ReadAll(folder_ / "first.out"))["pairs"], 6);
    processes_.Wait(simulator, SIGTERM);
}

}  // namespace
}  // namespace korvanta
