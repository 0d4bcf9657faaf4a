#include "core/app/CommandPrompt.h"

#include <string_view>

#include "core/text/StringTable.h"

namespace korvanta {

std::string CommandPrompt(uint32_t id)
{
    const char* text = LoadString(id);
    if (text == nullptr) {
        return {};
    }
    const std::string_view whole(text);
    return std::string(whole.substr(0, whole.find('\n')));
}

}  // namespace korvanta
