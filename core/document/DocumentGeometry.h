#pragma once

#include <cstddef>
#include <cstdint>

namespace korvanta {

// Sizes of the display buffers the engines draw into: the correlation trace (columns, height in
// pixels) and the two spectrum traces.
inline constexpr uint32_t kTraceWidth = 620;
inline constexpr uint32_t kTraceHeight = 180;
inline constexpr uint32_t kSpectrumWidth = 504;
inline constexpr uint32_t kSpectrumHeight = 155;
inline constexpr size_t kSpectrumBufferEntries = 2048;

}  // namespace korvanta
