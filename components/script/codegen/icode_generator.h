// The code generator's first phase: the syntax tree of a method or of an interactive expression,
// as the checker accepted and annotated it, becomes a list of intermediate instructions.
#pragma once

#include "kivo/types.h"

namespace varno {

struct Instruction;
struct RTVarnoMethod;
struct RTVarnoTypeTable;
struct SyntaxNode;

// `method` is null for an interactive expression (which holds no labels, gotos or method body).
// A null tree gives a single nop. On failure (reported where a message is due) nothing is handed
// out and nothing is left allocated. The method's label records point into the list while it
// lives.
RTSuccess GenerateIntermediateCode(RTVarnoTypeTable* table, RTVarnoMethod* method, const SyntaxNode* tree,
                                   Instruction** out);
// Frees a list made by GenerateIntermediateCode; null is ignored.
void FreeIntermediateCode(Instruction* list);

}  // namespace varno
