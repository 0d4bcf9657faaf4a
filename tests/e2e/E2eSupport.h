#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "core/document/CKorvantaDoc.h"
#include "core/document/HeadlessLink.h"
#include "core/document/LeakTravelTimes.h"
#include "core/document/MeasurementRunner.h"
#include "core/document/PostedCommandQueue.h"
#include "core/document/TextMessageSink.h"
#include "core/link/OrvelinkLibrary.h"
#include "sim/InProcessKit.h"
#include "tests/support/PipeFactory.h"
#include "tests/support/TempFolder.h"

namespace korvanta::e2e {

// Real time run faster: every wait and time-out of the program takes 1/Factor of its time, for
// every thread alike, so the program's timing keeps its proportions.
template <int64_t Factor>
class ScaledClockOf final : public IClock {
public:
    static constexpr int64_t kFactor = Factor;

    int64_t NowMs() override
    {
        const auto elapsed = std::chrono::steady_clock::now() - start_;
        return std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count() * kFactor / 1000;
    }
    void SleepMs(int64_t ms) override { std::this_thread::sleep_for(std::chrono::microseconds(ms * 1000 / kFactor)); }

private:
    const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

using ScaledClock = ScaledClockOf<10>;

// A fresh folder holding copies of the default data files, removed at the end of the test.
class TempFolder : public test::TempFolder {
public:
    TempFolder() { AddDefaultDataFiles(); }
};

using test::Section;

// The kit models one straight pipe of one velocity with red at 0 and blue at its far end; a
// leak on a pipe of sections between red and blue is placed so that its noise takes as long to
// each of them as along the sections.
inline sim::PipeLayout RedBlueLayout(const LeakTravelTimes& times)
{
    constexpr double kVelocity = 1000.0;
    sim::PipeLayout layout;
    layout.velocity = kVelocity;
    layout.lengthMetres = (times.toStart + times.toEnd) * kVelocity;
    layout.leakMetres = times.toStart * kVelocity;
    return layout;
}

// The kit unpaced, with a fixed seed, hearing a leak `leakMetres` along `pipe` from red.
inline sim::KitOptions FastKit(const PipeSections& pipe, double leakMetres)
{
    sim::KitOptions options;
    options.paced = false;
    options.seed = 17;
    options.pipe = RedBlueLayout(*TravelTimesToLeak(pipe, leakMetres));
    return options;
}

// A document on the simulated kit through the real link library, the comms thread and the "SIM"
// port, as the program runs it. The program's clock is a template parameter: the tests mostly run
// it faster than real time, faults that cost the link's own retransmission time need real time.
template <typename Clock>
class BasicKitRig : public IDocumentObserver {
public:
    // `kitClock` runs the kit's timers (real time when none is given); `through` is the link
    // library the program talks to, one that wraps the real one (the real one when none is given).
    explicit BasicKitRig(const sim::KitOptions& options, const orvelink::LinkClock* kitClock = nullptr,
                         ILinkLibrary* through = nullptr)
        : messages(messageText)
    {
        kit = sim::RegisterSimTransport(options, kitClock, &kitError);
        headless = std::make_unique<HeadlessLink>(link, through != nullptr ? *through : library, clock, &notices,
                                                  folder.Path());
        DocumentContext context;
        context.link = &link;
        context.clock = &clock;
        context.messages = &messages;
        context.settings = &settings;
        context.dataFolder = folder.Path();
        document = std::make_unique<CKorvantaDoc>(context);
        document->AddObserver(this);
    }
    ~BasicKitRig() override
    {
        document->RemoveObserver(this);
        runner.reset();
        headless.reset();  // ends the comms thread before the kit goes
        document.reset();
        kit.reset();
    }

    bool Open()
    {
        return kit && headless->Open(sim::InProcessKit::kTransportName, 20000) == HeadlessLink::OpenResult::Ok;
    }

    MeasurementRunner::Outcome Measure(uint32_t pairs)
    {
        runner = std::make_unique<MeasurementRunner>(*document, link, notices, messages, clock);
        MeasurementRunner::Options options;
        options.pairs = pairs;
        options.timeoutMs = 120000;
        return runner->Run(options);
    }

    void OnDocumentUpdate(uint32_t hint) override
    {
        hints.push_back(hint);
        if (onHint)
            onHint(hint);
    }
    size_t Count(uint32_t hint) const
    {
        size_t count = 0;
        for (uint32_t h : hints)
            count += h == hint ? 1 : 0;
        return count;
    }

    TempFolder folder;
    Clock clock;
    std::ostringstream messageText;
    TextMessageSink messages;
    InMemorySettings settings;
    CLinkState link;
    OrvelinkLibrary library;
    PostedCommandQueue notices;
    std::string kitError;
    std::unique_ptr<sim::InProcessKit> kit;
    std::unique_ptr<HeadlessLink> headless;
    std::unique_ptr<CKorvantaDoc> document;
    std::unique_ptr<MeasurementRunner> runner;
    std::vector<uint32_t> hints;
    std::function<void(uint32_t)> onHint;
};

using KitRig = BasicKitRig<ScaledClock>;

}  // namespace korvanta::e2e
