#include "vm/fast_ops.h"

#include "compiler/core_records.h"
#include "compiler/type_codes.h"
#include "kivo/support/numeric.h"
#include "vm/attribute_table.h"
#include "vm/call_frame.h"
#include "vm/context.h"
#include "vm/counted_string.h"
#include "vm/database_value.h"
#include "vm/list_value.h"
#include "vm/operand_math.h"
#include "vm/stack_element.h"
#include "vm/symbol.h"
#include "vm/symbol_lookup.h"
#include "vm/tagged_value.h"

namespace varno {

namespace {

// The stack's elements from the top down: E(c, 0) is TOS.
RTVarnoStackElement& E(RTVarnoContext* c, uint32_t n) { return c->operands[c->operandTop - n]; }
bool Holds(const RTVarnoContext* c, uint32_t n) { return c->operandTop >= n + 1; }  // n above the bottom

// The next element; null when the stack is full (the general push reports it).
RTVarnoStackElement* Reserve(RTVarnoContext* c) {
  if (c->operandTop + 1 >= c->operandCapacity) return nullptr;
  RTVarnoStackElement* element = &c->operands[++c->operandTop];
  *element = RTVarnoStackElement{};
  return element;
}

bool PushWord(RTVarnoContext* c, uint8_t tag, uint32_t word) {
  RTVarnoStackElement* element = Reserve(c);
  if (!element) return false;
  element->tag = tag;
  element->value.word = word;
  return true;
}

uint32_t Bits(float value) {
  RTVarnoStackElement e{};
  e.value.real = value;
  return e.value.word;
}

// Drops TOS, which owns nothing (a number, real or bool) or whose value has moved elsewhere.
void DropPlain(RTVarnoContext* c) { c->operands[c->operandTop--] = RTVarnoStackElement{}; }

// The two operands become the result (B's place): `tag` and `word`.
void ReplaceTwo(RTVarnoContext* c, uint8_t tag, uint32_t word) {
  DropPlain(c);
  RTVarnoStackElement& result = E(c, 0);
  result = RTVarnoStackElement{};
  result.tag = tag;
  result.value.word = word;
}

// add, sub, mul of numbers (wrapping) and reals; TOS is A, the first operand.
bool Arithmetic(RTVarnoContext* c, Opcode op) {
  if (!Holds(c, 2)) return false;
  const RTVarnoStackElement& a = E(c, 0);
  const RTVarnoStackElement& b = E(c, 1);
  if (!IsNumeric(a) || !IsNumeric(b)) return false;
  if (a.tag == kTagNumber && b.tag == kTagNumber) {
    ReplaceTwo(c, kTagNumber, static_cast<uint32_t>(WrappingOp(op, a.value.number, b.value.number)));
    return true;
  }
  ReplaceTwo(c, kTagReal, Bits(RealOp(op, AsFloat(a), AsFloat(b))));
  return true;
}

bool Compare(RTVarnoContext* c, Opcode op) {
  if (!Holds(c, 2)) return false;
  const RTVarnoStackElement& a = E(c, 0);
  const RTVarnoStackElement& b = E(c, 1);
  if (!IsNumeric(a) || !IsNumeric(b)) return false;
  const bool result = a.tag == kTagNumber && b.tag == kTagNumber ? Ordered(op, a.value.number, b.value.number)
                                                                  : Ordered(op, AsFloat(a), AsFloat(b));
  ReplaceTwo(c, kTagBool, result ? 1 : 0);
  return true;
}

// The state the quick handlers work in. None of them calls a method, creates an object or adds a
// variable, so the frame, its object and the serials of their tables hold while they run.
struct Quick {
  RTVarnoVM* vm;
  RTVarnoContext* c;
  CallFrame* frame;
  uint64_t attributes;  // serial of the current object's attribute table (0: none)
  uint64_t locals;      // serial of the frame's locals (0: none)

  Quick(RTVarnoVM* machine, RTVarnoContext* context) : vm(machine), c(context), frame(TopFrame(context)) {
    const RTVarnoSymbol* object = frame ? frame->object : c->object;
    attributes = object && object->attributes ? object->attributes->serial : 0;
    locals = frame && frame->locals ? frame->locals->serial : 0;
  }

  // A plain variable that holds its symbol: the lookup is the cached one, and the general handler
  // takes every name that would create an object or that no table holds.
  RTVarnoSymbol* PlainVariable(const DecodedName* key) const {
    if (!key || key->dotted || key->self) return nullptr;
    AttributeEntry* entry = key->resolved;
    if (!entry || key->resolvedAttributes != attributes || key->resolvedLocals != locals) {
      entry = FindPlainName(vm, c, *key);
      if (entry && attributes && locals) {
        key->resolvedAttributes = attributes;
        key->resolvedLocals = locals;
        key->resolved = entry;
      }
    }
    return entry && entry->bound ? entry->symbol : nullptr;
  }

  // A plain name, or "holder.member" where the holder is a plain variable holding an object that
  // has the member among its attributes (a member found elsewhere is the general lookup's).
  RTVarnoSymbol* Variable(const DecodedOp& op) const {
    const DecodedName* key = op.name;
    if (!key || !key->dotted) return PlainVariable(key);
    if (!key->holder) return nullptr;
    const RTVarnoSymbol* holder = PlainVariable(key->holder.get());
    if (!holder || !holder->attributes) return nullptr;
    const AttributeEntry* entry = key->member->Find(holder->attributes, &key->member->attributes);
    return entry && entry->bound ? entry->symbol : nullptr;
  }

  bool PushVariable(const DecodedOp& op) const;
  bool StoreVariable(const DecodedOp& op) const;
  bool PushArgument() const;
  bool Balance() const;
};

// pusha: TOS moves onto the frame's argument stack.
bool Quick::PushArgument() const {
  if (!frame || !Holds(c, 1) || frame->argumentTop + 1 >= kArgumentStackSize) return false;
  RTVarnoStackElement& tos = E(c, 0);
  if (!ArgumentKind(tos.tag)) return false;
  frame->arguments[++frame->argumentTop] = tos;
  DropPlain(c);
  return true;
}

// balance: drops the value a call statement left, or nothing when it left none.
bool Quick::Balance() const {
  if (!frame) return false;
  if (c->operandTop == frame->balanceMark) return true;
  if (c->operandTop != frame->balanceMark + 1 || !Holds(c, 1)) return false;
  StackElementRelease(&E(c, 0));
  --c->operandTop;
  return true;
}

bool Quick::PushVariable(const DecodedOp& op) const {
  RTVarnoSymbol* symbol = Variable(op);
  if (!symbol) return false;
  const RTVarnoConstantValue& value = symbol->value;
  switch (symbol->typeIndex) {
    case kTypeNumber:
      return PushWord(c, kTagNumber, value.value.word);
    case kTypeReal:
      return PushWord(c, kTagReal, value.value.word);
    case kTypeBool:
      return PushWord(c, kTagBool, value.value.word != 0 ? 1 : 0);
    case kTypeList: {
      VNlist* list = ValueList(value);
      RTVarnoStackElement* element = list ? Reserve(c) : nullptr;
      if (!element) return false;
      ListReference(list);
      element->tag = kTagList;
      element->value.list = list;
      return true;
    }
    default:
      if (!SymbolIsObject(symbol)) return false;
      RTVarnoStackElement* element = Reserve(c);
      if (!element) return false;
      element->tag = kTagObject;
      element->value.object = symbol;
      return true;
  }
}

// Stores a number, real, bool, string or list TOS into a variable of the same kind (a number also
// into a real, a real or bool into a number).
bool Quick::StoreVariable(const DecodedOp& op) const {
  if (!Holds(c, 1)) return false;
  RTVarnoSymbol* symbol = Variable(op);
  if (!symbol || symbol->kind == kSymbolConstant) return false;
  RTVarnoStackElement& tos = E(c, 0);
  RTVarnoConstantValue& value = symbol->value;
  switch (symbol->typeIndex) {
    case kTypeNumber:
      if (tos.tag == kTagNumber || tos.tag == kTagBool) {
        value.value.number = tos.value.number;
      } else if (tos.tag == kTagReal) {
        value.value.number = kivo::FloatToInt<int32_t>(tos.value.real);
      } else {
        return false;
      }
      break;
    case kTypeReal:
      if (!IsNumeric(tos)) return false;
      value.value.real = AsFloat(tos);
      break;
    case kTypeBool:
      if (tos.tag != kTagBool) return false;
      value.value.word = tos.value.word ? 1 : 0;
      break;
    case kTypeList:
      if (tos.tag != kTagList || !tos.value.list) return false;
      // The stack's reference moves into the variable.
      if (ValueList(value)) ListDestructor(ValueList(value));
      value.value.pointer = tos.value.list;
      break;
    case kTypeString:
      if (tos.tag != kTagString) return false;
      // The stack's own copy becomes the variable's (a missing string stays missing).
      StringRelease(value.value.text);
      value.value.text = tos.value.text;
      break;
    default:
      return false;
  }
  DropPlain(c);
  return true;
}

// A target outside the code is the general jump's to report.
bool JumpTargetInside(const RTVarnoContext* c, int32_t target) {
  return target >= 0 && static_cast<uint32_t>(target) <= c->codeSize;
}

enum class Done { kNot, kNext, kJump };

// One instruction; kNot (nothing changed) when the general handler must run it.
Done RunOne(const Quick& q, const DecodedOp& op) {
  RTVarnoContext* c = q.c;
  const auto code = static_cast<Opcode>(op.opcode);
  bool done = false;
  switch (code) {
    case Opcode::kPushs:
      done = q.PushVariable(op);
      break;
    case Opcode::kStores:
      done = q.StoreVariable(op);
      break;
    case Opcode::kPushvn:
      done = PushWord(c, kTagNumber, op.operand.value.word);
      break;
    case Opcode::kPusha:
      done = q.PushArgument();
      break;
    case Opcode::kBalance:
      done = q.Balance();
      break;
    case Opcode::kPop:
      done = Holds(c, 1);
      if (done) {
        StackElementRelease(&E(c, 0));
        --c->operandTop;
      }
      break;
    case Opcode::kPushvr:
      done = PushWord(c, kTagReal, op.operand.value.word);
      break;
    case Opcode::kPusht:
    case Opcode::kPushf:
      done = PushWord(c, kTagBool, code == Opcode::kPusht ? 1 : 0);
      break;
    case Opcode::kAdd:
    case Opcode::kSub:
    case Opcode::kMul:
      done = Arithmetic(c, code);
      break;
    case Opcode::kEq:
    case Opcode::kNeq:
    case Opcode::kLt:
    case Opcode::kGt:
    case Opcode::kLe:
    case Opcode::kGe:
      done = Compare(c, code);
      break;
    case Opcode::kJmp:
      return JumpTargetInside(c, op.operand.value.number) ? Done::kJump : Done::kNot;
    case Opcode::kJmpne:
    case Opcode::kJmpe: {
      if (!Holds(c, 1) || E(c, 0).tag != kTagBool) return Done::kNot;
      const bool taken = (E(c, 0).value.word == 0) == (code == Opcode::kJmpne);
      if (taken && !JumpTargetInside(c, op.operand.value.number)) return Done::kNot;
      DropPlain(c);
      return taken ? Done::kJump : Done::kNext;
    }
    default:
      return Done::kNot;
  }
  return done ? Done::kNext : Done::kNot;
}

}  // namespace

void RunQuick(RTVarnoVM* vm, RTVarnoContext* c) {
  const DecodedOp* op = c->decoded ? c->decoded->At(c->position) : nullptr;
  const Quick quick(vm, c);
  while (op && op->status == ReadStatus::kRead) {
    switch (RunOne(quick, *op)) {
      case Done::kNot:
        return;
      case Done::kNext:
        c->position = op->next;
        op = op->nextOp;
        break;
      case Done::kJump:
        c->position = static_cast<uint32_t>(op->operand.value.number);
        op = op->jumpOp;
        break;
    }
  }
}

bool ResultReplacesSoleHolder(RTVarnoVM* vm, RTVarnoContext* c, const DecodedCode& code, const DecodedOp& op) {
  const DecodedOp* next = code.At(op.next);
  if (!next || next->status != ReadStatus::kRead || next->opcode != static_cast<uint8_t>(Opcode::kStores)) return false;
  RTVarnoSymbol* variable = Quick(vm, c).Variable(*next);
  if (!variable || variable->kind == kSymbolConstant) return false;
  switch (static_cast<Opcode>(op.opcode)) {
    case Opcode::kAdd: {
      if (!Holds(c, 2) || E(c, 0).tag != kTagList || E(c, 1).tag != kTagList) return false;
      VNlist* list = E(c, 0).value.list;
      return list && list != E(c, 1).value.list && variable->typeIndex == kTypeList && ValueList(variable->value) == list &&
             list->references == 2;
    }
    case Opcode::kDbadd:
    case Opcode::kDbremove: {
      const uint32_t below = op.opcode == static_cast<uint8_t>(Opcode::kDbadd) ? 2 : 1;
      if (!Holds(c, below + 1) || E(c, below).tag != kTagDatabase) return false;
      DatabaseValue* database = E(c, below).value.database;
      return database && variable->typeIndex == kTypeDatabase && ValueDatabase(variable->value) == database &&
             database->references == 2;
    }
    default:
      return false;
  }
}

}  // namespace varno
