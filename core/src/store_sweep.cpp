#include "store_sweep.h"

#include "kivo/support/hash_table.h"
#include "memory_manager.h"

namespace kivo::core {

namespace {

struct StoreSweep {
  bool open;
  DateStamp stamp;
  StrHashTable* written;  // paths written during the open sweep
};

constexpr uint32_t kWrittenBuckets = 139;
StoreSweep* gSweep = nullptr;

}  // namespace

bool CreateStoreSweep() {
  void* block = nullptr;
  if (!MemAlloc(nullptr, sizeof(StoreSweep), &block, 1)) return false;
  gSweep = static_cast<StoreSweep*>(block);
  return true;
}

void FreeStoreSweep() {
  CloseStoreSweep();
  MemFree(nullptr, gSweep);
  gSweep = nullptr;
}

bool OpenStoreSweep() {
  if (!gSweep || gSweep->open || !StrHashTableCreate(&gSweep->written, kWrittenBuckets, nullptr)) return false;
  gSweep->open = true;
  FillDateStamp(&gSweep->stamp);
  return true;
}

void CloseStoreSweep() {
  if (!gSweep || !gSweep->open) return;
  StrHashTableDestroy(gSweep->written);
  gSweep->written = nullptr;
  gSweep->open = false;
}

bool SweepHasWritten(const char16_t* path) {
  void* ignored = nullptr;
  return gSweep && gSweep->written && StrHashTableLookup(gSweep->written, path, &ignored);
}

void SweepMarkWritten(const char16_t* path) {
  if (gSweep && gSweep->written) StrHashTableInsert(gSweep->written, path, nullptr);
}

const DateStamp* OpenSweepStamp() { return gSweep && gSweep->open ? &gSweep->stamp : nullptr; }

}  // namespace kivo::core
