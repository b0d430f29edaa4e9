#include "clock.h"

#include "platform/clock.h"

namespace kivo::core {

namespace {
uint64_t gTicksPerMs = 0;
uint64_t gTimeZero = 0;
}  // namespace

void StartupClock() {
  gTicksPerMs = platform::kTicksPerSecond / 1000;
  gTimeZero = platform::MonotonicTicks();
}

uint32_t CoreTimeMs() {
  if (gTicksPerMs == 0) return 0;
  return static_cast<uint32_t>((platform::MonotonicTicks() - gTimeZero) / gTicksPerMs);
}

RTSuccess GetTime(RTInstance, uint32_t* milliseconds) {
  if (!milliseconds) return kRTFailure;
  *milliseconds = CoreTimeMs();
  return kRTSuccess;
}

}  // namespace kivo::core
