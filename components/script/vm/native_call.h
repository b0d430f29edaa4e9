// Calls of script methods that a native component implements: the one-time binding to the
// component's singleton and method record, the argument cells and the result cell.
#pragma once

#include <cstdint>

#include "compiler/constant_value.h"
#include "kivo/types.h"
#include "varno/call_cells.h"  // the cells and the native method signature

namespace varno {

struct CallFrame;
struct RTVarnoMethod;
struct RTVarnoSymbol;
struct RTVarnoVM;

// Binds the method on its first call: the singleton of its class part (created when missing) and
// the method record of its method part found in that class or its parents.
RTSuccess BindImplementedMethod(RTVarnoMethod* method);
// Converts the frame's arguments (the last pushed to the first parameter) into cells.
RTSuccess SetupImplementedCall(RTVarnoMethod* method, const CallFrame* caller, RTVarnoCallArg* cells,
                               uint32_t* count);
// The whole call on the VM's current context: bind, convert, call, push the result (unless the
// method returns nothing), release the cells and pop the frame's arguments. False after a report
// when the error exit must run.
bool CallImplementedMethod(RTVarnoVM* vm, RTVarnoMethod* method, RTVarnoSymbol* target);

}  // namespace varno
