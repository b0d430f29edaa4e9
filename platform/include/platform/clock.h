// Monotonic and wall clocks. The monotonic clock has a manual mode for tests.
#pragma once

#include <cstdint>

namespace platform {

inline constexpr uint64_t kTicksPerSecond = 1'000'000'000;

// Nanoseconds of a monotonic clock (or of the manual clock while it is set).
uint64_t MonotonicTicks();

// Wall-clock time as 100-nanosecond intervals since 1601-01-01 UTC.
uint64_t SystemFileTime();

// Freezes the monotonic clock at `ticks`; from then on only AdvanceClock moves it.
void SetManualClock(uint64_t ticks);
void AdvanceClock(uint64_t ticks);
// Returns to the real monotonic clock.
void UseRealClock();

}  // namespace platform
