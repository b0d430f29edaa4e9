#include "core_table_fill.h"

#include "clock.h"
#include "coreregistry/registry.h"
#include "error_log.h"
#include "kivo/support/module_core.h"
#include "memory_manager.h"

namespace kivo::core {

void FillCoreTable(CoreTable& t) {
  SetModuleCore(&t);
  t.MemAlloc = MemAlloc;
  t.MemRealloc = MemRealloc;
  t.MemFree = MemFree;
  t.ArrayAlloc = ArrayAlloc;
  t.ArrayFree = ArrayFree;
  t.ArrayResize = ArrayResize;
  t.ValidateInstance = nullptr;
  t.RestoreInstanceObject = nullptr;
  t.CreateInstance = nullptr;
  t.CreateInstanceByString = nullptr;
  t.CreateInstanceFromHeader = nullptr;
  t.ResolveHandle = nullptr;
  t.ReleaseInstance = nullptr;
  t.FindProperty = nullptr;
  t.GetPropertyTable = nullptr;
  t.FindMethod = nullptr;
  t.GetChildCount = nullptr;
  t.GetChild = nullptr;
  t.FindChild = nullptr;
  t.GetInstancePath = nullptr;
  t.GetParent = nullptr;
  t.ChildNameExists = nullptr;
  t.IsInstanceStored = nullptr;
  t.StreamInstanceOut = nullptr;
  t.StoreInstance = nullptr;
  t.WriteStreamHeader = nullptr;
  t.ReadStreamHeader = nullptr;
  t.BuildStreamHeader = nullptr;
  t.FreeStreamHeader = nullptr;
  t.DebugPrint = DebugPrint;
  t.CopyDebugStream = nullptr;
  t.IsKindOfByName = nullptr;
  t.IsKindOf = nullptr;
  t.IsInstanceOfByName = nullptr;
  t.IsInstanceOf = nullptr;
  t.GetNextError = GetNextError;
  t.RaiseError = RaiseError;
  t.GetFirstInstance = nullptr;
  t.GetFirstInstanceByString = nullptr;
  t.GetNextInstance = nullptr;
  t.GetInstanceByName = nullptr;
  t.GetRoot = nullptr;
  t.GetComponentCount = nullptr;
  t.GetComponentName = nullptr;
  t.GetRefCount = nullptr;
  t.GetClassName = nullptr;
  t.GetRootPath = GetRootPath;
  t.OpenResourceStream = nullptr;
  t.GetTime = GetTime;
  t.InstallDispatchTables = nullptr;
  t.GetInstanceUUID = nullptr;
  t.GetInstanceByUUID = nullptr;
  t.ConnectInstanceSpace = nullptr;
  t.InstanceSpaceClientNop = nullptr;
  t.StartInstanceSpaceServer = nullptr;
  t.InstanceSpaceServerNop = nullptr;
  t.GetLocalNodeID = nullptr;
  t.ServiceInstanceSpaceClient = nullptr;
  t.GetComponentHandle = nullptr;
  t.ArrayGetCount = ArrayGetCount;
  t.SetDebugStream = nullptr;
  t.FlushDebugStream = nullptr;
  t.StreamTreeOut = nullptr;
  t.StreamTreeIn = nullptr;
  t.UUIDCreate = nullptr;
  t.UUIDFree = nullptr;
  t.UUIDCompare = nullptr;
  t.UUIDGenerate = nullptr;
  t.empty74 = nullptr;
  t.UnstoreInstance = nullptr;
  t.GetMemoryStats = GetMemoryStats;
  t.CopyComponent = nullptr;
  t.GetInstanceName = nullptr;
  t.SetInstanceName = nullptr;
  t.ChangeInstanceClass = nullptr;
  t.ForceReleaseInstance = nullptr;
  t.GetComponentOfInstance = nullptr;
}

}  // namespace kivo::core
