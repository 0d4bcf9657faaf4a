#pragma once

#include <cstdint>
#include <span>

namespace korvanta {

// One entry of the string table: a numeric ID and its UTF-8 text.
struct StringEntry {
    uint32_t id;
    const char* text;
};

// The text of string `id` (UTF-8, with real CR LF line breaks), or nullptr when the table has
// no such ID. The texts are static; nothing is allocated.
const char* LoadString(uint32_t id);

// The whole table, sorted by ascending ID; for callers that list or check every entry.
std::span<const StringEntry> StringTableEntries();

}  // namespace korvanta
