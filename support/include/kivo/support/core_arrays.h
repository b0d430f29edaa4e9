// Arrays of plain records in core array blocks, through the module's core table: a component keeps
// its lists in them so that the core's statistics count them. Null stands for an empty array.
#pragma once

#include <cstdint>
#include <cstring>

#include "kivo/support/module_core.h"

namespace kivo {

// A zeroed core array block of `count` items (null for 0); false when memory runs out.
template <class T>
bool NewArray(uint32_t count, T** out) {
  *out = nullptr;
  if (count == 0) return true;
  void* block = nullptr;
  if (!ModuleCore()->ArrayAlloc(nullptr, sizeof(T), count, &block, 1)) return false;
  *out = static_cast<T*>(block);
  return true;
}

// A new block holding a copy of `count` items.
template <class T>
bool CopyArray(const T* items, uint32_t count, T** out) {
  if (!NewArray(count, out)) return false;
  if (count) std::memcpy(*out, items, sizeof(T) * count);
  return true;
}

template <class T>
void FreeArray(T*& array) {
  ModuleCore()->ArrayFree(nullptr, array);
  array = nullptr;
}

// The block grown by one item at its end; false (nothing changed) when memory runs out.
template <class T>
bool AppendToArray(T*& array, uint32_t& count, const T& item) {
  T* grown = nullptr;
  if (!array) {
    if (!NewArray(1, &grown)) return false;
  } else {
    void* block = nullptr;
    if (!ModuleCore()->ArrayResize(nullptr, count + 1, array, &block)) return false;
    grown = static_cast<T*>(block);
  }
  grown[count] = item;
  array = grown;
  ++count;
  return true;
}

}  // namespace kivo
