#pragma once

#include <chrono>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <pty.h>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "FakeClock.h"
#include "RecordingSinks.h"
#include "core/link/CLinkState.h"
#include "core/link/CRadioLink.h"
#include "core/link/LinkCommands.h"
#include "core/link/OrvelinkLibrary.h"
#include "orvelink/framing/LinkClock.h"
#include "orvelink/framing/SteadyLinkClock.h"
#include "orvelink/orvelink_transport.h"
#include "sim/FdTransport.h"
#include "sim/FieldKit.h"
#include "sim/InProcessKit.h"
#include "sim/KitDevice.h"
#include "sim/KitThread.h"

namespace korvanta::test {

// The program's clock as the kit and the link library read it, so that all three keep one time.
class ProgramTimeLinkClock final : public orvelink::LinkClock {
public:
    explicit ProgramTimeLinkClock(IClock& clock) : clock_(clock) {}
    TimePoint Now() const override { return TimePoint(std::chrono::milliseconds(clock_.NowMs())); }
    static int64_t NowMs(void* context) { return static_cast<IClock*>(context)->NowMs(); }

private:
    IClock& clock_;
};

// Real time with short pauses: time-outs keep their real length (generous on a slow or
// instrumented build), while the poll cycles of an exchange do not idle.
class QuickRealClock final : public IClock {
public:
    int64_t NowMs() override
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    void SleepMs(int64_t ms) override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min<int64_t>(ms, 1)));
    }
};

inline sim::KitOptions FastKit()
{
    sim::KitOptions options;
    options.paced = false;
    return options;
}

// The program's side of the link (the real link library, the link wrapper and every command
// routine) over a field kit.
class KitRig {
public:
    virtual ~KitRig() = default;
    virtual sim::FieldKit& Kit() = 0;
    virtual IClock& Clock() = 0;

    bool opened = false;
    CLinkState state;
    RecordingNotifier notifier;
    OrvelinkLibrary library;
    std::unique_ptr<CRadioLink> link;
    std::unique_ptr<LinkCommands> commands;

protected:
    void Connect(const std::string& port)
    {
        link = std::make_unique<CRadioLink>(library, Clock());
        commands = std::make_unique<LinkCommands>(*link, library, state, &notifier);
        opened = library.CommOpenStr(port, 57600) == 0;
    }
};

// The kit in this process as the port "SIM", on the program's fake clock: everything runs on the
// test's thread, every wait takes no real time, and each run is the same.
class InProcessRig final : public KitRig {
public:
    explicit InProcessRig(const sim::KitOptions& options = FastKit()) : linkClock_(clock_)
    {
        orvelink_set_clock(&ProgramTimeLinkClock::NowMs, static_cast<IClock*>(&clock_));
        kit_ = sim::RegisterSimTransport(options, &linkClock_);
        if (kit_) {
            Connect("\\\\.\\SIM");
        }
    }
    ~InProcessRig() override
    {
        library.CommClose();
        kit_.reset();
        orvelink_set_clock(nullptr, nullptr);
    }

    sim::FieldKit& Kit() override { return kit_->Kit(); }
    sim::KitDevice& Device() { return kit_->Device(); }
    IClock& Clock() override { return clock_; }
    FakeClock& Fake() { return clock_; }

private:
    FakeClock clock_;
    ProgramTimeLinkClock linkClock_;
    std::unique_ptr<sim::InProcessKit> kit_;
};

// The kit on the master side of a pseudo-terminal opened here, on a thread of its own; the
// program opens the terminal side by its path, as it would a serial port.
class PseudoTerminalRig final : public KitRig {
public:
    explicit PseudoTerminalRig(const sim::KitOptions& options = FastKit())
    {
        termios raw{};
        cfmakeraw(&raw);
        char name[256] = {};
        if (openpty(&master_, &slave_, name, &raw, nullptr) != 0) {
            return;
        }
        fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
        kit_ = std::make_unique<sim::FieldKit>(options, kitClock_);
        line_ = std::make_unique<sim::FdTransport>(master_);
        device_ = std::make_unique<sim::KitDevice>(*line_, *kit_, kitClock_, options);
        thread_ = std::make_unique<sim::KitThread>(*device_);
        Connect(name);
    }
    ~PseudoTerminalRig() override
    {
        library.CommClose();
        thread_.reset();
        device_.reset();
        if (slave_ >= 0)
            close(slave_);
        if (master_ >= 0)
            close(master_);
    }

    sim::FieldKit& Kit() override { return *kit_; }
    IClock& Clock() override { return clock_; }

private:
    QuickRealClock clock_;
    orvelink::SteadyLinkClock kitClock_;
    int master_ = -1;
    int slave_ = -1;
    std::unique_ptr<sim::FieldKit> kit_;
    std::unique_ptr<sim::FdTransport> line_;
    std::unique_ptr<sim::KitDevice> device_;
    std::unique_ptr<sim::KitThread> thread_;
};

// Polls `done` until it holds or `limit` of real time has passed.
inline bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(30))
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace korvanta::test
