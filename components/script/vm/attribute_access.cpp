#include "vm/attribute_access.h"

#include "compiler/core_records.h"
#include "compiler/type_codes.h"
#include "compiler/type_records.h"
#include "compiler/type_table.h"
#include "kivo/support/wide_string.h"
#include "vm/counted_string.h"
#include "vm/list_value.h"
#include "vm/name_cache.h"
#include "vm/symbol.h"
#include "vm/symbol_lookup.h"
#include "vm/vm.h"
#include "vm/tagged_value.h"

namespace varno {

namespace {

bool Accessible(uint32_t type) {
  return type == kTypeNumber || type == kTypeReal || type == kTypeBool || type == kTypeString;
}

// The value record the access reads or writes: the attribute's own value or its list element, or
// null. `objectHolder` receives the attribute when it is a script object.
RTVarnoConstantValue* Target(RTVarnoVM* vm, RTVarnoSymbol* object, const char16_t* name, uint32_t element,
                             RTVarnoSymbol** objectHolder) {
  RTVarnoSymbol* attribute = nullptr;
  if (!name || !SymbolRetrieveAttributeByName(vm, object, name, &attribute) || !attribute) return nullptr;
  if (SymbolIsObject(attribute)) {
    if (objectHolder && element == kWholeAttribute) *objectHolder = attribute;
    return nullptr;
  }
  if (element == kWholeAttribute) return &attribute->value;
  RTVarnoConstantValue* value = nullptr;
  if (attribute->typeIndex != kTypeList || !ListRetrieveElementN(ValueList(attribute->value), element, &value))
    return nullptr;
  return value;
}

// An attribute of a class type refers to `held` from now on; the object must be of that class or
// one derived from it.
RTSuccess BindObject(RTVarnoVM* vm, RTVarnoSymbol* object, const char16_t* name, uint32_t element,
                     RTVarnoSymbol* held) {
  if (element != kWholeAttribute || !held || !SymbolIsObject(held)) return kRTFailure;
  AttributeEntry* entry = SymbolFindAttributeEntry(vm, object, name);
  if (!entry || !entry->type || !(entry->type->flags & kTypeScriptClass) ||
      !TypeTableCanBe(vm->types, entry->type, held->type))
    return kRTFailure;
  entry->symbol = held;
  entry->bound = 1;
  held->stored = 1;
  NoteRebinding();
  return kRTSuccess;
}

}  // namespace

RTSuccess SymbolReadAttribute(RTVarnoVM* vm, RTVarnoSymbol* object, const char16_t* name, uint32_t element,
                              uint32_t type, RTVarnoConstantValue* out) {
  if (!out) return kRTFailure;
  *out = RTVarnoConstantValue{};
  RTVarnoSymbol* held = nullptr;
  const RTVarnoConstantValue* value = Target(vm, object, name, element, &held);
  if (held) {
    if (type != kFirstClassType) return kRTFailure;
    out->type = held->typeIndex;
    out->value.pointer = held;
    return kRTSuccess;
  }
  if (!value || !Accessible(type) || value->type != type) return kRTFailure;
  out->type = type;
  if (type != kTypeString) {
    out->value = value->value;
    return kRTSuccess;
  }
  if (value->value.text && !kivo::WideStrDup(value->value.text, &out->value.text)) {
    *out = RTVarnoConstantValue{};
    return kRTFailure;
  }
  return kRTSuccess;
}

RTSuccess SymbolWriteAttribute(RTVarnoVM* vm, RTVarnoSymbol* object, const char16_t* name, uint32_t element,
                               const RTVarnoConstantValue* value) {
  if (value && value->type >= kFirstClassType)
    return BindObject(vm, object, name, element, static_cast<RTVarnoSymbol*>(value->value.pointer));
  RTVarnoConstantValue* target = Target(vm, object, name, element, nullptr);
  if (!value || !target || target->type != value->type) return kRTFailure;
  if (value->type == kTypeVector3) {
    // Copied into the value's own vector block: the VM keeps its blocks.
    if (!value->value.vector || !target->value.vector) return kRTFailure;
    *target->value.vector = *value->value.vector;
    return kRTSuccess;
  }
  if (!Accessible(value->type)) return kRTFailure;
  if (value->type != kTypeString) {
    target->value.word = value->value.word;
    return kRTSuccess;
  }
  char16_t* text = value->value.text ? StringCopy(value->value.text) : nullptr;
  if (value->value.text && !text) return kRTFailure;
  StringRelease(target->value.text);
  target->value.text = text;
  return kRTSuccess;
}

}  // namespace varno
