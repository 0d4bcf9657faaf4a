#pragma once

#include "core/values/UnitSystem.h"

namespace korvanta {

// The application settings the document reads and writes, so that core never touches where
// they are kept.
//
// Threads: user-interface thread only (the document and the views read and write it; the comms
// thread never does), so an implementation needs no lock. Answers at once, without asking the user.
class IDocumentSettings {
public:
    virtual ~IDocumentSettings() = default;
    // The sensor combination: a unit mask with two bits set (6 = red and blue).
    virtual int GetSensorPairCode() const = 0;
    virtual void SetSensorPairCode(int code) = 0;
    virtual UnitSystem GetUnitSystem() const = 0;
    virtual TimeUnit GetTimeUnit() const = 0;
};

// Settings held in memory, for tools and tests that keep nothing between runs.
class InMemorySettings final : public IDocumentSettings {
public:
    static constexpr int kDefaultSensorPairCode = 6;

    int GetSensorPairCode() const override { return sensorPairCode_; }
    void SetSensorPairCode(int code) override { sensorPairCode_ = code; }
    UnitSystem GetUnitSystem() const override { return unitSystem_; }
    void SetUnitSystem(UnitSystem units) { unitSystem_ = units; }
    TimeUnit GetTimeUnit() const override { return timeUnit_; }
    void SetTimeUnit(TimeUnit time) { timeUnit_ = time; }

private:
    int sensorPairCode_ = kDefaultSensorPairCode;
    UnitSystem unitSystem_ = UnitSystem::Metric;
    TimeUnit timeUnit_ = TimeUnit::Seconds;
};

}  // namespace korvanta
