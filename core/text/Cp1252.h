#pragma once

#include <span>
#include <string>
#include <string_view>

namespace korvanta {

// Conversion between the program's UTF-8 strings and the single-byte Windows-1252 text kept in
// records and files ("Støbejern" is 9 bytes on disk).
//
// The five bytes that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1
// control characters of the same value (U+0081 ...) and back, so any byte string read from a file
// survives a round trip unchanged.

// Characters without a Windows-1252 byte become '?'. Malformed UTF-8 becomes '?' as well, one
// '?' per maximal ill-formed subsequence (a truncated sequence gives one '?', a stray
// continuation byte its own).
std::string Utf8ToCp1252(std::string_view utf8);

// Every byte has a character, so this never fails.
std::string Cp1252ToUtf8(std::string_view cp1252);

// Stores `utf8` into a fixed-size, zero-terminated record field: converts, truncates to
// field.size() - 1 bytes and zero-fills the rest. An empty field is left untouched.
void CopyToFixedField(std::string_view utf8, std::span<char> field);

// Reads a fixed-size record field up to its first zero byte, or its whole length when it has
// none, and converts it to UTF-8. Never reads outside the field.
std::string ReadFixedField(std::span<const char> field);

// Whether two Windows-1252 texts are equal when case is ignored: A-Z, the accented capitals
// (À..Þ, Š, Œ, Ž, Ÿ) and their small letters count as the same letter.
bool EqualIgnoringCase(std::string_view cp1252a, std::string_view cp1252b);

}  // namespace korvanta
