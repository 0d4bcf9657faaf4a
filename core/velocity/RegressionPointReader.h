#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <optional>

#include "core/correlation/CCorrelator.h"
#include "core/document/DocumentGeometry.h"
#include "core/host/IMessageSink.h"
#include "core/record/MeasurementRecord.h"
#include "core/velocity/CRegressionData.h"

namespace korvanta {

// Turns measurement files into regression points with an engine of its own, set up as the
// document's: the stored sums are correlated again to give each file's delay.
class RegressionPointReader {
public:
    RegressionPointReader();
    RegressionPointReader(const RegressionPointReader&) = delete;
    RegressionPointReader& operator=(const RegressionPointReader&) = delete;

    // Reads a kvd file and checks that its pipe suits the data set: one material and diameter
    // throughout, and the data set's reference pipe when it has points. Every refusal is told
    // (stop icon) and leaves the data set as it was.
    bool ReadMeasurement(const std::filesystem::path& path, const CRegressionData& data, IMessageSink& messages);

    // The first section in use of the measurement read: the reference of a new data set.
    ReferenceSection FirstSection() const;

    // The point of the measurement read. A measurement whose sums give no correlation has no
    // delay to offer and is refused with the invalid-delay message.
    std::optional<RegressionPoint> MakePoint(const std::filesystem::path& path, IMessageSink& messages);

private:
    std::unique_ptr<MeasurementRecord> record_;
    std::unique_ptr<CCorrelator> engine_;
    std::array<int32_t, kTraceWidth> trace_{};
    std::array<std::array<int32_t, kSpectrumBufferEntries>, 2> spectra_{};
};

}  // namespace korvanta
