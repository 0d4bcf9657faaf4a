#pragma once

#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/correlation/DataBlockRecord.h"

namespace korvanta {

inline constexpr size_t kDataBlockRecordBytes = 2810;
// The most block pairs one measurement takes, and so the most records a file of one holds.
inline constexpr uint32_t kMaxMeasurementPairs = 100000;
inline constexpr uint64_t kMaxBlocksInFile = 2 * uint64_t{kMaxMeasurementPairs};

// Parses one record from its little-endian image (exactly 2810 bytes).
DataBlockRecord ParseDataBlock(std::span<const uint8_t, kDataBlockRecordBytes> image);
void FormatDataBlock(const DataBlockRecord& block, std::span<uint8_t, kDataBlockRecordBytes> image);

// Hands a file's concatenated records to `take` one at a time, so a long measurement is never
// held whole. Fails (with a message naming the file in `error`) before the first record when the
// path is not a regular file, its size is not a whole number of records or it holds more than
// kMaxBlocksInFile, and at a read error.
bool StreamDataBlockFile(const std::filesystem::path& path, const std::function<void(const DataBlockRecord&)>& take,
                         std::string& error);
// The same, into `blocks`.
bool ReadDataBlockFile(const std::filesystem::path& path, std::vector<DataBlockRecord>& blocks, std::string& error);
// Writes through a temporary file that replaces `path` only when everything was written.
bool WriteDataBlockFile(const std::filesystem::path& path, std::span<const DataBlockRecord> blocks, std::string& error);

}  // namespace korvanta
