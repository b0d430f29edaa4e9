#include "allocation_counter.h"

#include <cstddef>

// The count stands in front of the C library's allocator.
#if !defined(__SANITIZE_ADDRESS__)
#define TESK_BENCH_COUNTS_ALLOCATIONS 1
extern "C" void* __libc_malloc(size_t);
extern "C" void* __libc_calloc(size_t, size_t);
extern "C" void* __libc_realloc(void*, size_t);
#endif

namespace {

bool gCounting = false;
uint64_t gAllocations = 0;

}  // namespace

#ifdef TESK_BENCH_COUNTS_ALLOCATIONS
extern "C" __attribute__((visibility("default"))) void* malloc(size_t bytes) {
  if (gCounting) ++gAllocations;
  return __libc_malloc(bytes);
}
extern "C" __attribute__((visibility("default"))) void* calloc(size_t count, size_t bytes) {
  if (gCounting) ++gAllocations;
  return __libc_calloc(count, bytes);
}
extern "C" __attribute__((visibility("default"))) void* realloc(void* block, size_t bytes) {
  if (gCounting) ++gAllocations;
  return __libc_realloc(block, bytes);
}
#endif

namespace tesk::bench {

bool AllocationsCounted() {
#ifdef TESK_BENCH_COUNTS_ALLOCATIONS
  return true;
#else
  return false;
#endif
}

void StartCountingAllocations() { gCounting = true; }
void StopCountingAllocations() { gCounting = false; }
uint64_t CountedAllocations() { return gAllocations; }
void ResetAllocationCount() { gAllocations = 0; }

}  // namespace tesk::bench
