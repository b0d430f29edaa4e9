#include "vm/operand_stack.h"

#include "compiler/code_value.h"
#include "compiler/core_records.h"
#include "compiler/report.h"
#include "compiler/type_codes.h"
#include "vm/counted_string.h"
#include "vm/database_value.h"
#include "vm/list_value.h"
#include "vm/symbol.h"
#include "vm/tagged_value.h"

namespace varno {

namespace {

const RTVarnoStackElement kEmptyElement{};

// The next free element, or null with the overflow report.
RTVarnoStackElement* Reserve(RTVarnoContext* context) {
  if (!context || !context->operands || context->operandTop + 1 >= context->operandCapacity) {
    Raise(u"[VARNO VM] VM Operand Stack Overflow!");
    return nullptr;
  }
  RTVarnoStackElement* element = &context->operands[++context->operandTop];
  *element = RTVarnoStackElement{};
  return element;
}

}  // namespace

bool PushNumber(RTVarnoContext* context, int32_t value) {
  RTVarnoStackElement* element = Reserve(context);
  if (!element) return false;
  element->tag = kTagNumber;
  element->value.number = value;
  return true;
}

bool PushReal(RTVarnoContext* context, float value) {
  RTVarnoStackElement* element = Reserve(context);
  if (!element) return false;
  element->tag = kTagReal;
  element->value.real = value;
  return true;
}

bool PushBool(RTVarnoContext* context, bool value) {
  RTVarnoStackElement* element = Reserve(context);
  if (!element) return false;
  element->tag = kTagBool;
  element->value.word = value ? 1 : 0;
  return true;
}

bool PushStringCopy(RTVarnoContext* context, const char16_t* text) {
  char16_t* copy = nullptr;
  if (text && !(copy = StringCopy(text))) return false;
  return PushStringOwned(context, copy);
}

bool PushStringShared(RTVarnoContext* context, char16_t* text) {
  char16_t* shared = nullptr;
  if (text && !(shared = StringShare(text))) return false;
  return PushStringOwned(context, shared);
}

bool PushStringOwned(RTVarnoContext* context, char16_t* text) {
  RTVarnoStackElement* element = Reserve(context);
  if (!element) {
    StringRelease(text);
    return false;
  }
  element->tag = kTagString;
  element->value.text = text;
  return true;
}

bool PushVector3(RTVarnoContext* context, const RTFVector3D& value) {
  RTVarnoStackElement* element = Reserve(context);
  if (!element) return false;
  element->tag = kTagVector3;
  element->value.vector = value;
  return true;
}

bool PushCode(RTVarnoContext* context, VNcode* code) {
  RTVarnoStackElement* element = Reserve(context);
  if (!element) return false;
  element->tag = kTagCode;
  element->value.code = code;
  if (code) CodeValueReference(code);
  return true;
}

bool PushList(RTVarnoContext* context, VNlist* list) {
  if (list) ListReference(list);
  return PushListOwned(context, list);
}

bool PushListOwned(RTVarnoContext* context, VNlist* list) {
  RTVarnoStackElement* element = Reserve(context);
  if (!element) {
    if (list) ListDestructor(list);
    return false;
  }
  element->tag = kTagList;
  element->value.list = list;
  return true;
}

bool PushDatabase(RTVarnoContext* context, DatabaseValue* database) {
  if (database) DatabaseReference(database);
  return PushDatabaseOwned(context, database);
}

bool PushDatabaseOwned(RTVarnoContext* context, DatabaseValue* database) {
  RTVarnoStackElement* element = Reserve(context);
  if (!element) {
    if (database) DatabaseRelease(database);
    return false;
  }
  element->tag = kTagDatabase;
  element->value.database = database;
  return true;
}

bool PushObject(RTVarnoContext* context, RTVarnoSymbol* object) {
  RTVarnoStackElement* element = Reserve(context);
  if (!element) return false;
  element->tag = kTagObject;
  element->value.object = object;
  return true;
}

bool PushElement(RTVarnoContext* context, RTVarnoStackElement* source) {
  RTVarnoStackElement* element = Reserve(context);
  if (!element) {
    StackElementRelease(source);
    return false;
  }
  *element = *source;
  *source = RTVarnoStackElement{};
  return true;
}

bool PushConstantValue(RTVarnoContext* context, const RTVarnoConstantValue& value, bool held) {
  switch (value.type) {
    case kTypeNumber:
      return PushNumber(context, value.value.number);
    case kTypeReal:
      return PushReal(context, value.value.real);
    case kTypeString:
      return held ? PushStringShared(context, value.value.text) : PushStringCopy(context, value.value.text);
    case kTypeBool:
      return PushBool(context, value.value.word != 0);
    case kTypeVector3:
      return PushVector3(context, value.value.vector ? *value.value.vector : RTFVector3D{});
    case kTypeList:
      if (ValueList(value)) return PushList(context, ValueList(value));
      break;
    default:
      break;
  }
  if (value.type >= kFirstClassType && value.value.pointer) {
    return PushObject(context, static_cast<RTVarnoSymbol*>(value.value.pointer));
  }
  Raise(u"[VARNO VM] PushConstantValue(): Cannot push type (%d) specified onto stack!", value.type);
  return false;
}

bool OperandPop(RTVarnoContext* context) {
  if (!context || context->operandTop <= 1) return false;
  StackElementRelease(&context->operands[context->operandTop--]);
  return true;
}

bool OperandPopN(RTVarnoContext* context, uint32_t n) {
  if (OperandDepth(context) < n) return false;
  while (n--) OperandPop(context);
  return true;
}

bool OperandTake(RTVarnoContext* context, RTVarnoStackElement* out) {
  if (!context || context->operandTop <= 1) return false;
  RTVarnoStackElement& top = context->operands[context->operandTop--];
  *out = top;
  top = RTVarnoStackElement{};
  return true;
}

const RTVarnoStackElement& Tos(const RTVarnoContext* context, uint32_t n) {
  if (!context || context->operandTop < n + 1) return kEmptyElement;
  return context->operands[context->operandTop - n];
}

RTVarnoStackElement* TosMutable(RTVarnoContext* context, uint32_t n) {
  if (!context || context->operandTop < n + 2) return nullptr;
  return &context->operands[context->operandTop - n];
}

uint32_t OperandDepth(const RTVarnoContext* context) {
  return context && context->operandTop > 1 ? context->operandTop - 1 : 0;
}

}  // namespace varno
