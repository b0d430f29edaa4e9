#include "vm/symbol.h"

#include "compiler/code_value.h"
#include "compiler/core_records.h"
#include "compiler/listener_list.h"
#include "compiler/report.h"
#include "compiler/type_codes.h"
#include "compiler/type_table.h"
#include "vm/attribute_table.h"
#include "vm/collector.h"
#include "vm/counted_string.h"
#include "vm/database_value.h"
#include "vm/event.h"
#include "vm/list_value.h"
#include "vm/record_pool.h"
#include "vm/table_variables.h"
#include "vm/tagged_value.h"
#include "vm/vm_plans.h"

namespace varno {

bool SymbolSetInitialValue(RTVarnoSymbol* symbol, uint32_t typeIndex) {
  symbol->value.type = typeIndex;
  switch (typeIndex) {
    case kTypeString:
      symbol->value.value.text = StringUnassigned();
      return symbol->value.value.text != nullptr;
    case kTypeList: {
      VNlist* list = nullptr;
      const RTSuccess made = ListFactory(&list);
      symbol->value.value.pointer = list;
      return made;
    }
    case kTypeDatabase: {
      DatabaseValue* database = nullptr;
      const RTSuccess made = DatabaseFactory(&database);
      symbol->value.value.pointer = database;
      return made;
    }
    case kTypeCode:
      return CodeValueFactory(&symbol->value.value.code);
    case kTypeVector3:
      symbol->value.value.vector = NewRecord<RTFVector3D>();
      return symbol->value.value.vector != nullptr;
    default:
      symbol->value.value.pointer = nullptr;
      return true;
  }
}

namespace {

// Destroys the value symbols a half-built attribute table made, then the table.
void DiscardAttributes(AttributeTable* table) {
  AttributeForEach(table, [](AttributeEntry* entry) {
    if (entry->symbol && !SymbolIsObject(entry->symbol)) RTVarnoSymbolDestructor(entry->symbol);
  });
  AttributeTableDestroy(table);
}

bool BuildAttributes(RTVarnoTypeTable* table, RTVarnoType* type, RTVarnoSymbol* object) {
  VmPlan* plan = PlanOfClass(table, type);
  if (!plan || !AttributeTableFromLayout(plan->layout, &object->attributes)) return false;
  AttributeTable* attributes = object->attributes;
  for (uint32_t i = 0; i < plan->layout->count; ++i) {
    RTVarnoType* slotType = plan->layout->slots[i].type;
    // A class-typed attribute waits for its object.
    if (slotType->index >= kFirstClassType) continue;
    if (!SymbolMakeVariable(attributes, i, slotType)) return false;
  }
  return true;
}

// An object's symbol with its event queue and listener list in the same block.
struct ObjectRecord {
  RTVarnoSymbol symbol;
  kivo::List events;
  kivo::List listeners;
};

RTVarnoSymbol* NewObjectSymbol() {
  ObjectRecord* record = NewPooled<ObjectRecord>();
  if (!record) return nullptr;
  record->symbol.events = &record->events;
  record->symbol.listeners = &record->listeners;
  return &record->symbol;
}

// Frees an object's queued events (with their arguments) and its listener records.
void FreeQueues(RTVarnoSymbol* symbol) {
  ClearEvents(symbol->events);
  ListenerListClear(symbol->listeners);
}

void Destroy(RTVarnoSymbol* symbol) {
  if (symbol->home) {
    SymbolDestroyVariable(symbol);
    return;
  }
  symbol->destroyed = 1;
  symbol->value.type = symbol->typeIndex;
  if (symbol->typeIndex < kFirstClassType) TaggedValueRelease(&symbol->value);
  CollectorRemoveSymbol(symbol);
  if (symbol->type && symbol->type->singletonObject == symbol) symbol->type->singletonObject = nullptr;
  AttributeTableDestroy(symbol->attributes);
  symbol->attributes = nullptr;
  FreeQueues(symbol);
  PoolFree(symbol);
}

}  // namespace

namespace {

// A new symbol; `singleton` lets a singleton class hand out its one object and record a new one.
RTSuccess MakeSymbol(RTVarnoTypeTable* table, uint32_t typeIndex, RTVarnoSymbol** out, uint8_t kind,
                     bool buildAttributes, bool singleton) {
  if (!out) return kRTFailure;
  *out = nullptr;
  RTVarnoType* type = nullptr;
  if (!TypeTableRetrieveTypeByIdx(table, typeIndex, &type) || !type) return kRTFailure;
  if (singleton && type->singleton && type->singletonObject) {
    *out = type->singletonObject;
    return kRTSuccess;
  }
  RTVarnoSymbol* symbol = (type->flags & kTypeScriptClass) ? NewObjectSymbol() : NewPooled<RTVarnoSymbol>();
  if (!symbol) return kRTFailure;
  symbol->typeIndex = typeIndex;
  symbol->kind = kind;
  symbol->value.type = typeIndex;
  if ((type->flags & kTypeBuiltIn) && !SymbolSetInitialValue(symbol, typeIndex)) {
    TaggedValueRelease(&symbol->value);
    PoolFree(symbol);
    return kRTFailure;
  }
  if ((type->flags & kTypeScriptClass) && buildAttributes && !BuildAttributes(table, type, symbol)) {
    DiscardAttributes(symbol->attributes);
    symbol->attributes = nullptr;
    FreeQueues(symbol);
    PoolFree(symbol);
    return kRTFailure;
  }
  symbol->type = type;
  symbol->stored = 0;
  if (!CollectorAddSymbol(symbol)) {
    symbol->type = nullptr;  // not a singleton yet: destroyed whatever its class
    Destroy(symbol);
    return kRTFailure;
  }
  if (singleton && type->singleton) type->singletonObject = symbol;
  *out = symbol;
  return kRTSuccess;
}

}  // namespace

RTSuccess SymbolFactory(RTVarnoTypeTable* table, uint32_t typeIndex, RTVarnoSymbol** out, uint8_t kind,
                        bool buildAttributes) {
  return MakeSymbol(table, typeIndex, out, kind, buildAttributes, true);
}

RTSuccess SymbolFactoryDetached(RTVarnoTypeTable* table, uint32_t typeIndex, RTVarnoSymbol** out) {
  return MakeSymbol(table, typeIndex, out, kSymbolOrdinary, true, false);
}

RTSuccess RTVarnoSymbolDestructor(RTVarnoSymbol* symbol) {
  if (!symbol) return kRTSuccess;
  if (!symbol->type) {
    Raise(u"[RTVarnoSymbolDestructor]... apSymbol->fpType IS NULL!");
  } else if (symbol->type->singleton) {
    return kRTSuccess;
  }
  Destroy(symbol);
  return kRTSuccess;
}

void SymbolDestroyForced(RTVarnoSymbol* symbol) {
  if (symbol) Destroy(symbol);
}

bool SymbolIsObject(const RTVarnoSymbol* symbol) {
  return symbol && symbol->typeIndex >= kFirstClassType && symbol->type && (symbol->type->flags & kTypeScriptClass);
}

RTSuccess SymbolEmptyQueues(RTVarnoSymbol* symbol) {
  if (!symbol || !symbol->events) return kRTFailure;
  FreeQueues(symbol);
  return kRTSuccess;
}

bool SingletonConstructed(const RTVarnoType* type) { return type && type->singletonConstructed != 0; }

void MarkSingletonConstructed(RTVarnoType* type) {
  if (type) type->singletonConstructed = 1;
}

}  // namespace varno
