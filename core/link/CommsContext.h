#pragma once

#include <filesystem>

#include "core/link/CLinkState.h"
#include "core/link/IBlockReadyNotifier.h"
#include "core/link/IClock.h"
#include "core/link/ILinkLibrary.h"
#include "core/text/MessageSink.h"

namespace korvanta {

// What the comms thread works with. State, library and clock are required; a null message
// sink or notifier means nobody is told. Everything must outlive the thread.
struct CommsContext {
    CLinkState* state = nullptr;
    ILinkLibrary* library = nullptr;
    IClock* clock = nullptr;
    IMessageSink* messages = nullptr;
    IBlockReadyNotifier* blockReady = nullptr;
    std::filesystem::path logFolder = ".";
};

}  // namespace korvanta
