#include "vm/symbol_lookup.h"

#include "compiler/dotted_name.h"
#include "compiler/type_codes.h"
#include "compiler/type_records.h"
#include "compiler/type_table.h"
#include "kivo/support/wide_string.h"
#include "vm/attribute_table.h"
#include "vm/call_frame.h"
#include "vm/collector.h"
#include "vm/context.h"
#include "vm/name_cache.h"
#include "vm/symbol.h"
#include "vm/vm.h"

namespace varno {

namespace {

constexpr char16_t kConstructor[] = u"CONSTRUCTOR";

// Gives a waiting entry its object and runs the object's constructor.
bool CreateEntryObject(RTVarnoVM* vm, RTVarnoTypeTable* table, AttributeEntry* entry) {
  RTVarnoType* type = entry->type;
  if (!type) return false;
  RTVarnoSymbol* object = nullptr;
  if (!SymbolFactory(table, type->index, &object, kSymbolOrdinary, true)) return false;
  entry->symbol = object;
  entry->bound = 1;
  if (!vm || !vm->current || !(type->flags & kTypeScriptClass)) return true;
  if (type->singleton && SingletonConstructed(type)) return true;
  if (!RunMethodByName(vm, object, kConstructor, 1)) return false;
  if (type->singleton) MarkSingletonConstructed(type);
  return true;
}

// Walks an upper-case (dotted) name from a table; `name` is written into (a dot at a time) and
// restored.
AttributeEntry* Walk(RTVarnoVM* vm, RTVarnoTypeTable* table, const AttributeTable* attributes, char16_t* name,
                     bool createLast) {
  if (!attributes) return nullptr;
  char16_t* rest = nullptr;
  int32_t dot = -1;
  char16_t saved = 0;
  NameCutFirst(name, &rest, &dot, &saved);
  AttributeEntry* entry = AttributeFind(attributes, name);
  if (dot >= 0) name[dot] = saved;
  if (!entry) return nullptr;
  if (!rest) {
    if (createLast && !entry->bound && !CreateEntryObject(vm, table, entry)) return nullptr;
    return entry;
  }
  if (!entry->symbol && !CreateEntryObject(vm, table, entry)) return nullptr;
  RTVarnoSymbol* symbol = entry->symbol;
  // A variable of a built-in type has no members.
  if (!symbol || !symbol->attributes) return nullptr;
  AttributeEntry* found = Walk(vm, table, symbol->attributes, rest, createLast);
  if (!found) found = Walk(vm, table, ClassConstantTable(table, symbol->type), rest, createLast);
  return found;
}

// The entry of a plain name decoded ahead (its key and hash known), in the lookup order; nothing
// is created.
AttributeEntry* FindPlainName(RTVarnoVM* vm, RTVarnoContext* context, const DecodedName& key) {
  const CallFrame* frame = TopFrame(context);
  RTVarnoSymbol* object = frame ? frame->object : context->object;
  auto find = [&](const AttributeTable* table) {
    return AttributeFindHashed(table, key.upper.c_str(), static_cast<uint32_t>(key.upper.size()), key.hash);
  };
  AttributeEntry* entry = find(object ? object->attributes : nullptr);
  if (!entry) entry = find(frame ? frame->locals : nullptr);
  if (!entry && object) entry = find(ClassConstantTable(vm->types, object->type));
  return entry;
}

RTSuccess Retrieve(RTVarnoVM* vm, RTVarnoTypeTable* table, const AttributeTable* attributes, const char16_t* name,
                   RTVarnoSymbol** out) {
  if (!out) return kRTFailure;
  *out = nullptr;
  char16_t upper[kLookupNameUnits];
  if (!kivo::WideStrUpperBounded(name, upper, kLookupNameUnits)) return kRTFailure;
  AttributeEntry* entry = Walk(vm, table, attributes, upper, true);
  if (!entry || !entry->symbol) return kRTFailure;
  *out = entry->symbol;
  return kRTSuccess;
}

}  // namespace

RTSuccess SymbolTableRetrieveSymbolByName(RTVarnoVM* vm, RTVarnoTypeTable* table, AttributeTable* attributes,
                                          const char16_t* name, RTVarnoSymbol** out) {
  return Retrieve(vm, table, attributes, name, out);
}

RTSuccess SymbolRetrieveAttributeByName(RTVarnoVM* vm, RTVarnoSymbol* object, const char16_t* name,
                                        RTVarnoSymbol** out) {
  if (out) *out = nullptr;
  if (!vm || !object) return kRTFailure;
  return Retrieve(vm, vm->types, object->attributes, name, out);
}

AttributeEntry* SymbolFindAttributeEntry(RTVarnoVM* vm, RTVarnoSymbol* object, const char16_t* name) {
  char16_t upper[kLookupNameUnits];
  if (!vm || !object || !name || !kivo::WideStrUpperBounded(name, upper, kLookupNameUnits)) return nullptr;
  return Walk(vm, vm->types, object->attributes, upper, false);
}

bool LookupVariable(RTVarnoVM* vm, RTVarnoContext* context, const char16_t* name, bool createLast,
                    NamedVariable* out, const DecodedName* key) {
  *out = NamedVariable{};
  if (!vm || !context || !name) return false;
  RTVarnoSymbol* object = CurrentObject(context);
  if (key && !key->dotted && !key->self) {
    AttributeEntry* entry = FindPlainName(vm, context, *key);
    if (!entry || (createLast && !entry->bound && !CreateEntryObject(vm, vm->types, entry))) return false;
    out->entry = entry;
    out->symbol = entry->symbol;
    return true;
  }
  if (kivo::WideStrEqualNoCase(name, u"this") == 0) {
    out->symbol = object;
    return object != nullptr;
  }
  char16_t upper[kLookupNameUnits];
  if (!kivo::WideStrUpperBounded(name, upper, kLookupNameUnits)) return false;
  RTVarnoTypeTable* table = vm->types;
  auto constants = [&]() -> const AttributeTable* { return object ? ClassConstantTable(table, object->type) : nullptr; };
  // "this.x" names a member of the current object.
  constexpr char16_t kThisDot[] = u"THIS.";
  bool thisPrefix = true;
  for (uint32_t i = 0; kThisDot[i]; ++i) thisPrefix = thisPrefix && upper[i] == kThisDot[i];
  AttributeEntry* entry = nullptr;
  if (thisPrefix) {
    char16_t* member = upper + 5;
    entry = Walk(vm, table, object ? object->attributes : nullptr, member, createLast);
    if (!entry) entry = Walk(vm, table, constants(), member, createLast);
  } else {
    entry = Walk(vm, table, object ? object->attributes : nullptr, upper, createLast);
    if (!entry) {
      CallFrame* frame = TopFrame(context);
      entry = Walk(vm, table, frame ? frame->locals : nullptr, upper, createLast);
    }
    if (!entry) entry = Walk(vm, table, constants(), upper, createLast);
  }
  if (!entry) return false;
  out->entry = entry;
  out->symbol = entry->symbol;
  return true;
}

}  // namespace varno
