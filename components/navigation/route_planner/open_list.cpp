#include "open_list.h"

#include <algorithm>

#include "kivo/support/core_memory.h"
#include "kivo/support/module_core.h"

namespace kivo::planner {

namespace {

constexpr uint32_t kFirstCapacity = 64;

// Heap positions are 1-based: position p lives at entries[p - 1], its parent at p / 2.
inline OpenEntry& At(OpenEntry* heap, uint32_t position) { return heap[position - 1]; }

bool Grow(OpenList* list) {
  if (list->capacity > UINT32_MAX / 2 / sizeof(OpenEntry)) return false;
  const uint32_t capacity = std::max(kFirstCapacity, list->capacity * 2);
  void* grown = nullptr;
  if (!ModuleCore()->MemRealloc(nullptr, capacity * static_cast<uint32_t>(sizeof(OpenEntry)), list->entries, &grown))
    return false;
  list->entries = static_cast<OpenEntry*>(grown);
  list->capacity = capacity;
  return true;
}

}  // namespace

bool OpenListPush(OpenList* list, float key, uint32_t node) {
  if (list->count == list->capacity && !Grow(list)) return false;
  OpenEntry* heap = list->entries;
  uint32_t p = ++list->count;
  while (p > 1) {
    const uint32_t parent = p / 2;
    if (key > At(heap, parent).key) break;
    At(heap, p) = At(heap, parent);
    p = parent;
  }
  At(heap, p) = OpenEntry{key, node};
  return true;
}

bool OpenListPop(OpenList* list, float* key, uint32_t* node) {
  if (list->count == 0) return false;
  OpenEntry* heap = list->entries;
  *key = At(heap, 1).key;
  *node = At(heap, 1).node;
  const OpenEntry last = At(heap, list->count--);
  const uint32_t count = list->count;
  uint32_t p = 1;
  for (;;) {
    uint32_t child = p * 2;
    if (child > count) break;
    // The right child when there is one and its key is smaller; chosen without a branch. At the
    // end of the heap the slot read is the one `last` came from, still allocated.
    child += (child < count) & (At(heap, child + 1).key < At(heap, child).key);
    if (!(At(heap, child).key < last.key)) break;
    At(heap, p) = At(heap, child);
    p = child;
  }
  if (count) At(heap, p) = last;
  return true;
}

void OpenListClear(OpenList* list) { list->count = 0; }

void OpenListDestroy(OpenList* list) {
  CoreFree(list->entries);
  *list = OpenList{};
}

}  // namespace kivo::planner
