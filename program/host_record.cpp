#include "host_record.h"

namespace tesk {

namespace {
HostRecord* gHost = nullptr;
bool gStartFlag = false;
}  // namespace

HostRecord* Host() { return gHost; }
void SetHost(HostRecord* record) { gHost = record; }

bool StartFlag() { return gStartFlag; }
void SetStartFlag() { gStartFlag = true; }

int32_t PumpMessages() {
  if (!gHost) return 0;
  if (gHost->pump) gHost->pump();
  return gHost->quit == 0 ? 1 : 0;
}

int32_t VarnoHostCallback(RTInstance) { return PumpMessages(); }

int32_t RequestQuit() {
  if (gHost) gHost->quit = 1;
  return 1;
}

int32_t SetCursorCallback(CursorCallback callback) {
  if (gHost) gHost->cursor = callback;
  return 1;
}

int32_t CallCursorCallback(uint32_t id) { return gHost && gHost->cursor ? gHost->cursor(id) : 0; }

}  // namespace tesk
