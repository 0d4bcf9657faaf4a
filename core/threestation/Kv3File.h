#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/document/ThreeStationMeasurement.h"
#include "core/fileio/FileProblem.h"
#include "core/record/MeasurementRecord.h"
#include "core/threestation/CThreeStationResult.h"

namespace korvanta {

// A kv3 file: the magic, the records of the pairs red/blue, blue/yellow and red/yellow, then the
// result block. It has no version; the magic is its only name.
inline constexpr uint32_t kKv3Magic = 0x003BABE3;
inline constexpr size_t kKv3MagicBytes = 4;
inline constexpr size_t kKv3RecordsAt = kKv3MagicBytes;
inline constexpr size_t kKv3ResultAt = kKv3RecordsAt + kThreeStationPairs * sizeof(MeasurementRecord);
inline constexpr size_t kKv3FileBytes = kKv3ResultAt + CThreeStationResult::kBlockBytes;
static_assert(kKv3ResultAt == 235768);
static_assert(kKv3FileBytes == 235880);

enum class Kv3Status {
    Ok,
    NotKv3,      // fewer than four bytes, or they are not the magic
    Short,       // the records or the result block are cut off
    Damaged,     // a record or the result holds values no measurement can have
    CannotOpen,  // the file cannot be opened or read
};

// The string-table message the user is shown for a status other than Ok.
uint32_t Kv3StatusMessage(Kv3Status status);
// The refusal in words for a log or a terminal, naming `path`; `detail` is what ReadKv3File said.
std::string DescribeKv3Refusal(const std::filesystem::path& path, Kv3Status status, const std::string& detail);

// What a kv3 file holds, read and checked whole before anyone takes it.
struct Kv3Contents {
    std::unique_ptr<std::array<MeasurementRecord, kThreeStationPairs>> records =
        std::make_unique<std::array<MeasurementRecord, kThreeStationPairs>>();
    CThreeStationResult result;
};

// The file image of the three records (in the order 6, 12, 10) and a result block.
std::vector<uint8_t> FormatKv3(std::span<const MeasurementRecord, kThreeStationPairs> records,
                               const CThreeStationResult& result);
std::vector<uint8_t> FormatKv3(const ThreeStationMeasurement& measurement, const CThreeStationResult& result);

// Reads an image into `contents`, which is left as it was unless the result is Ok. `damage`, when
// given, says what is wrong with a damaged file (or, from ReadKv3File, why it cannot be opened).
// Bytes after the result block are ignored.
Kv3Status ParseKv3(std::span<const uint8_t> image, Kv3Contents& contents, std::string* damage = nullptr);
// For CannotOpen, `problem` (when given) says why.
Kv3Status ReadKv3File(const std::filesystem::path& path, Kv3Contents& contents, std::string* damage = nullptr,
                      FileProblem* problem = nullptr);

// Writes through a temporary file that replaces `path` only when everything was written.
bool WriteKv3File(const std::filesystem::path& path, const ThreeStationMeasurement& measurement,
                  const CThreeStationResult& result, std::string& error, FileProblem* problem = nullptr);

// Puts the file's records into the measurement and rebuilds each pair's correlation from them.
void RestoreKv3Records(const Kv3Contents& contents, ThreeStationMeasurement& measurement);

}  // namespace korvanta
