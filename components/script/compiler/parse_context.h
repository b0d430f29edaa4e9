// The parse context: what one compilation works on. The compile driver fills the table, the
// file and the input; the parser fills the rest while it reduces. A compilation makes a fresh
// context current; a nested one (a parent class compiled on the spot) makes its own current and
// the outer one current again afterwards; every context is freed when its compilation ends.
#pragma once

#include <cstdint>

#include "compiler/source_input.h"
#include "kivo/support/list.h"

namespace varno {

struct RTVarnoType;
struct RTVarnoTypeTable;
struct SyntaxNode;

struct ParseContext {
  kivo::List* declarations;   // RTVarnoDeclaration of the method being parsed (parameters, locals)
  RTVarnoTypeTable* table;    // the table being filled
  RTVarnoType* currentClass;  // the class being filled (an expression: the running object's class)
  kivo::List* parameters;     // RTVarnoParameter of the method being parsed, or null
  char16_t* fileName;         // owned copy, for messages
  char16_t* className;        // owned copy of the header's class name
  uint32_t errorMark;         // set by every parse error report
  SyntaxNode* tree;           // the tree of an interactive expression or assignment
  kivo::List* labels;         // RTVarnoLabel of the method being parsed
  SourceInput input;          // mode, position, size, file or text, and the scanner's string list
  uint32_t borrowedDeclarations;  // 1 when `declarations` belongs to the caller (expressions)
};

// A zeroed context with its string list; null when there is no memory.
ParseContext* ParseContextCreate();
// Closes its file and frees it with all it still holds: the scanner's texts, the lists of the
// method being parsed (declarations only when its own), the tree and its names. Null is ignored.
void ParseContextFree(ParseContext* context);

// The context of the running compilation (null between compilations); making a context current
// also makes its input the scanner's.
ParseContext* CurrentParseContext();
void SetCurrentParseContext(ParseContext* context);

}  // namespace varno
