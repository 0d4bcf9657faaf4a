#include "core/export/GraphBitmap.h"

#include <algorithm>

namespace korvanta {

namespace {

constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr uint8_t kGreen[3] = {0, 125, 0};  // blue, green, red as stored

void Put16(std::vector<uint8_t>& out, size_t at, uint16_t value)
{
    out[at] = static_cast<uint8_t>(value);
    out[at + 1] = static_cast<uint8_t>(value >> 8);
}

void Put32(std::vector<uint8_t>& out, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
    }
}

}  // namespace

uint32_t BitmapRowBytes(int width)
{
    const uint32_t bytes = 3u * static_cast<uint32_t>(std::max(width, 0));
    return (bytes + 3u) & ~3u;
}

std::vector<uint8_t> BuildGraphBitmap(std::span<const int32_t> heights, int width, int height, int offset)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    const uint32_t rowBytes = BitmapRowBytes(width);
    const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(height);
    const uint32_t dataOffset = kFileHeaderBytes + kInfoHeaderBytes;
    std::vector<uint8_t> out(dataOffset + imageBytes, 0);
    Put16(out, 0, 0x4D42);
    Put32(out, 2, dataOffset + imageBytes);
    Put32(out, 10, dataOffset);
    Put32(out, 14, kInfoHeaderBytes);
    Put32(out, 18, static_cast<uint32_t>(width));
    Put32(out, 22, static_cast<uint32_t>(height));
    Put16(out, 26, 1);
    Put16(out, 28, 24);
    Put32(out, 34, imageBytes);
    // Row 0 of the file is the picture's bottom row.
    for (int row = 0; row < height; ++row) {
        uint8_t* pixel = out.data() + dataOffset + static_cast<size_t>(row) * rowBytes;
        for (int x = 0; x < width; ++x, pixel += 3) {
            const int column = x - offset;
            const bool inTrace = column >= 0 && column < static_cast<int>(heights.size());
            const int barHeight = inTrace ? std::clamp<int32_t>(heights[static_cast<size_t>(column)], 0, height) : 0;
            if (row < barHeight) {
                std::copy(std::begin(kGreen), std::end(kGreen), pixel);
            } else {
                std::fill(pixel, pixel + 3, uint8_t{255});
            }
        }
    }
    return out;
}

}  // namespace korvanta
