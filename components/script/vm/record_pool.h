// Small records that the VM makes and frees by the thousand (list elements, database entries,
// symbols, objects' attribute tables) come from chunks of core memory: a record is taken from a
// chunk of its size class in a few instructions and goes back to its chunk's free list. A chunk
// goes back to the core when its last record is freed; one empty chunk per class is kept for the
// next records, of this machine or the next, until the component shuts down. The core's
// statistics count every chunk that still holds a record and the kept empty ones, and nothing else
// once the component is gone.
#pragma once

#include <cstddef>
#include <new>
#include <type_traits>

namespace varno {

inline constexpr size_t kLargestPooledRecord = 512;

// A block of `bytes` (at least 1), not zeroed; null without memory. A block larger than
// kLargestPooledRecord is a core block of its own.
void* PoolAllocate(size_t bytes);
// Gives a block of PoolAllocate back; null is ignored.
void PoolFree(void* record);
// Frees the empty chunks kept for reuse.
void PoolReleaseSpares();

// A value-initialised record in a pooled block; null without memory. PoolFree frees it.
template <class T>
T* NewPooled() {
  static_assert(std::is_trivially_destructible_v<T>, "pooled records are freed without running destructors");
  static_assert(sizeof(T) <= kLargestPooledRecord, "a record too large for the pool");
  void* block = PoolAllocate(sizeof(T));
  return block ? new (block) T{} : nullptr;
}

}  // namespace varno
