// probe: opens a port through the comms thread, as the program does, and reports what the
// interface unit says about itself and its outstations.
#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <thread>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/RunLogFolder.h"
#include "core/link/CLinkState.h"
#include "core/link/CommsThread.h"
#include "core/link/OrvelinkLibrary.h"
#include "core/link/SteadyClock.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"
#include "sim/InProcessKit.h"
#include "sim/scenario/ScenarioKitOptions.h"

namespace korvanta::cli {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::seconds;

constexpr int kUnits = CLinkState::kUnits;
// Opening a port never waits on the far end.
constexpr seconds kPortWait{10};
// The comms thread settles 1.3 s after opening, then asks the interface unit; a unit that does
// not answer is asked again by the periodic poll every 2 s.
constexpr seconds kInterfaceWait{12};
// Once the last request has left the queue, its exchange ends within the longest wait for an
// acknowledgement plus the charge request's 3 s time-out.
constexpr seconds kLastExchangeWait{8};
// All the questions together, should every one of them run into its time-out.
constexpr seconds kQuestionsWait{70};
constexpr int64_t kThreadStopMs = 3000;

struct ProbeResult {
    bool portOpened = false;
    bool interfacePresent = false;
    bool answered = false;  // the charge report, the last question, came back
    std::array<std::string, kUnits> versions;
    std::array<bool, kUnits> present{};
    std::array<bool, kUnits> sensor{};
    std::array<int, kUnits> battery{};
    bool charging = false;
};

bool WaitFor(const std::function<bool()>& done, Clock::duration limit)
{
    const auto deadline = Clock::now() + limit;
    while (!done()) {
        if (Clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

LinkCommand Command(int code, int unit = 0, int unitMask = 0)
{
    LinkCommand command;
    command.code = code;
    command.unit = unit;
    command.unitMask = unitMask;
    return command;
}

bool OpenPort(CLinkState& state, const std::string& port)
{
    LinkCommand open = Command(TM_CONFIGURE_COM_PORT);
    open.portName = port;
    state.PostUrgentCommand(open);
    if (!WaitFor([&] { return state.IsPortResultPending(); }, kPortWait)) {
        return false;
    }
    return state.GetPortResult();
}

bool InterfacePresent(CLinkState& state)
{
    bool present = false;
    bool sensor = false;
    state.GetUnitStatus(0, present, sensor);
    return present;
}

// Asks every version, the status of all units and the batteries in one batch, so that no
// periodic poll runs in between; the charge report comes last and closes the batch.
bool AskQuestions(CLinkState& state)
{
    for (int unit = 0; unit < kUnits; ++unit) {
        state.SetVersionUpdated(unit, false);
    }
    state.SetSensorStatusUpdated(false);
    state.SetChargeUpdated(false);
    state.PostCommand(Command(TM_GET_INTERFACE_VERSION));
    for (int unit = 1; unit < kUnits; ++unit) {
        state.PostCommand(Command(TM_GET_OUTSTATION_VERSION, unit));
    }
    state.PostCommand(Command(TM_GET_SENSOR_STATUS, 0, 15));
    state.PostCommand(Command(TM_GET_CHARGE_STATUS));

    const auto deadline = Clock::now() + kQuestionsWait;
    std::optional<Clock::time_point> queueEmptySince;
    while (!state.IsChargeUpdated()) {
        const auto now = Clock::now();
        if (!queueEmptySince && state.IsQueueEmpty()) {
            queueEmptySince = now;
        }
        if (now >= deadline || (queueEmptySince && now - *queueEmptySince >= kLastExchangeWait)) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

void ReadResults(CLinkState& state, ProbeResult& result)
{
    for (int unit = 0; unit < kUnits; ++unit) {
        if (state.IsVersionUpdated(unit)) {
            result.versions[unit] = state.GetVersion(unit);
        }
        bool present = false;
        bool sensor = false;
        state.GetUnitStatus(unit, present, sensor);
        result.present[unit] = present;
        result.sensor[unit] = sensor;
    }
    std::array<int, kUnits> battery{};
    int charging = 0;
    state.GetChargeStatus(battery, charging);
    result.battery = battery;
    result.charging = charging != 0;
    result.interfacePresent = result.present[0];
}

std::string BoolArray(const std::array<bool, kUnits>& values)
{
    std::string json = "[";
    for (int i = 0; i < kUnits; ++i) {
        json += (i > 0 ? ", " : "") + std::string(values[i] ? "true" : "false");
    }
    return json + "]";
}

std::string TextArray(const std::array<std::string, kUnits>& values)
{
    std::string json = "[";
    for (int i = 0; i < kUnits; ++i) {
        json += (i > 0 ? ", " : "") + JsonWriter::Quote(values[i]);
    }
    return json + "]";
}

std::string ResultJson(const ProbeResult& result)
{
    JsonWriter json;
    json.Add("port_opened", result.portOpened);
    json.Add("interface_present", result.interfacePresent);
    json.AddRaw("versions", TextArray(result.versions));
    json.AddRaw("present", BoolArray(result.present));
    json.AddRaw("sensor", BoolArray(result.sensor));
    const std::array<int32_t, kUnits> battery = {result.battery[0], result.battery[1], result.battery[2],
                                                 result.battery[3]};
    json.Add("battery", std::span<const int32_t>(battery));
    json.Add("charging", result.charging);
    return json.Finish();
}

// Runs the comms thread over the port and fills `result`; the reason when something failed.
std::string Probe(const std::string& port, const std::filesystem::path& logFolder, ProbeResult& result)
{
    CLinkState state;
    OrvelinkLibrary library;
    SteadyClock clock;
    CommsContext context;
    context.state = &state;
    context.library = &library;
    context.clock = &clock;
    context.logFolder = logFolder;
    CommsThread thread(context);
    if (!thread.Start()) {
        return "the comms thread could not be started";
    }
    std::string failure;
    result.portOpened = OpenPort(state, port);
    if (!result.portOpened) {
        failure = "port " + port + " could not be opened";
        if (state.PortOpenCode() == ILinkLibrary::kOpenPortInUse) {
            failure += ": " + std::string(LoadString(str::kPortInUse));
        }
    } else if (!WaitFor([&] { return InterfacePresent(state) && state.IsSensorStatusUpdated(); }, kInterfaceWait)) {
        failure = "the interface unit does not answer on " + port;
    } else {
        result.answered = AskQuestions(state);
        if (!result.answered) {
            failure = "the interface unit stopped answering on " + port;
        }
    }
    thread.Stop(kThreadStopMs);
    ReadResults(state, result);
    if (result.portOpened && failure.empty() && !result.interfacePresent) {
        failure = "the interface unit does not answer on " + port;
    }
    return failure;
}

}  // namespace

int RunProbe(const std::vector<std::string>& args)
{
    const CommandLine options(args, {"port", "log"}, {"fast"});
    if (!options.Positional().empty()) {
        throw UsageError("unexpected argument '" + options.Positional()[0] + "'");
    }
    const auto port = options.Value("port");
    if (!port || port->empty()) {
        throw UsageError("--port PORT is required");
    }
    // The simulated kit answers on "SIM" inside this process; it stays registered until the
    // comms thread has ended.
    std::unique_ptr<sim::InProcessKit> kit;
    if (*port == sim::InProcessKit::kTransportName) {
        // The kit hears the scenario named by KORVANTA_SIM_SCENARIO, or its default.
        sim::KitOptions kitOptions;
        std::string error;
        if (!sim::ProgramKitOptions(kitOptions, error)) {
            std::cerr << "korvanta-cli probe: the simulated kit's scenario: " << error << "\n";
            return 1;
        }
        if (options.Has("fast")) {
            kitOptions.paced = false;
        }
        kit = sim::RegisterSimTransport(kitOptions, nullptr, &error);
        if (!kit) {
            std::cerr << "korvanta-cli probe: " << error << "\n";
            return 1;
        }
    } else if (options.Has("fast")) {
        throw UsageError("--fast applies only to the simulated kit on port SIM");
    }
    const RunLogFolder logFolder(options.Value("log"));
    ProbeResult result;
    const std::string failure = Probe(*port, logFolder.Path(), result);
    std::cout << ResultJson(result) << "\n";
    if (!failure.empty()) {
        std::cerr << "korvanta-cli probe: " << failure << "\n";
        return 1;
    }
    return 0;
}

}  // namespace korvanta::cli
