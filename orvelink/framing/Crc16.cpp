#include "orvelink/framing/Crc16.h"

#include <array>

namespace korvanta::orvelink {

namespace {

constexpr std::array<uint16_t, 256> MakeTable()
{
    std::array<uint16_t, 256> table{};
    for (unsigned index = 0; index < 256; ++index) {
        auto value = static_cast<uint16_t>(index << 8);
        for (int bit = 0; bit < 8; ++bit) {
            value = (value & 0x8000) ? static_cast<uint16_t>((value << 1) ^ Crc16::kPolynomial)
                                     : static_cast<uint16_t>(value << 1);
        }
        table[index] = value;
    }
    return table;
}

constexpr std::array<uint16_t, 256> kTable = MakeTable();

}  // namespace

void Crc16::Update(uint8_t byte)
{
    value_ = static_cast<uint16_t>((value_ << 8) ^ kTable[((value_ >> 8) ^ byte) & 0xFF]);
}

void Crc16::Update(std::span<const uint8_t> bytes)
{
    for (uint8_t byte : bytes) {
        Update(byte);
    }
}

uint16_t Crc16::Compute(std::span<const uint8_t> bytes)
{
    Crc16 crc;
    crc.Update(bytes);
    return crc.Value();
}

}  // namespace korvanta::orvelink
