// The first phase: the walk, statements, and the instruction helpers.
#include <vector>

#include "codegen/icode_builder.h"
#include "codegen/icode_generator.h"
#include "compiler/core_records.h"
#include "compiler/report.h"
#include "compiler/syntax_node.h"
#include "compiler/tree_limits.h"
#include "compiler/type_codes.h"
#include "compiler/type_records.h"
#include "kivo/support/wide_string.h"

namespace varno {

namespace {

constexpr size_t kLongestName = kNameUnits - 1;

uint32_t LineOf(const SyntaxNode* node, uint32_t fallback) {
  return node ? static_cast<uint32_t>(node->line) : fallback;
}

const SyntaxNode* ChildAt(const SyntaxNode* node, uint32_t index) {
  return index < node->childCount ? node->children[index] : nullptr;
}

void ClearLabelTargets(RTVarnoMethod* method) {
  if (!method) return;
  for (RTVarnoLabel* label : kivo::ListItems<RTVarnoLabel>(method->labels)) label->target = nullptr;
}

}  // namespace

RTSuccess GenerateIntermediateCode(RTVarnoTypeTable* table, RTVarnoMethod* method, const SyntaxNode* tree,
                                   Instruction** out) {
  if (!out) return kRTFailure;
  *out = nullptr;
  ClearLabelTargets(method);
  ICodeBuilder builder(table, method);
  InstructionList list;
  if (!builder.Generate(tree, list)) {
    FreeInstructions(list.first);
    ClearLabelTargets(method);
    return kRTFailure;
  }
  *out = list.first;
  return kRTSuccess;
}

void FreeIntermediateCode(Instruction* list) { FreeInstructions(list); }

Instruction* ICodeBuilder::Emit(InstructionList& out, Opcode op, uint32_t line) {
  Instruction* instruction = NewInstruction(static_cast<uint8_t>(op), line);
  if (instruction) AppendInstruction(out, instruction);
  return instruction;
}

Instruction* ICodeBuilder::EmitNamedPart(InstructionList& out, Opcode op, uint32_t line, const char16_t* name,
                                         size_t length) {
  if (length > kLongestName) {
    Raise(u"[VARNO] Name too long (limit is %d characters) in file: %s, on line: %d", static_cast<int>(kLongestName),
          method_ ? method_->sourceFileName : nullptr, static_cast<int32_t>(line));
    return nullptr;
  }
  char16_t* copy = CopyTextPart(name ? name : u"", length);
  if (!copy) return nullptr;
  Instruction* instruction = Emit(out, op, line);
  if (!instruction) {
    FreeText(copy);
    return nullptr;
  }
  instruction->name = copy;
  return instruction;
}

Instruction* ICodeBuilder::EmitNamed(InstructionList& out, Opcode op, uint32_t line, const char16_t* name) {
  return EmitNamedPart(out, op, line, name, name ? kivo::WideStrLen(name) : 0);
}

bool ICodeBuilder::Child(const SyntaxNode* node, uint32_t index, InstructionList& out) {
  return Generate(ChildAt(node, index), out);
}

bool ICodeBuilder::ChildrenThen(const SyntaxNode* node, InstructionList& out, Opcode op) {
  for (uint32_t i = 0; i < node->childCount; ++i) {
    if (!Child(node, i, out)) return false;
  }
  return Emit(out, op, static_cast<uint32_t>(node->line)) != nullptr;
}

bool ICodeBuilder::RightLeftThen(const SyntaxNode* node, InstructionList& out, Opcode op) {
  return Child(node, 1, out) && Child(node, 0, out) && Emit(out, op, static_cast<uint32_t>(node->line));
}

bool ICodeBuilder::Generate(const SyntaxNode* node, InstructionList& out) {
  if (!node) return Emit(out, Opcode::kNop, 0) != nullptr;
  if (node->kind == eSNStatementList) return GenerateStatementList(node, out);
  if (depth_ >= kMostTreeNesting) {
    Raise(u"[VARNO] Syntax tree nested too deeply for the icode generator!");
    return false;
  }
  ++depth_;
  bool handled = false;
  bool generated = GenerateStatement(node, out, &handled);
  if (!handled) generated = GenerateExpression(node, out);
  --depth_;
  return generated;
}

// Child 0 (the earlier statements), then child 1; the left-leaning chain is walked in a loop.
bool ICodeBuilder::GenerateStatementList(const SyntaxNode* list, InstructionList& out) {
  std::vector<const SyntaxNode*> chain{list};
  for (const SyntaxNode* at = list;
       at->childCount == 2 && at->children[0] && at->children[0]->kind == eSNStatementList;) {
    at = at->children[0];
    chain.push_back(at);
  }
  for (size_t i = chain.size(); i-- > 0;) {
    const SyntaxNode* node = chain[i];
    for (uint32_t c = i + 1 == chain.size() ? 0 : 1; c < node->childCount; ++c) {
      if (!Child(node, c, out)) return false;
    }
  }
  return true;
}

bool ICodeBuilder::GenerateStatement(const SyntaxNode* node, InstructionList& out, bool* handled) {
  *handled = true;
  const uint32_t line = static_cast<uint32_t>(node->line);
  switch (node->kind) {
    case eSNStatement:
      Raise(u"[VARNO] Hmmm, eSNStatement encountered in icode generator");
      return false;

    case eSNFor: {  // init; L: condition; jmpne E; body; step; jmp L; E: nop
      if (!Child(node, 0, out)) return false;
      Instruction* mark = out.last;
      if (!Child(node, 1, out)) return false;
      Instruction* loop = FirstAfter(out, mark);
      Instruction* exit = Emit(out, Opcode::kJmpne, line);
      if (!exit || !Child(node, 3, out) || !Child(node, 2, out)) return false;
      Instruction* back = Emit(out, Opcode::kJmp, line);
      if (!back) return false;
      back->target = loop;
      exit->target = Emit(out, Opcode::kNop, line);
      return exit->target != nullptr;
    }

    case eSNWhile: {  // L: condition; jmpne E; body; jmp L; E: nop (an empty body adds nothing)
      Instruction* mark = out.last;
      if (!Child(node, 0, out)) return false;
      Instruction* loop = FirstAfter(out, mark);
      Instruction* exit = Emit(out, Opcode::kJmpne, line);
      if (!exit) return false;
      if (const SyntaxNode* body = ChildAt(node, 1); body && !Generate(body, out)) return false;
      Instruction* back = Emit(out, Opcode::kJmp, line);
      if (!back) return false;
      back->target = loop;
      exit->target = Emit(out, Opcode::kNop, line);
      return exit->target != nullptr;
    }

    case eSNIf: {  // condition; jmpne E; body; E: nop
      if (!Child(node, 0, out)) return false;
      Instruction* skip = Emit(out, Opcode::kJmpne, LineOf(ChildAt(node, 0), line));
      if (!skip || !Child(node, 1, out)) return false;
      skip->target = Emit(out, Opcode::kNop, line);
      return skip->target != nullptr;
    }

    case eSNIfElse: {  // condition; jmpne F; then; jmp E; F: else; E: nop
      const uint32_t conditionLine = LineOf(ChildAt(node, 0), line);
      const uint32_t thenLine = LineOf(ChildAt(node, 1), conditionLine);
      const uint32_t elseLine = LineOf(ChildAt(node, 2), thenLine);
      if (!Child(node, 0, out)) return false;
      Instruction* toElse = Emit(out, Opcode::kJmpne, conditionLine);
      if (!toElse || !Child(node, 1, out)) return false;
      Instruction* toEnd = Emit(out, Opcode::kJmp, thenLine);
      if (!toEnd) return false;
      Instruction* mark = out.last;
      if (!Child(node, 2, out)) return false;
      toElse->target = FirstAfter(out, mark);
      toEnd->target = Emit(out, Opcode::kNop, elseLine);
      return toEnd->target != nullptr;
    }

    case eSNPrint: {
      const SyntaxNode* value = ChildAt(node, 0);
      const bool noValue = !value || value->type == kTypeNoValue;
      return Child(node, 0, out) && Emit(out, noValue ? Opcode::kNop : Opcode::kPrintv, line);
    }

    case eSNSwitch: {
      const SyntaxNode* condition = ChildAt(node, 0);
      if (!condition) return EmitNamed(out, Opcode::kSwitch, line, node->name) != nullptr;
      if (!Generate(condition, out)) return false;
      Instruction* skip = Emit(out, Opcode::kJmpne, LineOf(condition, line));
      if (!skip || !EmitNamed(out, Opcode::kSwitch, line, node->name)) return false;
      skip->target = Emit(out, Opcode::kNop, line);
      return skip->target != nullptr;
    }

    case eSNListen:
      return Emit(out, Opcode::kSlisten, line) != nullptr;
    case eSNDeafen:
      return Emit(out, Opcode::kSdeafen, line) != nullptr;

    case eSNMethodBody: {  // a state's body repeats from its "begin" label or its start
      Instruction* mark = out.last;
      if (!Child(node, 0, out)) return false;
      if (!node->method || node->method->kind != kMethodState) return Emit(out, Opcode::kReturn, line) != nullptr;
      Instruction* start = FirstAfter(out, mark);
      const RTVarnoLabel* begin = method_ ? LabelListFind(method_->labels, u"begin") : nullptr;
      if (begin && begin->target) start = static_cast<Instruction*>(begin->target);
      Instruction* loop = Emit(out, Opcode::kLoops, line);
      if (!loop) return false;
      loop->target = start;
      return true;
    }

    case eSNReturn:
      if (ChildAt(node, 0) && !Child(node, 0, out)) return false;
      return Emit(out, Opcode::kReturn, line) != nullptr;

    case eSNStart:
      return EmitNamed(out, Opcode::kStart, line, node->name) != nullptr;
    case eSNStop:
      return EmitNamed(out, Opcode::kStop, line, node->name) != nullptr;
    case eSNSleep:
      return ChildrenThen(node, out, Opcode::kSleep);

    case eSNGoto: {
      RTVarnoLabel* label = method_ ? LabelListFind(method_->labels, node->name) : nullptr;
      if (!label) return false;
      Instruction* jump = Emit(out, Opcode::kJmp, line);
      if (!jump) return false;
      jump->indirect = 1;
      jump->label = label;
      return true;
    }

    case eSNLabel: {
      RTVarnoLabel* label = method_ ? LabelListFind(method_->labels, node->name) : nullptr;
      if (!label) return false;
      label->target = Emit(out, Opcode::kNop, line);
      return label->target != nullptr;
    }

    case eSNCallStatement:
    case eSNInheritedStatement: {
      const SyntaxNode* call = ChildAt(node, 0);
      if (!Child(node, 0, out)) return false;
      if (call && call->type == kTypeNoValue) return true;
      return Emit(out, Opcode::kBalance, line) != nullptr;
    }

    case eSNBundle:
      for (uint32_t i = 0; i < node->childCount; ++i) {
        if (!Child(node, i, out)) return false;
      }
      return true;

    default:
      *handled = false;
      return false;
  }
}

}  // namespace varno
