#include "core/document/KvdFile.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <span>
#include <cstring>
#include <memory>

#include "core/fileio/AtomicFileWriter.h"
#include "core/fileio/InputFile.h"
#include "core/pipe/Pipe.h"
#include "core/text/StringIds.h"

namespace korvanta {

namespace {

bool Usable(float value)
{
    return std::isfinite(value);
}

std::string CheckPipe(const PipeSections& pipe)
{
    bool ended = false;
    for (int i = 0; i < kMaxPipeSections; ++i) {
        const PipeSection& section = pipe[static_cast<size_t>(i)];
        if (section.inUse != 1) {
            ended = true;
            continue;
        }
        const std::string which = "pipe section " + std::to_string(i + 1);
        if (ended) {
            return which + " follows an unused section";
        }
        if (section.materialIndex < 0 || section.materialIndex >= kMaxMaterials) {
            return which + " has material index " + std::to_string(section.materialIndex);
        }
        if (!Usable(section.length) || section.length < 0.0f) {
            return which + " has no usable length";
        }
        if (!Usable(section.diameter) || section.diameter < 0.0f) {
            return which + " has no usable diameter";
        }
        if (!Usable(section.velocity) || !(section.velocity > 0.0f)) {
            return which + " has no usable velocity";
        }
    }
    // Each section can be sound while their sum is not: ten of 3e38 m make an infinite pipe.
    if (!Usable(GetTotalLength(pipe)) || !Usable(GetTravelTime(pipe))) {
        return "the pipe's length or travel time is not a number";
    }
    return {};
}

bool FiltersUsable(const FilterSettings& filters)
{
    if (!Usable(filters.lowCutoff) || !Usable(filters.highCutoff)) {
        return false;
    }
    return std::all_of(std::begin(filters.notches), std::end(filters.notches),
                       [](const NotchFilter& notch) { return Usable(notch.low) && Usable(notch.high); });
}

bool SpectrumUsable(std::span<const ComplexF> bins)
{
    return std::all_of(bins.begin(), bins.end(), [](const ComplexF& bin) { return Usable(bin.re) && Usable(bin.im); });
}

std::string CheckSpectra(const MeasurementRecord& record)
{
    for (int ring = 0; ring < 2; ++ring) {
        if (!SpectrumUsable(record.quietest[ring])) {
            return "the quietest spectrum of ring " + std::to_string(ring) + " holds values that are not numbers";
        }
    }
    for (int k = 0; k < kAccumulatorCount; ++k) {
        if (!SpectrumUsable(record.accumulators[k].bins)) {
            return "accumulator " + std::to_string(k) + " holds values that are not numbers";
        }
    }
    return {};
}

}  // namespace

uint32_t KvdStatusMessage(KvdStatus status)
{
    switch (status) {
    case KvdStatus::Ok:
        return str::kNoError;
    case KvdStatus::NoVersion:
        return str::kCannotReadVersion;
    case KvdStatus::WrongVersion:
        return str::kFileVersionNotSupported;
    case KvdStatus::CannotOpen:
        return str::kFileNotOpened;
    case KvdStatus::Short:
    case KvdStatus::Damaged:
        break;
    }
    return str::kFileOpenDamaged;
}

bool IsValidPairCode(uint32_t code)
{
    switch (code) {
    case 3:
    case 5:
    case 6:
    case 9:
    case 10:
    case 12:
        return true;
    default:
        return false;
    }
}

std::string FindRecordDamage(const MeasurementRecord& record)
{
    if (record.range > 2) {
        return "correlation range " + std::to_string(record.range);
    }
    if (!IsValidPairCode(record.pairCode)) {
        return "sensor pair code " + std::to_string(record.pairCode);
    }
    if (record.pairTotal > kMaxPairTotal) {
        return "pair total " + std::to_string(record.pairTotal);
    }
    if (!FiltersUsable(record.filters)) {
        return "filter settings that are not numbers";
    }
    if (std::string damage = CheckPipe(record.pipe); !damage.empty()) {
        return damage;
    }
    return CheckSpectra(record);
}

std::vector<uint8_t> FormatKvd(const MeasurementRecord& record)
{
    std::vector<uint8_t> image(kKvdFileBytes);
    image[0] = static_cast<uint8_t>(kKvdVersion & 0xFF);
    image[1] = static_cast<uint8_t>(kKvdVersion >> 8);
    std::memcpy(image.data() + kKvdVersionBytes, &record, sizeof(MeasurementRecord));
    return image;
}

KvdStatus ParseKvd(std::span<const uint8_t> image, MeasurementRecord& record)
{
    if (image.size() < kKvdVersionBytes) {
        return KvdStatus::NoVersion;
    }
    const uint16_t version = static_cast<uint16_t>(image[0] | (image[1] << 8));
    if (version != kKvdVersion) {
        return KvdStatus::WrongVersion;
    }
    if (image.size() - kKvdVersionBytes < sizeof(MeasurementRecord)) {
        return KvdStatus::Short;
    }
    // Checked in a scratch copy, so a damaged file never reaches the caller's record.
    auto scratch = std::make_unique<MeasurementRecord>();
    std::memcpy(scratch.get(), image.data() + kKvdVersionBytes, sizeof(MeasurementRecord));
    if (!FindRecordDamage(*scratch).empty()) {
        return KvdStatus::Damaged;
    }
    record = *scratch;
    return KvdStatus::Ok;
}

KvdStatus ReadKvdFile(const std::filesystem::path& path, MeasurementRecord& record, FileProblem* problem)
{
    // Bytes after the record are not read; a folder, a device or a pipe is refused unread.
    InputFile file(path, UINT64_MAX);
    if (!file.IsOpen()) {
        if (problem != nullptr) {
            *problem = file.Problem();
        }
        return KvdStatus::CannotOpen;
    }
    std::vector<uint8_t> image(kKvdFileBytes);
    image.resize(file.Read(image));
    if (!file.Error().empty()) {
        if (problem != nullptr) {
            *problem = file.Problem();
        }
        return KvdStatus::CannotOpen;
    }
    return ParseKvd(image, record);
}

bool WriteKvdFile(const std::filesystem::path& path, const MeasurementRecord& record, std::string& error,
                  FileProblem* problem)
{
    const std::vector<uint8_t> image = FormatKvd(record);
    return WriteFileAtomically(path, image, error, problem);
}

}  // namespace korvanta
