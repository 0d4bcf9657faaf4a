// The command-line probe and the simulator as their users run them: built programs, separate
// processes, the simulator's terminal opened by its published path.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace korvanta::test {
namespace {

namespace fs = std::filesystem;

struct RunResult {
    int status = -1;
    std::string output;  // stdout, then stderr
};

fs::path ProgramBeside(const std::string& name)
{
    return fs::read_symlink("/proc/self/exe").parent_path() / name;
}

RunResult RunProgram(const std::string& commandLine)
{
    RunResult result;
    const fs::path errors = fs::temp_directory_path() / ("korvanta-probe-" + std::to_string(getpid()) + ".err");
    FILE* pipe = popen((commandLine + " 2>" + errors.string()).c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    std::array<char, 512> chunk{};
    while (fgets(chunk.data(), chunk.size(), pipe) != nullptr) {
        result.output += chunk.data();
    }
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (FILE* file = fopen(errors.c_str(), "r")) {
        while (fgets(chunk.data(), chunk.size(), file) != nullptr) {
            result.output += chunk.data();
        }
        fclose(file);
    }
    fs::remove(errors);
    return result;
}

class ProbeCommandIntegrationTest : public testing::Test {
protected:
    void SetUp() override
    {
        cli_ = ProgramBeside("korvanta-cli");
        simulator_ = ProgramBeside("korvanta-sim");
        if (!fs::exists(cli_) || !fs::exists(simulator_)) {
            GTEST_SKIP() << "korvanta-cli and korvanta-sim are not built beside this test";
        }
    }

    fs::path cli_;
    fs::path simulator_;
};

TEST_F(ProbeCommandIntegrationTest, ProbesTheKitInItsOwnProcess)
{
    const RunResult result = RunProgram(cli_.string() + " probe --port SIM --fast");
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(result.output,
              "{\"port_opened\": true, \"interface_present\": true, \"versions\": [\"QX-913-07-200C\", "
              "\"QX-913-07-200C\", \"QX-913-07-200C\", \"QX-913-07-200C\"], \"present\": [true, true, true, "
              "true], \"sensor\": [false, true, true, true], \"battery\": [180, 200, 200, 200], "
              "\"charging\": false}\n");
}

TEST_F(ProbeCommandIntegrationTest, PortThatDoesNotOpenFailsWithTheReason)
{
    const RunResult result = RunProgram(cli_.string() + " probe --port /nonexistent/korvanta-port");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("\"port_opened\": false"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("could not be opened"), std::string::npos) << result.output;
    EXPECT_EQ(RunProgram(cli_.string() + " probe").status, 2);
    EXPECT_EQ(RunProgram(cli_.string() + " probe --port COM3 --fast").status, 2);
}

TEST_F(ProbeCommandIntegrationTest, ProbesTheSimulatorThroughItsTerminal)
{
    const fs::path link = fs::temp_directory_path() / ("korvanta-sim-port-" + std::to_string(getpid()));
    const pid_t simulator = fork();
    ASSERT_GE(simulator, 0);
    if (simulator == 0) {
        execl(simulator_.c_str(), "korvanta-sim", "--link", link.c_str(), "--fast", "--off", "blue", "--battery",
              "red:12", "--firmware", "yellow:1.5.A", "--charging", static_cast<char*>(nullptr));
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!fs::is_symlink(link) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(fs::is_symlink(link));

    const RunResult result = RunProgram(cli_.string() + " probe --port " + link.string());
    kill(simulator, SIGTERM);
    int status = 0;
    waitpid(simulator, &status, 0);

    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_NE(result.output.find("\"versions\": [\"QX-913-07-200C\", \"QX-913-07-200C\", \"\", "
                                 "\"QX-913-07-105A\"]"),
              std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("\"present\": [true, true, false, true]"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("\"battery\": [180, 12, 0, 200], \"charging\": true"), std::string::npos)
        << result.output;
    // The simulator stops cleanly on SIGTERM and takes its published link with it.
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
}

}  // namespace
}  // namespace korvanta::test
