// RTVarno: the Varno scripting language as a component. Other components and hosts reach the
// compiler and the virtual machine only through this class's slot table (the offsets are in
// include/varno/scripting_calls.h); every method is a thin entry that forwards its arguments,
// without the instance handle, to the compiler or the VM.
//
// The component's state (the collector and its symbols, search paths, the parse-error stream, the
// methods' parent instance) lives in this library. The core unloads a library when the last
// instance of its class goes, so the destroy hook of the last RTVarno instance gives all of it back
// first.
#include "codegen/generate_code.h"
#include "codegen/methods_parent.h"
#include "classfile/class_file_writer.h"
#include "compiler/compile_driver.h"
#include "compiler/parse_errors.h"
#include "compiler/report.h"
#include "compiler/search_paths.h"
#include "compiler/type_table.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/wide_string.h"
#include "varno/scripting_calls.h"
#include "vm/arguments.h"
#include "vm/attribute_access.h"
#include "vm/collector.h"
#include "vm/debugging.h"
#include "vm/diagnostics.h"
#include "vm/event.h"
#include "vm/interactive.h"
#include "vm/list_value.h"
#include "vm/profile.h"
#include "vm/snapshot.h"
#include "vm/snapshot_tables.h"
#include "vm/symbol_lookup.h"
#include "vm/vm.h"

namespace varno::component {

namespace {

using scripting::List;
using scripting::Symbol;
using scripting::Type;
using scripting::TypeTable;
using scripting::VM;

// Names that five entries upper-case before handing them on.
constexpr uint32_t kUpperUnits = 512;

class UpperName {
 public:
  explicit UpperName(const char16_t* name) {
    if (!name) return;
    uint32_t i = 0;
    for (; name[i]; ++i) {
      if (i + 1 >= kUpperUnits) return;  // longer names are not supported
      text_[i] = kivo::WideStrUpperChar(name[i]);
    }
    text_[i] = 0;
    valid_ = true;
  }
  const char16_t* get() const { return valid_ ? text_ : nullptr; }

 private:
  char16_t text_[kUpperUnits] = {};
  bool valid_ = false;
};

// Compiler, class files and the type table.

RTSuccess VarnoFindClass(RTInstance, const char16_t* className, char16_t* buffer, uint32_t bufferSize) {
  return varno::VarnoFindClass(className, buffer, bufferSize);
}
RTSuccess VarnoParseBrellinAnsiFile(RTInstance, const char16_t* file, uint32_t* type, TypeTable* table,
                                    TypeTable into) {
  return varno::VarnoParseBrellinAnsiFile(file, type, table, into);
}
RTSuccess VarnoRunInteractiveExpression(RTInstance, VM vm, const char* text) {
  return varno::VarnoRunInteractiveExpression(vm, text);
}
RTSuccess TypeTableRetrieveTypeIdxByName(RTInstance, TypeTable table, const char16_t* name, uint32_t* type) {
  return varno::TypeTableRetrieveTypeIdxByName(table, name, type);
}
RTSuccess TypeTableRetrieveTypeByIdx(RTInstance, TypeTable table, uint32_t index, Type* type) {
  return varno::TypeTableRetrieveTypeByIdx(table, index, type);
}
RTSuccess TypeTableRetrieveTypeByName(RTInstance, TypeTable table, const char16_t* name, Type* type) {
  return varno::TypeTableRetrieveTypeByName(table, name, type);
}
RTSuccess TypeTableFactory(RTInstance, TypeTable* table) { return varno::TypeTableFactory(table); }
// The table's objects go first (they refer to its types), and the VMs that use it lose it.
RTSuccess TypeTableDestructor(RTInstance, TypeTable table) {
  if (!table) return kRTFailure;
  CollectorForgetTypeTable(table);
  return varno::TypeTableDestructor(table);
}
RTSuccess TypeRetrieveAttributeByName(RTInstance, TypeTable table, Type type, const char16_t* name,
                                      RTVarnoAttribute** attribute) {
  return varno::TypeRetrieveAttributeByName(table, type, name, attribute);
}
RTSuccess TypeRetrieveMethodByName(RTInstance, Type type, const char16_t* name, RTVarnoMethod** method,
                                   uint32_t mode) {
  const UpperName upper(name);
  if (mode > kRetrieveWithAncestors) return kRTFailure;
  return varno::TypeRetrieveMethodByName(type, upper.get(), method, static_cast<RTVarnoMethodRetrieve>(mode));
}
RTSuccess TypeTableCanBe(RTInstance, TypeTable table, Type target, Type testing) {
  return varno::TypeTableCanBe(table, target, testing);
}
RTSuccess TypeTableGenerateCode(RTInstance, TypeTable table) { return varno::TypeTableGenerateCode(table); }
RTSuccess TypeTableRetrieveTypeByFilename(RTInstance, TypeTable table, const char16_t* file, Type* type) {
  return varno::TypeTableRetrieveTypeByFilename(table, file, type);
}
RTSuccess VarnoEnableReplaceTypes(RTInstance, RTBool enable) { return varno::VarnoEnableReplaceTypes(enable); }
RTSuccess SetParseErrorStream(RTInstance, RTInstance stream) { return varno::SetParseErrorStream(stream); }
RTSuccess AddSearchPath(RTInstance, const char16_t* path) { return varno::AddSearchPath(path); }
RTSuccess StreamOutClass(RTInstance, const char16_t* file, TypeTable table, Type type) {
  return varno::StreamOutClass(file, table, type);
}

// The VM.

RTSuccess VarnoVMFactory(RTInstance, VM* vm) { return varno::VarnoVMFactory(vm); }
RTSuccess VarnoVMDestructor(RTInstance, VM vm) { return varno::VarnoVMDestructor(vm); }
RTSuccess VarnoVMSetTypeTable(RTInstance, VM vm, TypeTable table) { return varno::VarnoVMSetTypeTable(vm, table); }
RTSuccess VarnoVMConstructObject(RTInstance, VM vm, uint32_t type, Symbol* object) {
  return varno::ConstructScriptObject(vm, type, object);
}
RTSuccess VarnoVMGetCurrentFileLineInfo(RTInstance, VM vm, char16_t* buffer, uint32_t maxChars, int32_t* line) {
  return varno::VarnoVMGetCurrentFileLineInfo(vm, buffer, maxChars, line);
}
RTSuccess VarnoVMSetNewContext(RTInstance, VM vm, Symbol object, const char16_t* entry, RTBool trap) {
  return varno::VarnoVMSetNewContext(vm, object, entry, trap);
}
RTSuccess VarnoVMExecuteStream(RTInstance, VM vm, RTInstance stream) {
  return varno::VarnoVMExecuteStream(vm, stream);
}
RTSuccess VarnoVMRun(RTInstance, VM vm) { return varno::VarnoVMRun(vm); }
RTSuccess VarnoVMBreak(RTInstance, VM vm) { return varno::VarnoVMBreak(vm); }
RTSuccess VarnoVMAddBreak(RTInstance, VM vm, const char16_t* file, uint32_t line) {
  return varno::VarnoVMAddBreak(vm, file, line);
}
RTSuccess VarnoVMRemoveBreak(RTInstance, VM vm, const char16_t* file, uint32_t line) {
  return varno::VarnoVMRemoveBreak(vm, file, line);
}
RTSuccess VarnoVMStepInto(RTInstance, VM vm) { return varno::VarnoVMStepInto(vm); }
RTSuccess VarnoVMStepOver(RTInstance, VM vm) { return varno::VarnoVMStepOver(vm); }
RTSuccess VarnoVMGetState(RTInstance, VM vm, uint8_t* state) { return varno::VarnoVMGetState(vm, state); }
RTSuccess VarnoVMSetHostCallback(RTInstance, VM vm, RPVarnoVMHostCallback callback, RTInstance host) {
  return varno::VarnoVMSetHostCallback(vm, callback, host);
}
RTSuccess VarnoVMSetPrintCallback(RTInstance, VM vm, RPVarnoVMPrintCallback callback) {
  return varno::VarnoVMSetPrintCallback(vm, callback);
}
RTSuccess VMDumpState(RTInstance, VM vm, RTInstance stream) { return varno::VMDumpState(vm, stream); }
RTSuccess VMDumpRunningState(RTInstance, VM vm) { return varno::VMDumpRunningState(vm); }
RTSuccess VMGetContextCount(RTInstance, VM vm, uint32_t* count) { return varno::VMGetContextCount(vm, count); }
RTSuccess VMStopAllButFirstContext(RTInstance, VM vm) { return varno::VMStopAllButFirstContext(vm); }
RTSuccess SetLoadingCallback(RTInstance, scripting::LoadingCallback callback) {
  return varno::SetLoadingCallback(callback);
}
RTSuccess TypeTableResetSingletonEvents(RTInstance, VM, TypeTable table) {
  return varno::TypeTableResetSingletonEvents(table);
}
RTSuccess VMBeginProfile(RTInstance, VM vm) { return varno::VMBeginProfile(vm); }
RTSuccess VMEndProfile(RTInstance, VM vm) { return varno::VMEndProfile(vm); }
RTSuccess VMGetProfile(RTInstance, VM vm, uint32_t* count, VarnoProfileEntry** entries) {
  return varno::VMGetProfile(vm, count, entries);
}
RTSuccess VMDestroyProfile(RTInstance, VM, uint32_t count, VarnoProfileEntry* entries) {
  return varno::VMDestroyProfile(count, entries);
}

// Script objects, calls and events.

RTSuccess SymbolTableRetrieveSymbolByName(RTInstance, VM vm, TypeTable table, AttributeTable* symbols,
                                          const char16_t* name, Symbol* symbol) {
  const UpperName upper(name);
  return varno::SymbolTableRetrieveSymbolByName(vm, table, symbols, upper.get(), symbol);
}
RTSuccess SymbolRetrieveAttributeByName(RTInstance, VM vm, Symbol object, const char16_t* name, Symbol* attribute) {
  const UpperName upper(name);
  return varno::SymbolRetrieveAttributeByName(vm, object, upper.get(), attribute);
}
RTSuccess SymbolReadAttribute(RTInstance, VM vm, Symbol object, const char16_t* name, uint32_t element, uint32_t type,
                              RTVarnoConstantValue* value) {
  return varno::SymbolReadAttribute(vm, object, name, element, type, value);
}
RTSuccess SymbolWriteAttribute(RTInstance, VM vm, Symbol object, const char16_t* name, uint32_t element,
                               const RTVarnoConstantValue* value) {
  return varno::SymbolWriteAttribute(vm, object, name, element, value);
}
RTSuccess VMGetTypeTable(RTInstance, VM vm, TypeTable* table) {
  if (!vm || !table) return kRTFailure;
  *table = vm->types;
  return kRTSuccess;
}
RTSuccess ArgPushObject(RTInstance, VM vm, Symbol object) { return varno::ArgPushObject(vm, object); }
RTSuccess ArgPushNumber(RTInstance, VM vm, int32_t number) { return varno::ArgPushNumber(vm, number); }
RTSuccess ArgPushReal(RTInstance, VM vm, float real) { return varno::ArgPushReal(vm, real); }
RTSuccess ArgPushVector3(RTInstance, VM vm, const RTFVector3D* vector) { return varno::ArgPushVector3(vm, vector); }
RTSuccess ArgPushString(RTInstance, VM vm, const char16_t* text) { return varno::ArgPushString(vm, text); }
RTSuccess ArgPushList(RTInstance, VM vm, List list) { return varno::ArgPushList(vm, list); }
RTSuccess ArgPopStack(RTInstance, VM vm) { return varno::ArgPopStack(vm); }
RTSuccess TriggerEvent(RTInstance, VM vm, Symbol object, const char16_t* name) {
  const UpperName upper(name);
  return upper.get() ? varno::TriggerEvent(vm, object, upper.get()) : kRTFailure;
}
RTSuccess RunMethodByName(RTInstance, VM vm, Symbol object, const char16_t* name, RTBool trap) {
  const UpperName upper(name);
  return upper.get() ? varno::RunMethodByName(vm, object, upper.get(), trap) : kRTFailure;
}
RTSuccess CollectorReferenceObjectC(RTInstance, Symbol object) { return varno::CollectorReferenceObjectC(object); }
RTSuccess CollectorReleaseObjectC(RTInstance, Symbol object) { return varno::CollectorReleaseObjectC(object); }
RTSuccess VMCollectorGetSymbolCount(RTInstance, VM, uint32_t* count) { return varno::VMCollectorGetSymbolCount(count); }
RTSuccess VMCollectorCollect(RTInstance, VM vm) { return varno::VMCollectorCollect(vm); }

// Lists.

RTSuccess ListFactory(RTInstance, List* list) { return varno::ListFactory(list); }
RTSuccess ListFactoryFromSource(RTInstance, List* list, List source) {
  return varno::ListFactoryFromSource(list, source);
}
RTSuccess ListDestructor(RTInstance, List list) { return varno::ListDestructor(list); }
RTSuccess ListAssign(RTInstance, List first, List second, List* out) { return varno::ListAssign(first, second, out); }
RTSuccess ListAppendNumber(RTInstance, List list, int32_t number, List* out) {
  return varno::ListAppendNumber(list, number, out);
}
RTSuccess ListAppendReal(RTInstance, List list, float real, List* out) { return varno::ListAppendReal(list, real, out); }
RTSuccess ListAppendString(RTInstance, List list, const char16_t* text, List* out) {
  return varno::ListAppendString(list, text, out);
}
RTSuccess ListAppendVector3(RTInstance, List list, const RTFVector3D* vector, List* out) {
  return varno::ListAppendVector3(list, vector, out);
}
RTSuccess ListAppendObject(RTInstance, List list, Symbol object, List* out) {
  return varno::ListAppendObject(list, object, out);
}
RTSuccess ListAppendBool(RTInstance, List list, RTBool value, List* out) {
  return varno::ListAppendBool(list, value, out);
}
RTSuccess ListAppendCode(RTInstance, List list, VNcode* code, List* out) { return varno::ListAppendCode(list, code, out); }
RTSuccess ListAppendList(RTInstance, List list, List second, List* out) {
  return varno::ListAppendList(list, second, out);
}
RTSuccess ListAppendListAsList(RTInstance, List list, List second, List* out) {
  return varno::ListAppendListAsList(list, second, out);
}
RTSuccess ListReference(RTInstance, List list) { return varno::ListReference(list); }
RTSuccess ListRetrieveElementN(RTInstance, List list, uint32_t index, RTVarnoConstantValue** value) {
  return varno::ListRetrieveElementN(list, index, value);
}
RTSuccess ListGetElementCount(RTInstance, List list, uint32_t* count) {
  return varno::ListGetElementCount(list, count);
}
RTSuccess ListSetElementN(RTInstance, List list, uint32_t index, const RTVarnoConstantValue* value) {
  return varno::ListSetElementN(list, index, value);
}
RTSuccess ListRemoveElementN(RTInstance, List list, uint32_t index) { return varno::ListRemoveElementN(list, index); }

// Snapshots: the VM's state, then the host's own references to script objects through the object
// index (writing) or patch table (reading) that stays until VNDestroyPatchTable.

RTSuccess VNStreamOut(RTInstance, RTInstance stream, VM vm) { return varno::VNStreamOut(stream, vm); }
RTSuccess VNStreamIn(RTInstance, RTInstance stream, VM vm) { return varno::VNStreamIn(stream, vm); }
RTSuccess VNPatchObject(RTInstance, Symbol* variable) { return varno::VNPatchObject(variable); }
RTSuccess VNStreamObjectReferenceOut(RTInstance, RTInstance stream, Symbol object) {
  return varno::VNStreamObjectReferenceOut(stream, object);
}
RTSuccess VNStreamObjectReferenceIn(RTInstance, RTInstance stream, Symbol* variable) {
  return varno::VNStreamObjectReferenceIn(stream, variable);
}
RTSuccess VNDestroyPatchTable(RTInstance) { return varno::VNDestroyPatchTable(); }

// The component's lifetime: the last instance gives back what the component holds.

uint32_t gInstances = 0;

bool CoreRunning() {
  RTInstance root = nullptr;
  if (!kivo::ModuleCore()->GetRoot(nullptr, &root) || !root) return false;
  kivo::ModuleCore()->ReleaseInstance(nullptr, root);
  return true;
}

RTSuccess Construct(RTInstance) {
  ++gInstances;
  return kRTSuccess;
}

RTSuccess Destroy(RTInstance) {
  if (gInstances && --gInstances) return kRTSuccess;
  // While the core shuts down, the instance tree takes the code streams and the instances this
  // library holds; nothing here may touch them then.
  if (!CoreRunning()) return kRTSuccess;
  VarnoVmShutdown();
  ReleaseMethodsParent();
  varno::SetParseErrorStream(nullptr);
  ClearSearchPaths();
  return kRTSuccess;
}

using kivo::Method;
using namespace scripting;

RTMethodRecord gMethods[] = {
    Method(u"VarnoFindClass", VarnoFindClass, kVarnoFindClass, u"RTSuccess",
           u"wchar[] apClassname, wchar[] apFileBuffer, uint aBufferSize"),
    Method(u"VarnoParseBrellinAnsiFile", VarnoParseBrellinAnsiFile, kVarnoParseBrellinAnsiFile, u"RTSuccess",
           u"wchar[] apFilename, uint out opiType, RTVarnoTypeTable* out oppTypeTable, RTVarnoTypeTable* apTypeTable"),
    Method(u"VarnoRunInteractiveExpression", VarnoRunInteractiveExpression, kVarnoRunInteractiveExpression,
           u"RTSuccess", u"RTVarnoVM in apVM, char[] apString"),
    Method(u"VarnoVMFactory", VarnoVMFactory, kVarnoVMFactory, u"RTSuccess", u"RTVarnoVM* out opVM"),
    Method(u"VarnoVMDestructor", VarnoVMDestructor, kVarnoVMDestructor, u"RTSuccess", u"RTVarnoVM in apVM"),
    Method(u"VarnoVMSetTypeTable", VarnoVMSetTypeTable, kVarnoVMSetTypeTable, u"RTSuccess",
           u"RTVarnoVM in apVM, RTVarnoTypeTable in apTypeTable"),
    Method(u"VarnoVMConstructObject", VarnoVMConstructObject, kVarnoVMConstructObject, u"RTSuccess",
           u"RTVarnoVM in apVM, uint aiType, RTVarnoSymbol* out oppNewObject"),
    Method(u"VarnoVMGetCurrentFileLineInfo", VarnoVMGetCurrentFileLineInfo, kVarnoVMGetCurrentFileLineInfo,
           u"RTSuccess", u"RTVarnoVM in apVM, wchar[] apFilenameBuffer, uint anMaxChars, sint out opiLineNumber"),
    Method(u"VarnoVMSetNewContext", VarnoVMSetNewContext, kVarnoVMSetNewContext, u"RTSuccess",
           u"RTVarnoVM in apVM, RTVarnoSymbol in apObject, wchar[] apEntrySymbolName, RTBool abTrapOnReturn"),
    Method(u"VarnoVMExecuteStream", VarnoVMExecuteStream, kVarnoVMExecuteStream, u"RTSuccess",
           u"RTVarnoVM in apVM, RTInstance ahStream"),
    Method(u"VarnoVMRun", VarnoVMRun, kVarnoVMRun, u"RTSuccess", u"RTVarnoVM in apVM"),
    Method(u"VarnoVMBreak", VarnoVMBreak, kVarnoVMBreak, u"RTSuccess", u"RTVarnoVM in apVM"),
    Method(u"VarnoVMAddBreak", VarnoVMAddBreak, kVarnoVMAddBreak, u"RTSuccess",
           u"RTVarnoVM in apVM, wchar[] apFilename, uint aiLine"),
    Method(u"VarnoVMRemoveBreak", VarnoVMRemoveBreak, kVarnoVMRemoveBreak, u"RTSuccess",
           u"RTVarnoVM in apVM, wchar[] apFilename, uint aiLine"),
    Method(u"VarnoVMStepInto", VarnoVMStepInto, kVarnoVMStepInto, u"RTSuccess", u"RTVarnoVM in apVM"),
    Method(u"VarnoVMStepOver", VarnoVMStepOver, kVarnoVMStepOver, u"RTSuccess", u"RTVarnoVM in apVM"),
    Method(u"VarnoVMGetState", VarnoVMGetState, kVarnoVMGetState, u"RTSuccess",
           u"RTVarnoVM in apVM, RTVarnoVMState out opState"),
    Method(u"VarnoVMSetHostCallback", VarnoVMSetHostCallback, kVarnoVMSetHostCallback, u"RTSuccess",
           u"RTVarnoVM in apVM, RPVarnoVMHostCallback apCallback, RTInstance ahHost"),
    Method(u"TypeTableRetrieveTypeIdxByName", TypeTableRetrieveTypeIdxByName, kTypeTableRetrieveTypeIdxByName,
           u"RTSuccess", u"RTVarnoTypeTable in apTable, wchar[] apTypeName, uint out oiType"),
    Method(u"TypeTableRetrieveTypeByIdx", TypeTableRetrieveTypeByIdx, kTypeTableRetrieveTypeByIdx, u"RTSuccess",
           u"RTVarnoTypeTable in apTable, uint aiType, RTVarnoType* out oppType"),
    Method(u"TypeTableRetrieveTypeByName", TypeTableRetrieveTypeByName, kTypeTableRetrieveTypeByName, u"RTSuccess",
           u"RTVarnoTypeTable in apTable, wchar[] apName, RTVarnoType* out oppType"),
    Method(u"TypeTableFactory", TypeTableFactory, kTypeTableFactory, u"RTSuccess",
           u"RTVarnoTypeTable* out oppTypeTable"),
    Method(u"TypeTableDestructor", TypeTableDestructor, kTypeTableDestructor, u"RTSuccess",
           u"RTVarnoTypeTable in apTable"),
    Method(u"TypeRetrieveAttributeByName", TypeRetrieveAttributeByName, kTypeRetrieveAttributeByName, u"RTSuccess",
           u"RTVarnoTypeTable in apTypeTable, RTVarnoType in apType, wchar[] apAttributeName, "
           u"RTVarnoAttribute* out oppAttribute"),
    Method(u"TypeRetrieveMethodByName", TypeRetrieveMethodByName, kTypeRetrieveMethodByName, u"RTSuccess",
           u"RTVarnoType in apType, wchar[] apMethodName, RTVarnoMethod* out oppMethod, "
           u"RTVarnoMethodRetrieve aRetrievalFunc"),
    Method(u"TypeTableCanBe", TypeTableCanBe, kTypeTableCanBe, u"RTSuccess",
           u"RTVarnoTypeTable in apTable, RTVarnoType in apTargetType, RTVarnoType in apTestingType"),
    Method(u"TypeTableGenerateCode", TypeTableGenerateCode, kTypeTableGenerateCode, u"RTSuccess",
           u"RTVarnoTypeTable in apTable"),
    Method(u"SymbolTableRetrieveSymbolByName", SymbolTableRetrieveSymbolByName, kSymbolTableRetrieveSymbolByName,
           u"RTSuccess",
           u"RTVarnoVM in apVM, RTVarnoTypeTable in apTypeTable, RTVarnoSymbolTable in apSymbolTable, "
           u"wchar[] apName, RTVarnoSymbol* out oppSymbol"),
    Method(u"SymbolRetrieveAttributeByName", SymbolRetrieveAttributeByName, kSymbolRetrieveAttributeByName,
           u"RTSuccess",
           u"RTVarnoVM in apVM, RTVarnoSymbol in apSymbol, const wchar array apName, RTVarnoSymbol* out opAttribute"),
    Method(u"ArgPushObject", ArgPushObject, kArgPushObject, u"RTSuccess",
           u"RTVarnoVM in apVM, RTVarnoSymbol in apSymbol"),
    Method(u"ArgPushNumber", ArgPushNumber, kArgPushNumber, u"RTSuccess", u"RTVarnoVM in apVM, VNnumber aNumber"),
    Method(u"ArgPushReal", ArgPushReal, kArgPushReal, u"RTSuccess", u"RTVarnoVM in apVM, VNreal aReal"),
    Method(u"ArgPushVector3", ArgPushVector3, kArgPushVector3, u"RTSuccess",
           u"RTVarnoVM in apVM, VNvector3 in apVector"),
    Method(u"ArgPushString", ArgPushString, kArgPushString, u"RTSuccess", u"RTVarnoVM in apVM, VNstring aString"),
    Method(u"ArgPushList", ArgPushList, kArgPushList, u"RTSuccess", u"RTVarnoVM in apVM, VNlist aList"),
    Method(u"ListFactory", ListFactory, kListFactory, u"RTSuccess", u"VNlist out oppList"),
    Method(u"ListFactoryFromSource", ListFactoryFromSource, kListFactoryFromSource, u"RTSuccess",
           u"VNlist out oppList, VNlist apSourceList"),
    Method(u"ListDestructor", ListDestructor, kListDestructor, u"RTSuccess", u"VNlist apList"),
    Method(u"ListAssign", ListAssign, kListAssign, u"RTSuccess", u"VNlist aList1, VNlist aList2, VNlist out oppNewList"),
    Method(u"ListAppendNumber", ListAppendNumber, kListAppendNumber, u"RTSuccess",
           u"VNlist apList, VNnumber aNumber, VNlist out oppList"),
    Method(u"ListAppendReal", ListAppendReal, kListAppendReal, u"RTSuccess",
           u"VNlist apList, VNreal aReal, VNlist out oppList"),
    Method(u"ListAppendString", ListAppendString, kListAppendString, u"RTSuccess",
           u"VNlist apList, VNstring aString, VNlist out oppList"),
    Method(u"ListAppendVector3", ListAppendVector3, kListAppendVector3, u"RTSuccess",
           u"VNlist apList, VNvector3 in apVector3, VNlist out oppList"),
    Method(u"ListAppendObject", ListAppendObject, kListAppendObject, u"RTSuccess",
           u"VNlist apList, VNobject apObject, VNlist out oppList"),
    Method(u"ListAppendBool", ListAppendBool, kListAppendBool, u"RTSuccess",
           u"VNlist apList, VNbool aBool, VNlist out oppList"),
    Method(u"ListAppendCode", ListAppendCode, kListAppendCode, u"RTSuccess",
           u"VNlist apList, VNcode aCode, VNlist out oppList"),
    Method(u"ListAppendList", ListAppendList, kListAppendList, u"RTSuccess",
           u"VNlist apList1, VNlist apList2, VNlist out oppList"),
    Method(u"ListAppendListAsList", ListAppendListAsList, kListAppendListAsList, u"RTSuccess",
           u"VNlist apList1, VNlist apList2, VNlist out oppList"),
    Method(u"ListReference", ListReference, kListReference, u"RTSuccess", u"VNlist apList"),
    Method(u"ListRetrieveElementN", ListRetrieveElementN, kListRetrieveElementN, u"RTSuccess",
           u"VNlist apList, uint aiElement, RTVarnoConstantValue* out oppValue"),
    Method(u"ListGetElementCount", ListGetElementCount, kListGetElementCount, u"RTSuccess",
           u"VNlist apList, uint out opCount"),
    Method(u"ListSetElementN", ListSetElementN, kListSetElementN, u"RTSuccess",
           u"VNlist apList, uint aiElement, RTVarnoConstantValue in apValue"),
    Method(u"ListRemoveElementN", ListRemoveElementN, kListRemoveElementN, u"RTSuccess", u"VNlist apList, uint aiElement"),
    Method(u"TriggerEvent", TriggerEvent, kTriggerEvent, u"RTSuccess",
           u"RTVarnoVM in apVM, VNobject apObject, const wchar* apEventName"),
    Method(u"RunMethodByName", RunMethodByName, kRunMethodByName, u"RTSuccess",
           u"RTVarnoVM in apVM, RTVarnoSymbol in apObject, const wchar array apMethodName, RTBool abTrapOnReturn"),
    Method(u"CollectorReferenceObjectC", CollectorReferenceObjectC, kCollectorReferenceObjectC, u"RTSuccess",
           u"RTVarnoSymbol in apSymbol"),
    Method(u"CollectorReleaseObjectC", CollectorReleaseObjectC, kCollectorReleaseObjectC, u"RTSuccess",
           u"RTVarnoSymbol in apSymbol"),
    Method(u"SetParseErrorStream", SetParseErrorStream, kSetParseErrorStream, u"RTSuccess", u"RTInstance ahStream"),
    Method(u"VMDumpState", VMDumpState, kVMDumpState, u"RTSuccess", u"RTVarnoVM in apVM, RTInstance ahStream"),
    Method(u"VNStreamOut", VNStreamOut, kVNStreamOut, u"RTSuccess", u"RTInstance ahStream, RTVarnoVM in apVM"),
    Method(u"VNStreamIn", VNStreamIn, kVNStreamIn, u"RTSuccess", u"RTInstance ahStream, RTVarnoVM in apVM"),
    Method(u"VNPatchObject", VNPatchObject, kVNPatchObject, u"RTSuccess", u"RTInstance ahStream, RTVarnoVM in apVM"),
    Method(u"VNStreamObjectReferenceOut", VNStreamObjectReferenceOut, kVNStreamObjectReferenceOut, u"RTSuccess",
           u"RTInstance ahStream, VNobject aObject"),
    Method(u"VNStreamObjectReferenceIn", VNStreamObjectReferenceIn, kVNStreamObjectReferenceIn, u"RTSuccess",
           u"RTInstance ahStream, aObject"),
    Method(u"VarnoEnableReplaceTypes", VarnoEnableReplaceTypes, kVarnoEnableReplaceTypes, u"RTSuccess",
           u"RTBool abEnable"),
    Method(u"TypeTableRetrieveTypeByFilename", TypeTableRetrieveTypeByFilename, kTypeTableRetrieveTypeByFilename,
           u"RTSuccess", u"RTVarnoTypeTable* apTable, const wchar* apFilename, RTVarnoType** oppType"),
    Method(u"ArgPopStack", ArgPopStack, kArgPopStack, u"RTSuccess", u"RTVarnoVM in apVM"),
    Method(u"VNDestroyPatchTable", VNDestroyPatchTable, kVNDestroyPatchTable, u"RTSuccess", u""),
    Method(u"VMCollectorGetSymbolCount", VMCollectorGetSymbolCount, kVMCollectorGetSymbolCount, u"RTSuccess",
           u"uint out opnSymbols"),
    Method(u"TypeTableResetSingletonEvents", TypeTableResetSingletonEvents, kTypeTableResetSingletonEvents,
           u"RTSuccess", u""),
    Method(u"VMGetContextCount", VMGetContextCount, kVMGetContextCount, u"RTSuccess", u""),
    Method(u"VMBeginProfile", VMBeginProfile, kVMBeginProfile, u"RTSuccess", u""),
    Method(u"VMEndProfile", VMEndProfile, kVMEndProfile, u"RTSuccess", u""),
    Method(u"VMGetProfile", VMGetProfile, kVMGetProfile, u"RTSuccess", u""),
    Method(u"VMDestroyProfile", VMDestroyProfile, kVMDestroyProfile, u"RTSuccess", u""),
    Method(u"VMCollectorCollect", VMCollectorCollect, kVMCollectorCollect, u"RTSuccess", u""),
    Method(u"AddSearchPath", AddSearchPath, kAddSearchPath, u"RTSuccess", u""),
    Method(u"VMDumpRunningState", VMDumpRunningState, kVMDumpRunningState, u"RTSuccess", u""),
    Method(u"SetLoadingCallback", SetLoadingCallback, kSetLoadingCallback, u"RTSuccess", u""),
    Method(u"VMStopAllButFirstContext", VMStopAllButFirstContext, kVMStopAllButFirstContext, u"RTSuccess", u""),
    Method(u"StreamOutClass", StreamOutClass, kStreamOutClass, u"RTSuccess", u""),
    Method(u"SymbolReadAttribute", SymbolReadAttribute, kSymbolReadAttribute, u"RTSuccess",
           u"RTVarnoVM in apVM, RTVarnoSymbol in apObject, wchar[] apName, uint aiElement, uint aiType, "
           u"RTVarnoConstantValue out opValue"),
    Method(u"SymbolWriteAttribute", SymbolWriteAttribute, kSymbolWriteAttribute, u"RTSuccess",
           u"RTVarnoVM in apVM, RTVarnoSymbol in apObject, wchar[] apName, uint aiElement, "
           u"RTVarnoConstantValue in apValue"),
    Method(u"VMGetTypeTable", VMGetTypeTable, kVMGetTypeTable, u"RTSuccess",
           u"RTVarnoVM in apVM, RTVarnoTypeTable out oppTable"),
    Method(u"VarnoVMSetPrintCallback", VarnoVMSetPrintCallback, kVarnoVMSetPrintCallback, u"RTSuccess",
           u"RTVarnoVM in apVM, RPVarnoVMPrintCallback in apCallback"),
    kivo::kEndOfMethods,
};
static_assert(std::size(gMethods) == kMethodCount + 1);

const RTComponentDef gDefinition = kivo::MakeComponentDef({
    .className = kClassName,
    .parentClassName = u"RTComponent",
    .description = u"The Varno scripting language: compiler and virtual machine",
    .objectSize = kObjectSize,
    .slotTableSize = kSlotTableSize,
    .firstSlotTableOffset = kLevel,
    .secondSlotTableOffset = kSecondTable,
    .methods = gMethods,
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

}  // namespace varno::component

KIVO_COMPONENT(varno::component::gDefinition)
