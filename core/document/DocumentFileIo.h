#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "core/host/IMessageSink.h"
#include "core/record/MeasurementRecord.h"

namespace korvanta {

// Reads and writes the document's kvd files and tells the user what went wrong, naming the file
// and the cause.
class DocumentFileIo {
public:
    explicit DocumentFileIo(IMessageSink& messages) : messages_(messages) {}

    // The record of the file at `path`, or null when it cannot be read or holds damage.
    std::unique_ptr<MeasurementRecord> Read(const std::filesystem::path& path) const;
    // False, with the user told, when `record` holds what no measurement can have.
    bool IsSound(const MeasurementRecord& record, const std::filesystem::path& path) const;
    // Through a temporary file: the old file stays intact when the write fails, and `reason`
    // (when given) then names the file and the cause.
    bool Write(const std::filesystem::path& path, const MeasurementRecord& record, std::string* reason) const;

private:
    IMessageSink& messages_;
};

}  // namespace korvanta
