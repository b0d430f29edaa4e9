// Calls on the scripting component RTVarno through its slot table: the published byte offset of
// every method in the slot table of the RTVarno class level, and a calling wrapper per method.
// Other components and hosts reach the script language only this way: they get or create the
// RTVarno singleton by class name and call through it.
//
// A host starts a game script with
//   GetFirstInstanceByString(nullptr, u"RTVarno", &varno, 1, nullptr);
//   VarnoVMFactory(varno, &vm);
//   VarnoParseBrellinAnsiFile(varno, file, &type, &table, nullptr);   // a new type table
//   TypeTableGenerateCode(varno, table);
//   VarnoVMSetTypeTable(varno, vm, table);
//   VarnoVMSetHostCallback(varno, vm, pump, host);
//   VarnoVMConstructObject(varno, vm, type, &object);
//   VarnoVMSetNewContext(varno, vm, object, u"Switchboard", 1);
//   VarnoVMRun(varno, vm);  // until the callback returns 0 (result 1) or the script ends the run
//
// Every method takes the instance first; the VM, type table, types, methods, lists and script
// objects are the component's own records, opaque to callers.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <type_traits>
#include <variant>

#include "kivo/slots.h"
#include "kivo/types.h"
#include "varno/call_cells.h"

namespace varno {

struct AttributeTable;  // a table of attributes, locals or constants by name
struct RTVarnoAttribute;
struct RTVarnoType;
struct RTVarnoTypeTable;
struct VNlist;

}  // namespace varno

namespace varno::scripting {

inline constexpr char16_t kClassName[] = u"RTVarno";
// The RTVarno level's slot-table pointer: the word right after the RTComponent level.
inline constexpr uint32_t kLevel = 0x08;
inline constexpr uint32_t kSecondTable = 0x0C;
inline constexpr uint32_t kObjectSize = 0x10;

using VM = RTVarnoVM*;
using TypeTable = RTVarnoTypeTable*;
using Type = RTVarnoType*;
using Symbol = RTVarnoSymbol*;  // a script object or variable
using List = VNlist*;
using LoadingCallback = void (*)();

inline constexpr kivo::MethodSlot<const char16_t*, char16_t*, uint32_t> kVarnoFindClass{0x00};
inline constexpr kivo::MethodSlot<const char16_t*, uint32_t*, TypeTable*, TypeTable> kVarnoParseBrellinAnsiFile{0x04};
inline constexpr kivo::MethodSlot<VM, const char*> kVarnoRunInteractiveExpression{0x08};
inline constexpr kivo::MethodSlot<VM*> kVarnoVMFactory{0x0C};
inline constexpr kivo::MethodSlot<VM> kVarnoVMDestructor{0x10};
inline constexpr kivo::MethodSlot<VM, TypeTable> kVarnoVMSetTypeTable{0x14};
inline constexpr kivo::MethodSlot<VM, uint32_t, Symbol*> kVarnoVMConstructObject{0x18};
inline constexpr kivo::MethodSlot<VM, char16_t*, uint32_t, int32_t*> kVarnoVMGetCurrentFileLineInfo{0x1C};
inline constexpr kivo::MethodSlot<VM, Symbol, const char16_t*, RTBool> kVarnoVMSetNewContext{0x20};
inline constexpr kivo::MethodSlot<VM, RTInstance> kVarnoVMExecuteStream{0x24};
inline constexpr kivo::MethodSlot<VM> kVarnoVMRun{0x28};
inline constexpr kivo::MethodSlot<VM> kVarnoVMBreak{0x2C};
inline constexpr kivo::MethodSlot<VM, const char16_t*, uint32_t> kVarnoVMAddBreak{0x30};
inline constexpr kivo::MethodSlot<VM, const char16_t*, uint32_t> kVarnoVMRemoveBreak{0x34};
inline constexpr kivo::MethodSlot<VM> kVarnoVMStepInto{0x38};
inline constexpr kivo::MethodSlot<VM> kVarnoVMStepOver{0x3C};
inline constexpr kivo::MethodSlot<VM, uint8_t*> kVarnoVMGetState{0x40};
inline constexpr kivo::MethodSlot<VM, RPVarnoVMHostCallback, RTInstance> kVarnoVMSetHostCallback{0x44};
inline constexpr kivo::MethodSlot<TypeTable, const char16_t*, uint32_t*> kTypeTableRetrieveTypeIdxByName{0x48};
inline constexpr kivo::MethodSlot<TypeTable, uint32_t, Type*> kTypeTableRetrieveTypeByIdx{0x4C};
inline constexpr kivo::MethodSlot<TypeTable, const char16_t*, Type*> kTypeTableRetrieveTypeByName{0x50};
inline constexpr kivo::MethodSlot<TypeTable*> kTypeTableFactory{0x54};
inline constexpr kivo::MethodSlot<TypeTable> kTypeTableDestructor{0x58};
inline constexpr kivo::MethodSlot<TypeTable, Type, const char16_t*, RTVarnoAttribute**> kTypeRetrieveAttributeByName{0x5C};
inline constexpr kivo::MethodSlot<TypeTable, Type, Type> kTypeTableCanBe{0x60};
inline constexpr kivo::MethodSlot<TypeTable> kTypeTableGenerateCode{0x64};
inline constexpr kivo::MethodSlot<VM, TypeTable, AttributeTable*, const char16_t*, Symbol*> kSymbolTableRetrieveSymbolByName{0x68};
inline constexpr kivo::MethodSlot<VM, Symbol, const char16_t*, Symbol*> kSymbolRetrieveAttributeByName{0x6C};
inline constexpr kivo::MethodSlot<VM, Symbol> kArgPushObject{0x70};
inline constexpr kivo::MethodSlot<VM, int32_t> kArgPushNumber{0x74};
inline constexpr kivo::MethodSlot<VM, float> kArgPushReal{0x78};
inline constexpr kivo::MethodSlot<VM, const RTFVector3D*> kArgPushVector3{0x7C};
inline constexpr kivo::MethodSlot<VM, const char16_t*> kArgPushString{0x80};
inline constexpr kivo::MethodSlot<VM, List> kArgPushList{0x84};
inline constexpr kivo::MethodSlot<List*> kListFactory{0x88};
inline constexpr kivo::MethodSlot<List*, List> kListFactoryFromSource{0x8C};
inline constexpr kivo::MethodSlot<List> kListDestructor{0x90};
inline constexpr kivo::MethodSlot<List, List, List*> kListAssign{0x94};
inline constexpr kivo::MethodSlot<List, int32_t, List*> kListAppendNumber{0x98};
inline constexpr kivo::MethodSlot<List, float, List*> kListAppendReal{0x9C};
inline constexpr kivo::MethodSlot<List, const char16_t*, List*> kListAppendString{0xA0};
inline constexpr kivo::MethodSlot<List, const RTFVector3D*, List*> kListAppendVector3{0xA4};
inline constexpr kivo::MethodSlot<List, Symbol, List*> kListAppendObject{0xA8};
inline constexpr kivo::MethodSlot<List, RTBool, List*> kListAppendBool{0xAC};
inline constexpr kivo::MethodSlot<List, VNcode*, List*> kListAppendCode{0xB0};
inline constexpr kivo::MethodSlot<List, List, List*> kListAppendList{0xB4};
inline constexpr kivo::MethodSlot<List, List, List*> kListAppendListAsList{0xB8};
inline constexpr kivo::MethodSlot<List> kListReference{0xBC};
inline constexpr kivo::MethodSlot<List, uint32_t, RTVarnoConstantValue**> kListRetrieveElementN{0xC0};
inline constexpr kivo::MethodSlot<List, uint32_t*> kListGetElementCount{0xC4};
inline constexpr kivo::MethodSlot<List, uint32_t, const RTVarnoConstantValue*> kListSetElementN{0xC8};
inline constexpr kivo::MethodSlot<List, uint32_t> kListRemoveElementN{0xCC};
inline constexpr kivo::MethodSlot<VM, Symbol, const char16_t*> kTriggerEvent{0xD0};
inline constexpr kivo::MethodSlot<VM, Symbol, const char16_t*, RTBool> kRunMethodByName{0xD4};
inline constexpr kivo::MethodSlot<Symbol> kCollectorReferenceObjectC{0xD8};
inline constexpr kivo::MethodSlot<Symbol> kCollectorReleaseObjectC{0xDC};
inline constexpr kivo::MethodSlot<Type, const char16_t*, RTVarnoMethod**, uint32_t> kTypeRetrieveMethodByName{0xE0};
inline constexpr kivo::MethodSlot<RTInstance> kSetParseErrorStream{0xE4};
inline constexpr kivo::MethodSlot<VM, RTInstance> kVMDumpState{0xE8};
inline constexpr kivo::MethodSlot<RTInstance, VM> kVNStreamOut{0xEC};
inline constexpr kivo::MethodSlot<RTInstance, VM> kVNStreamIn{0xF0};
inline constexpr kivo::MethodSlot<RTBool> kVarnoEnableReplaceTypes{0xF4};
inline constexpr kivo::MethodSlot<TypeTable, const char16_t*, Type*> kTypeTableRetrieveTypeByFilename{0xF8};
inline constexpr kivo::MethodSlot<VM> kArgPopStack{0xFC};
inline constexpr kivo::MethodSlot<Symbol*> kVNPatchObject{0x100};
inline constexpr kivo::MethodSlot<RTInstance, Symbol> kVNStreamObjectReferenceOut{0x104};
inline constexpr kivo::MethodSlot<RTInstance, Symbol*> kVNStreamObjectReferenceIn{0x108};
inline constexpr kivo::MethodSlot<> kVNDestroyPatchTable{0x10C};
inline constexpr kivo::MethodSlot<VM, uint32_t*> kVMCollectorGetSymbolCount{0x110};
inline constexpr kivo::MethodSlot<VM, TypeTable> kTypeTableResetSingletonEvents{0x114};
inline constexpr kivo::MethodSlot<VM, uint32_t*> kVMGetContextCount{0x118};
inline constexpr kivo::MethodSlot<VM> kVMBeginProfile{0x11C};
inline constexpr kivo::MethodSlot<VM> kVMEndProfile{0x120};
inline constexpr kivo::MethodSlot<VM, uint32_t*, VarnoProfileEntry**> kVMGetProfile{0x124};
inline constexpr kivo::MethodSlot<VM, uint32_t, VarnoProfileEntry*> kVMDestroyProfile{0x128};
inline constexpr kivo::MethodSlot<VM> kVMCollectorCollect{0x12C};
inline constexpr kivo::MethodSlot<const char16_t*> kAddSearchPath{0x130};
inline constexpr kivo::MethodSlot<VM> kVMDumpRunningState{0x134};
inline constexpr kivo::MethodSlot<scripting::LoadingCallback> kSetLoadingCallback{0x138};
inline constexpr kivo::MethodSlot<VM> kVMStopAllButFirstContext{0x13C};
inline constexpr kivo::MethodSlot<const char16_t*, TypeTable, Type> kStreamOutClass{0x140};
// The component's own methods after the published ones.
inline constexpr kivo::MethodSlot<VM, Symbol, const char16_t*, uint32_t, uint32_t, RTVarnoConstantValue*> kSymbolReadAttribute{0x144};
inline constexpr kivo::MethodSlot<VM, Symbol, const char16_t*, uint32_t, const RTVarnoConstantValue*> kSymbolWriteAttribute{0x148};
inline constexpr kivo::MethodSlot<VM, TypeTable*> kVMGetTypeTable{0x14C};
inline constexpr kivo::MethodSlot<VM, RPVarnoVMPrintCallback> kVarnoVMSetPrintCallback{0x150};
inline constexpr uint32_t kPublishedMethodCount = 81;
inline constexpr uint32_t kMethodCount = 85;
// Bytes of the level's slot table: the offsets run from 0x0 to 0x150 without gaps.
inline constexpr uint32_t kSlotTableSize = kVarnoVMSetPrintCallback + 4;
// The element argument of the attribute accessor that means the attribute itself.
inline constexpr uint32_t kWholeAttribute = 0xFFFFFFFFu;

// Results of VarnoVMRun, VarnoVMStepInto and VarnoVMStepOver: 0 a run-time error ended it, 1 the
// host callback, a break or the last context ended it, 3 a script `exit`.
inline constexpr uint32_t kRunError = 0;
inline constexpr uint32_t kRunStopped = 1;
inline constexpr uint32_t kRunExit = 3;

// Retrieval modes of TypeRetrieveMethodByName: the type only, from its parent on, the type and
// then its ancestors.
inline constexpr uint32_t kRetrieveThisType = 0;
inline constexpr uint32_t kRetrieveFromParent = 1;
inline constexpr uint32_t kRetrieveWithAncestors = 2;

template <class... Params>
RTSuccess Call(RTInstance varno, kivo::MethodSlot<Params...> slot, std::type_identity_t<Params>... args) {
  return kivo::CallMethod(varno, kLevel, slot, args...);
}

// Compiler and type table.
inline RTSuccess VarnoFindClass(RTInstance v, const char16_t* className, char16_t* buffer, uint32_t bufferSize) {
  return Call(v, kVarnoFindClass, className, buffer, bufferSize);
}
// Compiles a class file into `into`, or into a new table handed out through `table` when `into` is
// null; `type` receives the class's type index.
inline RTSuccess VarnoParseBrellinAnsiFile(RTInstance v, const char16_t* file, uint32_t* type, TypeTable* table,
                                           TypeTable into) {
  return Call(v, kVarnoParseBrellinAnsiFile, file, type, table, into);
}
inline RTSuccess VarnoRunInteractiveExpression(RTInstance v, VM vm, const char* text) {
  return Call(v, kVarnoRunInteractiveExpression, vm, text);
}
inline RTSuccess TypeTableRetrieveTypeIdxByName(RTInstance v, TypeTable table, const char16_t* name, uint32_t* type) {
  return Call(v, kTypeTableRetrieveTypeIdxByName, table, name, type);
}
inline RTSuccess TypeTableRetrieveTypeByIdx(RTInstance v, TypeTable table, uint32_t index, Type* type) {
  return Call(v, kTypeTableRetrieveTypeByIdx, table, index, type);
}
inline RTSuccess TypeTableRetrieveTypeByName(RTInstance v, TypeTable table, const char16_t* name, Type* type) {
  return Call(v, kTypeTableRetrieveTypeByName, table, name, type);
}
inline RTSuccess TypeTableFactory(RTInstance v, TypeTable* table) { return Call(v, kTypeTableFactory, table); }
inline RTSuccess TypeTableDestructor(RTInstance v, TypeTable table) { return Call(v, kTypeTableDestructor, table); }
inline RTSuccess TypeRetrieveAttributeByName(RTInstance v, TypeTable table, Type type, const char16_t* name,
                                             RTVarnoAttribute** attribute) {
  return Call(v, kTypeRetrieveAttributeByName, table, type, name, attribute);
}
inline RTSuccess TypeRetrieveMethodByName(RTInstance v, Type type, const char16_t* name, RTVarnoMethod** method,
                                          uint32_t mode) {
  return Call(v, kTypeRetrieveMethodByName, type, name, method, mode);
}
inline RTSuccess TypeTableCanBe(RTInstance v, TypeTable table, Type target, Type testing) {
  return Call(v, kTypeTableCanBe, table, target, testing);
}
inline RTSuccess TypeTableGenerateCode(RTInstance v, TypeTable table) { return Call(v, kTypeTableGenerateCode, table); }
inline RTSuccess TypeTableRetrieveTypeByFilename(RTInstance v, TypeTable table, const char16_t* file, Type* type) {
  return Call(v, kTypeTableRetrieveTypeByFilename, table, file, type);
}
inline RTSuccess VarnoEnableReplaceTypes(RTInstance v, RTBool enable) {
  return Call(v, kVarnoEnableReplaceTypes, enable);
}
inline RTSuccess SetParseErrorStream(RTInstance v, RTInstance stream) {
  return Call(v, kSetParseErrorStream, stream);
}
inline RTSuccess AddSearchPath(RTInstance v, const char16_t* path) { return Call(v, kAddSearchPath, path); }
inline RTSuccess StreamOutClass(RTInstance v, const char16_t* file, TypeTable table, Type type) {
  return Call(v, kStreamOutClass, file, table, type);
}

// The VM.
inline RTSuccess VarnoVMFactory(RTInstance v, VM* vm) { return Call(v, kVarnoVMFactory, vm); }
inline RTSuccess VarnoVMDestructor(RTInstance v, VM vm) { return Call(v, kVarnoVMDestructor, vm); }
inline RTSuccess VarnoVMSetTypeTable(RTInstance v, VM vm, TypeTable table) {
  return Call(v, kVarnoVMSetTypeTable, vm, table);
}
inline RTSuccess VarnoVMConstructObject(RTInstance v, VM vm, uint32_t type, Symbol* object) {
  return Call(v, kVarnoVMConstructObject, vm, type, object);
}
inline RTSuccess VarnoVMGetCurrentFileLineInfo(RTInstance v, VM vm, char16_t* buffer, uint32_t maxChars,
                                               int32_t* line) {
  return Call(v, kVarnoVMGetCurrentFileLineInfo, vm, buffer, maxChars, line);
}
inline RTSuccess VarnoVMSetNewContext(RTInstance v, VM vm, Symbol object, const char16_t* entry, RTBool trap) {
  return Call(v, kVarnoVMSetNewContext, vm, object, entry, trap);
}
inline RTSuccess VarnoVMExecuteStream(RTInstance v, VM vm, RTInstance stream) {
  return Call(v, kVarnoVMExecuteStream, vm, stream);
}
// The run's result (kRunError, kRunStopped, kRunExit).
inline uint32_t VarnoVMRun(RTInstance v, VM vm) { return Call(v, kVarnoVMRun, vm); }
inline RTSuccess VarnoVMBreak(RTInstance v, VM vm) { return Call(v, kVarnoVMBreak, vm); }
inline RTSuccess VarnoVMAddBreak(RTInstance v, VM vm, const char16_t* file, uint32_t line) {
  return Call(v, kVarnoVMAddBreak, vm, file, line);
}
inline RTSuccess VarnoVMRemoveBreak(RTInstance v, VM vm, const char16_t* file, uint32_t line) {
  return Call(v, kVarnoVMRemoveBreak, vm, file, line);
}
inline uint32_t VarnoVMStepInto(RTInstance v, VM vm) { return Call(v, kVarnoVMStepInto, vm); }
inline uint32_t VarnoVMStepOver(RTInstance v, VM vm) { return Call(v, kVarnoVMStepOver, vm); }
// 2 idle, 3 running; 1 when the VM has no current context.
inline RTSuccess VarnoVMGetState(RTInstance v, VM vm, uint8_t* state) { return Call(v, kVarnoVMGetState, vm, state); }
inline RTSuccess VarnoVMSetHostCallback(RTInstance v, VM vm, RPVarnoVMHostCallback callback, RTInstance host) {
  return Call(v, kVarnoVMSetHostCallback, vm, callback, host);
}
// Each `print` of the VM's scripts also hands its text to the callback (null: to none); the text
// still goes to the core's debug output.
inline RTSuccess VarnoVMSetPrintCallback(RTInstance v, VM vm, RPVarnoVMPrintCallback callback) {
  return Call(v, kVarnoVMSetPrintCallback, vm, callback);
}
inline RTSuccess VMDumpState(RTInstance v, VM vm, RTInstance stream) { return Call(v, kVMDumpState, vm, stream); }
inline RTSuccess VMDumpRunningState(RTInstance v, VM vm) { return Call(v, kVMDumpRunningState, vm); }
inline RTSuccess VMGetContextCount(RTInstance v, VM vm, uint32_t* count) {
  return Call(v, kVMGetContextCount, vm, count);
}
inline RTSuccess VMStopAllButFirstContext(RTInstance v, VM vm) { return Call(v, kVMStopAllButFirstContext, vm); }
inline RTSuccess SetLoadingCallback(RTInstance v, LoadingCallback callback) {
  return Call(v, kSetLoadingCallback, callback);
}
inline RTSuccess TypeTableResetSingletonEvents(RTInstance v, VM vm, TypeTable table) {
  return Call(v, kTypeTableResetSingletonEvents, vm, table);
}
inline RTSuccess VMBeginProfile(RTInstance v, VM vm) { return Call(v, kVMBeginProfile, vm); }
inline RTSuccess VMEndProfile(RTInstance v, VM vm) { return Call(v, kVMEndProfile, vm); }
inline RTSuccess VMGetProfile(RTInstance v, VM vm, uint32_t* count, VarnoProfileEntry** entries) {
  return Call(v, kVMGetProfile, vm, count, entries);
}
inline RTSuccess VMDestroyProfile(RTInstance v, VM vm, uint32_t count, VarnoProfileEntry* entries) {
  return Call(v, kVMDestroyProfile, vm, count, entries);
}

// Script objects, calls and events. Arguments for RunMethodByName and TriggerEvent are pushed
// first (the one pushed last binds to the first parameter); ArgPopStack clears what is left.
inline RTSuccess SymbolTableRetrieveSymbolByName(RTInstance v, VM vm, TypeTable table, AttributeTable* symbols,
                                                 const char16_t* name, Symbol* symbol) {
  return Call(v, kSymbolTableRetrieveSymbolByName, vm, table, symbols, name, symbol);
}
inline RTSuccess SymbolRetrieveAttributeByName(RTInstance v, VM vm, Symbol object, const char16_t* name,
                                               Symbol* attribute) {
  return Call(v, kSymbolRetrieveAttributeByName, vm, object, name, attribute);
}
// Native code reads and writes script attributes only through this accessor. The attribute `name`
// of the object (a dotted path reaches into attribute objects), or with `element` other than
// kWholeAttribute element N of the list it holds, type-checked against `type`: kTypeNumber,
// kTypeReal, kTypeBool, kTypeString, or kFirstClassType for a script object. A string is handed
// out as a new core array block that the caller frees with ArrayFree (null for a string never
// set); an object as the object in the value's pointer. Fails, with `value` zeroed, when there is
// no such attribute or element or it holds another type.
inline RTSuccess SymbolReadAttribute(RTInstance v, VM vm, Symbol object, const char16_t* name, uint32_t element,
                                     uint32_t type, RTVarnoConstantValue* value) {
  return Call(v, kSymbolReadAttribute, vm, object, name, element, type, value);
}
// Stores a number, real, bool, string or vector3 (value->type) into an attribute or list element of
// that type; the VM keeps its own copy of a string and copies a vector3's four floats into its own
// vector. A script object (type kFirstClassType or above, the object in the value's pointer) is
// bound to a whole attribute of its class or of an ancestor class.
inline RTSuccess SymbolWriteAttribute(RTInstance v, VM vm, Symbol object, const char16_t* name, uint32_t element,
                                      const RTVarnoConstantValue* value) {
  return Call(v, kSymbolWriteAttribute, vm, object, name, element, value);
}
// The type table the VM runs (null before one is set).
inline RTSuccess VMGetTypeTable(RTInstance v, VM vm, TypeTable* table) { return Call(v, kVMGetTypeTable, vm, table); }
inline RTSuccess ArgPushObject(RTInstance v, VM vm, Symbol object) { return Call(v, kArgPushObject, vm, object); }
inline RTSuccess ArgPushNumber(RTInstance v, VM vm, int32_t number) { return Call(v, kArgPushNumber, vm, number); }
inline RTSuccess ArgPushReal(RTInstance v, VM vm, float real) { return Call(v, kArgPushReal, vm, real); }
inline RTSuccess ArgPushVector3(RTInstance v, VM vm, const RTFVector3D* vector) {
  return Call(v, kArgPushVector3, vm, vector);
}
inline RTSuccess ArgPushString(RTInstance v, VM vm, const char16_t* text) { return Call(v, kArgPushString, vm, text); }
inline RTSuccess ArgPushList(RTInstance v, VM vm, List list) { return Call(v, kArgPushList, vm, list); }
inline RTSuccess ArgPopStack(RTInstance v, VM vm) { return Call(v, kArgPopStack, vm); }
inline RTSuccess TriggerEvent(RTInstance v, VM vm, Symbol object, const char16_t* name) {
  return Call(v, kTriggerEvent, vm, object, name);
}
// One argument of an event raised from native code: a number, a text or a vector3.
using EventArgument = std::variant<int32_t, const char16_t*, RTFVector3D>;
// Native code raises every script event this way: the arguments are pushed in order (the one
// pushed last binds to the event's first parameter), the event is queued on the object, and the
// argument stack is popped whether or not the raise took them, so that an event the object's class
// lacks, or one given the wrong count, leaves the stack as it was. Nothing is raised without a
// component, VM or object, or when an argument cannot be pushed. 1 when the event was queued.
inline RTSuccess RaiseEvent(RTInstance v, VM vm, Symbol object, const char16_t* name,
                            std::initializer_list<EventArgument> arguments = {}) {
  if (!v || !vm || !object) return kRTFailure;
  bool pushed = true;
  for (const EventArgument& argument : arguments) {
    pushed = std::visit(
        [&](const auto& value) {
          using T = std::decay_t<decltype(value)>;
          if constexpr (std::is_same_v<T, int32_t>) return ArgPushNumber(v, vm, value) != 0;
          else if constexpr (std::is_same_v<T, RTFVector3D>) return ArgPushVector3(v, vm, &value) != 0;
          else return ArgPushString(v, vm, value) != 0;
        },
        argument);
    if (!pushed) break;
  }
  const RTSuccess raised = pushed && TriggerEvent(v, vm, object, name) ? kRTSuccess : kRTFailure;
  ArgPopStack(v, vm);
  return raised;
}
inline RTSuccess RunMethodByName(RTInstance v, VM vm, Symbol object, const char16_t* name, RTBool trap) {
  return Call(v, kRunMethodByName, vm, object, name, trap);
}
inline RTSuccess CollectorReferenceObjectC(RTInstance v, Symbol object) {
  return Call(v, kCollectorReferenceObjectC, object);
}
inline RTSuccess CollectorReleaseObjectC(RTInstance v, Symbol object) {
  return Call(v, kCollectorReleaseObjectC, object);
}
// The number of script objects and variables of the component (the VM argument is not used).
inline RTSuccess VMCollectorGetSymbolCount(RTInstance v, VM vm, uint32_t* count) {
  return Call(v, kVMCollectorGetSymbolCount, vm, count);
}
inline RTSuccess VMCollectorCollect(RTInstance v, VM vm) { return Call(v, kVMCollectorCollect, vm); }

// Lists.
inline RTSuccess ListFactory(RTInstance v, List* list) { return Call(v, kListFactory, list); }
inline RTSuccess ListFactoryFromSource(RTInstance v, List* list, List source) {
  return Call(v, kListFactoryFromSource, list, source);
}
inline RTSuccess ListDestructor(RTInstance v, List list) { return Call(v, kListDestructor, list); }
inline RTSuccess ListAssign(RTInstance v, List first, List second, List* out) {
  return Call(v, kListAssign, first, second, out);
}
inline RTSuccess ListAppendNumber(RTInstance v, List list, int32_t number, List* out) {
  return Call(v, kListAppendNumber, list, number, out);
}
inline RTSuccess ListAppendReal(RTInstance v, List list, float real, List* out) {
  return Call(v, kListAppendReal, list, real, out);
}
inline RTSuccess ListAppendString(RTInstance v, List list, const char16_t* text, List* out) {
  return Call(v, kListAppendString, list, text, out);
}
inline RTSuccess ListAppendVector3(RTInstance v, List list, const RTFVector3D* vector, List* out) {
  return Call(v, kListAppendVector3, list, vector, out);
}
inline RTSuccess ListAppendObject(RTInstance v, List list, Symbol object, List* out) {
  return Call(v, kListAppendObject, list, object, out);
}
inline RTSuccess ListAppendBool(RTInstance v, List list, RTBool value, List* out) {
  return Call(v, kListAppendBool, list, value, out);
}
inline RTSuccess ListAppendCode(RTInstance v, List list, VNcode* code, List* out) {
  return Call(v, kListAppendCode, list, code, out);
}
inline RTSuccess ListAppendList(RTInstance v, List list, List second, List* out) {
  return Call(v, kListAppendList, list, second, out);
}
inline RTSuccess ListAppendListAsList(RTInstance v, List list, List second, List* out) {
  return Call(v, kListAppendListAsList, list, second, out);
}
inline RTSuccess ListReference(RTInstance v, List list) { return Call(v, kListReference, list); }
inline RTSuccess ListRetrieveElementN(RTInstance v, List list, uint32_t index, RTVarnoConstantValue** value) {
  return Call(v, kListRetrieveElementN, list, index, value);
}
inline RTSuccess ListGetElementCount(RTInstance v, List list, uint32_t* count) {
  return Call(v, kListGetElementCount, list, count);
}
inline RTSuccess ListSetElementN(RTInstance v, List list, uint32_t index, const RTVarnoConstantValue* value) {
  return Call(v, kListSetElementN, list, index, value);
}
inline RTSuccess ListRemoveElementN(RTInstance v, List list, uint32_t index) {
  return Call(v, kListRemoveElementN, list, index);
}

// Snapshots (the game's saved games): the VM's state, then the host's own object references.
inline RTSuccess VNStreamOut(RTInstance v, RTInstance stream, VM vm) { return Call(v, kVNStreamOut, stream, vm); }
inline RTSuccess VNStreamIn(RTInstance v, RTInstance stream, VM vm) { return Call(v, kVNStreamIn, stream, vm); }
inline RTSuccess VNStreamObjectReferenceOut(RTInstance v, RTInstance stream, Symbol object) {
  return Call(v, kVNStreamObjectReferenceOut, stream, object);
}
inline RTSuccess VNStreamObjectReferenceIn(RTInstance v, RTInstance stream, Symbol* variable) {
  return Call(v, kVNStreamObjectReferenceIn, stream, variable);
}
inline RTSuccess VNPatchObject(RTInstance v, Symbol* variable) { return Call(v, kVNPatchObject, variable); }
inline RTSuccess VNDestroyPatchTable(RTInstance v) { return Call(v, kVNDestroyPatchTable); }

}  // namespace varno::scripting
