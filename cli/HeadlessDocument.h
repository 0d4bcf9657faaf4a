#pragma once

#include <iostream>
#include <memory>

#include "core/document/CKorvantaDoc.h"
#include "core/document/TextMessageSink.h"
#include "core/link/CLinkState.h"
#include "core/link/SteadyClock.h"

namespace korvanta::cli {

// A document as the tool uses it: messages on stderr, settings in memory, the data files beside
// the executable, real time, and a link state that the comms thread opens only if asked.
struct HeadlessDocument {
    HeadlessDocument();

    SteadyClock clock;
    TextMessageSink messages{std::cerr};
    InMemorySettings settings;
    CLinkState link;
    std::unique_ptr<CKorvantaDoc> document;
};

}  // namespace korvanta::cli
