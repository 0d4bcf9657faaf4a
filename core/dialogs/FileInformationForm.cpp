#include "core/dialogs/FileInformationForm.h"

#include <algorithm>

#include "core/text/Cp1252.h"
#include "core/text/StringIds.h"

namespace korvanta {

uint32_t CheckGisCode(std::string_view utf8Code)
{
    const bool control = std::any_of(utf8Code.begin(), utf8Code.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && c != '\t' && c != '\r' && c != '\n') || byte == 0x7F;
    });
    // Whatever Windows-1252 has no byte for comes out as '?'.
    const std::string written = Utf8ToCp1252(utf8Code);
    const bool lost =
        std::count(written.begin(), written.end(), '?') != std::count(utf8Code.begin(), utf8Code.end(), '?');
    // C1 controls only stand for the code page's undefined bytes; typed, they are a mistake.
    const bool undefinedByte = std::any_of(written.begin(), written.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
    });
    return control || lost || undefinedByte ? str::kGisCodeNotWritable : str::kNoError;
}

}  // namespace korvanta
