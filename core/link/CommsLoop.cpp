#include "core/link/CommsLoop.h"

#include "core/host/IMessageSink.h"
#include "core/text/StringIds.h"

namespace korvanta {

namespace {

constexpr int kRedBit = 2;
constexpr int kBlueBit = 4;
constexpr int kYellowBit = 8;
constexpr int kAllUnits = 15;

std::string PortPath(const std::string& portName)
{
    return "\\\\.\\" + portName;
}

}  // namespace

CommsLoop::CommsLoop(const CommsContext& context, std::stop_token stop)
    : context_(context),
      state_(*context.state),
      library_(*context.library),
      clock_(*context.clock),
      stop_(stop),
      link_(library_, clock_, stop),
      commands_(link_, library_, state_, context.blockReady)
{
}

int CommsLoop::NextPollUnit(int pollUnit, int sensorMask)
{
    switch (pollUnit) {
    case kRedBit:
        if (sensorMask & kBlueBit)
            return kBlueBit;
        if (sensorMask & kYellowBit)
            return kYellowBit;
        break;
    case kBlueBit:
        if (sensorMask & kYellowBit)
            return kYellowBit;
        if (sensorMask & kRedBit)
            return kRedBit;
        break;
    case kYellowBit:
        if (sensorMask & kRedBit)
            return kRedBit;
        if (sensorMask & kBlueBit)
            return kBlueBit;
        break;
    default:
        break;
    }
    return pollUnit;
}

int CommsLoop::Run()
{
    if (!WaitForPort()) {
        return 0;
    }
    clock_.SleepMs(kPortSettleMs);
    uint32_t errorId = str::kNoError;
    commands_.GetInterfaceSensorStatus(errorId);

    log_.Open(context_.logFolder);
    pollUnit_ = kFirstPollUnit;
    lastPoll_ = clock_.NowMs();

    while (!end_) {
        LinkCommand command;
        if (state_.GetNextCommand(command)) {
            RunCommand(command);
        }
        // Queued commands always go first; the poll waits for an empty queue.
        if (!end_ && portOpen_ && !suspended_ && state_.IsQueueEmpty() &&
            clock_.NowMs() - lastPoll_ >= kPollIntervalMs) {
            PollUnits();
        }
        // The pause between passes is there for an idle thread: a command waiting, or one
        // posted meanwhile, is taken at once.
        if (!end_ && state_.IsQueueEmpty()) {
            clock_.PauseMs(kPassPauseMs, state_.CommandPosted());
        }
        if (Stopping()) {
            end_ = true;
        }
    }
    log_.Close();
    return 0;
}

// Until a port is open only port commands have any effect. An end command ends the thread
// here too, so that a program closed before any port was chosen shuts down at once.
bool CommsLoop::WaitForPort()
{
    while (!portOpen_) {
        if (Stopping()) {
            return false;
        }
        LinkCommand command;
        if (state_.GetNextCommand(command)) {
            if (command.code == TM_CONFIGURE_COM_PORT) {
                const bool opened = OpenPort(command.portName);
                state_.SetPortResult(opened, portOpenCode_);
            } else if (command.code == TM_END_THREAD) {
                state_.ClearCommands();
                return false;
            }
        }
        clock_.PauseMs(kPassPauseMs, state_.CommandPosted());
    }
    return true;
}

bool CommsLoop::OpenPort(const std::string& portName)
{
    if (library_.CommIsOpen()) {
        library_.CommClose();
    }
    portOpenCode_ = library_.CommOpenStr(PortPath(portName), kBaudRate);
    portOpen_ = portOpenCode_ == 0;
    return portOpen_;
}

void CommsLoop::LogError(const char* name)
{
    log_.WriteLine(std::string("ERROR_") + name);
}

void CommsLoop::RunCommand(const LinkCommand& command)
{
    const char* name = CommsCommandName(command.code);
    if (name == nullptr) {
        log_.WriteLine("UNRECOGNISED MESSAGE");
        return;
    }
    log_.WriteLine(name);

    uint32_t errorId = str::kNoError;
    bool ok = true;
    switch (command.code) {
    case TM_END_THREAD:
        state_.ClearCommands();
        end_ = true;
        break;
    case TM_CONFIGURE_COM_PORT:
        ConfigurePort(command.portName);
        break;
    case TM_GET_INTERFACE_VERSION:
        ok = commands_.GetInterfaceVersion(errorId);
        break;
    case TM_GET_OUTSTATION_VERSION:
        ok = commands_.GetOutstationVersion(command.unit, errorId);
        break;
    case TM_GET_SENSOR_STATUS:
        // A refusal after the reset button leaves the ID alone and is not an error here.
        ok = commands_.GetSensorStatus(command.unitMask, errorId) || errorId == str::kNoError;
        lastPoll_ = clock_.NowMs();
        break;
    case TM_GET_CHARGE_STATUS:
        ok = commands_.RequestChargeStatus(errorId);
        break;
    case TM_START_LISTENING_MODE:
        ok = commands_.StartListeningMode(command.unit, errorId);
        listening_ = ok;
        listeningUnit_ = command.unit;
        listeningSinceMs_ = clock_.NowMs();
        break;
    case TM_STOP_LISTENING_MODE:
        ok = commands_.StopListeningMode(errorId);
        listening_ = false;
        break;
    case TM_SELECT_SENSORS:
        ok = commands_.SelectSensors(command.sensorMask, errorId);
        if (ok) {
            sensorMask_ = command.sensorMask;
        }
        break;
    case TM_SET_RADIO_MODE:
        ok = commands_.SetRadioMode(command.radioMode, errorId);
        break;
    case TM_GET_HEADPHONE_STATUS:
        ok = commands_.GetHeadphoneStatus(errorId);
        break;
    case TM_GET_DIAGNOSTICS_INFO:
        ok = commands_.GetDiagnosticsInfo(command.unit, errorId);
        break;
    case TM_CONTROL_BEACONS:
        ok = commands_.ControlBeacons(command.flag != 0, errorId);
        break;
    case TM_START_SAMPLING:
        StartSampling();
        break;
    case TM_GET_DATA_BLOCK:
        if (sampling_) {
            FetchDataBlock(command.threeStation != 0);
        }
        break;
    case TM_STOP_CORRELATING:
        sampling_ = false;
        break;
    case TM_SUSPEND_COMMS:
        suspended_ = true;
        commands_.SuspendComms();
        break;
    case TM_RESUME_COMMS:
        suspended_ = false;
        break;
    case TM_TEST_RADIO_COMMS:
        commands_.TestRadioComms(command.unit, command.flag != 0);
        lastPoll_ = clock_.NowMs();
        break;
    default:
        break;
    }
    if (!ok) {
        LogError(name);
    }
}

void CommsLoop::ConfigurePort(const std::string& portName)
{
    // A port chosen again starts the link afresh, as at program start: a suspension, a
    // measurement or listening from before the choice is over, and the poll runs again (it is
    // what notices the batteries and a unit that stops answering while idle).
    suspended_ = false;
    sampling_ = false;
    listening_ = false;
    pollUnit_ = kFirstPollUnit;
    state_.UpdateUnitPresence(0, 0, kAllUnits);
    if (!OpenPort(portName)) {
        LogError(CommsCommandName(TM_CONFIGURE_COM_PORT));
    }
    state_.SetPortResult(portOpen_, portOpenCode_);
    clock_.SleepMs(kPortSettleMs);
    uint32_t errorId = str::kNoError;
    commands_.GetInterfaceSensorStatus(errorId);
    lastPoll_ = clock_.NowMs();
}

void CommsLoop::StartSampling()
{
    uint32_t errorId = str::kNoError;
    bool started = commands_.StartSampling(errorId);
    for (int retry = 0; !started && retry < kStartSamplingRetries && !Stopping(); ++retry) {
        log_.WriteLine("START_SAMPLING_RETRY");
        started = commands_.StartSampling(errorId);
    }
    if (started) {
        sampling_ = true;
        return;
    }
    state_.SetSamplingAnswered(true);
    // During a measurement the user interface handles a failed restart itself; at the start of
    // one the user is told, through a posted notice: this thread never waits for the user
    // interface. A refusal the unit gives no reason for is reported as a communication fault
    // rather than as "no error".
    if (!sampling_ && context_.blockReady != nullptr) {
        const uint32_t shown = errorId == str::kNoError ? str::kCommunicationError : errorId;
        context_.blockReady->PostShowMessage(shown, kStyleExclamation);
    }
    LogError(CommsCommandName(TM_START_SAMPLING));
    sampling_ = false;
}

void CommsLoop::FetchDataBlock(bool threeStation)
{
    // A waiting command (a stop, say) goes before any retry.
    while (state_.IsQueueEmpty() && !Stopping()) {
        uint32_t errorId = str::kNoError;
        if (commands_.GetDataBlock(threeStation, errorId)) {
            // Time for the user interface to take the block out of the link state; it asks for
            // the next one once it has, and that ends the pause.
            clock_.PauseMs(kPassPauseMs, state_.CommandPosted());
            return;
        }
        // A lost link or the reset button ends the measurement; the user interface learns it
        // from the link-up flag.
        const bool fatal = errorId == str::kCommunicationError || errorId == str::kResetPressedDuringMeasurement;
        if (fatal) {
            sampling_ = false;
            // The reset button is a cause of its own, not a lost link: the user is told which.
            if (errorId == str::kResetPressedDuringMeasurement) {
                state_.SetResetPressed(true);
            }
            state_.SetLinkUp(false);
        }
        log_.WriteLine("GET_DATA_BLOCK_RETRY");
        clock_.SleepMs(kPassPauseMs);
        if (fatal) {
            return;
        }
    }
}

// The interface unit listens until it is told to stop; an outstation only until its time is up.
bool CommsLoop::ListeningNow() const
{
    return listening_ && (listeningUnit_ == 0 || clock_.NowMs() - listeningSinceMs_ < kStationListeningMs);
}

void CommsLoop::PollUnits()
{
    lastPoll_ = clock_.NowMs();
    if (ListeningNow() || sampling_) {
        return;
    }
    // Each step is a radio exchange of its own; a command posted meanwhile (a start, the end of
    // the program) goes before the rest of the poll.
    uint32_t errorId = str::kNoError;
    if (!commands_.GetInterfaceSensorStatus(errorId) || !state_.IsQueueEmpty()) {
        return;
    }
    if (!commands_.GetSensorStatus(pollUnit_, errorId) || !state_.IsQueueEmpty()) {
        return;
    }
    commands_.RequestChargeStatus(errorId);
    pollUnit_ = NextPollUnit(pollUnit_, sensorMask_);
}

}  // namespace korvanta
