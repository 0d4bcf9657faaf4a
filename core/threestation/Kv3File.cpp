#include "core/threestation/Kv3File.h"

#include "core/fileio/InputFile.h"

#include <cstring>

#include "core/document/KvdFile.h"
#include "core/fileio/AtomicFileWriter.h"
#include "core/fileio/InputFile.h"
#include "core/text/StringIds.h"

namespace korvanta {

namespace {

std::string FindPairRecordDamage(const MeasurementRecord& record, int index)
{
    const auto expected = static_cast<uint32_t>(kThreeStationPairCodes[static_cast<size_t>(index)]);
    const std::string which = "record " + std::to_string(index + 1);
    if (record.pairCode != expected) {
        return which + " has sensor pair code " + std::to_string(record.pairCode) + " in place of " +
               std::to_string(expected);
    }
    const std::string damage = FindRecordDamage(record);
    return damage.empty() ? damage : which + ": " + damage;
}

}  // namespace

uint32_t Kv3StatusMessage(Kv3Status status)
{
    switch (status) {
    case Kv3Status::Ok:
        return str::kNoError;
    case Kv3Status::NotKv3:
        return str::kFileNotValidated;
    case Kv3Status::CannotOpen:
        return str::kFileNotOpened;
    case Kv3Status::Short:
    case Kv3Status::Damaged:
        break;
    }
    return str::kFileOpenDamaged;
}

std::string DescribeKv3Refusal(const std::filesystem::path& path, Kv3Status status, const std::string& detail)
{
    const std::string name = path.string();
    switch (status) {
    case Kv3Status::Ok:
        return name + ": read";
    case Kv3Status::NotKv3:
        return name + ": not a three-station file (it does not begin as one)";
    case Kv3Status::Short:
        return name + ": cut short (a three-station file holds " + std::to_string(kKv3FileBytes) + " bytes)";
    case Kv3Status::Damaged:
        return name + ": damaged: " + detail;
    case Kv3Status::CannotOpen:
        // The reader's own words already name the file.
        return detail.empty() ? name + ": cannot be opened" : detail;
    }
    return name;
}

std::vector<uint8_t> FormatKv3(std::span<const MeasurementRecord, kThreeStationPairs> records,
                               const CThreeStationResult& result)
{
    std::vector<uint8_t> image(kKv3FileBytes);
    std::memcpy(image.data(), &kKv3Magic, kKv3MagicBytes);
    std::memcpy(image.data() + kKv3RecordsAt, records.data(), records.size_bytes());
    const auto block = result.ToBlock();
    std::memcpy(image.data() + kKv3ResultAt, block.data(), block.size());
    return image;
}

std::vector<uint8_t> FormatKv3(const ThreeStationMeasurement& measurement, const CThreeStationResult& result)
{
    std::vector<uint8_t> image;
    image.reserve(kKv3FileBytes);
    image.resize(kKv3MagicBytes);
    std::memcpy(image.data(), &kKv3Magic, kKv3MagicBytes);
    measurement.AppendRecords(image);
    const auto block = result.ToBlock();
    image.insert(image.end(), block.begin(), block.end());
    return image;
}

Kv3Status ParseKv3(std::span<const uint8_t> image, Kv3Contents& contents, std::string* damage)
{
    uint32_t magic = 0;
    if (image.size() < kKv3MagicBytes) {
        return Kv3Status::NotKv3;
    }
    std::memcpy(&magic, image.data(), kKv3MagicBytes);
    if (magic != kKv3Magic) {
        return Kv3Status::NotKv3;
    }
    if (image.size() < kKv3FileBytes) {
        return Kv3Status::Short;
    }
    // Everything is checked in scratch first, so a damaged file never reaches the caller.
    Kv3Contents scratch;
    std::memcpy(scratch.records->data(), image.data() + kKv3RecordsAt, sizeof(*scratch.records));
    std::string found;
    for (int i = 0; i < kThreeStationPairs && found.empty(); ++i) {
        found = FindPairRecordDamage((*scratch.records)[static_cast<size_t>(i)], i);
    }
    if (found.empty()) {
        found = scratch.result.FromBlock(image.subspan(kKv3ResultAt).first<CThreeStationResult::kBlockBytes>());
    }
    if (!found.empty()) {
        if (damage != nullptr) {
            *damage = found;
        }
        return Kv3Status::Damaged;
    }
    contents = std::move(scratch);
    return Kv3Status::Ok;
}

Kv3Status ReadKv3File(const std::filesystem::path& path, Kv3Contents& contents, std::string* damage,
                      FileProblem* problem)
{
    // Bytes after the result are not read; a folder, a device or a named pipe is refused unread
    // (a pipe would wait for a writer).
    InputFile file(path, UINT64_MAX);
    std::vector<uint8_t> image(kKv3FileBytes);
    if (file.IsOpen()) {
        image.resize(file.Read(image));
    }
    if (!file.IsOpen() || !file.Error().empty()) {
        if (problem != nullptr) {
            *problem = file.Problem();
        }
        if (damage != nullptr) {
            *damage = file.Error();
        }
        return Kv3Status::CannotOpen;
    }
    return ParseKv3(image, contents, damage);
}

bool WriteKv3File(const std::filesystem::path& path, const ThreeStationMeasurement& measurement,
                  const CThreeStationResult& result, std::string& error, FileProblem* problem)
{
    return WriteFileAtomically(path, FormatKv3(measurement, result), error, problem);
}

void RestoreKv3Records(const Kv3Contents& contents, ThreeStationMeasurement& measurement)
{
    measurement.ReadRecords(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(contents.records->data()),
                                                     sizeof(*contents.records)));
    for (int i = 0; i < kThreeStationPairs; ++i) {
        measurement.Engine(i).RestoreFromRecord();
    }
}

}  // namespace korvanta
