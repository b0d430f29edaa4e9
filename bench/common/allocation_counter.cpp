#include "allocation_counter.h"

#include <unistd.h>

#include <cstddef>

// The count stands in front of the C library's allocator.
#if !defined(__SANITIZE_ADDRESS__)
#define TESK_BENCH_COUNTS_ALLOCATIONS 1
extern "C" void* __libc_malloc(size_t);
extern "C" void* __libc_calloc(size_t, size_t);
extern "C" void* __libc_realloc(void*, size_t);
extern "C" void __libc_free(void*);
#endif

namespace {

bool gCounting = false;
uint64_t gAllocations = 0;
bool gWatchingTop = false;
void* gTop = nullptr;
uint64_t gTopMoves = 0;

// sbrk(0) reads the C library's record of the heap top: no system call.
[[maybe_unused]] void NoteHeapTop() {
  if (!gWatchingTop) return;
  void* top = sbrk(0);
  if (top != gTop) ++gTopMoves;
  gTop = top;
}

}  // namespace

#ifdef TESK_BENCH_COUNTS_ALLOCATIONS
extern "C" __attribute__((visibility("default"))) void* malloc(size_t bytes) {
  if (gCounting) ++gAllocations;
  void* block = __libc_malloc(bytes);
  NoteHeapTop();
  return block;
}
extern "C" __attribute__((visibility("default"))) void* calloc(size_t count, size_t bytes) {
  if (gCounting) ++gAllocations;
  void* block = __libc_calloc(count, bytes);
  NoteHeapTop();
  return block;
}
extern "C" __attribute__((visibility("default"))) void* realloc(void* block, size_t bytes) {
  if (gCounting) ++gAllocations;
  void* moved = __libc_realloc(block, bytes);
  NoteHeapTop();
  return moved;
}
// A free may trim the heap's top.
extern "C" __attribute__((visibility("default"))) void free(void* block) {
  __libc_free(block);
  NoteHeapTop();
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

void StartWatchingHeapTop() {
  gTop = sbrk(0);
  gWatchingTop = true;
}
void StopWatchingHeapTop() { gWatchingTop = false; }
uint64_t HeapTopMoves() { return gTopMoves; }

}  // namespace tesk::bench
