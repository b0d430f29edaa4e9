// Profiling of a VM: per method, the time-stamp ticks spent in it and its calls, counted while the
// VM's profiling flag is set, and the sorted profile handed to the host.
#pragma once

#include <cstdint>

#include "kivo/types.h"
#include "varno/call_cells.h"
#include "vm/vm.h"

namespace varno {

struct CallFrame;
struct RTVarnoMethod;
struct RTVarnoVM;

// The processor's time-stamp counter.
uint64_t ProfileTicks();

// Clears the counters of every method of the VM's type table and sets the flag.
RTSuccess VMBeginProfile(RTVarnoVM* vm);
RTSuccess VMEndProfile(RTVarnoVM* vm);
// One entry per method of every type (type order, then method order), sorted by ticks, largest
// first; the array (core memory, null when there is no method) and its length.
RTSuccess VMGetProfile(RTVarnoVM* vm, uint32_t* count, VarnoProfileEntry** entries);
RTSuccess VMDestroyProfile(uint32_t count, VarnoProfileEntry* entries);

// While profiling (the VM's flag is set): a call of the method starts in the frame (its count
// starts, one more call).
void ProfiledEnterFrame(CallFrame* frame);
// The frame's count starts again (a context resumes).
void ProfiledRestartFrame(CallFrame* frame);
// The ticks since the frame's count started go to its method.
void ProfiledLeaveFrame(CallFrame* frame);

inline void ProfileEnterFrame(const RTVarnoVM* vm, CallFrame* frame) {
  if (vm && vm->profiling && frame) ProfiledEnterFrame(frame);
}
inline void ProfileRestartFrame(const RTVarnoVM* vm, CallFrame* frame) {
  if (vm && vm->profiling && frame) ProfiledRestartFrame(frame);
}
inline void ProfileLeaveFrame(const RTVarnoVM* vm, CallFrame* frame) {
  if (vm && vm->profiling && frame) ProfiledLeaveFrame(frame);
}

}  // namespace varno
