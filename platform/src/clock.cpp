#include "platform/clock.h"

#include <ctime>

namespace platform {

namespace {

bool gManual = false;
uint64_t gManualTicks = 0;

uint64_t ReadClock(clockid_t id) {
  timespec now{};
  clock_gettime(id, &now);
  return static_cast<uint64_t>(now.tv_sec) * kTicksPerSecond + static_cast<uint64_t>(now.tv_nsec);
}

}  // namespace

uint64_t MonotonicTicks() { return gManual ? gManualTicks : ReadClock(CLOCK_MONOTONIC); }

uint64_t SystemFileTime() {
  constexpr uint64_t kUnixEpochAsFileTime = 116444736000000000ull;
  return kUnixEpochAsFileTime + ReadClock(CLOCK_REALTIME) / 100;
}

void SetManualClock(uint64_t ticks) {
  gManual = true;
  gManualTicks = ticks;
}

void AdvanceClock(uint64_t ticks) { gManualTicks += ticks; }

void UseRealClock() { gManual = false; }

}  // namespace platform
