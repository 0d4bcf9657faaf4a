#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "core/document/CKorvantaDoc.h"
#include "core/document/TextMessageSink.h"
#include "core/host/IDocumentSettings.h"
#include "core/link/CLinkState.h"
#include "core/link/SteadyClock.h"

namespace korvanta::cli {

// A document over a link that is never opened, for the commands that only read a kvd file.
// Messages go to stderr.
class LoadedMeasurement {
public:
    LoadedMeasurement(UnitSystem units = UnitSystem::Metric, TimeUnit time = TimeUnit::Seconds);
    // Opens `path` as the document does; a folder, a device or a pipe is refused by name first.
    // `command` names the tool's command in the messages.
    bool Open(const std::filesystem::path& path, const char* command);
    CKorvantaDoc& Doc() { return *doc_; }

private:
    static std::string WhyNotOpened(const std::filesystem::path& path);

    CLinkState link_;
    SteadyClock clock_;
    TextMessageSink messages_;
    InMemorySettings settings_;
    std::unique_ptr<CKorvantaDoc> doc_;
};

}  // namespace korvanta::cli
