// The interpreter: runs the current context of a VM instruction by instruction until the context
// gives the processor back.
#pragma once

#include <cstdint>

namespace varno {

struct RTVarnoVM;

enum ExecuteMode : uint32_t {
  kModeRun = 1,       // until a yield, stop, exit or error
  kModeStepOver = 2,  // until the position leaves the current source line
  kModeStepInto = 3,  // not supported
  kModeTrap = 5,      // until the frame current at entry has returned
};

// Results: kRunError (0; the error exit has run), kRunStopped (1), kRunYield (2), kRunExit (3).
uint32_t ExecuteContext(RTVarnoVM* vm, uint32_t mode);

}  // namespace varno
