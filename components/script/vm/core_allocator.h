// Standard containers and records of the VM in core memory, so that the core's statistics count
// them: an allocator over the core's blocks (a failed allocation throws std::bad_alloc, which the
// interpreter turns into its error exit) and construction of a record in a core block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "kivo/support/module_core.h"

namespace varno {

template <class T>
struct CoreAllocator {
  using value_type = T;

  CoreAllocator() = default;
  template <class U>
  CoreAllocator(const CoreAllocator<U>&) {}  // NOLINT: converting, as allocators are

  T* allocate(size_t count) {
    void* block = nullptr;
    const size_t bytes = count * sizeof(T);
    if (bytes > UINT32_MAX || !kivo::ModuleCore()->MemAlloc(nullptr, static_cast<uint32_t>(bytes), &block, 0) ||
        !block) {
      throw std::bad_alloc();
    }
    return static_cast<T*>(block);
  }
  void deallocate(T* block, size_t) { kivo::ModuleCore()->MemFree(nullptr, block); }

  template <class U>
  bool operator==(const CoreAllocator<U>&) const {
    return true;
  }
};

template <class T>
using CoreVector = std::vector<T, CoreAllocator<T>>;
using CoreText = std::basic_string<char16_t, std::char_traits<char16_t>, CoreAllocator<char16_t>>;

// A record constructed in a core block; CoreDelete destroys and frees it.
template <class T, class... Arguments>
T* CoreNew(Arguments&&... arguments) {
  T* place = CoreAllocator<T>().allocate(1);
  try {
    return new (place) T(std::forward<Arguments>(arguments)...);
  } catch (...) {
    CoreAllocator<T>().deallocate(place, 1);
    throw;
  }
}

template <class T>
void CoreDelete(T* record) {
  if (!record) return;
  record->~T();
  CoreAllocator<T>().deallocate(record, 1);
}

}  // namespace varno
