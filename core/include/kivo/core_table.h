// The core interface table: the one way the host and every component reach the core.
//
// The host allocates the table and writes `size` and `version`; _StartupKivo fills the operation
// slots. Slot numbers are a fixed interface between separately built libraries: slot N is the
// N-th pointer-sized word of the table. Every operation but the four marked "no ctx" takes the
// calling instance (or null) first; the create operations take it as the new instance's parent.
#pragma once

#include "kivo/types.h"

inline constexpr uint32_t kCoreVersion = 2309;
inline constexpr size_t kCoreTableSlots = 84;
inline constexpr size_t kCoreTableMinBytes = kCoreTableSlots * sizeof(void*);

struct CoreTable {
  using Ctx = RTInstance;

  uintptr_t size;     // 0: table size in bytes, written by the host
  uintptr_t version;  // 1: the host's core version, written by the host
  RTSuccess (*MemAlloc)(Ctx, uint32_t size, void** out, RTBool zero);
  RTSuccess (*MemRealloc)(Ctx, uint32_t newSize, void* block, void** out);
  RTSuccess (*MemFree)(Ctx, void* block);
  RTSuccess (*ArrayAlloc)(Ctx, uint32_t elementSize, uint32_t count, void** out, RTBool zero);
  RTSuccess (*ArrayFree)(Ctx, void* block);
  RTSuccess (*ArrayResize)(Ctx, uint32_t count, void* block, void** out);
  RTSuccess (*ValidateInstance)(Ctx, RTInstance instance, uint32_t* code);
  RTSuccess (*RestoreInstanceObject)(Ctx, RTInstance instance);
  RTSuccess (*CreateInstance)(Ctx parent, RTComponentHandle component, RTInstance* out, uint32_t reserved,
                              RTBool uniqueName);
  RTSuccess (*CreateInstanceByString)(Ctx parent, const char16_t* className, RTInstance* out, RTBool remote,
                                      RTBool uniqueName);
  RTSuccess (*CreateInstanceFromHeader)(Ctx, RTStreamHeader* header, RTInstance* out, uint32_t dispatchWord);
  RTSuccess (*ResolveHandle)(Ctx, RTInstance instance);
  RTSuccess (*ReleaseInstance)(Ctx, RTInstance instance);
  RTSuccess (*FindProperty)(Ctx, RTInstance instance, const char16_t* name, RTPropertyRecord** out);
  RTSuccess (*GetPropertyTable)(Ctx, RTInstance instance, RTPropertyRecord** out, uint32_t* count);
  RTSuccess (*FindMethod)(Ctx, RTInstance instance, const char16_t* name, RTMethodRecord** out);
  void* unused18;
  void* unused19;
  RTSuccess (*GetChildCount)(Ctx, RTInstance instance, uint32_t* count);
  RTSuccess (*GetChild)(Ctx, RTInstance instance, uint32_t index, RTInstance* out);
  RTSuccess (*FindChild)(Ctx, RTInstance parent, const char16_t* name, RTInstance* out);
  RTSuccess (*GetInstancePath)(Ctx, RTInstance instance, char16_t* buffer, uint32_t length);
  RTSuccess (*GetParent)(Ctx, RTInstance instance, RTInstance* out);
  void* unused25;
  RTSuccess (*ChildNameExists)(Ctx, RTInstance parent, const char16_t* name, RTBool* out);
  RTSuccess (*IsInstanceStored)(Ctx, RTInstance instance, RTBool* out);
  RTSuccess (*StreamInstanceOut)(Ctx, RTInstance instance, uint32_t sizeWord, uintptr_t unused, RTInstance stream);
  RTSuccess (*StoreInstance)(Ctx, RTInstance instance, uint32_t sizeWord, RTBool subtree);
  RTSuccess (*WriteStreamHeader)(Ctx, RTStreamHeader* header, RTInstance stream);
  RTSuccess (*ReadStreamHeader)(Ctx, RTInstance stream, RTStreamHeader** out);
  RTSuccess (*BuildStreamHeader)(Ctx, RTInstance instance, uint32_t sizeWord, RTStreamHeader** out);
  RTSuccess (*FreeStreamHeader)(Ctx, RTStreamHeader* header);
  RTSuccess (*DebugPrint)(Ctx, const char16_t* text);
  RTSuccess (*CopyDebugStream)(Ctx, RTInstance destination);
  uint32_t (*IsKindOfByName)(Ctx, RTInstance instance, const char16_t* className);  // the answer itself
  uint32_t (*IsKindOf)(Ctx, RTInstance instance, RTComponentHandle component);
  uint32_t (*IsInstanceOfByName)(Ctx, RTInstance instance, const char16_t* className);
  uint32_t (*IsInstanceOf)(Ctx, RTInstance instance, RTComponentHandle component);
  RTSuccess (*GetNextError)(Ctx, char16_t* buffer, uint32_t length, uint32_t* out);
  RTSuccess (*RaiseError)(Ctx, const char16_t* text, uint32_t level);
  RTSuccess (*GetFirstInstance)(Ctx, RTComponentHandle component, RTInstance* out, RTBool create,
                                RTInstanceIterator** iterator);
  RTSuccess (*GetFirstInstanceByString)(Ctx, const char16_t* className, RTInstance* out, RTBool create,
                                        RTInstanceIterator** iterator);
  RTSuccess (*GetNextInstance)(Ctx, RTInstanceIterator** iterator, RTInstance* out);
  RTSuccess (*GetInstanceByName)(Ctx, const char16_t* path, RTInstance* out, RTBool remote);
  RTSuccess (*GetRoot)(Ctx, RTInstance* out);
  RTSuccess (*GetComponentCount)(Ctx, uint32_t* count);
  RTSuccess (*GetComponentName)(Ctx, uint32_t index, char16_t* buffer, uint32_t length);
  RTSuccess (*GetRefCount)(Ctx, RTInstance instance, uint32_t* count);
  RTSuccess (*GetClassName)(Ctx, RTInstance instance, char16_t* buffer, uint32_t length);
  RTSuccess (*GetRootPath)(Ctx, char16_t* buffer, uint32_t byteLength);
  RTSuccess (*OpenResourceStream)(Ctx, const char16_t* className, const char16_t* resourceName, RTInstance* out);
  RTSuccess (*GetTime)(Ctx, uint32_t* milliseconds);
  RTSuccess (*InstallDispatchTables)(Ctx, RTInstance instance, uint32_t word);
  RTSuccess (*GetInstanceUUID)(Ctx, RTInstance instance, RTUUID* out);
  RTSuccess (*GetInstanceByUUID)(Ctx, const RTUUID* uuid, RTInstance* out);
  RTSuccess (*ConnectInstanceSpace)(Ctx, uintptr_t, uintptr_t, uintptr_t, const char16_t* address);
  RTSuccess (*InstanceSpaceClientNop)();  // no ctx
  RTSuccess (*StartInstanceSpaceServer)(Ctx, uintptr_t, uintptr_t, const char16_t* address);
  RTSuccess (*InstanceSpaceServerNop)();  // no ctx
  RTSuccess (*GetLocalNodeID)(Ctx, uint32_t* id);
  RTSuccess (*ServiceInstanceSpaceClient)();  // no ctx
  RTSuccess (*GetComponentHandle)(Ctx, const char16_t* className, RTComponentHandle* out);
  void* unused64;
  RTSuccess (*ArrayGetCount)(Ctx, void* block, uint32_t* count);
  RTSuccess (*SetDebugStream)(Ctx, RTInstance stream);
  RTSuccess (*FlushDebugStream)();  // no ctx
  RTSuccess (*StreamTreeOut)(Ctx, RTInstance instance, RTInstance stream);
  RTSuccess (*StreamTreeIn)(Ctx, RTInstance parent, RTInstance* out, RTInstance stream);
  RTSuccess (*UUIDCreate)(Ctx, RTUUID** out);
  RTSuccess (*UUIDFree)(Ctx, RTUUID* uuid);
  RTSuccess (*UUIDCompare)(Ctx, const RTUUID* a, const RTUUID* b, int32_t* order);
  RTSuccess (*UUIDGenerate)(Ctx, RTUUID* uuid);
  void* empty74;  // written as 0
  RTSuccess (*UnstoreInstance)(Ctx, RTInstance instance);
  RTSuccess (*GetMemoryStats)(Ctx, uint32_t* blocks, uint32_t* heapBytes);
  RTSuccess (*CopyComponent)(Ctx, const char16_t* destinationFolder);
  void* unused78;
  RTSuccess (*GetInstanceName)(Ctx, RTInstance instance, char16_t* buffer, uint32_t length);
  RTSuccess (*SetInstanceName)(Ctx, RTInstance instance, const char16_t* name);
  RTSuccess (*ChangeInstanceClass)(Ctx, RTInstance instance, const char16_t* className, RTStreamInFunc streamIn);
  RTSuccess (*ForceReleaseInstance)(Ctx, RTInstance instance);
  RTSuccess (*GetComponentOfInstance)(Ctx, RTInstance instance, RTComponentHandle* out);
};

#define KIVO_CORE_SLOT(member, slot) \
  static_assert(offsetof(CoreTable, member) == (slot) * sizeof(void*), "slot of " #member)
KIVO_CORE_SLOT(MemAlloc, 2);
KIVO_CORE_SLOT(ArrayResize, 7);
KIVO_CORE_SLOT(CreateInstance, 10);
KIVO_CORE_SLOT(FindMethod, 17);
KIVO_CORE_SLOT(unused18, 18);
KIVO_CORE_SLOT(GetChildCount, 20);
KIVO_CORE_SLOT(unused25, 25);
KIVO_CORE_SLOT(ChildNameExists, 26);
KIVO_CORE_SLOT(DebugPrint, 34);
KIVO_CORE_SLOT(IsKindOfByName, 36);
KIVO_CORE_SLOT(GetNextError, 40);
KIVO_CORE_SLOT(RaiseError, 41);
KIVO_CORE_SLOT(GetRoot, 46);
KIVO_CORE_SLOT(GetRootPath, 51);
KIVO_CORE_SLOT(GetTime, 53);
KIVO_CORE_SLOT(ConnectInstanceSpace, 57);
KIVO_CORE_SLOT(ServiceInstanceSpaceClient, 62);
KIVO_CORE_SLOT(GetComponentHandle, 63);
KIVO_CORE_SLOT(unused64, 64);
KIVO_CORE_SLOT(ArrayGetCount, 65);
KIVO_CORE_SLOT(FlushDebugStream, 67);
KIVO_CORE_SLOT(UUIDCreate, 70);
KIVO_CORE_SLOT(empty74, 74);
KIVO_CORE_SLOT(GetMemoryStats, 76);
KIVO_CORE_SLOT(unused78, 78);
KIVO_CORE_SLOT(GetInstanceName, 79);
KIVO_CORE_SLOT(GetComponentOfInstance, 83);
#undef KIVO_CORE_SLOT
static_assert(sizeof(CoreTable) == kCoreTableMinBytes);
