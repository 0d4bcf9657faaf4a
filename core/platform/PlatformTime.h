#pragma once

#include <ctime>

namespace korvanta {

// The broken-down local time of `when`, thread-safe on every platform (the C library's
// localtime shares one buffer between threads). All fields zero if the time cannot be converted.
std::tm LocalTimeOf(std::time_t when);

// The local wall-clock time now.
std::tm CurrentLocalTime();

}  // namespace korvanta
