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
#include "vm/tagged_value.h"

namespace varno {

namespace {

// The first value of a variable of a built-in type.
bool SetInitialValue(RTVarnoSymbol* symbol, uint32_t typeIndex) {
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

// Destroys the value symbols a half-built attribute table made, then the table.
void DiscardAttributes(AttributeTable* table) {
  AttributeForEach(table, [](AttributeEntry* entry) {
    if (entry->symbol && !SymbolIsObject(entry->symbol)) RTVarnoSymbolDestructor(entry->symbol);
  });
  AttributeTableDestroy(table);
}

bool BuildAttributes(RTVarnoTypeTable* table, RTVarnoType* type, RTVarnoSymbol* object) {
  const uint32_t declared = type->attributes ? type->attributes->count : 0;
  if (!AttributeTableFactory(AttributeBucketCount(declared), &object->attributes)) return false;
  for (const RTVarnoAttribute* attribute : kivo::ListItems<RTVarnoAttribute>(type->attributes)) {
    if (attribute->flags & kDeclarationConstant) continue;
    RTVarnoType* attributeType = nullptr;
    if (!TypeTableRetrieveTypeByIdx(table, attribute->type, &attributeType)) return false;
    if (attribute->type < kFirstClassType) {
      RTVarnoSymbol* value = nullptr;
      if (!SymbolFactory(table, attribute->type, &value, kSymbolOrdinary, true)) return false;
      if (!AttributeAdd(object->attributes, attribute->name, attributeType, value)) {
        RTVarnoSymbolDestructor(value);
        return false;
      }
    } else if (!AttributeAddLazy(object->attributes, attribute->name, attributeType)) {
      return false;
    }
  }
  return kivo::ListCreate(&object->events) && ListenerListCreate(&object->listeners);
}

void FreeQueues(RTVarnoSymbol* symbol) {
  if (symbol->events) {
    ClearEvents(symbol->events);
    kivo::ListDestroy(symbol->events);
    symbol->events = nullptr;
  }
  ListenerListDestroy(symbol->listeners);
  symbol->listeners = nullptr;
}

void Destroy(RTVarnoSymbol* symbol) {
  symbol->destroyed = 1;
  symbol->value.type = symbol->typeIndex;
  if (symbol->typeIndex < kFirstClassType) TaggedValueRelease(&symbol->value);
  CollectorRemoveSymbol(symbol);
  if (symbol->type && symbol->type->singletonObject == symbol) symbol->type->singletonObject = nullptr;
  AttributeTableDestroy(symbol->attributes);
  FreeQueues(symbol);
  FreeRecord(symbol);
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
  RTVarnoSymbol* symbol = NewRecord<RTVarnoSymbol>();
  if (!symbol) return kRTFailure;
  symbol->typeIndex = typeIndex;
  symbol->kind = kind;
  symbol->value.type = typeIndex;
  if ((type->flags & kTypeBuiltIn) && !SetInitialValue(symbol, typeIndex)) {
    TaggedValueRelease(&symbol->value);
    FreeRecord(symbol);
    return kRTFailure;
  }
  if ((type->flags & kTypeScriptClass) && buildAttributes && !BuildAttributes(table, type, symbol)) {
    DiscardAttributes(symbol->attributes);
    symbol->attributes = nullptr;
    FreeQueues(symbol);
    FreeRecord(symbol);
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

RTSuccess SymbolRenewValue(RTVarnoSymbol* symbol) {
  symbol->destroyed = 0;
  symbol->mark = 0;
  symbol->stored = 0;
  return SetInitialValue(symbol, symbol->typeIndex);
}

bool SymbolIsObject(const RTVarnoSymbol* symbol) {
  return symbol && symbol->typeIndex >= kFirstClassType && symbol->type && (symbol->type->flags & kTypeScriptClass);
}

RTSuccess SymbolEmptyQueues(RTVarnoSymbol* symbol) {
  if (!symbol) return kRTFailure;
  FreeQueues(symbol);
  return kivo::ListCreate(&symbol->events) && ListenerListCreate(&symbol->listeners);
}

bool SingletonConstructed(const RTVarnoType* type) { return type && type->singletonConstructed != 0; }

void MarkSingletonConstructed(RTVarnoType* type) {
  if (type) type->singletonConstructed = 1;
}

}  // namespace varno
