#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/correlation/CCorrelator.h"
#include "core/record/MeasurementRecord.h"

namespace korvanta {

// What the document asks of the measurement in force: the two-station one or the three-station
// mode's three pairs. Each answers for the record, engine and trace it has on show (the
// three-station mode: those of the pair the form selected). User-interface thread only.
class ActiveMeasurement {
public:
    virtual ~ActiveMeasurement() = default;

    // Why the measurement had to end (a string-table ID) after hint 101; 0 before.
    virtual uint32_t EndReason() const = 0;
    // The view's elapsed-time text, into the record(s) this measurement sums into.
    virtual void SetMeasuringTime(std::string_view text) = 0;

    virtual MeasurementRecord& RecordOnShow() = 0;
    virtual const MeasurementRecord& RecordOnShow() const = 0;
    virtual const CCorrelator& EngineOnShow() const = 0;
    virtual std::span<const int32_t> TraceOnShow() const = 0;
    // The result on show again from its record's sums; false when there is none to compute.
    virtual bool Recompute() = 0;
    // The quality of the result on show, never below 0.
    virtual uint16_t QualityOnShow() const = 0;

    // True when the record on show is the document's own, the one Gem writes: changing it
    // changes the document, and a running measurement of it stops before a save.
    virtual bool ShowsDocumentRecord() const = 0;
    // The hint the views get once the filters of the record on show were replaced.
    virtual uint32_t FiltersChangedHint() const = 0;
};

}  // namespace korvanta
