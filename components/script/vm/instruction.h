// Decoding one instruction from a code buffer, and the one-line listing of an instruction.
#pragma once

#include <cstdint>

#include "bytecode/instruction_set.h"
#include "compiler/constant_value.h"
#include "compiler/report.h"
#include "kivo/support/math_types.h"
#include "kivo/types.h"

namespace varno {

struct VmInstruction {
  uint8_t opcode;
  OperandKind kind;
  uint32_t start;                  // offset of the opcode byte
  char16_t name[kNameUnits];       // name operands (at most 255 units)
  RTVarnoConstantValue operand;    // integer, real, string (owned), vector3, code (one reference)
  RTFVector3D vector;              // the buffer a vector3 operand points at
};

enum class ReadStatus {
  kRead,
  kEnd,          // no instruction starts here: the end of the code
  kCutShort,     // the code ends inside the instruction
  kNameTooLong,  // a name operand longer than 255 units
  kNoMemory,
};

// The operand kind of an opcode; opcodes beyond the table have none.
OperandKind OperandKindOf(uint8_t opcode);
const char16_t* OpcodeName(uint8_t opcode);

// Reads the instruction at `position` of the bytes and advances past it. A code operand becomes a
// new code value whose stream is made under `codeParent`.
ReadStatus ReadInstruction(const uint8_t* bytes, uint32_t size, uint32_t* position, RTInstance codeParent,
                           VmInstruction* out);
// Frees the operand string and releases the operand code value.
void ReleaseOperand(VmInstruction* instruction);

struct DecodedName;

// One instruction as the interpreter executes it: read afresh from the bytes, or taken from the
// stream's decoding.
struct Operation {
  uint8_t opcode;
  OperandKind kind;
  uint32_t start;
  const char16_t* name;            // a name operand's text ("" when there is none)
  const DecodedName* decodedName;  // its hashed key, when the code was decoded ahead
  RTVarnoConstantValue operand;    // integer, real, string, vector3 (pointing at `vector`), code
  RTFVector3D vector;
  bool ownsOperand;                // the string or code operand is this operation's to release
};

// "0x%04X | name", with the operand: a name, an integer "0x%08X", a real "%f", a string in double
// quotes, a vector3 "<%f, %f, %f>"; a code operand is listed by its opcode alone.
void TraceOperation(const Operation& operation);

}  // namespace varno
