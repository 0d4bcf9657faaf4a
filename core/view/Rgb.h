#pragma once

#include <cstdint>

namespace korvanta {

// A drawing colour, 8 bits a channel.
struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

}  // namespace korvanta
