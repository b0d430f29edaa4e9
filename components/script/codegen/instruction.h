// Intermediate instructions: the code generator's first phase turns a syntax tree into a linked
// list of these, one per bytecode instruction, with jumps pointing at instruction records; the
// second phase writes them as bytes and patches the jumps.
#pragma once

#include <cstdint>

#include "compiler/constant_value.h"
#include "kivo/types.h"

namespace varno {

struct RTVarnoLabel;
struct RTVarnoMethod;

struct Instruction {
  uint8_t opcode;                 // varno::Opcode
  uint32_t line;                  // source line
  uint32_t indirect;              // 1: a jmp whose target is `label`'s target
  char16_t* name;                 // owned: the name operand, or the text of pushvs
  Instruction* nested;            // pushvc: the code literal's instructions (owned)
  RTVarnoLabel* label;            // indirect jmp
  RTVarnoConstantValue constant;  // pushvn, pushvr, pushvv3: tag and value (a vector stays the tree's)
  Instruction* target;            // direct jumps
  uint32_t offset;                // byte offset, set by the second phase
  Instruction* next;
  RTVarnoMethod* method;          // pushvc: the method that collects the nested line table
  uint32_t pass;                  // the second-phase run that wrote it (jumps stay in their block)
};

// A list under construction: its first and last instruction (both null when empty).
struct InstructionList {
  Instruction* first = nullptr;
  Instruction* last = nullptr;
};

// A zeroed instruction, or null when there is no memory.
Instruction* NewInstruction(uint8_t opcode, uint32_t line);
// Frees every instruction of the list with its name and the nested lists of code literals; null
// is ignored.
void FreeInstructions(Instruction* first);
// Moves `tail`'s instructions to the end of `list`; `tail` is left empty.
void AppendInstructions(InstructionList& list, InstructionList& tail);
void AppendInstruction(InstructionList& list, Instruction* instruction);

}  // namespace varno
