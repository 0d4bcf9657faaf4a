#pragma once

#include <ctime>
#include <filesystem>
#include <functional>

#include "core/host/IClock.h"
#include "core/host/IDocumentSettings.h"
#include "core/host/IMeasurementSetup.h"
#include "core/host/IMessageSink.h"
#include "core/host/IWaitPump.h"
#include "core/link/CLinkState.h"

namespace korvanta {

// Everything the document works with. Link, clock, messages and settings are required; a
// null wait pump or setup dialog means nobody needs them. All must outlive the document.
struct DocumentContext {
    CLinkState* link = nullptr;
    IClock* clock = nullptr;
    IMessageSink* messages = nullptr;
    IDocumentSettings* settings = nullptr;
    IWaitPump* waitPump = nullptr;
    IMeasurementSetup* setup = nullptr;
    // The program's folder, with Database2.bin and the default .fd files.
    std::filesystem::path dataFolder = ".";
    // Wall-clock time for the date and time stamped on a stopped measurement; local time if empty.
    std::function<std::tm()> localTime;
};

}  // namespace korvanta
