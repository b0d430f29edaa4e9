// The open list of the A* search: a binary min-heap of {key, node index} entries in a growable
// block of core memory, heap position p at entries[p - 1].
//
// Push moves a new entry up past every parent whose key is not smaller, so of equal keys the
// later pushed entry rises above. Pop takes the top, moves the last entry there and sinks it
// below any smaller child (the left child when both are equal).
#pragma once

#include <cstdint>

namespace kivo::planner {

struct OpenEntry {
  float key;
  uint32_t node;
};
static_assert(sizeof(OpenEntry) == 8);

struct OpenList {
  OpenEntry* entries;
  uint32_t count;
  uint32_t capacity;
};

// Doubles the capacity (64 entries at first); false when the list cannot grow.
bool OpenListGrow(OpenList* list);
void OpenListClear(OpenList* list);
// Frees the entries.
void OpenListDestroy(OpenList* list);

// Push and pop run once per node the search touches: inline.

// Heap positions are 1-based: position p lives at entries[p - 1], its parent at p / 2.
inline OpenEntry& OpenListAt(OpenEntry* heap, uint32_t position) { return heap[position - 1]; }

// False when the list cannot grow.
inline bool OpenListPush(OpenList* list, float key, uint32_t node) {
  if (list->count == list->capacity && !OpenListGrow(list)) return false;
  OpenEntry* heap = list->entries;
  uint32_t p = ++list->count;
  while (p > 1) {
    const uint32_t parent = p / 2;
    if (key > OpenListAt(heap, parent).key) break;
    OpenListAt(heap, p) = OpenListAt(heap, parent);
    p = parent;
  }
  OpenListAt(heap, p) = OpenEntry{key, node};
  return true;
}

// False on an empty list.
inline bool OpenListPop(OpenList* list, float* key, uint32_t* node) {
  if (list->count == 0) return false;
  OpenEntry* heap = list->entries;
  *key = OpenListAt(heap, 1).key;
  *node = OpenListAt(heap, 1).node;
  const OpenEntry last = OpenListAt(heap, list->count--);
  const uint32_t count = list->count;
  uint32_t p = 1;
  for (;;) {
    uint32_t child = p * 2;
    if (child > count) break;
    // The right child when there is one and its key is smaller; chosen without a branch. At the
    // end of the heap the slot read is the one `last` came from, still allocated.
    child += (child < count) & (OpenListAt(heap, child + 1).key < OpenListAt(heap, child).key);
    if (!(OpenListAt(heap, child).key < last.key)) break;
    OpenListAt(heap, p) = OpenListAt(heap, child);
    p = child;
  }
  if (count) OpenListAt(heap, p) = last;
  return true;
}

}  // namespace kivo::planner
