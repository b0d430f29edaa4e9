// The first phase's walk over a tree (icode_statements.cpp: statements and the walk itself;
// icode_expressions.cpp: expressions). Every handler appends the node's instructions to `out` and
// returns false on failure, after its report; the caller frees what was appended.
#pragma once

#include <cstdint>

#include "bytecode/instruction_set.h"
#include "codegen/instruction.h"

namespace varno {

struct RTVarnoMethod;
struct RTVarnoTypeTable;
struct SyntaxNode;

class ICodeBuilder {
 public:
  ICodeBuilder(RTVarnoTypeTable* table, RTVarnoMethod* method) : table_(table), method_(method) {}

  // A null node gives a nop on line 0.
  bool Generate(const SyntaxNode* node, InstructionList& out);

 private:
  bool GenerateStatementList(const SyntaxNode* list, InstructionList& out);
  bool GenerateStatement(const SyntaxNode* node, InstructionList& out, bool* handled);
  bool GenerateExpression(const SyntaxNode* node, InstructionList& out);
  bool GenerateCall(const SyntaxNode* node, InstructionList& out);
  bool GenerateAssignment(const SyntaxNode* node, InstructionList& out);
  bool GenerateIdentifier(const SyntaxNode* node, InstructionList& out);
  bool GenerateConstant(const SyntaxNode* node, InstructionList& out);
  bool GenerateCode(const SyntaxNode* node, InstructionList& out);
  // Elements in source order: the first, then `start`, then each further one and `join`.
  bool GenerateElements(const SyntaxNode* node, InstructionList& out, Opcode empty, Opcode start, Opcode join);
  // The arguments from the last to the first, each followed by pusha.
  bool PushArguments(const SyntaxNode* node, InstructionList& out);

  bool Child(const SyntaxNode* node, uint32_t index, InstructionList& out);
  // Every child in order, then `op` on the node's line.
  bool ChildrenThen(const SyntaxNode* node, InstructionList& out, Opcode op);
  // The right operand, the left one, then `op`.
  bool RightLeftThen(const SyntaxNode* node, InstructionList& out, Opcode op);

  Instruction* Emit(InstructionList& out, Opcode op, uint32_t line);
  // An instruction with a name operand; a name longer than 255 units is refused with a report.
  Instruction* EmitNamed(InstructionList& out, Opcode op, uint32_t line, const char16_t* name);
  Instruction* EmitNamedPart(InstructionList& out, Opcode op, uint32_t line, const char16_t* name, size_t length);

  RTVarnoTypeTable* table_;
  RTVarnoMethod* method_;
  int depth_ = 0;
};

// The first instruction appended after `mark` (the list's last instruction before).
inline Instruction* FirstAfter(const InstructionList& out, Instruction* mark) {
  return mark ? mark->next : out.first;
}

}  // namespace varno
