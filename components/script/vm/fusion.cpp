// The runs of instructions that one handler does at once. A run starts at any instruction and
// covers the instructions after it only when no jump enters them; a breakpoint's break instruction
// matches no run, so a patched run is decoded as its single instructions.
#include "bytecode/instruction_set.h"
#include "vm/decoded_code.h"
#include "vm/operand_math.h"

namespace varno {

namespace {

bool Is(const DecodedOp& op, Opcode code) {
  return op.status == ReadStatus::kRead && op.ownForm != kFormGeneral && op.opcode == static_cast<uint8_t>(code);
}

bool IsCompare(const DecodedOp& op) {
  return Is(op, Opcode::kEq) || Is(op, Opcode::kNeq) || Is(op, Opcode::kLt) || Is(op, Opcode::kGt) ||
         Is(op, Opcode::kLe) || Is(op, Opcode::kGe);
}

bool IsArithmetic(const DecodedOp& op) { return Is(op, Opcode::kAdd) || Is(op, Opcode::kSub) || Is(op, Opcode::kMul); }

bool IsBranch(const DecodedOp& op) { return (Is(op, Opcode::kJmpne) || Is(op, Opcode::kJmpe)) && op.jump; }

// The form of the run that starts at ops[0] (`left` operations there), or its own form.
Form RunForm(const DecodedOp* ops, size_t left, const bool* entered) {
  auto fits = [&](size_t length) {
    if (left < length) return false;
    for (size_t i = 1; i < length; ++i) {
      if (entered[i]) return false;
    }
    return true;
  };
  const DecodedOp& first = ops[0];
  if (fits(4)) {
    const DecodedOp& variable = ops[1];
    const DecodedOp& operation = ops[2];
    const DecodedOp& last = ops[3];
    if (Is(variable, Opcode::kPushs)) {
      const bool constant = Is(first, Opcode::kPushvn);
      const bool twoVariables = Is(first, Opcode::kPushs);
      if ((constant || twoVariables) && IsCompare(operation) && IsBranch(last)) {
        return constant ? kFormCompareConstantBranch : kFormCompareBranch;
      }
      if ((constant || twoVariables) && IsArithmetic(operation) && Is(last, Opcode::kStores)) {
        return constant ? kFormConstantArithmeticStore : kFormArithmeticStore;
      }
      if (constant && IsArithmetic(operation) && Is(last, Opcode::kPusha)) return kFormConstantArithmeticArgument;
      if (Is(first, Opcode::kNlist) && Is(operation, Opcode::kAdd) && Is(last, Opcode::kStores) &&
          variable.name == last.name) {
        return kFormAppendValue;
      }
    }
  }
  if (fits(4) && Is(first, Opcode::kPushs) && Is(ops[1], Opcode::kAdd) && Is(ops[2], Opcode::kAdd) &&
      Is(ops[3], Opcode::kStores) && first.name == ops[3].name) {
    return kFormAccumulateTwo;
  }
  if (fits(3) && Is(first, Opcode::kPushs) && Is(ops[1], Opcode::kAdd) && Is(ops[2], Opcode::kStores) &&
      first.name == ops[2].name) {
    return kFormAccumulate;
  }
  if (fits(2) && Is(first, Opcode::kPushs) && Is(ops[1], Opcode::kPusha)) return kFormVariableArgument;
  if (fits(2) && (Is(first, Opcode::kDbadd) || Is(first, Opcode::kDbremove)) && Is(ops[1], Opcode::kStores)) {
    return kFormDatabaseStore;
  }
  return first.ownForm;
}

}  // namespace

void FuseRuns(DecodedOp* ops, size_t count, const CoreVector<bool>& targets) {
  for (size_t i = 0; i < count; ++i) {
    bool entered[4] = {};
    for (size_t k = 0; k < 4 && i + k < count; ++k) entered[k] = targets[i + k];
    DecodedOp& op = ops[i];
    op.form = RunForm(ops + i, count - i, entered);
    if (op.form == kFormCompareConstantBranch || op.form == kFormCompareBranch) {
      // jmpne jumps when the comparison fails, jmpe when it holds.
      const uint8_t holds = OrderingsOf(static_cast<Opcode>(ops[i + 2].opcode));
      op.takenOrderings = ops[i + 3].opcode == static_cast<uint8_t>(Opcode::kJmpne) ? holds ^ 7 : holds;
    }
  }
}

}  // namespace varno
