#pragma once

#include <cstdint>
#include <span>

namespace korvanta::orvelink {

// CRC-16 with polynomial 0x1021, initial value 0xFFFF, no reflection and no final XOR.
// "123456789" gives 0x29B1. Frames carry it high byte first.
class Crc16 {
public:
    static constexpr uint16_t kPolynomial = 0x1021;
    static constexpr uint16_t kInitial = 0xFFFF;
    static constexpr uint16_t kCheckValue = 0x29B1;

    void Update(uint8_t byte);
    void Update(std::span<const uint8_t> bytes);
    uint16_t Value() const { return value_; }

    static uint16_t Compute(std::span<const uint8_t> bytes);

private:
    uint16_t value_ = kInitial;
};

}  // namespace korvanta::orvelink
