// The semantic checker: walks the syntax tree of one method (or one interactive expression),
// children first, resolves names, gives every expression node its type code, marks constants,
// picks the built-in operation of list and vector3 calls, checks operands, argument counts,
// labels and state names, and records the state transitions of "switch" statements. The first
// failure ends the check with one "[SYNTAX ERROR]" report.
#pragma once

#include <cstdint>

#include "kivo/support/list.h"
#include "kivo/types.h"

namespace varno {

struct RTVarnoMethod;
struct RTVarnoType;
struct RTVarnoTypeTable;
struct SyntaxNode;

// `declarations` are the method's parameters and locals; `method` is null for an interactive
// expression; `inCode` is 1 inside a code literal, where names are left to run time. A null node
// is accepted. Returns 1 accepted, 0 failed (reported).
RTSuccess CheckSyntaxTree(RTVarnoTypeTable* table, SyntaxNode* node, RTVarnoType* type, kivo::List* declarations,
                          RTVarnoMethod* method, uint32_t inCode);

}  // namespace varno
