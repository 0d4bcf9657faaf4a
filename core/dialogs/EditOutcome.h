#pragma once

#include <cstdint>

#include "core/text/StringIds.h"

namespace korvanta {

// What an editing step of a dialog did: whether the table changed, and the message the user
// must see (str::kNoError when there is none). A refusal that the dialog's enable rules already
// prevent changes nothing and shows nothing.
struct EditOutcome {
    bool done = false;
    uint32_t message = str::kNoError;

    static EditOutcome Done() { return {true, str::kNoError}; }
    static EditOutcome Refused(uint32_t message) { return {false, message}; }
    static EditOutcome Ignored() { return {false, str::kNoError}; }
};

}  // namespace korvanta
