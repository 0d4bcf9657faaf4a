#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/correlation/DataBlockRecord.h"

namespace korvanta {

inline constexpr size_t kDataBlockRecordBytes = 2810;

// Parses one record from its little-endian image (exactly 2810 bytes).
DataBlockRecord ParseDataBlock(std::span<const uint8_t, kDataBlockRecordBytes> image);
void FormatDataBlock(const DataBlockRecord& block, std::span<uint8_t, kDataBlockRecordBytes> image);

// A file of concatenated records. Reading fails (with a message in `error`) when the file cannot
// be read or its size is not a whole number of records.
bool ReadDataBlockFile(const std::filesystem::path& path, std::vector<DataBlockRecord>& blocks, std::string& error);
// Writes through a temporary file that replaces `path` only when everything was written.
bool WriteDataBlockFile(const std::filesystem::path& path, std::span<const DataBlockRecord> blocks, std::string& error);

}  // namespace korvanta
