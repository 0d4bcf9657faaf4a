#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace korvanta {

// The correlation graph picture on the two-station form, in pixels (418 × 120 dialog units).
inline constexpr int kGraphPictureWidth = 627;
inline constexpr int kGraphPictureHeight = 195;

// A 24-bit Windows BMP of the correlation graph as the program draws it, without the cursor:
// `width` × `height` pixels, white, with each trace column dark green (0,125,0) from the bottom up
// to its height clamped to 0..height. The trace's columns start at `offset`, as on the form.
// Rows are stored bottom-up, each padded with zero bytes to a multiple of four.
std::vector<uint8_t> BuildGraphBitmap(std::span<const int32_t> heights, int width, int height, int offset);

// Bytes a stored row takes: three a pixel, padded to a multiple of four.
uint32_t BitmapRowBytes(int width);

}  // namespace korvanta
