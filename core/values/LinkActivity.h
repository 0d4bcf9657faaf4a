#pragma once

namespace korvanta {

// What the program is doing with the link, as the windows that run it report it.
enum class LinkActivity { Idle, Starting, Measuring, Listening };

}  // namespace korvanta
