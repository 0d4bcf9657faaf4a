#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/fileio/FileProblem.h"
#include "core/record/MeasurementRecord.h"

namespace korvanta {

// A kvd file: the version as a little-endian uint16 (always 11), then the 78588-byte record.
inline constexpr uint16_t kKvdVersion = 11;
inline constexpr size_t kKvdVersionBytes = 2;
inline constexpr size_t kKvdFileBytes = kKvdVersionBytes + sizeof(MeasurementRecord);

enum class KvdStatus {
    Ok,
    NoVersion,     // fewer than two bytes
    WrongVersion,  // a version other than 11
    Short,         // fewer than 78588 bytes after the version
    Damaged,       // the record holds values no measurement can have
    CannotOpen,    // the file cannot be opened or read
};

// The string-table message the user is shown for a status other than Ok.
uint32_t KvdStatusMessage(KvdStatus status);

// Block pairs a measurement can hold: a year of pairs, one per two block lengths.
inline constexpr uint32_t kMaxPairTotal = static_cast<uint32_t>(365.0 * 86400.0 / (2.0 * 0.8388608));

// What in a record cannot come from a measurement: a correlation range other than 0..2, a pair
// code that is none of the six sensor combinations, more pairs than kMaxPairTotal, filter values
// that are not numbers, pipe sections in use that are not packed from the first entry, a section
// in use whose material index lies outside the database or whose length, diameter or velocity is
// not a usable number, a pipe whose total length or travel time is not finite, or spectra and
// sums that hold values that are not finite. Empty when the record is sound.
std::string FindRecordDamage(const MeasurementRecord& record);

// True for the six sensor combinations (3, 5, 6, 9, 10, 12).
bool IsValidPairCode(uint32_t code);

// The file image of a record (78590 bytes).
std::vector<uint8_t> FormatKvd(const MeasurementRecord& record);

// Reads a file image into `record`; the record is left untouched unless the result is Ok.
// Bytes after the record are ignored.
KvdStatus ParseKvd(std::span<const uint8_t> image, MeasurementRecord& record);

// Reads at most what a kvd file holds from `path`. For CannotOpen, `problem` (when given) says why.
KvdStatus ReadKvdFile(const std::filesystem::path& path, MeasurementRecord& record, FileProblem* problem = nullptr);

// Writes through a temporary file that replaces `path` only when everything was written.
bool WriteKvdFile(const std::filesystem::path& path, const MeasurementRecord& record, std::string& error,
                  FileProblem* problem = nullptr);

}  // namespace korvanta
