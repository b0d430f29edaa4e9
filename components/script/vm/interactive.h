// Interactive expressions: one expression or assignment given as narrow text, compiled in the
// scope of the method that the VM's current context runs and run there at once.
#pragma once

#include "kivo/types.h"

namespace varno {

struct RTVarnoVM;

// Parses, checks and generates the text (an expression prints its value) and runs the code in the
// current context; fails on a compile error and when the run ends in an error.
RTSuccess VarnoRunInteractiveExpression(RTVarnoVM* vm, const char* text);

}  // namespace varno
