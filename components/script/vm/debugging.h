// The debugger's side of a VM: the break request, single steps and breakpoints set by source file
// and line.
#pragma once

#include <cstdint>

#include "kivo/types.h"

namespace varno {

struct RTVarnoVM;

// Sets the break request: the running interpreter stops at the next instruction boundary.
RTSuccess VarnoVMBreak(RTVarnoVM* vm);
// Clear the break request and run the current context once in step-into (not supported: an error)
// or step-over mode; the interpreter's result.
uint32_t VarnoVMStepInto(RTVarnoVM* vm);
uint32_t VarnoVMStepOver(RTVarnoVM* vm);

// The class is the file name's last path component up to ".varno". The first method of the class
// whose code (its code literals first, then its own code) has the line gets a break patched over
// the line's first instruction; a line that already has one keeps it. A line without code fails.
RTSuccess VarnoVMAddBreak(RTVarnoVM* vm, const char16_t* fileName, uint32_t line);
// Puts back the instruction of the line's breakpoint and forgets it; success also when the line has
// none.
RTSuccess VarnoVMRemoveBreak(RTVarnoVM* vm, const char16_t* fileName, uint32_t line);

}  // namespace varno
