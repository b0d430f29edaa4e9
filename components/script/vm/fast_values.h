// The value work of the dispatch loop's fast handlers: reading and writing variables, the
// arithmetic and comparisons of numbers and reals, joined texts, and lists, strings and databases
// changed in place, each either doing exactly what the general handlers do or reporting that it
// does not apply (false) without changing anything. Pushes set only what an element's readers
// read; a pop of a value that owns nothing releases nothing.
#pragma once

#include <cstdint>

#include "bytecode/instruction_set.h"
#include "compiler/type_codes.h"
#include "kivo/support/numeric.h"
#include "vm/attribute_table.h"
#include "vm/context.h"
#include "vm/operand_math.h"
#include "vm/stack_element.h"
#include "vm/symbol.h"

namespace varno {

// The stack's elements from the top down: Top(c, 0) is TOS.
inline RTVarnoStackElement& Top(RTVarnoContext* c, uint32_t n) { return c->operands[c->operandTop - n]; }
// n elements above the empty bottom one.
inline bool Holds(const RTVarnoContext* c, uint32_t n) { return c->operandTop >= n + 1; }
// Room for n more elements.
inline bool Room(const RTVarnoContext* c, uint32_t n) { return c->operandTop + n < c->operandCapacity; }

// Drops TOS, releasing what it owns.
inline void Pop(RTVarnoContext* c) {
  RTVarnoStackElement& top = Top(c, 0);
  if (top.tag == kTagString || top.tag == kTagList || top.tag == kTagDatabase || top.tag == kTagCode) {
    StackElementRelease(&top);
  }
  --c->operandTop;
}

inline void PushWord(RTVarnoContext* c, uint8_t tag, uint32_t word) {
  RTVarnoStackElement& element = c->operands[++c->operandTop];
  element.tag = tag;
  element.value.word = word;
}

inline uint32_t FloatBits(float value) {
  RTVarnoStackElement e;
  e.value.real = value;
  return e.value.word;
}

// A number or real as the element `add` .. `div` of A (TOS) and B make: tag and value word. False
// for other kinds and for an integer division the general handler refuses.
[[gnu::always_inline]] inline bool NumericResult(Opcode op, const RTVarnoStackElement& a, const RTVarnoStackElement& b,
                                                 uint8_t* tag, uint32_t* word) {
  if (!IsNumeric(a) || !IsNumeric(b)) return false;
  if (a.tag == kTagNumber && b.tag == kTagNumber) {
    int32_t result = 0;
    if (op != Opcode::kDiv) {
      result = WrappingOp(op, a.value.number, b.value.number);
    } else if (b.value.number == 0 || (a.value.number == INT32_MIN && b.value.number == -1)) {
      return false;
    } else {
      result = a.value.number / b.value.number;
    }
    *tag = kTagNumber;
    *word = static_cast<uint32_t>(result);
    return true;
  }
  *tag = kTagReal;
  *word = FloatBits(RealOp(op, AsFloat(a), AsFloat(b)));
  return true;
}

// eq .. ge of two numbers or reals; false for other kinds.
[[gnu::always_inline]] inline bool NumericOrder(Opcode op, const RTVarnoStackElement& a, const RTVarnoStackElement& b,
                                                bool* result) {
  if (!IsNumeric(a) || !IsNumeric(b)) return false;
  *result = a.tag == kTagNumber && b.tag == kTagNumber ? Ordered(op, a.value.number, b.value.number)
                                                       : Ordered(op, AsFloat(a), AsFloat(b));
  return true;
}

// A variable of the entry read as `pushs` reads it: false for an entry still waiting for its
// object and for kinds the general handler reports.
[[gnu::always_inline]] inline bool ReadVariable(const AttributeEntry* entry, RTVarnoStackElement* out) {
  const RTVarnoSymbol* symbol = entry && entry->bound ? entry->symbol : nullptr;
  if (!symbol) return false;
  const RTVarnoConstantValue& value = symbol->value;
  switch (symbol->typeIndex) {
    case kTypeNumber:
      out->tag = kTagNumber;
      out->value.word = value.value.word;
      return true;
    case kTypeReal:
      out->tag = kTagReal;
      out->value.word = value.value.word;
      return true;
    case kTypeBool:
      out->tag = kTagBool;
      out->value.word = value.value.word != 0 ? 1 : 0;
      return true;
    default:
      return false;
  }
}

// The number or real a variable holds (as an element); false for a variable of another kind.
[[gnu::always_inline]] inline bool NumericVariable(const RTVarnoSymbol* variable, RTVarnoStackElement* out) {
  if (!variable) return false;
  if (variable->typeIndex == kTypeNumber) {
    out->tag = kTagNumber;
  } else if (variable->typeIndex == kTypeReal) {
    out->tag = kTagReal;
  } else {
    return false;
  }
  out->value.word = variable->value.value.word;
  return true;
}

// Pushes the variable of the entry as `pushs` does (every kind but an unbound entry's); false when
// the general handler must run it.
bool PushVariable(RTVarnoContext* c, const AttributeEntry* entry);
// The variable of the entry as an element that owns its value (as `pushs` would push it).
bool CopyVariable(const AttributeEntry* entry, RTVarnoStackElement* out);

// Stores a number or real into a number or real variable as `stores` does; false for a variable of
// another kind or a constant one.
[[gnu::always_inline]] inline bool StoreNumeric(RTVarnoSymbol* symbol, uint8_t tag, uint32_t word) {
  if (!symbol || symbol->kind == kSymbolConstant) return false;
  RTVarnoStackElement value;
  value.tag = tag;
  value.value.word = word;
  if (symbol->typeIndex == kTypeNumber) {
    symbol->value.value.number = tag == kTagNumber ? value.value.number : kivo::FloatToInt<int32_t>(value.value.real);
    return true;
  }
  if (symbol->typeIndex == kTypeReal) {
    symbol->value.value.real = AsFloat(value);
    return true;
  }
  return false;
}

// Stores TOS into the variable of the entry as `stores` does and pops it (its value moves into the
// variable); false when the general handler must run it.
bool StoreVariable(RTVarnoContext* c, AttributeEntry* entry);

// `add` of a string and a string or number (A on TOS, B below): A's text followed by B's, each unit
// written once; a string that only the stack holds grows in place, any other result is a new
// string with room to grow. `joined` false (nothing done) for other kinds, which the general text
// path joins; false after joining without memory.
bool JoinPlainTexts(RTVarnoContext* c, bool* joined);

// `pushs X; add; stores X` with B, the value below, on TOS (operands 1), or `pushs X; add; add;
// stores X` with B on TOS and C below it (operands 2): X changes in place (a number or real added
// to, a list that only X holds appended to, a string that only X holds grown by the texts of
// numbers and strings) and the operands are popped; false, with nothing changed, when the
// instructions must run one by one.
bool AccumulateInPlace(RTVarnoContext* c, AttributeEntry* entry, uint32_t operands);
// `nlist; pushs X; add; stores X` with the value on TOS: appended as one element to the list that
// only X holds, and popped; false as above.
bool AppendInPlace(RTVarnoContext* c, AttributeEntry* entry);

// `dbadd; stores D` (key and value above the database) or `dbremove; stores D` (the key above it)
// where D's variable and the stack are the database's only holders: the database changes in place
// instead of being copied, the key and value are popped, the frame's balance mark is set as the
// general handler sets it and the stack's reference goes into D; false when the instructions must
// run one by one (a value a database cannot store, a key that is not there).
bool ChangeDatabaseInPlace(RTVarnoContext* c, CallFrame* frame, Opcode opcode, AttributeEntry* entry);
// `dbretrieve` of the value under the key on TOS from the database below it, replacing both; false
// for a missing key and for the kinds the general handler reports.
bool RetrieveFromDatabase(RTVarnoContext* c, CallFrame* frame);

}  // namespace varno
