#include "core/document/DocumentFileName.h"

namespace korvanta {

std::string DocumentFileName(std::string_view path)
{
    const size_t separator = path.find_last_of("\\/");
    if (separator == std::string_view::npos) {
        return {};
    }
    const std::string_view name = path.substr(separator + 1);
    return std::string(name.substr(0, name.find('.')));
}

}  // namespace korvanta
