// korvanta-cli as other tools use it: one JSON object on stdout, exit status 2 with a message on
// stderr for bad input, nothing written then.
#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <nlohmann/json.hpp>

#include "core/velocity/KvrFile.h"
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

    // `environment`: "NAME=value ..." set for the run.
    ToolRun Execute(const std::string& arguments, const std::string& environment = "")
    {
        const fs::path errors = folder_ / "stderr.txt";
        ToolRun run;
        // A command that hangs (on a named pipe, say) is ended and fails the test.
        FILE* pipe = popen(
            (environment + " timeout 60 " + cli_.string() + " " + arguments + " 2>" + errors.string()).c_str(), "r");
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

ino_t InodeOf(const fs::path& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

TEST_F(CommandLineToolTest, RunsLeaveTheProgramsFilesAndTheSharedTemporaryFolderAlone)
{
    const fs::path temporary = folder_ / "tmp";
    const fs::path log = folder_ / "log";
    fs::create_directories(temporary);
    fs::create_directories(log);
    const std::string environment = "TMPDIR=" + temporary.string();
    const fs::path kvd = folder_ / "m.kvd";
    const std::string measure =
        "measure --port SIM --fast --leak 40 --section 100:1000 --pairs 2 --out " + kvd.string();
    ASSERT_EQ(Execute(measure, environment).status, 0);
    const fs::path database = cli_.parent_path() / "Database2.bin";
    const ino_t before = InodeOf(database);
    ASSERT_NE(before, 0u);

    const ToolRun show = Execute("show " + kvd.string(), environment);
    EXPECT_EQ(show.status, 0) << show.err;
    const ToolRun again = Execute(measure, environment);
    EXPECT_EQ(again.status, 0) << again.err;
    // Nothing rewrote the material database, and no run left a log in the shared folder.
    EXPECT_EQ(InodeOf(database), before);
    EXPECT_TRUE(fs::is_empty(temporary));

    // A log asked for is kept where asked.
    ASSERT_EQ(Execute("probe --port SIM --fast --log " + log.string(), environment).status, 0);
    EXPECT_TRUE(fs::exists(log / "DebugFile.txt"));
    EXPECT_TRUE(fs::is_empty(temporary));
    EXPECT_EQ(Execute("probe --port SIM --fast --log " + (folder_ / "missing").string()).status, 2);
}

TEST_F(CommandLineToolTest, MeasureSaysWhenTheLeakLiesOutsideThePipe)
{
    // The kit hears its 120 m default pipe; the crew declared only 10 m of it.
    const ToolRun run = Execute("measure --port SIM --fast --section 10:1000 --pairs 2");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto result = nlohmann::json::parse(run.out);
    ASSERT_EQ(result["result"], true);
    EXPECT_EQ(result["outside"], true);
    // No distance beyond the pipe is printed as if it were one, and the verdict says why.
    EXPECT_TRUE(result["from_start"].is_null());
    EXPECT_TRUE(result["from_end"].is_null());
    EXPECT_EQ(result["reliable"], false);
    EXPECT_NE(std::find(result["reasons"].begin(), result["reasons"].end(), "outside"), result["reasons"].end());
    EXPECT_TRUE(result["interval_m"].is_null());
}

TEST_F(CommandLineToolTest, AMeasurementKeepsItsCoherenceAndItsVerdictInTheFile)
{
    const fs::path kvd = folder_ / "leak.kvd";
    const ToolRun measure =
        Execute("measure --port SIM --fast --leak 40 --section 100:1000:150:2 --pairs 12 --out " + kvd.string());
    ASSERT_EQ(measure.status, 0) << measure.err;
    const auto measured = nlohmann::json::parse(measure.out);
    ASSERT_EQ(measured["reliable"], true) << measure.out.substr(measure.out.find("\"reliable\""));
    const auto interval = measured["interval_m"];
    ASSERT_EQ(interval.size(), 2u);
    EXPECT_LE(interval[0].get<double>(), 40.0);
    EXPECT_GE(interval[1].get<double>(), 40.0);

    const ToolRun show = Execute("show " + kvd.string());
    ASSERT_EQ(show.status, 0) << show.err;
    const auto shown = nlohmann::json::parse(show.out);
    EXPECT_EQ(shown["reliable"], true);
    EXPECT_EQ(shown["interval_m"], interval) << "the file gives the verdict the measurement gave";
    EXPECT_LE(shown["candidates"].size(), 3u);

    const ToolRun coherence = Execute("show --coherence " + kvd.string());
    ASSERT_EQ(coherence.status, 0) << coherence.err;
    const auto values = nlohmann::json::parse(coherence.out);
    EXPECT_EQ(values["pairs"], 12);
    ASSERT_EQ(values["coherence"].size(), 1023u);
    EXPECT_NEAR(values["frequency_hz"][0].get<double>(), 1.0 / 0.8388608, 1e-6);

    const ToolRun proposed = Execute("show --filter coherence " + kvd.string());
    ASSERT_EQ(proposed.status, 0) << proposed.err;
    const auto band = nlohmann::json::parse(proposed.out);
    EXPECT_EQ(band["filter_proposed"], true);
    EXPECT_GT(band["filters"]["high"].get<double>(), band["filters"]["low"].get<double>());
    EXPECT_EQ(Execute("show --filter widest " + kvd.string()).status, 2);
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

// Input that is not a regular file, and numbers beyond what an option can mean, are refused with
// status 2 and a message naming the file or the allowed range; nothing is measured or written.
TEST_F(CommandLineToolTest, HostileInputIsRefusedByNameBeforeAnyWork)
{
    const fs::path pipe = folder_ / "pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const fs::path out = folder_ / "never.bin";
    const fs::path blocks = folder_ / "blocks.bin";
    ASSERT_EQ(Execute("simulate --out " + blocks.string() + " --delay 0.01 --pairs 2").status, 0);
    const fs::path cut = folder_ / "cut.kvd";
    std::ofstream(cut, std::ios::binary) << std::string("\x0B\x00", 2) << std::string(100, '\0');
    struct Case {
        std::string arguments;
        std::string message;
    };
    for (const Case& c : std::vector<Case>{
             {"correlate " + pipe.string(), pipe.string()},
             {"correlate " + folder_.string(), folder_.string()},
             {"correlate /dev/zero", "/dev/zero"},
             {"show " + pipe.string(), pipe.string()},
             {"show " + folder_.string(), folder_.string()},
             {"correlate --pair 0 " + blocks.string(), "--pair"},
             {"correlate --pair 7 " + blocks.string(), "--pair"},
             {"correlate --high 1e40 " + blocks.string(), "0..1220.7"},
             {"correlate --notch 100:1e39 " + blocks.string(), "--notch"},
             {"locate --section 1e39:1000 --delay 0.1", "--section length"},
             {"locate --section 100:1e39 --delay 0.1", "--section velocity"},
             {"locate --section 100:1000 --delay 1e30", "--delay"},
             {"simulate --out " + out.string() + " --delay 0.01 --pairs 2 --snr -6200", "-60..200"},
             {"measure --port SIM --fast --snr -1e308", "--snr"},
             {"measure --port SIM --fast --high 1e40", "--high"},
             {"measure --port SIM --fast --section 1e39:1000", "--section length"},
             {"measure --port SIM --fast --out " + (folder_ / "no" / "x.kvd").string(), (folder_ / "no").string()},
             {"measure --port SIM --fast --out " + pipe.string(), "named pipe"},
             {"measure --port SIM --fast --out /dev/null", "device"},
             {"show3 " + pipe.string(), pipe.string()},
             {"show " + cut.string(), cut.string() + ": cut short"},
             {"show3 " + (folder_ / "missing.kv3").string(), (folder_ / "missing.kv3").string()},
             {"regress " + pipe.string(), pipe.string()},
             // Options that make no sense are refused before any port is opened.
             {"measure --port /nonexistent/port --high 99999", "--high"},
             {"measure --port /nonexistent/port --low 800 --high 100", "--low/--high"},
             {"measure --port SIM --fast --out --fast", "--out needs a value"},
             {"measure3 --port SIM --fast --distances 120:180 --out --fast", "--out needs a value"},
             {"correlate --low 800 --high 100 " + blocks.string(), "--low/--high"},
             {"correlate --notch 200:100 " + blocks.string(), "--notch"},
             {"correlate --blank 10:5 " + blocks.string(), "--blank"},
             {"correlate --zoom 300:0 " + blocks.string(), "--zoom factor"},
             {"locate --section 0:1000 --delay 0.1", "more than 0"},
             // A three-station run checks its file before it measures for minutes.
             {"measure3 --port SIM --fast --distances 120:180 --out /nonexistent/x.kv3", "/nonexistent"},
             {"measure3 --port SIM --fast --distances 120:180 --out " + folder_.string(), "a folder"},
             {"measure3 --port SIM --fast --distances 120:180 --out " + pipe.string(), "named pipe"},
         }) {
        const ToolRun run = Execute(c.arguments);
        EXPECT_EQ(run.status, 2) << c.arguments << "\n" << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << "\n" << run.err;
        EXPECT_TRUE(run.out.empty()) << c.arguments;
    }
    EXPECT_FALSE(fs::exists(out));
    EXPECT_TRUE(fs::is_fifo(pipe));
}

// A filter that lets no bin through leaves nothing to correlate: no result, not a peak at the edge.
TEST_F(CommandLineToolTest, NoSignalInTheBandIsNoResult)
{
    const fs::path blocks = folder_ / "blocks.bin";
    ASSERT_EQ(Execute("simulate --out " + blocks.string() + " --delay 0.01 --pairs 4").status, 0);
    // A band turned the wrong way round is refused as a mistake (see the hostile-input table).
    const ToolRun notched = Execute("correlate --low 100 --high 800 --notch 0:1220 " + blocks.string());
    ASSERT_EQ(notched.status, 0) << notched.err;
    EXPECT_EQ(nlohmann::json::parse(notched.out)["result"], false);
    const ToolRun run = Execute("correlate --low 100 --high 800 " + blocks.string());
    EXPECT_EQ(nlohmann::json::parse(run.out)["result"], true);
}

TEST_F(CommandLineToolTest, Measure3SavesAResultThatShow3ReadsBackTheSame)
{
    const fs::path file = folder_ / "main.kv3";
    const ToolRun measured =
        Execute("measure3 --port SIM --fast --distances 100:50 --pairs 6 --material 8 --out " + file.string());
    ASSERT_EQ(measured.status, 0) << measured.err;
    const auto got = nlohmann::json::parse(measured.out);
    // Without a scenario the kit lays its PVC pipe out at the distances, the leak 0.4 of red-blue
    // from red.
    EXPECT_EQ(got["valid"], true);
    EXPECT_NEAR(got["leak"]["red_yellow"]["from_red"].get<double>(), 40.0, 1.0);
    EXPECT_TRUE(got["note"].is_null()) << "a plausible velocity for the PVC chosen";
    EXPECT_EQ(got["pairs"].size(), 3u);
    EXPECT_EQ(got["pairs"][2]["pair"], 10);
    // Each pair is judged as the form judges it: a leak beyond a pair's sensors is no doubt there,
    // and the pair that holds it gives its span from red.
    for (const auto& pair : got["pairs"]) {
        EXPECT_EQ(std::count(pair["reasons"].begin(), pair["reasons"].end(), "outside"), 0) << pair.dump();
    }
    ASSERT_EQ(got["pairs"][0]["reliable"], true) << got["pairs"][0].dump();
    EXPECT_LE(got["pairs"][0]["interval_m"][0].get<double>(), 40.0);
    EXPECT_GE(got["pairs"][0]["interval_m"][1].get<double>(), 40.0);
    ASSERT_EQ(fs::file_size(file), 235880u);

    const ToolRun shown = Execute("show3 " + file.string());
    ASSERT_EQ(shown.status, 0) << shown.err;
    const auto again = nlohmann::json::parse(shown.out);
    EXPECT_EQ(again["velocity"], got["velocity"]);
    EXPECT_EQ(again["leak"], got["leak"]);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(again["pairs"][i]["delay"], got["pairs"][i]["delay"]);
        EXPECT_EQ(again["pairs"][i]["quality"], got["pairs"][i]["quality"]);
        EXPECT_EQ(again["pairs"][i]["reasons"], got["pairs"][i]["reasons"]);
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

TEST_F(CommandLineToolTest, ExportWritesTheGisFilesOfAMeasurement)
{
    const fs::path kvd = folder_ / "måling.kvd";
    ASSERT_EQ(Execute("measure --port SIM --fast --pairs 6 --section 200:1000 --leak 75 --out " + kvd.string()).status,
              0);
    const ToolRun run = Execute("export " + kvd.string() + " " + (folder_ / "måling.txt").string() +
                                " --gis K17 --imperial --ms");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(nlohmann::json::parse(run.out)["csv"], (folder_ / "måling.csv").string());
    const std::string csv = test::ReadText(folder_ / "måling.csv");
    const std::string data = csv.substr(csv.find('\n') + 1);
    // Windows-1252 on disk; the delay in ms, the distances in feet, the cursor on the peak.
    EXPECT_TRUE(data.starts_with("K17,m\xE5ling,")) << data;
    EXPECT_NE(data.find(",-50.0,6,246.1 ft,410.1 ft,"), std::string::npos) << data;
    EXPECT_NE(csv.find("L\xF8" "betid  ms,"), std::string::npos);
    EXPECT_EQ(fs::file_size(folder_ / "måling.bmp"), 54u + 195u * 1884u);

    // The printed page, where the tool was built with the desktop program's painting.
    if (Execute("help").out.find("print FILE.kvd") != std::string::npos) {
        const ToolRun print = Execute("print " + kvd.string() + " " + (folder_ / "side.pdf").string());
        ASSERT_EQ(print.status, 0) << print.err;
        EXPECT_TRUE(test::ReadText(folder_ / "side.pdf").starts_with("%PDF"));
        EXPECT_EQ(Execute("print " + kvd.string()).status, 2);
    }

    // A comma in the code is quoted, not refused; a character the file cannot hold is.
    const ToolRun comma = Execute("export " + kvd.string() + " " + (folder_ / "komma").string() + " --gis 'DK,42'");
    ASSERT_EQ(comma.status, 0) << comma.err;
    const std::string quoted = test::ReadText(folder_ / "komma.csv");
    EXPECT_TRUE(quoted.substr(quoted.find('\n') + 1).starts_with("\"DK,42\",m\xE5ling,")) << quoted;

    for (const std::string& arguments :
         {"export " + kvd.string(), "export " + kvd.string() + " x --gis 'a\xE2\x88\x85'",
          "export " + (folder_ / "none.kvd").string() + " " + (folder_ / "y").string(),
          "export " + kvd.string() + " /", "export " + kvd.string() + " ''",
          "export " + kvd.string() + " " + folder_.string() + "/"}) {
        const ToolRun bad = Execute(arguments);
        EXPECT_EQ(bad.status, 2) << arguments;
        EXPECT_FALSE(bad.err.empty()) << arguments;
    }
    EXPECT_FALSE(fs::exists(folder_ / "y.csv"));
}

TEST_F(CommandLineToolTest, RegressPrintsTheDataSetAndItsFit)
{
    CRegressionData data;
    const std::pair<float, float> points[] = {{-0.1f, 300.0f}, {0.0f, 200.0f}, {0.1f, 100.0f}};
    for (const auto& [delay, length] : points) {
        RegressionPoint point;
        point.delay = delay;
        point.length = length;
        data.Add(point);
    }
    data.SetStaticSensor(1);
    ASSERT_EQ(WriteKvrFile(folder_ / "set.kvr", data), std::nullopt);
    const ToolRun run = Execute("regress " + (folder_ / "set.kvr").string());
    ASSERT_EQ(run.status, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["points"].size(), 3u);
    EXPECT_EQ(json["static_sensor"], 1);
    EXPECT_FLOAT_EQ(json["velocity"].get<float>(), 1000.0f);
    EXPECT_FLOAT_EQ(json["source_distance"].get<float>(), 100.0f);

    std::ofstream(folder_ / "bad.kvr") << "not a regression file";
    std::ofstream(folder_ / "zero.kvr", std::ios::binary) << std::string(5957, '\0');
    const fs::path sparse = folder_ / "sparse.kvr";
    std::ofstream(sparse).close();
    fs::resize_file(sparse, 3'000'000'000);
    const fs::path kv3 = folder_ / "main.kv3";
    std::ofstream(kv3, std::ios::binary) << std::string("\xE3\xAB\x3B\x00", 4) << std::string(235876, '\0');
    for (const std::string& arguments :
         {"regress " + (folder_ / "bad.kvr").string(), std::string("regress"),
          "regress " + (folder_ / "none.kvr").string(), "regress " + (folder_ / "zero.kvr").string(),
          "regress " + sparse.string(), "regress " + kv3.string()}) {
        const ToolRun bad = Execute(arguments);
        EXPECT_EQ(bad.status, 2) << arguments;
        EXPECT_FALSE(bad.err.empty()) << arguments;
        EXPECT_TRUE(bad.out.empty()) << arguments;
        if (arguments != "regress") {
            EXPECT_NE(bad.err.find(arguments.substr(8)), std::string::npos) << bad.err;
        }
    }
}

}  // namespace
}  // namespace korvanta
