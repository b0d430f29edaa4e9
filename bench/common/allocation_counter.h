// Heap allocations counted while a benchmark asks for them, to show that a warm frame or query
// allocates nothing. Under the sanitizers, which bring their own allocator, nothing is counted.
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

}  // namespace tesk::bench
