#include "vm/name_cache.h"

#include "compiler/type_records.h"
#include "compiler/type_table.h"
#include "vm/attribute_table.h"
#include "vm/call_frame.h"
#include "vm/collector.h"
#include "vm/symbol.h"
#include "vm/vm.h"

namespace varno {

namespace {

// A table whose entries are all its layout's: what a name finds in it follows from the layout.
bool LaidOut(const AttributeTable* table) { return table && table->layout && !table->entries; }

int32_t SlotOf(const AttributeLayout* layout, const DecodedName& name) {
  return AttributeLayoutFind(layout, name.upper.c_str(), static_cast<uint32_t>(name.upper.size()), name.hash);
}

// Where a plain name is found, in the lookup order, for the scope's layouts; false when it is
// nowhere or the tables are not laid out.
bool Resolve(RTVarnoVM* vm, const DecodedName& name, const NameScope& scope, PlaceCache& cache) {
  if (!scope.objectLayout || !scope.frameLayout) return false;
  NamePlace place = NamePlace::kNone;
  int32_t slot = SlotOf(scope.object->attributes->layout, name);
  AttributeEntry* constant = nullptr;
  if (slot >= 0) {
    place = NamePlace::kAttribute;
  } else if ((slot = SlotOf(scope.frame->locals->layout, name)) >= 0) {
    place = NamePlace::kLocal;
  } else {
    const AttributeTable* constants = ClassConstantTable(vm->types, scope.object->type);
    constant = AttributeFindHashed(constants, name.upper.c_str(), static_cast<uint32_t>(name.upper.size()), name.hash);
    if (!constant) return false;
    place = NamePlace::kConstant;
  }
  cache.objectLayout = scope.objectLayout;
  cache.frameLayout = scope.frameLayout;
  cache.place = place;
  cache.slot = slot;
  cache.constant = constant;
  return true;
}

AttributeEntry* PlainEntry(RTVarnoVM* vm, const DecodedName& name, PlaceCache& cache, const NameScope& scope) {
  if ((cache.objectLayout != scope.objectLayout || cache.frameLayout != scope.frameLayout) &&
      !Resolve(vm, name, scope, cache)) {
    return nullptr;
  }
  switch (cache.place) {
    case NamePlace::kAttribute:
      return scope.attributes + cache.slot;
    case NamePlace::kLocal:
      return scope.locals + cache.slot;
    case NamePlace::kConstant:
      return cache.constant;
    default:
      return nullptr;
  }
}

}  // namespace

RTVarnoMethod* DecodedCall::MethodOf(const RTVarnoSymbol* object) const {
  if (!object || !object->type || !object->type->methods) return nullptr;
  const uint64_t now = MethodTablesGeneration();
  if (type == object->type && generation == now) return found;
  RTVarnoMethod* result = nullptr;
  if (!TypeRetrieveMethodByName(object->type, method.c_str(), &result, kRetrieveWithAncestors)) result = nullptr;
  type = object->type;
  generation = now;
  found = result;
  return result;
}

NameScope ScopeOf(RTVarnoSymbol* object, CallFrame* frame) {
  NameScope scope;
  scope.object = object;
  scope.frame = frame;
  if (object && LaidOut(object->attributes)) {
    scope.objectLayout = object->attributes->layout->serial;
    scope.attributes = object->attributes->slots;
  }
  if (frame && LaidOut(frame->locals)) {
    scope.frameLayout = frame->locals->layout->serial;
    scope.locals = frame->locals->slots;
  }
  return scope;
}

AttributeEntry* ResolveEntry(RTVarnoVM* vm, const DecodedName& name, NameCache& cache, const NameScope& scope) {
  if (name.self) return nullptr;
  if (!name.dotted) return PlainEntry(vm, name, cache.plain, scope);
  if (!name.holder) return nullptr;
  const AttributeEntry* holder = PlainEntry(vm, *name.holder, cache.holder, scope);
  AttributeTable* members = holder && holder->symbol ? holder->symbol->attributes : nullptr;
  if (!LaidOut(members)) return nullptr;
  if (cache.memberLayout != members->layout->serial) {
    const int32_t slot = SlotOf(members->layout, *name.member);
    if (slot < 0) return nullptr;
    cache.memberLayout = members->layout->serial;
    cache.memberSlot = slot;
  }
  return &members->slots[cache.memberSlot];
}

}  // namespace varno
