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

// False when the list cannot grow.
bool OpenListPush(OpenList* list, float key, uint32_t node);
// False on an empty list.
bool OpenListPop(OpenList* list, float* key, uint32_t* node);
void OpenListClear(OpenList* list);
// Frees the entries.
void OpenListDestroy(OpenList* list);

}  // namespace kivo::planner
