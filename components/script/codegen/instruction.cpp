#include "codegen/instruction.h"

#include <vector>

#include "compiler/core_records.h"

namespace varno {

Instruction* NewInstruction(uint8_t opcode, uint32_t line) {
  Instruction* instruction = NewRecord<Instruction>();
  if (!instruction) return nullptr;
  instruction->opcode = opcode;
  instruction->line = line;
  return instruction;
}

void FreeInstructions(Instruction* first) {
  std::vector<Instruction*> lists{first};
  while (!lists.empty()) {
    Instruction* at = lists.back();
    lists.pop_back();
    while (at) {
      Instruction* next = at->next;
      if (at->nested) lists.push_back(at->nested);
      FreeText(at->name);
      FreeRecord(at);
      at = next;
    }
  }
}

void AppendInstructions(InstructionList& list, InstructionList& tail) {
  if (!tail.first) return;
  if (list.last) {
    list.last->next = tail.first;
  } else {
    list.first = tail.first;
  }
  list.last = tail.last;
  tail = InstructionList{};
}

void AppendInstruction(InstructionList& list, Instruction* instruction) {
  InstructionList single{instruction, instruction};
  AppendInstructions(list, single);
}

}  // namespace varno
