#pragma once

#include <string_view>

namespace korvanta {

// Orders names as a person reads them: runs of digits compare by their value, so COM2 comes
// before COM10 and /dev/ttyUSB2 before /dev/ttyUSB10. Letters compare without regard to case;
// names that differ only there, or in leading zeros, fall back to plain byte order so that the
// order is total.
bool NaturalLess(std::string_view a, std::string_view b);

}  // namespace korvanta
