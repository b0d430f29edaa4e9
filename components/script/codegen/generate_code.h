// Compiling checked classes to bytecode: every method of every class is checked, its code is
// generated into a memory stream under "Root:VNMethods" that the method record owns (at position
// 0), and the method gets its debug line table; its syntax tree is freed.
#pragma once

#include "kivo/support/list.h"
#include "kivo/types.h"

namespace varno {

struct LineTable;
struct RTVarnoType;
struct RTVarnoTypeTable;
struct SyntaxNode;

// Resolves every parent, then generates the code of every script class whose code is not
// generated yet. The first failure ends the call (reported: "[VARNO] Syntax check failed!",
// "[VARNO] Error generating iCode", "[VARNO] Error generating final code").
RTSuccess TypeTableGenerateCode(RTVarnoTypeTable* table);
// One class, its parent resolved; sets the class's code generated flag. A method that fails keeps
// its tree and gets no code.
RTSuccess GenerateClassCode(RTVarnoTypeTable* table, RTVarnoType* type);

// An interactive expression's tree (checked with no method) as code in a new memory stream under
// Root, at position 0; the caller releases it. The line table is handed out when asked for.
RTSuccess GenerateExpressionCode(RTVarnoTypeTable* table, SyntaxNode* tree, RTVarnoType* type,
                                 kivo::List* declarations, RTInstance* outStream, LineTable** outLines);

}  // namespace varno
