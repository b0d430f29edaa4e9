#include "platform/heap.h"

#include <malloc.h>

#include <mutex>

namespace platform {

namespace {

// Free memory the heap's top keeps before the allocator gives any back.
constexpr int kTrimThresholdBytes = 64 << 20;
// What each growth of the heap adds beyond the request; pages not yet touched cost nothing.
constexpr int kTopPadBytes = 16 << 20;

}  // namespace

void KeepFreedHeap() {
  static std::once_flag once;
  std::call_once(once, [] {
    mallopt(M_TRIM_THRESHOLD, kTrimThresholdBytes);
    mallopt(M_TOP_PAD, kTopPadBytes);
  });
}

}  // namespace platform
