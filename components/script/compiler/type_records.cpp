#include "compiler/type_records.h"

#include "compiler/core_records.h"
#include "compiler/dotted_name.h"
#include "compiler/line_table.h"
#include "compiler/syntax_node.h"
#include "compiler/type_codes.h"
#include "compiler/type_table.h"

namespace varno {

namespace {

template <class T>
T* FindByName(const kivo::List* list, const char16_t* name) {
  for (T* record : kivo::ListItems<T>(list)) {
    if (NamesEqual(record->name, name)) return record;
  }
  return nullptr;
}

RTSuccess AppendOrFree(kivo::List* list, void* record, void (*release)(void*)) {
  if (record && list && kivo::ListAppend(list, record)) return kRTSuccess;
  release(record);
  return kRTFailure;
}

}  // namespace

RTVarnoAttribute* AttributeCreate(uint32_t type, const char16_t* name, uint8_t flags) {
  RTVarnoAttribute* attribute = NewRecord<RTVarnoAttribute>();
  if (!attribute) return nullptr;
  attribute->name = CopyText(name);
  if (!attribute->name) {
    FreeRecord(attribute);
    return nullptr;
  }
  attribute->type = type;
  attribute->flags = flags;
  return attribute;
}

void AttributeFree(RTVarnoAttribute* attribute) {
  if (!attribute) return;
  FreeText(attribute->name);
  FreeRecord(attribute);
}

void AttributeListFree(kivo::List* list) {
  for (RTVarnoAttribute* attribute : kivo::ListItems<RTVarnoAttribute>(list)) AttributeFree(attribute);
  if (list) kivo::ListDestroy(list);
}

RTVarnoAttribute* AttributeListFind(const kivo::List* list, const char16_t* name) {
  return FindByName<RTVarnoAttribute>(list, name);
}

RTVarnoParameter* ParameterCreate(const char16_t* name, uint32_t type) {
  RTVarnoParameter* parameter = NewRecord<RTVarnoParameter>();
  if (!parameter) return nullptr;
  parameter->name = CopyTextUpper(name);
  if (!parameter->name) {
    FreeRecord(parameter);
    return nullptr;
  }
  parameter->type = type;
  return parameter;
}

void ParameterListFree(kivo::List* list) {
  for (RTVarnoParameter* parameter : kivo::ListItems<RTVarnoParameter>(list)) {
    FreeText(parameter->name);
    FreeRecord(parameter);
  }
  if (list) kivo::ListDestroy(list);
}

RTVarnoParameter* ParameterListFind(const kivo::List* list, const char16_t* name) {
  return FindByName<RTVarnoParameter>(list, name);
}

RTSuccess LabelAppend(kivo::List* list, const char16_t* name) {
  RTVarnoLabel* label = NewRecord<RTVarnoLabel>();
  if (!label) return kRTFailure;
  label->name = CopyText(name);
  if (!label->name) {
    FreeRecord(label);
    return kRTFailure;
  }
  return AppendOrFree(list, label, [](void* record) {
    FreeText(static_cast<RTVarnoLabel*>(record)->name);
    FreeRecord(record);
  });
}

void LabelListFree(kivo::List* list) {
  for (RTVarnoLabel* label : kivo::ListItems<RTVarnoLabel>(list)) {
    FreeText(label->name);
    FreeRecord(label);
  }
  if (list) kivo::ListDestroy(list);
}

RTVarnoLabel* LabelListFind(const kivo::List* list, const char16_t* name) {
  return FindByName<RTVarnoLabel>(list, name);
}

RTSuccess StateTransitionAppend(RTVarnoMethod* method, int32_t line, const char16_t* condition,
                                RTVarnoMethod* target) {
  if (!method || !method->transitions) return kRTFailure;
  StateTransition* transition = NewRecord<StateTransition>();
  if (!transition) return kRTFailure;
  transition->condition = CopyText(condition);
  transition->line = line;
  transition->target = target;
  if (transition->condition && kivo::ListAppend(method->transitions, transition)) return kRTSuccess;
  FreeText(transition->condition);
  FreeRecord(transition);
  return kRTFailure;
}

RTVarnoMethod* MethodCreate(const char16_t* name, uint8_t kind) {
  static uint64_t lastSerial = 0;
  RTVarnoMethod* method = NewRecord<RTVarnoMethod>();
  if (!method) return nullptr;
  method->serial = ++lastSerial;
  method->keyName = CopyText(name);
  method->kind = kind;
  method->returnType = kTypeNoValue;
  if (!method->keyName || !kivo::ListCreate(&method->transitions) || !kivo::ListCreate(&method->nestedLineTables)) {
    MethodFree(method);
    return nullptr;
  }
  return method;
}

namespace {

VmPlanRelease gVmPlanRelease = nullptr;

}  // namespace

void SetVmPlanRelease(VmPlanRelease release) { gVmPlanRelease = release; }

void ReleaseVmPlan(void** plan) {
  if (*plan && gVmPlanRelease) gVmPlanRelease(*plan);
  *plan = nullptr;
}

void MethodFree(RTVarnoMethod* method) {
  if (!method) return;
  NoteMethodTablesChanged();
  ReleaseVmPlan(&method->vmPlan);
  if (method->code) kivo::ModuleCore()->ReleaseInstance(nullptr, method->code);
  // The component singleton an implemented method was bound to (the record is the component's).
  if (method->boundInstance) kivo::ModuleCore()->ReleaseInstance(nullptr, method->boundInstance);
  FreeSyntaxTree(method->tree);
  AttributeListFree(method->declarations);
  ParameterListFree(method->parameters);
  LabelListFree(method->labels);
  LineTableDestroy(method->lineTable);
  for (StateTransition* transition : kivo::ListItems<StateTransition>(method->transitions)) {
    FreeText(transition->condition);
    FreeRecord(transition);
  }
  if (method->transitions) kivo::ListDestroy(method->transitions);
  for (LineTable* table : kivo::ListItems<LineTable>(method->nestedLineTables)) LineTableDestroy(table);
  if (method->nestedLineTables) kivo::ListDestroy(method->nestedLineTables);
  FreeText(method->keyName);
  FreeText(method->displayName);
  FreeText(method->sourceFileName);
  FreeText(method->bindClass);
  FreeText(method->bindMethod);
  FreeRecord(method);
}

RTSuccess MethodSetSourceFile(RTVarnoMethod* method, const char16_t* file) {
  if (!method) return kRTFailure;
  char16_t* copy = CopyText(file);
  if (!copy) return kRTFailure;
  FreeText(method->sourceFileName);
  method->sourceFileName = copy;
  return kRTSuccess;
}

RTVarnoConstantTable* ConstantTableCreate() {
  RTVarnoConstantTable* table = NewRecord<RTVarnoConstantTable>();
  if (table && !kivo::ListCreate(&table->entries)) {
    FreeRecord(table);
    return nullptr;
  }
  return table;
}

void ConstantTableFree(RTVarnoConstantTable* table) {
  if (!table) return;
  for (RTVarnoConstantEntry* entry : kivo::ListItems<RTVarnoConstantEntry>(table->entries)) {
    FreeText(entry->name);
    RTVarnoConstantValueDestructor(&entry->value);
    FreeRecord(entry);
  }
  kivo::ListDestroy(table->entries);
  FreeRecord(table);
}

uint32_t ConstantTableCount(const RTVarnoConstantTable* table) {
  return table && table->entries ? table->entries->count : 0;
}

RTVarnoConstantEntry* ConstantTableFind(const RTVarnoConstantTable* table, const char16_t* name) {
  return table ? FindByName<RTVarnoConstantEntry>(table->entries, name) : nullptr;
}

}  // namespace varno
