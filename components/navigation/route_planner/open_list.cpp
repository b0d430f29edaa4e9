#include "open_list.h"

#include <algorithm>

#include "kivo/support/core_memory.h"
#include "kivo/support/module_core.h"

namespace kivo::planner {

namespace {

constexpr uint32_t kFirstCapacity = 64;

}  // namespace

bool OpenListGrow(OpenList* list) {
  if (list->capacity > UINT32_MAX / 2 / sizeof(OpenEntry)) return false;
  const uint32_t capacity = std::max(kFirstCapacity, list->capacity * 2);
  void* grown = nullptr;
  if (!ModuleCore()->MemRealloc(nullptr, capacity * static_cast<uint32_t>(sizeof(OpenEntry)), list->entries, &grown))
    return false;
  list->entries = static_cast<OpenEntry*>(grown);
  list->capacity = capacity;
  return true;
}

void OpenListClear(OpenList* list) { list->count = 0; }

void OpenListDestroy(OpenList* list) {
  CoreFree(list->entries);
  *list = OpenList{};
}

}  // namespace kivo::planner
