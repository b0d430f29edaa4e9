// The compile driver: turns a class file into a registered class of a type table, compiling the
// classes it names on the spot, and parses interactive expressions.
#pragma once

#include <cstddef>
#include <cstdint>

#include "kivo/support/list.h"
#include "kivo/types.h"

namespace varno {

struct RTVarnoType;
struct RTVarnoTypeTable;
struct SyntaxNode;

// Compiles the class file `fileName` (a ".varno" path, or the ".varnoc" beside it) into `table`,
// or into a new table when it is null (handed out through `outTable`; freed again when the
// compilation fails). Out: the index of the class named in the file. The compiled ".varnoc" of
// the same stem is read in the source's place when there is no source or the class file is at
// least as new as it (a note says which file is read); when that read fails the call fails and
// the source is not tried. An older class file is stale: the source is compiled.
RTSuccess VarnoParseBrellinAnsiFile(const char16_t* fileName, uint32_t* outType, RTVarnoTypeTable** outTable,
                                    RTVarnoTypeTable* table);

// While off, a class whose source exists is always compiled from it, whatever its class file (a
// compiler that writes class files wants them made from the sources). On at the start.
RTSuccess VarnoUseClassFiles(RTBool use);

// While enabled (the start state), a class header that names an existing script class empties
// that class completely and the parse fills it again; while disabled that is an error.
RTSuccess VarnoEnableReplaceTypes(RTBool enable);
bool ReplaceTypesEnabled();

// The type of that name; a class the table does not hold is found on the search paths and
// compiled into the table first.
RTSuccess FindOrCompileType(RTVarnoTypeTable* table, const char16_t* name, RTVarnoType** out);

// Parses one interactive expression or assignment (narrow Latin-1 text) in the scope of a class
// and a declaration list (both may be null) and hands out its tree: an eSNPrint node over an
// expression, or the assignment node. Running it belongs to the virtual machine.
RTSuccess ParseInteractiveExpression(RTVarnoTypeTable* table, RTVarnoType* scopeClass, kivo::List* declarations,
                                     const char* text, size_t length, SyntaxNode** outTree);

}  // namespace varno
