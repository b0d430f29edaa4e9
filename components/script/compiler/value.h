// The value the scanner hands with a token and the parser keeps for every grammar symbol: four
// words. A word is pointer-sized so that it can hold a text or record pointer as well as a 32-bit
// number; the scanner fills only the first word.
#pragma once

#include <cstdint>
#include <type_traits>

namespace kivo {
struct List;
}

namespace varno {

struct ArgChain;
struct RTVarnoAttribute;
struct SyntaxNode;

union ValueWord {
  void* pointer;
  char16_t* text;
  int32_t integer;
  float real;
  uint32_t bits;
  SyntaxNode* node;               // statements and expressions
  RTVarnoAttribute* declaration;  // declarations
  ArgChain* chain;                // call arguments, list indexes
  kivo::List* list;               // list and database literal elements
};

struct VarnoValue {
  ValueWord word[4];
};

static_assert(std::is_trivially_copyable_v<VarnoValue>, "the parser copies values as bytes");
static_assert(sizeof(VarnoValue) == 4 * sizeof(void*));

}  // namespace varno
