// The program's record of the running game: the game, scripting and rasterizer instances, the
// compiled type table, the VM, the message pump, the quit flag and the cursor callback. It is
// allocated from the core's memory once the core has started and kept for the whole run.
#pragma once

#include <cstdint>

#include "kivo/types.h"
#include "varno/scripting_calls.h"
#include "tesk/host_callbacks.h"

namespace tesk {

namespace scripting = ::varno::scripting;

using MessagePump = void (*)();

struct HostRecord {
  uintptr_t allocated;  // 1 once allocated
  uintptr_t reserved1;
  uintptr_t reserved2;
  RTInstance game;
  RTInstance scripting;
  RTInstance rasterizer;
  scripting::TypeTable typeTable;
  scripting::VM vm;
  MessagePump pump;
  uintptr_t quit;  // 1 once the main form has closed
  CursorCallback cursor;
};
static_assert(sizeof(HostRecord) == 11 * sizeof(void*), "eleven pointer-sized words");

// The record, or null before the core has started.
HostRecord* Host();
void SetHost(HostRecord* record);

// The start flag: set when the main form is first activated (and on the second-instance path).
// Mouse, wheel and resize input reach the game only while it is set.
bool StartFlag();
void SetStartFlag();

// Runs the message pump if one is set; 1 while the quit flag is clear, else 0.
int32_t PumpMessages();
// The same, as the VM's host callback.
int32_t VarnoHostCallback(RTInstance host);
// Sets the quit flag when the record exists; 1.
int32_t RequestQuit();
int32_t SetCursorCallback(CursorCallback callback);
// Calls the cursor callback with the id and returns its result (0 when none is set).
int32_t CallCursorCallback(uint32_t id);

}  // namespace tesk
