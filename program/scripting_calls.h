// The scripting component's methods that the program calls, by their byte offsets in the slot
// table of the RTVarno class level (whose table pointer is at byte offset 0x08 of the component
// object, right after the RTComponent level). Every method takes the instance first; the VM, type
// table and script object are the component's own records, opaque here.
#pragma once

#include "kivo/slots.h"
#include "tesk/host_callbacks.h"

namespace tesk::scripting {

inline constexpr char16_t kClassName[] = u"RTVarno";
inline constexpr uint32_t kLevel = 0x08;

enum Slot : uint32_t {
  kParseBrellinAnsiFile = 0x04,
  kVMFactory = 0x0C,
  kVMSetTypeTable = 0x14,
  kVMConstructObject = 0x18,
  kVMSetNewContext = 0x20,
  kVMRun = 0x28,
  kVMSetHostCallback = 0x44,
  kTypeTableGenerateCode = 0x64,
  kAddSearchPath = 0x130,
  kVMDumpRunningState = 0x134,
};

using VM = void*;         // RTVarnoVM
using TypeTable = void*;  // RTVarnoTypeTable
using Symbol = void*;     // RTVarnoSymbol: a script object

inline RTSuccess VMFactory(RTInstance varno, VM* vm) { return kivo::CallMethod(varno, kLevel, kVMFactory, vm); }

// Compiles (or loads the compiled form of) a class file into a new type table when `into` is null.
inline RTSuccess ParseBrellinAnsiFile(RTInstance varno, const char16_t* file, uint32_t* type, TypeTable* table,
                                      TypeTable into) {
  return kivo::CallMethod(varno, kLevel, kParseBrellinAnsiFile, file, type, table, into);
}

inline RTSuccess TypeTableGenerateCode(RTInstance varno, TypeTable table) {
  return kivo::CallMethod(varno, kLevel, kTypeTableGenerateCode, table);
}

inline RTSuccess VMSetTypeTable(RTInstance varno, VM vm, TypeTable table) {
  return kivo::CallMethod(varno, kLevel, kVMSetTypeTable, vm, table);
}

inline RTSuccess VMSetHostCallback(RTInstance varno, VM vm, VmHostCallback callback, RTInstance host) {
  return kivo::CallMethod(varno, kLevel, kVMSetHostCallback, vm, callback, host);
}

inline RTSuccess VMConstructObject(RTInstance varno, VM vm, uint32_t type, Symbol* object) {
  return kivo::CallMethod(varno, kLevel, kVMConstructObject, vm, type, object);
}

inline RTSuccess VMSetNewContext(RTInstance varno, VM vm, Symbol object, const char16_t* entry, RTBool trap) {
  return kivo::CallMethod(varno, kLevel, kVMSetNewContext, vm, object, entry, trap);
}

// Runs the VM's contexts until the host callback returns 0 or a context ends the run.
inline RTSuccess VMRun(RTInstance varno, VM vm) { return kivo::CallMethod(varno, kLevel, kVMRun, vm); }

inline RTSuccess AddSearchPath(RTInstance varno, const char16_t* path) {
  return kivo::CallMethod(varno, kLevel, kAddSearchPath, path);
}

// Writes the VM's contexts and call stacks to the error report.
inline RTSuccess VMDumpRunningState(RTInstance varno, VM vm) {
  return kivo::CallMethod(varno, kLevel, kVMDumpRunningState, vm);
}

}  // namespace tesk::scripting
