#include "vm/name_cache.h"

#include "compiler/type_codes.h"
#include "compiler/type_records.h"
#include "compiler/type_table.h"
#include "vm/attribute_table.h"
#include "vm/call_frame.h"
#include "vm/collector.h"
#include "vm/decoded_code.h"
#include "vm/symbol.h"
#include "vm/vm.h"

namespace varno {

namespace {

int32_t SlotOf(const AttributeLayout* layout, const DecodedName& name) {
  return AttributeLayoutFind(layout, name.upper.c_str(), static_cast<uint32_t>(name.upper.size()), name.hash);
}

// Where a plain name is found, in the lookup order, for the scope's layouts; false when it is
// nowhere or the tables are not laid out.
bool Resolve(RTVarnoVM* vm, const DecodedName& name, const NameScope& scope, PlaceCache& cache) {
  uint8_t table = kAttributesTable;
  int32_t slot = SlotOf(scope.object->attributes->layout, name);
  if (slot < 0) {
    table = kLocalsTable;
    slot = SlotOf(scope.frame->locals->layout, name);
  }
  NamePlace place = kPlaceConstant;
  AttributeEntry* constant = nullptr;
  if (slot >= 0) {
    // A slot bound to its own variable stays so while the epoch holds: the variable is reached
    // without the entry.
    const AttributeSlot& found = scope.tables[table][slot];
    if (found.entry.symbol != &found.variable || !found.entry.bound) {
      place = kPlaceEntry;
    } else {
      place = found.variable.typeIndex == kTypeNumber ? kPlaceNumber : kPlaceVariable;
    }
  } else {
    const AttributeTable* constants = ClassConstantTable(vm->types, scope.object->type);
    constant = AttributeFindHashed(constants, name.upper.c_str(), static_cast<uint32_t>(name.upper.size()), name.hash);
    if (!constant) return false;
  }
  cache.key = scope.key + place;
  cache.table = table;
  cache.offset = slot >= 0 ? static_cast<uint32_t>(slot * sizeof(AttributeSlot)) : 0;
  cache.constant = constant;
  return true;
}

AttributeEntry* PlainEntry(RTVarnoVM* vm, const DecodedName& name, PlaceCache& cache, const NameScope& scope) {
  if (!scope.key || (PlaceIn(cache, scope) > kPlaceConstant && !Resolve(vm, name, scope, cache))) return nullptr;
  if (PlaceIn(cache, scope) == kPlaceConstant) return cache.constant;
  return &SlotAt(scope.tables[cache.table], cache.offset)->entry;
}

}  // namespace

RTVarnoMethod* DecodedCall::FindMethod(const RTVarnoSymbol* object) const {
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

AttributeEntry* ResolveEntry(RTVarnoVM* vm, const DecodedName& name, NameCache& cache, const NameScope& scope) {
  if (name.self) return nullptr;
  if (!name.dotted) return PlainEntry(vm, name, cache.plain, scope);
  if (!name.holder) return nullptr;
  const AttributeEntry* holder = PlainEntry(vm, *name.holder, cache.holder, scope);
  AttributeTable* members = holder && holder->symbol ? holder->symbol->attributes : nullptr;
  if (!TableLaidOut(members)) return nullptr;
  if (cache.memberLayout != members->layout->serial) {
    const int32_t slot = SlotOf(members->layout, *name.member);
    if (slot < 0) return nullptr;
    cache.memberLayout = members->layout->serial;
    cache.memberSlot = slot;
  }
  return &members->slots[cache.memberSlot].entry;
}

}  // namespace varno
