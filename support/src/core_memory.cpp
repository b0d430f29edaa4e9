#include "kivo/support/core_memory.h"

#include "kivo/support/module_core.h"

namespace kivo {

namespace {
int32_t gLiveObjects = 0;
}

void* CoreAlloc(size_t bytes) {
  void* block = nullptr;
  if (bytes > UINT32_MAX) return nullptr;
  ModuleCore()->MemAlloc(nullptr, static_cast<uint32_t>(bytes), &block, 0);
  return block;
}

void CoreFree(void* block) { ModuleCore()->MemFree(nullptr, block); }

void* ObjectNew(size_t bytes) {
  ++gLiveObjects;
  return CoreAlloc(bytes);
}

void ObjectDelete(void* block) {
  --gLiveObjects;
  CoreFree(block);
}

int32_t LiveObjectCount() { return gLiveObjects; }

}  // namespace kivo
