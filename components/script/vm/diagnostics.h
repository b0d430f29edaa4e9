// Where the running code is, and the state dump written to the error report when a run fails.
#pragma once

#include <cstdint>

#include "kivo/types.h"

namespace varno {

struct RTVarnoVM;

// The file of the current frame and the line of the current code position (the eval's line table
// while an eval runs). Every failure sets the line to -1 and the buffer to an empty text.
RTSuccess VarnoVMGetCurrentFileLineInfo(RTVarnoVM* vm, char16_t* buffer, uint32_t size, int32_t* line);
// Contexts, the current file and line, and per context (the current one first, each once) its
// object's name and type, queued events and call stack. An object without a "NAME" attribute ends
// the dump with failure.
RTSuccess VMDumpRunningState(RTVarnoVM* vm);
// "VARNO VM dump", a rule and "Running contexts: %d" as text into the stream.
RTSuccess VMDumpState(RTVarnoVM* vm, RTInstance stream);

}  // namespace varno
