#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/Commands.h"

namespace {

constexpr const char* kUsage =
    "usage: korvanta-cli COMMAND [options]\n"
    "  correlate [--range 0|1|2] [--pair CODE] [--low HZ] [--high HZ] [--notch LOW:HIGH]...\n"
    "            [--auto] [--blank COL1:COL2] [--zoom COLUMN:FACTOR] BLOCKS\n"
    "  locate --section LENGTH:VELOCITY [--section ...] --delay SECONDS\n"
    "  simulate --out BLOCKS --delay SECONDS --pairs N [--snr DB] [--seed K] [--band LOW:HIGH]\n"
    "  measure --port PORT [--pairs N] [--range R] [--pair CODE]\n"
    "          [--section LENGTH:VELOCITY[:DIAMETER[:MATERIAL]]]... [--low HZ] [--high HZ] [--auto]\n"
    "          [--out FILE.kvd] [--leak METRES] [--snr DB] [--fast]   (the last three with --port SIM)\n"
    "          [--log FOLDER]\n"
    "  show FILE.kvd\n"
    "  measure3 --port PORT --distances RED_BLUE:BLUE_YELLOW [--pairs N] [--material NAME|none]\n"
    "           [--out FILE.kv3] [--fast] [--log FOLDER]   (--fast with --port SIM)\n"
    "  show3 FILE.kv3\n"
    "  export FILE.kvd OUT [--gis CODE] [--imperial] [--ms]   (writes OUT.csv and OUT.bmp)\n"
    "  regress FILE.kvr\n"
#ifdef KORVANTA_CLI_PRINT
    "  print FILE.kvd OUT.pdf [--imperial] [--ms]\n"
#endif
    "  probe --port PORT [--fast] [--log FOLDER]   (--fast with --port SIM, the simulated kit in this process)\n"
    "  measure, measure3 and probe keep the comms log (DebugFile.txt) in FOLDER with --log, else in a\n"
    "  private temporary folder removed at the end of the run\n"
    "  Ctrl-C or SIGTERM stops measure and measure3 as Stop does: the pairs so far are saved to --out\n"
    "  and printed; exit status 130 (SIGINT) or 143 (SIGTERM)\n";

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << kUsage;
        return 2;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    try {
        if (command == "correlate")
            return korvanta::cli::RunCorrelate(args);
        if (command == "locate")
            return korvanta::cli::RunLocate(args);
        if (command == "simulate")
            return korvanta::cli::RunSimulate(args);
        if (command == "probe")
            return korvanta::cli::RunProbe(args);
        if (command == "measure")
            return korvanta::cli::RunMeasure(args);
        if (command == "show")
            return korvanta::cli::RunShow(args);
        if (command == "measure3")
            return korvanta::cli::RunMeasure3(args);
        if (command == "show3")
            return korvanta::cli::RunShow3(args);
        if (command == "export")
            return korvanta::cli::RunExport(args);
        if (command == "regress")
            return korvanta::cli::RunRegress(args);
#ifdef KORVANTA_CLI_PRINT
        if (command == "print")
            return korvanta::cli::RunPrint(args);
#endif
        if (command == "--help" || command == "help") {
            std::cout << kUsage;
            return 0;
        }
        std::cerr << "korvanta-cli: unknown command '" << command << "'\n" << kUsage;
        return 2;
    } catch (const korvanta::cli::UsageError& e) {
        std::cerr << "korvanta-cli " << command << ": " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "korvanta-cli " << command << ": " << e.what() << "\n";
        return 1;
    }
}
