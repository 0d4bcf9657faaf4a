// korvanta-sim: the simulated field kit on a pseudo-terminal, for a program that opens it as its
// serial port. Serves until SIGINT or SIGTERM, then removes the published link.
#include <chrono>
#include <csignal>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "orvelink/framing/SteadyLinkClock.h"
#include "sim/FdTransport.h"
#include "sim/FieldKit.h"
#include "sim/KitCommandLine.h"
#include "sim/KitDevice.h"
#include "sim/app/PublishedTerminal.h"
#include "sim/scenario/Scenario.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int)
{
    stopRequested = 1;
}

void ReportCounters(const korvanta::sim::FieldKit& kit, const korvanta::sim::KitDevice& device)
{
    const korvanta::sim::KitCounters counters = kit.Counters();
    const korvanta::sim::LineFaultCounters line = device.LineCounters();
    std::cerr << "korvanta-sim: " << counters.requests << " requests, " << counters.replies << " replies, "
              << counters.blocksServed << " blocks, " << counters.samplingStarts << " sampling starts ("
              << counters.samplingRefusals << " refused), " << counters.resetPresses << " reset presses; frames lost "
              << line.lostOut + line.lostIn << ", damaged " << line.corruptedOut + line.corruptedIn << "\n";
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace korvanta::sim;
    KitCommandLine command;
    std::string error;
    if (!ParseKitCommandLine(std::vector<std::string>(argv + 1, argv + argc), command, error)) {
        std::cerr << "korvanta-sim: " << error << "\n" << KitUsage();
        return 2;
    }
    if (command.help) {
        std::cout << KitUsage();
        return 0;
    }

    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    PublishedTerminal terminal;
    if (!terminal.Open(command.linkPath, error)) {
        std::cerr << "korvanta-sim: " << error << "\n";
        return 1;
    }
    korvanta::orvelink::SteadyLinkClock clock;
    FieldKit kit(command.options, clock);
    FdTransport line(terminal.MasterFd());
    KitDevice device(line, kit, clock, command.options);
    std::cerr << "korvanta-sim: serving " << command.linkPath << " -> " << terminal.TerminalPath()
              << (command.options.paced ? " at 57600 baud" : " unpaced") << "\n";
    for (const std::string& warning : command.warnings) {
        std::cerr << "korvanta-sim: warning: " << warning << "\n";
    }
    if (command.options.scenario) {
        std::cerr << "korvanta-sim: scenario " << command.scenarioPath << ": " << command.options.scenario->description
                  << "\n";
    }

    while (!stopRequested) {
        device.Poll();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ReportCounters(kit, device);
    return 0;
}
