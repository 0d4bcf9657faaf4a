#include "core/velocity/RegressionPointReader.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "core/document/KvdFile.h"
#include "core/text/Cp1252.h"
#include "core/text/StringIds.h"

namespace korvanta {

namespace {

bool HasKvdExtension(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return extension == ".KVD";
}

const PipeSection* FirstInUse(const MeasurementRecord& record)
{
    const auto it = std::find_if(std::begin(record.pipe), std::end(record.pipe),
                                 [](const PipeSection& section) { return section.inUse == 1; });
    return it == std::end(record.pipe) ? nullptr : &*it;
}

}  // namespace

RegressionPointReader::RegressionPointReader()
    : record_(std::make_unique<MeasurementRecord>()), engine_(std::make_unique<CCorrelator>())
{
    engine_->Init(trace_, spectra_[0], spectra_[1], kTraceWidth, kTraceHeight, kSpectrumWidth, kSpectrumHeight);
    engine_->SetRecord(record_.get());
}

bool RegressionPointReader::ReadMeasurement(const std::filesystem::path& path, const CRegressionData& data,
                                            IMessageSink& messages)
{
    if (!HasKvdExtension(path)) {
        messages.ShowMessage(str::kOnlyKvdFiles, kStyleStop);
        return false;
    }
    auto scratch = std::make_unique<MeasurementRecord>();
    if (const KvdStatus status = ReadKvdFile(path, *scratch); status != KvdStatus::Ok) {
        messages.ShowMessage(KvdStatusMessage(status), kStyleStop);
        return false;
    }
    const PipeSection* first = FirstInUse(*scratch);
    if (first == nullptr) {
        messages.ShowMessage(str::kNoPipeSectionsInFile, kStyleStop);
        return false;
    }
    bool fits = true;
    for (const PipeSection& section : scratch->pipe) {
        if (section.inUse == 1 &&
            (section.materialIndex != first->materialIndex || section.diameter != first->diameter)) {
            messages.ShowMessage(str::kPipeSectionsMismatch, kStyleStop);
            fits = false;
        }
    }
    if (!fits) {
        return false;
    }
    if (data.Count() > 0 &&
        (first->materialIndex != data.Reference().materialIndex || first->diameter != data.Reference().diameter)) {
        messages.ShowMessage(str::kPipeDataMismatch, kStyleStop);
        return false;
    }
    *record_ = *scratch;
    return true;
}

ReferenceSection RegressionPointReader::FirstSection() const
{
    const PipeSection* first = FirstInUse(*record_);
    if (first == nullptr) {
        return {};
    }
    return {first->materialIndex, first->length, first->diameter, first->velocity, first->inUse};
}

std::optional<RegressionPoint> RegressionPointReader::MakePoint(const std::filesystem::path& path,
                                                                IMessageSink& messages)
{
    engine_->SetPairCode(static_cast<int32_t>(record_->pairCode));
    if (!engine_->RestoreFromRecord()) {
        messages.ShowMessage(str::kInvalidDelay, kStyleStop);
        return std::nullopt;
    }
    RegressionPoint point;
    point.delay = engine_->GetDelay();
    point.length = 0.0f;
    for (const PipeSection& section : record_->pipe) {
        if (section.inUse == 1) {
            point.length += section.length;
        }
    }
    point.included = 1;
    point.range = static_cast<uint8_t>(std::min<uint32_t>(record_->range, 2));
    std::memcpy(point.header.data(), record_.get(), kPointHeaderBytes);
    std::string name = path.filename().string();
    name.resize(name.size() >= 4 ? name.size() - 4 : 0);
    CopyToFixedField(name, point.name);
    return point;
}

}  // namespace korvanta
