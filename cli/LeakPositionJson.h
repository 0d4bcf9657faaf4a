#pragma once

#include <optional>

#include "cli/JsonWriter.h"
#include "core/document/CKorvantaDoc.h"

namespace korvanta::cli {

// "from_start", "from_end" and "outside" for the document's pipe and a result's delay, as
// `locate` reports them; nulls when there is no delay or no pipe, and distances null (with
// "outside" true) for a delay beyond the pipe.
void AddLeakPosition(JsonWriter& json, const CKorvantaDoc& doc, std::optional<float> delay);

}  // namespace korvanta::cli
