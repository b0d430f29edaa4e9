#include "vm/collector.h"

#include <unordered_set>
#include <vector>

#include "compiler/core_records.h"
#include "compiler/listener_list.h"
#include "compiler/type_codes.h"
#include "compiler/type_records.h"
#include "compiler/type_table.h"
#include "vm/attribute_table.h"
#include "vm/call_frame.h"
#include "vm/context.h"
#include "vm/database_value.h"
#include "vm/event.h"
#include "vm/list_value.h"
#include "vm/symbol.h"
#include "vm/tagged_value.h"
#include "vm/vm.h"

namespace varno {

namespace {

bool gIdle = true;
bool gHeld = false;

struct ConstantTableRecord {
  RTVarnoType* type;
  AttributeTable* table;
};

// Clears the marks of everything it reaches. Objects wait in a work list and containers are
// visited once, so deep chains and cycles of lists cost no recursion.
class Marker {
 public:
  void Reach(RTVarnoSymbol* symbol) {
    if (!symbol || !symbol->mark) return;
    symbol->mark = 0;
    work_.push_back(symbol);
  }

  void ReachValue(const RTVarnoConstantValue& value) {
    if (value.type == kTypeList) {
      ReachList(ValueList(value));
    } else if (value.type == kTypeDatabase) {
      ReachDatabase(ValueDatabase(value));
    } else if (value.type >= kFirstClassType) {
      Reach(static_cast<RTVarnoSymbol*>(value.value.pointer));
    }
  }

  void ReachElement(const RTVarnoStackElement& element) {
    switch (element.tag) {
      case kTagObject:
        Reach(element.value.object);
        break;
      case kTagList:
        ReachList(element.value.list);
        break;
      case kTagDatabase:
        ReachDatabase(element.value.database);
        break;
      default:
        break;
    }
  }

  void ReachLocals(const AttributeTable* table) {
    AttributeForEach(table, [this](AttributeEntry* entry) { Reach(entry->symbol); });
  }

  void Drain() {
    while (!work_.empty()) {
      RTVarnoSymbol* symbol = work_.back();
      work_.pop_back();
      ReachLocals(symbol->attributes);
      for (const RTVarnoEvent* event : kivo::ListItems<RTVarnoEvent>(symbol->events)) {
        for (uint32_t i = 0; event->arguments && i <= event->count; ++i) ReachElement(event->arguments[i]);
      }
      for (const ListenerEntry* listener : kivo::ListItems<ListenerEntry>(symbol->listeners)) Reach(listener->object);
      if (symbol->typeIndex == kTypeList || symbol->typeIndex == kTypeDatabase) {
        RTVarnoConstantValue value = symbol->value;
        value.type = symbol->typeIndex;
        ReachValue(value);
      }
    }
  }

 private:
  void ReachList(const VNlist* list) {
    if (!list || !seen_.insert(list).second) return;
    for (const RTVarnoConstantValue* element : kivo::ListItems<RTVarnoConstantValue>(list->elements)) {
      ReachValue(*element);
    }
  }

  void ReachDatabase(const DatabaseValue* database) {
    if (!database || !seen_.insert(database).second) return;
    DatabaseForEach(database, [this](const char16_t*, RTVarnoConstantValue* value) { ReachValue(*value); });
  }

  std::vector<RTVarnoSymbol*> work_;
  std::unordered_set<const void*> seen_;
};

void ReachContext(Marker& marker, const RTVarnoContext* context) {
  if (!context) return;
  marker.Reach(context->object);
  marker.Reach(context->speaker);
  marker.ReachElement(context->element);
  for (const CallFrame* frame = context->topFrame; frame; frame = frame->below) {
    marker.Reach(frame->object);
    marker.ReachLocals(frame->locals);
    for (uint32_t i = 0; i <= frame->argumentTop && i < kArgumentStackSize; ++i) {
      marker.ReachElement(frame->arguments[i]);
    }
  }
  for (uint32_t i = 0; context->operands && i <= context->operandTop && i < context->operandCapacity; ++i) {
    marker.ReachElement(context->operands[i]);
  }
}

void ReachMachine(Marker& marker, const RTVarnoVM* vm) {
  if (vm->types) {
    for (uint32_t i = 0; i < vm->types->count; ++i) {
      if (vm->types->types[i]) marker.Reach(vm->types->types[i]->singletonObject);
    }
  }
  if (vm->contexts) {
    for (const RTVarnoContext* context : kivo::ListItems<RTVarnoContext>(vm->contexts->contexts)) {
      ReachContext(marker, context);
    }
  }
  ReachContext(marker, vm->retired);
}

RTSuccess BuildConstantTable(RTVarnoTypeTable* table, RTVarnoType* type, AttributeTable** out) {
  const uint32_t count = ConstantTableCount(type->constants);
  if (!AttributeTableFactory(AttributeBucketCount(count), out)) return kRTFailure;
  for (const RTVarnoConstantEntry* entry : kivo::ListItems<RTVarnoConstantEntry>(type->constants->entries)) {
    RTVarnoType* valueType = nullptr;
    RTVarnoSymbol* symbol = nullptr;
    if (!TypeTableRetrieveTypeByIdx(table, entry->value.type, &valueType) ||
        !SymbolFactory(table, entry->value.type, &symbol, kSymbolConstant, false)) {
      continue;
    }
    TaggedValueRelease(&symbol->value);
    if (!TaggedValueCopy(&symbol->value, entry->value) || !AttributeAdd(*out, entry->name, valueType, symbol)) {
      RTVarnoSymbolDestructor(symbol);
    }
  }
  return kRTSuccess;
}

}  // namespace

VarnoCollector* Collector() {
  if (gCollector) return gCollector;
  VarnoCollector* collector = NewRecord<VarnoCollector>();
  if (!collector) return nullptr;
  if (!kivo::ListCreate(&collector->symbols) || !kivo::ListCreate(&collector->nativeReferences) ||
      !kivo::ListCreate(&collector->machines) || !kivo::ListCreate(&collector->constantTables)) {
    kivo::ListDestroy(collector->symbols);
    kivo::ListDestroy(collector->nativeReferences);
    kivo::ListDestroy(collector->machines);
    kivo::ListDestroy(collector->constantTables);
    FreeRecord(collector);
    return nullptr;
  }
  gCollector = collector;
  return gCollector;
}

void CollectorShutdown() {
  if (!gCollector) return;
  for (ConstantTableRecord* record : kivo::ListItems<ConstantTableRecord>(gCollector->constantTables)) {
    AttributeTableDestroy(record->table);
    FreeRecord(record);
  }
  kivo::ListClear(gCollector->constantTables);
  while (gCollector->symbols->first) {
    SymbolDestroyForced(static_cast<RTVarnoSymbol*>(gCollector->symbols->first->data));
  }
  kivo::ListDestroy(gCollector->symbols);
  kivo::ListDestroy(gCollector->nativeReferences);
  kivo::ListDestroy(gCollector->machines);
  kivo::ListDestroy(gCollector->constantTables);
  FreeRecord(gCollector);
  gCollector = nullptr;
  gIdle = true;
  gHeld = false;
}

bool CollectorIdle() { return gIdle; }

void CollectorHold(bool hold) { gHeld = hold; }

void CollectorForgetTypeTable(RTVarnoTypeTable* table) {
  if (!gCollector || !table) return;
  std::unordered_set<const RTVarnoType*> types;
  for (uint32_t i = 0; i < table->count; ++i) types.insert(table->types[i]);
  for (RTVarnoVM* vm : kivo::ListItems<RTVarnoVM>(gCollector->machines)) {
    if (vm->types != table) continue;
    RemoveAllContexts(vm);
    DestroyRetiredContext(vm);
    vm->types = nullptr;
  }
  for (kivo::ListLink* link = gCollector->constantTables->first; link;) {
    kivo::ListLink* next = link->next;
    auto* record = static_cast<ConstantTableRecord*>(link->data);
    if (types.count(record->type)) {
      AttributeTableDestroy(record->table);
      FreeRecord(record);
      kivo::ListRemoveLink(gCollector->constantTables, link);
    }
    link = next;
  }
  for (kivo::ListLink* link = gCollector->symbols->first; link;) {
    kivo::ListLink* next = link->next;
    auto* symbol = static_cast<RTVarnoSymbol*>(link->data);
    if (types.count(symbol->type)) SymbolDestroyForced(symbol);
    link = next;
  }
}

RTSuccess CollectorAddSymbol(RTVarnoSymbol* symbol) {
  VarnoCollector* collector = Collector();
  if (!collector || !symbol || !kivo::ListAppendOwned(collector->symbols, &symbol->collectorLink, symbol)) {
    return kRTFailure;
  }
  symbol->allLink = &symbol->collectorLink;
  return kRTSuccess;
}

void CollectorUnlinkSymbol(RTVarnoSymbol* symbol) {
  if (!gCollector) return;
  if (symbol->allLink) kivo::ListDetachOwned(gCollector->symbols, symbol->allLink);
  if (symbol->nativeLink) kivo::ListRemoveLink(gCollector->nativeReferences, symbol->nativeLink);
  symbol->allLink = nullptr;
  symbol->nativeLink = nullptr;
}

RTSuccess CollectorAddMachine(RTVarnoVM* vm) {
  VarnoCollector* collector = Collector();
  return collector && vm && kivo::ListAppend(collector->machines, vm) ? kRTSuccess : kRTFailure;
}

void CollectorRemoveMachine(RTVarnoVM* vm) {
  if (gCollector && vm) kivo::ListRemove(gCollector->machines, vm);
}

RTSuccess CollectorReferenceObjectC(RTVarnoSymbol* symbol) {
  VarnoCollector* collector = Collector();
  if (!collector || !symbol) return kRTFailure;
  symbol->stored = 1;
  if (symbol->nativeLink) return kRTSuccess;
  if (!kivo::ListAppend(collector->nativeReferences, symbol)) return kRTFailure;
  symbol->nativeLink = collector->nativeReferences->last;
  return kRTSuccess;
}

RTSuccess CollectorReleaseObjectC(RTVarnoSymbol* symbol) {
  if (!symbol) return kRTFailure;
  if (symbol->nativeLink && gCollector) kivo::ListRemoveLink(gCollector->nativeReferences, symbol->nativeLink);
  symbol->nativeLink = nullptr;
  return kRTSuccess;
}

void CollectorForgetNativeReferences() {
  if (!gCollector) return;
  for (RTVarnoSymbol* symbol : kivo::ListItems<RTVarnoSymbol>(gCollector->nativeReferences)) symbol->nativeLink = nullptr;
  kivo::ListClear(gCollector->nativeReferences);
}

RTSuccess VMCollectorGetSymbolCount(uint32_t* count) {
  if (!count) return kRTFailure;
  *count = gCollector ? gCollector->symbols->count + gCollector->frameVariables : 0;
  return kRTSuccess;
}

RTSuccess VMCollectorCollect(RTVarnoVM* vm) { return vm ? CollectorSweep(vm) : kRTFailure; }

RTSuccess CollectorSweep(RTVarnoVM* vm) {
  VarnoCollector* collector = Collector();
  if (!collector || !vm) return kRTFailure;
  if (gHeld) return kRTSuccess;
  gIdle = false;
  for (RTVarnoSymbol* symbol : kivo::ListItems<RTVarnoSymbol>(collector->symbols)) {
    symbol->mark = symbol->kind == kSymbolConstant ? 0 : 1;
  }
  Marker marker;
  for (RTVarnoSymbol* symbol : kivo::ListItems<RTVarnoSymbol>(collector->nativeReferences)) marker.Reach(symbol);
  marker.Drain();
  // The VM asked for is always a root, also when it was never registered.
  ReachMachine(marker, vm);
  marker.Drain();
  for (const RTVarnoVM* other : kivo::ListItems<RTVarnoVM>(collector->machines)) {
    if (other == vm) continue;
    ReachMachine(marker, other);
    marker.Drain();
  }
  for (kivo::ListLink* link = collector->symbols->first; link;) {
    kivo::ListLink* next = link->next;
    auto* symbol = static_cast<RTVarnoSymbol*>(link->data);
    if (symbol->mark) RTVarnoSymbolDestructor(symbol);
    link = next;
  }
  for (RTVarnoSymbol* symbol : kivo::ListItems<RTVarnoSymbol>(collector->symbols)) symbol->mark = 0;
  gIdle = true;
  return kRTSuccess;
}

AttributeTable* ClassConstantTable(RTVarnoTypeTable* table, RTVarnoType* type) {
  VarnoCollector* collector = Collector();
  if (!collector || !type || !type->constants) return nullptr;
  for (ConstantTableRecord* record : kivo::ListItems<ConstantTableRecord>(collector->constantTables)) {
    if (record->type == type) return record->table;
  }
  ConstantTableRecord* record = NewRecord<ConstantTableRecord>();
  if (!record) return nullptr;
  record->type = type;
  if (!BuildConstantTable(table, type, &record->table) || !kivo::ListAppend(collector->constantTables, record)) {
    AttributeTableDestroy(record->table);
    FreeRecord(record);
    return nullptr;
  }
  return record->table;
}

}  // namespace varno
