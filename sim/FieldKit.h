#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "orvelink/framing/LinkClock.h"
#include "sim/GaussianNoise.h"
#include "sim/KitCounters.h"
#include "sim/KitOptions.h"
#include "sim/KitReplies.h"
#include "sim/SamplingRun.h"
#include "sim/SpectrumEncoder.h"

namespace korvanta::sim {

// A reply and the moment it may leave; empty bytes leave the request unanswered.
struct KitReply {
    std::vector<uint8_t> bytes;
    orvelink::LinkClock::TimePoint due{};
};

// The interface unit and its three outstations: answers each command message as the hardware
// does, samples the modelled leak when asked, and fails on demand. Knows nothing of the line;
// the device (KitDevice) hands it whole messages. Every operation is thread-safe, so a test or
// the simulator's user may change the units while the link runs.
class FieldKit {
public:
    using TimePoint = orvelink::LinkClock::TimePoint;

    // Radio round trip to an outstation, and how long the interface unit waits for one that is
    // silent; both only when paced.
    static constexpr double kRadioHopSeconds = 0.12;
    static constexpr double kRadioTimeoutSeconds = 0.6;
    static constexpr uint8_t kFlatBattery = 6;

    // `options` must pass CheckKitOptions. The clock must outlive the kit.
    FieldKit(const KitOptions& options, const orvelink::LinkClock& clock);

    KitReply Handle(std::span<const uint8_t> request);

    // The units; numbers outside 0..3 are ignored, and so is switching or faulting unit 0.
    void SetUnitOn(int unit, bool on);
    void SetSensor(int unit, bool plugged);
    void SetFaulty(int unit, bool faulty);
    void SetBattery(int unit, uint8_t value);
    void FlattenBattery(int unit);
    void SetFirmware(int unit, const std::array<uint8_t, 3>& firmware);
    // From the next radio test on; a single LinkQuality makes every test come out so. Shares that
    // fail LinkShares::Check are ignored.
    void SetLinkQuality(int unit, const LinkShares& shares);
    void SetDiagnostics(int unit, const std::array<uint16_t, kDiagnosticsChannels>& counts);
    void SetCharging(bool charging);
    void SetHeadphones(bool connected);

    // The reset button: now, `seconds` from now, or when the next request arrives. A press stops
    // sampling and listening; the next sensor-status reply carries the reset flag, and so does
    // the next data-block reply when sampling was running.
    void PressResetButton();
    void PressResetAfter(double seconds);
    void PressResetAtNextRequest();

    // The next `count` requests are acknowledged on the line but never answered.
    void IgnoreNextRequests(int count);
    // The whole kit stops talking (a dead far end) or comes back.
    void SetSilent(bool silent);
    // The next request is acknowledged, then the kit falls silent before it answers.
    void SilenceAfterNextRequest();
    bool IsSilent() const;

    // Puts the sensors on another scenario's pipe from the next start of sampling on; null goes
    // back to the kit's own. The program lays its three-station main out this way at the
    // distances the user enters.
    void SetScenario(std::shared_ptr<const Scenario> scenario);

    KitCounters Counters() const;
    KitSnapshot Snapshot() const;

private:
    KitReply Dispatch(std::span<const uint8_t> request, TimePoint now);
    KitReply After(std::vector<uint8_t> bytes, TimePoint now, double seconds) const;
    double RadioDelay(int unit) const;
    KitReply Version(std::span<const uint8_t> request, TimePoint now);
    KitReply SensorStatus(uint8_t mask, TimePoint now);
    KitReply Charge(TimePoint now) const;
    KitReply StartListening(int unit, TimePoint now);
    KitReply Diagnostics(int unit, TimePoint now) const;
    KitReply RadioTest(uint8_t modeByte, int unit, TimePoint now);
    KitReply StartSampling(TimePoint now);
    KitReply DataBlock(TimePoint now);
    std::vector<uint8_t> CodedBlockReply(const BlockSlot& slot, std::vector<double> samples) const;
    bool StartRun(const std::vector<uint8_t>& units, TimePoint start);
    void Press();
    void PressIfDue(TimePoint now);
    static bool IsOutstation(int unit) { return unit >= 1 && unit <= 3; }
    static bool IsUnit(int unit) { return unit >= 0 && unit < kKitUnits; }

    mutable std::mutex mutex_;
    const orvelink::LinkClock& clock_;
    const KitOptions options_;
    const SpectrumEncoder encoder_;

    std::array<UnitSettings, kKitUnits> units_;
    bool charging_;
    bool headphones_;
    uint8_t selectedMask_ = 6;  // red and blue until the program selects
    int radioMode_ = 0;
    uint8_t beaconMask_ = 0;
    int listeningUnit_ = -1;

    bool sampling_ = false;
    std::optional<SamplingRun> run_;
    std::shared_ptr<const Scenario> scenario_;  // in place of the options' scenario when set
    TimePoint runStart_{};

    std::optional<TimePoint> resetAt_;
    bool resetAtNextRequest_ = false;
    bool statusResetLatch_ = false;  // the next sensor-status reply carries the reset flag
    bool blockResetLatch_ = false;   // the next data-block reply does

    int ignoreCount_ = 0;
    bool silenceAfterNext_ = false;
    bool silent_ = false;

    // Each outstation's radio tests are drawn from a stream of the kit's seed of its own, so a
    // run repeats and one unit's tests do not shift another's.
    std::array<GaussianNoise, kKitUnits> radioDraws_;

    KitCounters counters_;
};

}  // namespace korvanta::sim
