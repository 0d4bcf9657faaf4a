#include "sim/FieldKit.h"

#include <algorithm>
#include <chrono>

#include "sim/BlockTiming.h"
#include "sim/scenario/ScenarioBlockSource.h"

namespace korvanta::sim {

namespace {

using Duration = orvelink::LinkClock::TimePoint::duration;

Duration Seconds(double seconds)
{
    return std::chrono::duration_cast<Duration>(std::chrono::duration<double>(seconds));
}

// Minimum request length of each known opcode; 0 for an opcode the interface unit does not know.
size_t RequestLength(uint8_t opcode)
{
    switch (opcode) {
    case kOpInterfaceVersion:
    case kOpChargeStatus:
    case kOpStartSampling:
    case kOpDataBlock:
    case kOpStopListening:
    case kOpHeadphones:
        return 1;
    case kOpStartListening:
    case kOpSensorStatus:
    case kOpSelectSensors:
    case kOpOutstationVersion:
    case kOpDiagnostics:
        return 2;
    case kOpRadioTest:
    case kOpRadioMode:
    case kOpBeacons:
        return 3;
    default:
        return 0;
    }
}

// Streams of the kit's seed for the radio tests, clear of the leak model's (source, stations).
constexpr uint64_t kRadioTestStream = 0x7AD10;

RadioTestOutcome OutcomeOf(LinkQuality quality)
{
    switch (quality) {
    case LinkQuality::Perfect:
        return RadioTestOutcome::Perfect;
    case LinkQuality::Acceptable:
        return RadioTestOutcome::Acceptable;
    case LinkQuality::Failed:
        break;
    }
    return RadioTestOutcome::Failed;
}

// A data-block reply without a block: nothing is sampling, or the reset button ended it.
std::vector<uint8_t> EmptyBlockReply(uint8_t flags)
{
    DataBlockRecord record;
    record.status = kBlockNothingSampled;
    return DataBlockReply(record, flags);
}

}  // namespace

FieldKit::FieldKit(const KitOptions& options, const orvelink::LinkClock& clock)
    : clock_(clock),
      options_(options),
      units_(options.units),
      charging_(options.charging),
      headphones_(options.headphones),
      radioDraws_{GaussianNoise(options.seed, kRadioTestStream), GaussianNoise(options.seed, kRadioTestStream + 1),
                  GaussianNoise(options.seed, kRadioTestStream + 2), GaussianNoise(options.seed, kRadioTestStream + 3)}
{
    if (options.resetAfterSeconds) {
        resetAt_ = clock_.Now() + Seconds(*options.resetAfterSeconds);
    }
}

KitReply FieldKit::Handle(std::span<const uint8_t> request)
{
    std::lock_guard lock(mutex_);
    const TimePoint now = clock_.Now();
    if (silent_) {
        return {};
    }
    ++counters_.requests;
    if (request.empty()) {
        ++counters_.rejected;
        return {};
    }
    ++counters_.requestsByOpcode[request[0]];
    if (resetAtNextRequest_) {
        resetAtNextRequest_ = false;
        Press();
    }
    PressIfDue(now);
    if (silenceAfterNext_) {
        silenceAfterNext_ = false;
        silent_ = true;
        ++counters_.unanswered;
        return {};
    }
    if (ignoreCount_ > 0) {
        --ignoreCount_;
        ++counters_.unanswered;
        return {};
    }
    KitReply reply = Dispatch(request, now);
    if (!reply.bytes.empty()) {
        ++counters_.replies;
    }
    return reply;
}

KitReply FieldKit::After(std::vector<uint8_t> bytes, TimePoint now, double seconds) const
{
    return {std::move(bytes), options_.paced ? now + Seconds(seconds) : now};
}

double FieldKit::RadioDelay(int unit) const
{
    if (!IsOutstation(unit)) {
        return 0.0;
    }
    return units_[unit].on ? kRadioHopSeconds + units_[unit].lateAnswerSeconds : kRadioTimeoutSeconds;
}

KitReply FieldKit::Dispatch(std::span<const uint8_t> request, TimePoint now)
{
    const uint8_t opcode = request[0];
    const size_t needed = RequestLength(opcode);
    if (needed == 0 || request.size() < needed) {
        ++counters_.rejected;
        return After(StatusReply(opcode, kStatusRejected), now, 0.0);
    }
    switch (opcode) {
    case kOpInterfaceVersion:
    case kOpOutstationVersion:
        return Version(request, now);
    case kOpStartListening:
        return StartListening(request[1], now);
    case kOpSensorStatus:
        return SensorStatus(request[1], now);
    case kOpSelectSensors:
        selectedMask_ = request[1] & 0x0F;
        return After(EchoReply(opcode), now, 0.0);
    case kOpChargeStatus:
        return Charge(now);
    case kOpStartSampling:
        return StartSampling(now);
    case kOpDataBlock:
        return DataBlock(now);
    case kOpRadioTest:
        return RadioTest(request[1], request[2], now);
    case kOpRadioMode:
        radioMode_ = request[2];
        return After(EchoReply(opcode), now, 0.0);
    case kOpStopListening:
        listeningUnit_ = -1;
        return After(StatusReply(opcode, 0), now, 0.0);
    case kOpBeacons:
        // Byte 1 names the units whose beacon goes on, byte 2 those whose beacon goes off.
        beaconMask_ = static_cast<uint8_t>((beaconMask_ | request[1]) & ~request[2] & 0x0F);
        return After(EchoReply(opcode), now, 0.0);
    case kOpHeadphones:
        return After(StatusReply(opcode, headphones_ ? 1 : 0), now, 0.0);
    case kOpDiagnostics:
        return Diagnostics(request[1], now);
    default:
        return {};  // RequestLength knows no other opcode
    }
}

KitReply FieldKit::Version(std::span<const uint8_t> request, TimePoint now)
{
    if (request[0] == kOpInterfaceVersion) {
        return After(VersionReply(kOpInterfaceVersion, 0, units_[kInterfaceUnit].firmware), now, 0.0);
    }
    const int unit = request[1];
    const bool answers = unit == kInterfaceUnit || (IsOutstation(unit) && units_[unit].on);
    if (!answers) {
        return After(VersionReply(kOpOutstationVersion, 1, {}), now, IsUnit(unit) ? RadioDelay(unit) : 0.0);
    }
    return After(VersionReply(kOpOutstationVersion, 0, units_[unit].firmware), now, RadioDelay(unit));
}

KitReply FieldKit::SensorStatus(uint8_t mask, TimePoint now)
{
    uint8_t present = 0;
    uint8_t sensors = 0;
    double delay = 0.0;
    for (int unit = 0; unit < kKitUnits; ++unit) {
        const uint8_t bit = UnitBit(unit);
        if (!(mask & bit)) {
            continue;
        }
        delay += RadioDelay(unit);
        if (unit == kInterfaceUnit || units_[unit].on) {
            present |= bit;
            if (units_[unit].sensor) {
                sensors |= bit;
            }
        }
    }
    uint8_t flags = 0;
    if (statusResetLatch_) {
        statusResetLatch_ = false;
        flags |= kResetFlag;
        ++counters_.resetReports;
    }
    return After(SensorStatusReply(present, flags, sensors), now, delay);
}

KitReply FieldKit::Charge(TimePoint now) const
{
    std::array<uint8_t, kKitUnits> batteries{};
    for (int unit = 0; unit < kKitUnits; ++unit) {
        // The interface unit knows nothing of an outstation that does not answer.
        batteries[unit] = (unit == kInterfaceUnit || units_[unit].on) ? units_[unit].battery : 0;
    }
    return After(ChargeReply(batteries, charging_), now, 0.0);
}

KitReply FieldKit::StartListening(int unit, TimePoint now)
{
    uint8_t status = 0;
    if (!IsUnit(unit) || (IsOutstation(unit) && !units_[unit].on)) {
        status = 1;
    } else if (!units_[unit].sensor) {
        status = 2;
    } else {
        // The program has no message that stops sampling: it stops a measurement by no longer
        // asking for blocks. The interface unit does one thing at a time, so listening takes
        // over from sampling here as a start of sampling takes over from listening.
        sampling_ = false;
        listeningUnit_ = unit;
    }
    return After(StatusReply(kOpStartListening, status), now, IsUnit(unit) ? RadioDelay(unit) : 0.0);
}

KitReply FieldKit::Diagnostics(int unit, TimePoint now) const
{
    const bool answers = unit == kInterfaceUnit || (IsOutstation(unit) && units_[unit].on);
    if (!answers) {
        return After(DiagnosticsReply(1, {}), now, IsUnit(unit) ? RadioDelay(unit) : 0.0);
    }
    return After(DiagnosticsReply(0, units_[unit].diagnostics), now, RadioDelay(unit));
}

KitReply FieldKit::RadioTest(uint8_t modeByte, int unit, TimePoint now)
{
    if (!IsOutstation(unit)) {
        return After(RadioTestReply(static_cast<uint8_t>(unit), modeByte, RadioTestOutcome::NoContact), now, 0.0);
    }
    const RadioTestOutcome outcome = units_[unit].on
                                         ? OutcomeOf(units_[unit].linkQuality.Draw(radioDraws_[unit].NextUniform()))
                                         : RadioTestOutcome::NoContact;
    return After(RadioTestReply(static_cast<uint8_t>(unit), modeByte, outcome), now, RadioDelay(unit));
}

KitReply FieldKit::StartSampling(TimePoint now)
{
    double delay = 0.0;
    for (int unit = 1; unit < kKitUnits; ++unit) {
        if (selectedMask_ & UnitBit(unit)) {
            delay += RadioDelay(unit);
        }
    }
    const RefusalMasks refusal = SamplingRefusal(selectedMask_, units_);
    if (selectedMask_ == 0 || refusal.Refused()) {
        // A refused start leaves nothing sampling.
        sampling_ = false;
        ++counters_.samplingRefusals;
        return After(StartSamplingReply(1, refusal.a, refusal.b), now, delay);
    }
    // Outstations in unit order, the interface unit's own sensor last.
    std::vector<uint8_t> units;
    for (const int unit : {1, 2, 3, 0}) {
        if (selectedMask_ & UnitBit(unit)) {
            units.push_back(static_cast<uint8_t>(unit));
        }
    }
    KitReply reply = After(StartSamplingReply(0, 0, 0), now, delay);
    if (!StartRun(units, reply.due)) {
        // Only options that were never checked get here; the kit cannot sample them.
        sampling_ = false;
        ++counters_.samplingRefusals;
        return After(StartSamplingReply(1, 0, 0), now, delay);
    }
    listeningUnit_ = -1;
    blockResetLatch_ = false;
    ++counters_.samplingStarts;
    return reply;
}

void FieldKit::SetScenario(std::shared_ptr<const Scenario> scenario)
{
    std::lock_guard lock(mutex_);
    scenario_ = std::move(scenario);
    run_.reset();  // the next start of sampling begins on the new pipe
}

bool FieldKit::StartRun(const std::vector<uint8_t>& units, TimePoint start)
{
    if (run_ && run_->Units() == units) {
        // The same stations sample on: the leak's noise goes on from where the last block ended.
        double gap = 0.0;
        if (options_.paced) {
            const TimePoint lastEnd = runStart_ + Seconds(run_->BlocksDrawn() * kBlockSeconds);
            gap = std::max(0.0, std::chrono::duration<double>(start - lastEnd).count());
        }
        run_->Restart(gap);
    } else if (const auto& scenario = scenario_ ? scenario_ : options_.scenario) {
        std::unique_ptr<BlockSource> source = MakeScenarioSource(*scenario, units);
        if (!source) {
            return false;
        }
        run_.emplace(units, std::move(source));
    } else {
        LeakNoiseConfig config;
        config.lowHz = options_.lowHz;
        config.highHz = options_.highHz;
        config.sourceRms = options_.sourceRms;
        config.seed = options_.seed;
        for (const uint8_t unit : units) {
            config.stations.push_back({options_.pipe.DelayOf(unit), units_[unit].snrDb});
        }
        std::optional<LeakNoiseGenerator> generator = LeakNoiseGenerator::Create(config);
        if (!generator) {
            return false;
        }
        run_.emplace(units, std::move(*generator));
    }
    runStart_ = start;
    sampling_ = true;
    return true;
}

KitReply FieldKit::DataBlock(TimePoint now)
{
    if (blockResetLatch_) {
        blockResetLatch_ = false;
        ++counters_.resetReports;
        return After(EmptyBlockReply(kResetFlag), now, 0.0);
    }
    if (!sampling_ || !run_) {
        ++counters_.emptyBlocks;
        return After(EmptyBlockReply(0), now, 0.0);
    }
    const BlockSlot slot = run_->Next();
    const TimePoint ready = options_.paced ? runStart_ + Seconds(BlockReadyTime(slot.blockNumber)) : now;
    if (resetAt_ && *resetAt_ <= ready) {
        // The button is pressed while the block is being sampled: the reply reports the press.
        const TimePoint pressed = std::max(now, *resetAt_);
        Press();
        blockResetLatch_ = false;
        ++counters_.resetReports;
        return {EmptyBlockReply(kResetFlag), pressed};
    }
    std::vector<uint8_t> bytes = CodedBlockReply(slot, run_->TakeNext());
    ++counters_.blocksServed;
    return {std::move(bytes), std::max(now, ready)};
}

std::vector<uint8_t> FieldKit::CodedBlockReply(const BlockSlot& slot, std::vector<double> samples) const
{
    const UnitSettings& unit = units_[slot.unit];
    const auto blockNumber = static_cast<uint16_t>(slot.blockNumber);
    DataBlockRecord record;
    if (IsOutstation(slot.unit) && !unit.on) {
        record.status = kBlockUnitSilent;
    } else if (!unit.sensor) {
        record.status = kBlockNoSensor;
    } else if (encoder_.BuildRecord(std::span<const double>(samples), slot.unit, blockNumber, unit.battery, record)) {
        record.status = kBlockSampled;
    } else {
        record = DataBlockRecord{};
        record.status = kBlockNoSensor;
    }
    record.unit = slot.unit;
    record.battery = unit.battery;
    record.blockNumber = blockNumber;
    return DataBlockReply(record, 0);
}

void FieldKit::Press()
{
    ++counters_.resetPresses;
    resetAt_.reset();
    statusResetLatch_ = true;
    if (sampling_) {
        sampling_ = false;
        blockResetLatch_ = true;
    }
    listeningUnit_ = -1;
}

void FieldKit::PressIfDue(TimePoint now)
{
    if (resetAt_ && *resetAt_ <= now) {
        Press();
    }
}

void FieldKit::SetUnitOn(int unit, bool on)
{
    std::lock_guard lock(mutex_);
    if (IsOutstation(unit)) {
        units_[unit].on = on;
    }
}

void FieldKit::SetSensor(int unit, bool plugged)
{
    std::lock_guard lock(mutex_);
    if (IsUnit(unit)) {
        units_[unit].sensor = plugged;
    }
}

void FieldKit::SetFaulty(int unit, bool faulty)
{
    std::lock_guard lock(mutex_);
    if (IsOutstation(unit)) {
        units_[unit].faulty = faulty;
    }
}

void FieldKit::SetBattery(int unit, uint8_t value)
{
    std::lock_guard lock(mutex_);
    if (IsUnit(unit)) {
        units_[unit].battery = value;
    }
}

void FieldKit::FlattenBattery(int unit)
{
    SetBattery(unit, kFlatBattery);
}

void FieldKit::SetFirmware(int unit, const std::array<uint8_t, 3>& firmware)
{
    std::lock_guard lock(mutex_);
    if (IsUnit(unit)) {
        units_[unit].firmware = firmware;
    }
}

void FieldKit::SetLinkQuality(int unit, const LinkShares& shares)
{
    std::lock_guard lock(mutex_);
    if (IsOutstation(unit) && shares.Check().empty()) {
        units_[unit].linkQuality = shares;
    }
}

void FieldKit::SetDiagnostics(int unit, const std::array<uint16_t, kDiagnosticsChannels>& counts)
{
    std::lock_guard lock(mutex_);
    if (IsUnit(unit)) {
        units_[unit].diagnostics = counts;
    }
}

void FieldKit::SetCharging(bool charging)
{
    std::lock_guard lock(mutex_);
    charging_ = charging;
}

void FieldKit::SetHeadphones(bool connected)
{
    std::lock_guard lock(mutex_);
    headphones_ = connected;
}

void FieldKit::PressResetButton()
{
    std::lock_guard lock(mutex_);
    Press();
}

void FieldKit::PressResetAfter(double seconds)
{
    std::lock_guard lock(mutex_);
    resetAt_ = clock_.Now() + Seconds(std::max(0.0, seconds));
}

void FieldKit::PressResetAtNextRequest()
{
    std::lock_guard lock(mutex_);
    resetAtNextRequest_ = true;
}

void FieldKit::IgnoreNextRequests(int count)
{
    std::lock_guard lock(mutex_);
    ignoreCount_ = std::max(0, count);
}

void FieldKit::SetSilent(bool silent)
{
    std::lock_guard lock(mutex_);
    silent_ = silent;
}

void FieldKit::SilenceAfterNextRequest()
{
    std::lock_guard lock(mutex_);
    silenceAfterNext_ = true;
}

bool FieldKit::IsSilent() const
{
    std::lock_guard lock(mutex_);
    return silent_;
}

KitCounters FieldKit::Counters() const
{
    std::lock_guard lock(mutex_);
    return counters_;
}

KitSnapshot FieldKit::Snapshot() const
{
    std::lock_guard lock(mutex_);
    KitSnapshot snapshot;
    snapshot.units = units_;
    snapshot.charging = charging_;
    snapshot.headphones = headphones_;
    snapshot.silent = silent_;
    snapshot.selectedMask = selectedMask_;
    snapshot.radioMode = radioMode_;
    snapshot.beaconMask = beaconMask_;
    snapshot.listeningUnit = listeningUnit_;
    snapshot.sampling = sampling_;
    if (sampling_ && run_) {
        snapshot.samplingUnits = run_->Units();
    }
    return snapshot;
}

}  // namespace korvanta::sim
