#pragma once

namespace korvanta {

// How lengths, diameters and velocities are shown and typed; stored values are always metric.
enum class UnitSystem { Metric = 0, Imperial = 1 };

// Whether times are shown in seconds and velocities per second, or both per millisecond.
enum class TimeUnit { Seconds = 0, Milliseconds = 1 };

}  // namespace korvanta
