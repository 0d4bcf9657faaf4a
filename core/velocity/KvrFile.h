#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/fileio/FileProblem.h"
#include "core/velocity/CRegressionData.h"

namespace korvanta {

// A regression file: a 27-byte header (magic 0xBEDABABE, version 1, ten slots, 593 bytes a
// slot, the number of points, the static sensor, the reference section) and the ten point
// slots, used or not: 5957 bytes, little-endian.
inline constexpr uint32_t kKvrMagic = 0xBEDABABE;
inline constexpr uint16_t kKvrVersion = 1;
inline constexpr size_t kKvrHeaderBytes = 27;
inline constexpr size_t kKvrFileBytes = kKvrHeaderBytes + kMaxRegressionPoints * kRegressionPointBytes;

std::vector<uint8_t> FormatKvr(const CRegressionData& data);

// Reads a file image into a scratch set, checks it, and only then replaces `data`. Answers the
// message for a refusal: 62381 for a newer version, 62379 for what is not a regression file (its
// magic or layout differs), a short file, or one whose counts, sensor, names or numbers no data
// set can hold (delays beyond the widest correlation span, negative or endless lengths, included
// points that all share one delay and so give no velocity). `data` is untouched on refusal;
// `reason`, when given, says in words what was wrong.
std::optional<uint32_t> ParseKvr(std::span<const uint8_t> image, CRegressionData& data, std::string* reason = nullptr);

// 62378 when the file cannot be opened, else as ParseKvr. `problem`, when given, says why a file
// could not be opened or read; `reason`, when given, says in words what was wrong and names the file.
std::optional<uint32_t> ReadKvrFile(const std::filesystem::path& path, CRegressionData& data,
                                    FileProblem* problem = nullptr, std::string* reason = nullptr);

// Writes through a temporary file that replaces `path` only when complete: 62376 when the file
// cannot be made there, 62377 when the write fails.
std::optional<uint32_t> WriteKvrFile(const std::filesystem::path& path, const CRegressionData& data,
                                     FileProblem* problem = nullptr);

}  // namespace korvanta
