// korvanta-cli as other tools use it: one JSON object on stdout, exit status 2 with a message on
// stderr for bad input, nothing written then.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <nlohmann/json.hpp>

#include "tests/support/VectorFiles.h"

namespace korvanta {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

class CommandLineToolTest : public testing::Test {
protected:
    void SetUp() override
    {
        cli_ = fs::read_symlink("/proc/self/exe").parent_path() / "korvanta-cli";
        if (!fs::exists(cli_)) {
            GTEST_SKIP() << "korvanta-cli is not built beside this test";
        }
        folder_ = fs::temp_directory_path() / ("korvanta-cli-test-" + std::to_string(getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override
    {
        if (!folder_.empty()) {
            fs::remove_all(folder_);
        }
    }

    ToolRun Execute(const std::string& arguments)
    {
        const fs::path errors = folder_ / "stderr.txt";
        ToolRun run;
        FILE* pipe = popen((cli_.string() + " " + arguments + " 2>" + errors.string()).c_str(), "r");
        if (!pipe) {
            return run;
        }
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            run.out.append(buffer, n);
        }
        const int status = pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.err = test::ReadText(errors);
        return run;
    }

    fs::path cli_;
    fs::path folder_;
};

TEST_F(CommandLineToolTest, CorrelatePrintsWhatTheReferenceEngineComputed)
{
    const fs::path dir = test::VectorsDir() / "correlate" / "range1-side-segment";
    std::string args = test::ReadText(dir / "args");
    args.erase(args.find_last_not_of(" \n") + 1);
    const ToolRun run = Execute("correlate " + args + " " + (dir / "blocks.bin").string());
    ASSERT_EQ(run.status, 0) << run.err;
    const auto got = nlohmann::json::parse(run.out);
    const auto want = test::ReadJson(dir / "expected.json");
    EXPECT_EQ(got["pairs"], want["pairs"]);
    EXPECT_EQ(got["result"], want["result"]);
    EXPECT_EQ(got["column"], want["column"]);
    EXPECT_EQ(got["trace"].size(), 620u);
    EXPECT_EQ(got["spectrum_a"].size(), 504u);
    EXPECT_FLOAT_EQ(got["delay"].get<float>(), want["delay"].get<float>());
}

TEST_F(CommandLineToolTest, SimulateThenCorrelateThenLocateFindsTheLeak)
{
    const fs::path blocks = folder_ / "blocks.bin";
    ASSERT_EQ(Execute("simulate --out " + blocks.string() + " --delay 0.08 --pairs 8 --seed 3").status, 0);
    EXPECT_EQ(fs::file_size(blocks), 16u * 2810u);
    const ToolRun correlate = Execute("correlate " + blocks.string());
    ASSERT_EQ(correlate.status, 0) << correlate.err;
    const float delay = nlohmann::json::parse(correlate.out)["delay"].get<float>();
    EXPECT_NEAR(delay, 0.08f, 0.0002048f);

    const ToolRun locate = Execute("locate --section 200:1000 --delay " + std::to_string(delay));
    ASSERT_EQ(locate.status, 0) << locate.err;
    const auto place = nlohmann::json::parse(locate.out);
    EXPECT_NEAR(place["from_start"].get<double>(), 140.0, 0.2);
    EXPECT_EQ(place["range"], 0);
    EXPECT_EQ(place["outside"], false);
}

TEST_F(CommandLineToolTest, BadInputIsRefusedWithStatusTwoAndWritesNothing)
{
    const fs::path out = folder_ / "never.bin";
    for (const std::string& arguments :
         {std::string("correlate ") + (folder_ / "missing.bin").string(), std::string("correlate --range 3 x.bin"),
          std::string("correlate --zoom 100 x.bin"), std::string("locate --delay 0.1"),
          std::string("locate --section 100:abc --delay 0.1"), std::string("frobnicate"),
          "simulate --out " + out.string() + " --delay 0.1 --pairs 0",
          "simulate --out " + out.string() + " --delay 0.1 --pairs 4 --band 800:100"}) {
        const ToolRun run = Execute(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_FALSE(run.err.empty()) << arguments;
        EXPECT_TRUE(run.out.empty()) << arguments;
    }
    EXPECT_FALSE(fs::exists(out));

    // A record cut short.
    const fs::path shortFile = folder_ / "short.bin";
    std::ofstream(shortFile, std::ios::binary) << std::string(2810 + 100, '\0');
    const ToolRun run = Execute("correlate " + shortFile.string());
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("short"), std::string::npos) << run.err;
}

TEST_F(CommandLineToolTest, Measure3SavesAResultThatShow3ReadsBackTheSame)
{
    const fs::path file = folder_ / "main.kv3";
    const ToolRun measured =
        Execute("measure3 --port SIM --fast --distances 120:180 --pairs 6 --material 2 --out " + file.string());
    ASSERT_EQ(measured.status, 0) << measured.err;
    const auto got = nlohmann::json::parse(measured.out);
    // Without a scenario the kit lays an iron main out at the distances, the leak 0.4 of red-blue
    // from red.
    EXPECT_EQ(got["valid"], true);
    EXPECT_NEAR(got["leak"]["red_yellow"]["from_red"].get<double>(), 48.0, 1.0);
    EXPECT_EQ(got["pairs"].size(), 3u);
    EXPECT_EQ(got["pairs"][2]["pair"], 10);
    ASSERT_EQ(fs::file_size(file), 235880u);

    const ToolRun shown = Execute("show3 " + file.string());
    ASSERT_EQ(shown.status, 0) << shown.err;
    const auto again = nlohmann::json::parse(shown.out);
    EXPECT_EQ(again["velocity"], got["velocity"]);
    EXPECT_EQ(again["leak"], got["leak"]);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(again["pairs"][i]["delay"], got["pairs"][i]["delay"]);
        EXPECT_EQ(again["pairs"][i]["quality"], got["pairs"][i]["quality"]);
    }
}

TEST_F(CommandLineToolTest, ThreeStationCommandsRefuseBadInputWithStatusTwo)
{
    const fs::path out = folder_ / "never.kv3";
    const fs::path shortFile = folder_ / "short.kv3";
    std::ofstream(shortFile, std::ios::binary) << std::string("\xE3\xAB\x3B", 3) << '\0' << std::string(1000, '\0');
    const fs::path kvd = folder_ / "other.kv3";
    std::ofstream(kvd, std::ios::binary) << std::string("\x0B", 1) << std::string(78589, '\0');
    for (const std::string& arguments :
         {"measure3 --port SIM --out " + out.string(), "measure3 --port SIM --distances 0:100 --out " + out.string(),
          "measure3 --port SIM --distances 120 --out " + out.string(),
          "measure3 --port SIM --distances 120:2001 --out " + out.string(),
          "measure3 --port SIM --distances 120:1e2 --out " + out.string(),
          "measure3 --port SIM --distances 120:180 --material Marmor --out " + out.string(),
          "measure3 --port /dev/null --distances 120:180 --fast --out " + out.string(), std::string("show3"),
          "show3 " + (folder_ / "missing.kv3").string(), "show3 " + shortFile.string(), "show3 " + kvd.string()}) {
        const ToolRun run = Execute(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_FALSE(run.err.empty()) << arguments;
        EXPECT_TRUE(run.out.empty()) << arguments;
    }
    EXPECT_FALSE(fs::exists(out));
}

}  // namespace
}  // namespace korvanta
