// Operand rules that the general value instructions and the interpreter's quick handlers share:
// which elements are numeric, their float value, the two-operand arithmetic of numbers (wrapping
// 32-bit) and reals, and the six orderings.
#pragma once

#include <cstdint>

#include "bytecode/instruction_set.h"
#include "vm/stack_element.h"

namespace varno {

inline bool IsNumeric(const RTVarnoStackElement& e) { return e.tag == kTagNumber || e.tag == kTagReal; }

inline float AsFloat(const RTVarnoStackElement& e) {
  return e.tag == kTagNumber ? static_cast<float>(e.value.number) : e.value.real;
}

// add, sub, mul of 32-bit numbers, wrapping.
[[gnu::always_inline]] inline int32_t WrappingOp(Opcode op, int32_t a, int32_t b) {
  const auto x = static_cast<uint32_t>(a);
  const auto y = static_cast<uint32_t>(b);
  return static_cast<int32_t>(op == Opcode::kAdd ? x + y : op == Opcode::kSub ? x - y : x * y);
}

// add, sub, mul, div of reals.
[[gnu::always_inline]] inline float RealOp(Opcode op, float a, float b) {
  switch (op) {
    case Opcode::kAdd:
      return a + b;
    case Opcode::kSub:
      return a - b;
    case Opcode::kMul:
      return a * b;
    default:
      return a / b;
  }
}

// eq, neq, lt, gt, le, ge.
template <class T>
[[gnu::always_inline]] inline bool Ordered(Opcode op, T a, T b) {
  switch (op) {
    case Opcode::kEq:
      return a == b;
    case Opcode::kNeq:
      return a != b;
    case Opcode::kLt:
      return a < b;
    case Opcode::kGt:
      return a > b;
    case Opcode::kLe:
      return a <= b;
    default:
      return a >= b;
  }
}

// The orderings of A and B that eq .. ge hold for, one bit each: 1 A < B, 2 A == B, 4 A > B.
inline uint8_t OrderingsOf(Opcode op) {
  switch (op) {
    case Opcode::kEq:
      return 2;
    case Opcode::kNeq:
      return 5;
    case Opcode::kLt:
      return 1;
    case Opcode::kGt:
      return 4;
    case Opcode::kLe:
      return 3;
    default:
      return 6;
  }
}

// The ordering bit of two numbers.
[[gnu::always_inline]] inline uint32_t OrderingBit(int32_t a, int32_t b) { return 1u << ((a > b) - (a < b) + 1); }

}  // namespace varno
