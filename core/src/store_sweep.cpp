#include "store_sweep.h"

#include "memory_manager.h"

namespace kivo::core {

namespace {

struct StoreSweep {
  bool open;
  DateStamp stamp;
};
StoreSweep* gSweep = nullptr;

}  // namespace

bool CreateStoreSweep() {
  void* block = nullptr;
  if (!MemAlloc(nullptr, sizeof(StoreSweep), &block, 1)) return false;
  gSweep = static_cast<StoreSweep*>(block);
  return true;
}

void FreeStoreSweep() {
  MemFree(nullptr, gSweep);
  gSweep = nullptr;
}

bool OpenStoreSweep() {
  if (!gSweep || gSweep->open) return false;
  gSweep->open = true;
  FillDateStamp(&gSweep->stamp);
  return true;
}

void CloseStoreSweep() {
  if (gSweep) gSweep->open = false;
}

const DateStamp* OpenSweepStamp() { return gSweep && gSweep->open ? &gSweep->stamp : nullptr; }

}  // namespace kivo::core
