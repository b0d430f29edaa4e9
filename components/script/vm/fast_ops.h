// The interpreter's quick handlers: the most frequent instructions on their most frequent operands
// (numbers and reals, plain variable names found through their name caches, jumps), run straight
// from the decoded instruction. A quick handler either does exactly what the general handler
// would, or changes nothing and hands the instruction to the general handler, which keeps every
// check, conversion and message.
#pragma once

#include "vm/decoded_code.h"

namespace varno {

struct RTVarnoContext;
struct RTVarnoVM;

// Runs instructions from the context's position on, moving it past each (or to its jump target),
// until one needs the general handler; its position is then the context's. None of them calls
// out, yields, or can set a break request, so nothing the loop checks between instructions
// changes while they run.
void RunQuick(RTVarnoVM* vm, RTVarnoContext* context);

// For `add`, `dbadd` and `dbremove`: true when the list or database the instruction changes is
// held only by the stack and by the variable that the next instruction (`stores`) writes the result
// back into. Changing it in place then gives the result a copy would, without the copy.
bool ResultReplacesSoleHolder(RTVarnoVM* vm, RTVarnoContext* context, const DecodedCode& code, const DecodedOp& op);

}  // namespace varno
