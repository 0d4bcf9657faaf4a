#pragma once

#include <filesystem>

#include "core/host/IBlockReadyNotifier.h"
#include "core/host/IClock.h"
#include "core/link/CLinkState.h"
#include "core/link/ILinkLibrary.h"

namespace korvanta {

// What the comms thread works with. State, library and clock are required; a null notifier
// means nobody is told. Everything must outlive the thread. There is no message sink: the
// thread never calls into the user interface, its message goes out as a posted notice.
struct CommsContext {
    CLinkState* state = nullptr;
    ILinkLibrary* library = nullptr;
    IClock* clock = nullptr;
    IBlockReadyNotifier* blockReady = nullptr;
    std::filesystem::path logFolder = ".";
};

}  // namespace korvanta
