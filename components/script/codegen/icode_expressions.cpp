// The first phase: expressions, calls and assignments.
#include "compiler/built_in_members.h"
#include "codegen/icode_builder.h"
#include "compiler/core_records.h"
#include "compiler/report.h"
#include "compiler/syntax_node.h"
#include "compiler/type_codes.h"
#include "compiler/type_table.h"
#include "kivo/support/wide_string.h"

namespace varno {

namespace {

const SyntaxNode* ChildAt(const SyntaxNode* node, uint32_t index) {
  return index < node->childCount ? node->children[index] : nullptr;
}

// Units of the name before its last "." (the whole name without one).
size_t ObjectLength(const char16_t* name) {
  size_t length = name ? kivo::WideStrLen(name) : 0;
  for (size_t i = length; i-- > 0;) {
    if (name[i] == u'.') return i;
  }
  return length;
}

struct SimpleOp {
  uint8_t kind;
  Opcode op;
};

// Every child in order, then the instruction.
constexpr SimpleOp kChildrenThen[] = {
    {eSNNegate, Opcode::kNeg},        {eSNNot, Opcode::kNot},          {eSNSin, Opcode::kSin},
    {eSNCos, Opcode::kCos},           {eSNTan, Opcode::kTan},          {eSNSqrt, Opcode::kSqrt},
    {eSNSqr, Opcode::kSqr},           {eSNAbs, Opcode::kAbs},          {eSNRand, Opcode::kRand},
    {eSNHasKey, Opcode::kDbhaskey},   {eSNAddKey, Opcode::kDbadd},     {eSNRemove, Opcode::kDbremove},
    {eSNKeys, Opcode::kDbkeys},       {eSNRetrieve, Opcode::kDbretrieve}, {eSNDebug, Opcode::kDebug},
    {eSNExit, Opcode::kExit},         {eSNDynamicNew, Opcode::kDnew},  {eSNEval, Opcode::kEval},
    {eSNSpeaker, Opcode::kSpeaker},   {eSNPop, Opcode::kPop},
};

// The right operand, the left one, then the instruction.
constexpr SimpleOp kRightLeftThen[] = {
    {eSNAdd, Opcode::kAdd},    {eSNSubtract, Opcode::kSub},  {eSNMultiply, Opcode::kMul}, {eSNDivide, Opcode::kDiv},
    {eSNEqual, Opcode::kEq},   {eSNNotEqual, Opcode::kNeq},  {eSNLess, Opcode::kLt},      {eSNGreater, Opcode::kGt},
    {eSNLessEqual, Opcode::kLe}, {eSNGreaterEqual, Opcode::kGe}, {eSNAnd, Opcode::kAnd},  {eSNOr, Opcode::kOr},
    {eSNXor, Opcode::kXor},
};

constexpr Opcode kVectorPush[] = {Opcode::kVpushx, Opcode::kVpushy, Opcode::kVpushz};
constexpr Opcode kVectorStore[] = {Opcode::kVstorex, Opcode::kVstorey, Opcode::kVstorez};

}  // namespace

bool ICodeBuilder::GenerateExpression(const SyntaxNode* node, InstructionList& out) {
  const uint32_t line = static_cast<uint32_t>(node->line);
  for (const SimpleOp& entry : kChildrenThen) {
    if (entry.kind == node->kind) return ChildrenThen(node, out, entry.op);
  }
  for (const SimpleOp& entry : kRightLeftThen) {
    if (entry.kind == node->kind) return RightLeftThen(node, out, entry.op);
  }
  switch (node->kind) {
    case eSNCall:
      return GenerateCall(node, out);
    case eSNAssign:
      return GenerateAssignment(node, out);
    case eSNIdentifier:
      return GenerateIdentifier(node, out);
    case eSNConstant:
      return GenerateConstant(node, out);
    case eSNCode:
      return GenerateCode(node, out);

    case 55: case 56: case 57:
      if (!Child(node, 0, out) || !Emit(out, Opcode::kNop, line)) return false;
      kivo::ModuleCore()->DebugPrint(nullptr, u"[WARNING!!!] Unsupported function is resulting in a NOP!");
      return true;

    case eSNCanBe: {
      RTVarnoType* type = nullptr;
      return Child(node, 0, out) && TypeTableRetrieveTypeByIdx(table_, node->targetType, &type) &&
             EmitNamed(out, Opcode::kCanbe, line, type->name);
    }
    case eSNNew: {
      RTVarnoType* type = nullptr;
      return TypeTableRetrieveTypeByIdx(table_, node->type, &type) && EmitNamed(out, Opcode::kNew, line, type->name);
    }

    case eSNListAccess:  // pushs LIST; each index; lload
      if (!EmitNamed(out, Opcode::kPushs, line, node->name)) return false;
      for (uint32_t i = 0; i < node->childCount; ++i) {
        if (!Child(node, i, out) || !Emit(out, Opcode::kLload, line)) return false;
      }
      return true;

    case eSNList:
      return GenerateElements(node, out, Opcode::kMlist, Opcode::kNlist, Opcode::kAppend);
    case eSNDatabase:
      return GenerateElements(node, out, Opcode::kMdb, Opcode::kNdb, Opcode::kDbadd);
    case eSNDatabaseElement:
      return Child(node, 0, out) && Child(node, 1, out);

    case eSNInherited:
      return PushArguments(node, out) && Emit(out, Opcode::kCalli, line);

    case eSNCopyListen: {
      const SyntaxNode* target = ChildAt(node, 0);
      return Child(node, 1, out) && EmitNamed(out, Opcode::kCopylisten, line, target ? target->name : nullptr);
    }

    default:
      Raise(u"[VARNO] Unrecognized syntax node sent to icode generator!");
      return false;
  }
}

bool ICodeBuilder::GenerateElements(const SyntaxNode* node, InstructionList& out, Opcode empty, Opcode start,
                                    Opcode join) {
  const uint32_t line = static_cast<uint32_t>(node->line);
  if (node->childCount == 0) return Emit(out, empty, line) != nullptr;
  if (!Child(node, 0, out) || !Emit(out, start, line)) return false;
  for (uint32_t i = 1; i < node->childCount; ++i) {
    if (!Child(node, i, out) || !Emit(out, join, line)) return false;
  }
  return true;
}

bool ICodeBuilder::PushArguments(const SyntaxNode* node, InstructionList& out) {
  for (uint32_t i = node->childCount; i-- > 0;) {
    if (!Child(node, i, out) || !Emit(out, Opcode::kPusha, static_cast<uint32_t>(node->line))) return false;
  }
  return true;
}

bool ICodeBuilder::GenerateCall(const SyntaxNode* node, InstructionList& out) {
  const uint32_t line = static_cast<uint32_t>(node->line);
  if (node->builtIn == kMethodCall) return PushArguments(node, out) && EmitNamed(out, Opcode::kCall, line, node->name);

  Opcode op = Opcode::kNop;
  bool takesArgument = false;
  switch (node->builtIn) {
    case kListRemove: op = Opcode::kLremove; takesArgument = true; break;
    case kListCount: op = Opcode::kLcount; break;
    case kVectorDistance: op = Opcode::kVdistance; takesArgument = true; break;
    case kVectorLength: op = Opcode::kVlength; break;
    case kVectorNormalized: op = Opcode::kVnormalized; break;
    case kVectorClamped: op = Opcode::kVclamped; break;
    case kVectorDot: op = Opcode::kVdot; takesArgument = true; break;
    default:
      Raise(u"[VARNO ICode Generator] Invalid built-in method?");
      return false;
  }
  // pushs OBJ (the name before its last "."); the argument; the operation.
  if (!EmitNamedPart(out, Opcode::kPushs, line, node->name, ObjectLength(node->name))) return false;
  if (takesArgument && !Child(node, 0, out)) return false;
  return Emit(out, op, line) != nullptr;
}

bool ICodeBuilder::GenerateAssignment(const SyntaxNode* node, InstructionList& out) {
  const uint32_t line = static_cast<uint32_t>(node->line);
  const SyntaxNode* target = ChildAt(node, 0);
  if (target && target->kind == eSNListAccess) {
    // pushs LIST; each index but the last and lload; the value; the last index; lstore.
    if (!EmitNamed(out, Opcode::kPushs, line, target->name)) return false;
    const uint32_t indexes = target->childCount;
    for (uint32_t i = 0; i + 1 < indexes; ++i) {
      if (!Child(target, i, out) || !Emit(out, Opcode::kLload, line)) return false;
    }
    if (!Child(node, 1, out)) return false;
    if (indexes > 0 && !Child(target, indexes - 1, out)) return false;
    return Emit(out, Opcode::kLstore, line) != nullptr;
  }

  if (!Child(node, 1, out)) return false;
  const char16_t* name = target ? target->name : nullptr;
  if (!target || target->component < 0) {
    const bool event = target && target->type == kTypeEventName;
    return EmitNamed(out, event ? Opcode::kListen : Opcode::kStores, line, name) != nullptr;
  }
  if (target->baseType != kTypeVector3) {
    Raise(u"[VARNO iCode Generator] Invalid suffix type!");
    return false;
  }
  if (target->component > 2) {
    Raise(u"[VARNO iCode Generator] Invalid suffix index for Vector3!");
    return false;
  }
  return EmitNamed(out, kVectorStore[target->component], line, name) != nullptr;
}

bool ICodeBuilder::GenerateIdentifier(const SyntaxNode* node, InstructionList& out) {
  const uint32_t line = static_cast<uint32_t>(node->line);
  if (node->component < 0) {
    if (node->type == kTypeEventName) {
      Raise(u"[VARNO] Event type is invalid as an identifier!");
      return false;
    }
    if (node->type != kTypeListenerName) return EmitNamed(out, Opcode::kPushs, line, node->name) != nullptr;
    // A listener's name is pushed as a string (for "event = listener").
    Instruction* push = EmitNamed(out, Opcode::kPushvs, line, node->name);
    if (push) push->constant.type = kTypeString;
    return push != nullptr;
  }
  if (node->baseType != kTypeVector3 || node->component > 2) {
    Raise(u"[VARNO] Invalid suffixed type sent to eSNIdentifier icode generator!");
    return false;
  }
  return EmitNamed(out, kVectorPush[node->component], line, node->name) != nullptr;
}

bool ICodeBuilder::GenerateConstant(const SyntaxNode* node, InstructionList& out) {
  const uint32_t line = static_cast<uint32_t>(node->line);
  Instruction* push = nullptr;
  switch (node->constant.type) {
    case kTypeNumber:
      push = Emit(out, Opcode::kPushvn, line);
      break;
    case kTypeReal:
      push = Emit(out, Opcode::kPushvr, line);
      break;
    case kTypeVector3:
      push = Emit(out, Opcode::kPushvv3, line);
      break;
    case kTypeString: {
      // String constants keep their case; the text is the instruction's own copy.
      char16_t* text = CopyText(node->constant.value.text);
      if (!text) return false;
      push = Emit(out, Opcode::kPushvs, line);
      if (!push) {
        FreeText(text);
        return false;
      }
      push->name = text;
      push->constant.type = kTypeString;
      return true;
    }
    case kTypeBool:
      return Emit(out, node->constant.value.word ? Opcode::kPusht : Opcode::kPushf, line) != nullptr;
    default:
      Raise(u"[VARNO] Invalid constant type passed to icode generator!");
      return false;
  }
  if (!push) return false;
  push->constant.type = node->constant.type;
  push->constant.value = node->constant.value;
  return true;
}

// One pushvc holding the literal's own instructions.
bool ICodeBuilder::GenerateCode(const SyntaxNode* node, InstructionList& out) {
  InstructionList nested;
  if (!Child(node, 0, nested)) {
    FreeInstructions(nested.first);
    return false;
  }
  Instruction* push = Emit(out, Opcode::kPushvc, static_cast<uint32_t>(node->line));
  if (!push) {
    FreeInstructions(nested.first);
    return false;
  }
  push->nested = nested.first;
  push->method = node->method;
  return true;
}

}  // namespace varno
