// Heap allocations counted while a benchmark asks for them, to show that a warm frame or query
// allocates nothing, and the moves of the heap's top (each one a brk call of the C library's
// allocator, growing or trimming the heap). Under the sanitizers, which bring their own allocator,
// nothing is counted.
#pragma once

#include <cstdint>

namespace tesk::bench {

// Whether this build counts at all.
bool AllocationsCounted();
// Counts the allocations made from now until StopCountingAllocations, on top of those counted so far.
void StartCountingAllocations();
void StopCountingAllocations();
uint64_t CountedAllocations();
void ResetAllocationCount();

// Counts the heap top's moves from now until StopWatchingHeapTop, on top of those counted so far.
void StartWatchingHeapTop();
void StopWatchingHeapTop();
uint64_t HeapTopMoves();

}  // namespace tesk::bench
