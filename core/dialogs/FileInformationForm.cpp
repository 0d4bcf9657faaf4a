#include "core/dialogs/FileInformationForm.h"

#include "core/text/StringIds.h"

namespace korvanta {

uint32_t CheckGisCode(std::string_view utf8Code)
{
    return utf8Code.find_first_of(",\r\n") == std::string_view::npos ? str::kNoError : str::kGisCodeSeparator;
}

}  // namespace korvanta
