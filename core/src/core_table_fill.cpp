#include "core_table_fill.h"

#include "classes.h"
#include "clock.h"
#include "coreregistry/registry.h"
#include "dispatch.h"
#include "error_log.h"
#include "instance_space.h"
#include "instance_store.h"
#include "instance_tree.h"
#include "instances.h"
#include "kivo/support/module_core.h"
#include "memory_manager.h"
#include "parameter_list.h"
#include "stream_header.h"
#include "stream_tree.h"
#include "uuid.h"

namespace kivo::core {

void FillCoreTable(CoreTable& t) {
  SetModuleCore(&t);
  t.MemAlloc = MemAlloc;
  t.MemRealloc = MemRealloc;
  t.MemFree = MemFree;
  t.ArrayAlloc = ArrayAlloc;
  t.ArrayFree = ArrayFree;
  t.ArrayResize = ArrayResize;
  t.ValidateInstance = ValidateInstance;
  t.RestoreInstanceObject = RestoreInstanceObject;
  t.CreateInstance = CreateInstance;
  t.CreateInstanceByString = CreateInstanceByString;
  t.CreateInstanceFromHeader = CreateInstanceFromHeader;
  t.ResolveHandle = ResolveHandle;
  t.ReleaseInstance = ReleaseInstance;
  t.FindProperty = FindProperty;
  t.GetPropertyTable = GetPropertyTable;
  t.FindMethod = FindMethod;
  t.GetChildCount = GetChildCount;
  t.GetChild = GetChild;
  t.FindChild = FindChild;
  t.GetInstancePath = GetInstancePath;
  t.GetParent = GetParent;
  t.ChildNameExists = ChildNameExists;
  t.IsInstanceStored = IsInstanceStored;
  t.StreamInstanceOut = StreamInstanceOut;
  t.StoreInstance = StoreInstance;
  t.WriteStreamHeader = WriteStreamHeader;
  t.ReadStreamHeader = ReadStreamHeader;
  t.BuildStreamHeader = BuildStreamHeader;
  t.FreeStreamHeader = FreeStreamHeader;
  t.DebugPrint = DebugPrint;
  t.CopyDebugStream = CopyDebugStream;
  t.IsKindOfByName = IsKindOfByName;
  t.IsKindOf = IsKindOf;
  t.IsInstanceOfByName = IsInstanceOfByName;
  t.IsInstanceOf = IsInstanceOf;
  t.GetNextError = GetNextError;
  t.RaiseError = RaiseError;
  t.GetFirstInstance = GetFirstInstance;
  t.GetFirstInstanceByString = GetFirstInstanceByString;
  t.GetNextInstance = GetNextInstance;
  t.GetInstanceByName = GetInstanceByName;
  t.GetRoot = GetRoot;
  t.GetComponentCount = GetComponentCount;
  t.GetComponentName = GetComponentName;
  t.GetRefCount = GetRefCount;
  t.GetClassName = GetClassName;
  t.GetRootPath = GetRootPath;
  t.OpenResourceStream = OpenResourceStream;
  t.GetTime = GetTime;
  t.InstallDispatchTables = InstallDispatchTables;
  t.GetInstanceUUID = GetInstanceUUID;
  t.GetInstanceByUUID = GetInstanceByUUID;
  t.ConnectInstanceSpace = ConnectInstanceSpace;
  t.InstanceSpaceClientNop = InstanceSpaceClientNop;
  t.StartInstanceSpaceServer = StartInstanceSpaceServer;
  t.InstanceSpaceServerNop = InstanceSpaceServerNop;
  t.GetLocalNodeID = GetLocalNodeID;
  t.ServiceInstanceSpaceClient = ServiceInstanceSpaceClient;
  t.GetComponentHandle = GetComponentHandle;
  t.ArrayGetCount = ArrayGetCount;
  t.SetDebugStream = SetDebugStream;
  t.FlushDebugStream = FlushDebugStream;
  t.StreamTreeOut = StreamTreeOut;
  t.StreamTreeIn = StreamTreeIn;
  t.UUIDCreate = UUIDCreate;
  t.UUIDFree = UUIDFree;
  t.UUIDCompare = UUIDCompare;
  t.UUIDGenerate = UUIDGenerate;
  t.empty74 = nullptr;
  t.UnstoreInstance = UnstoreInstance;
  t.GetMemoryStats = GetMemoryStats;
  t.CopyComponent = CopyComponent;
  t.GetInstanceName = GetInstanceName;
  t.SetInstanceName = SetInstanceName;
  t.ChangeInstanceClass = ChangeInstanceClass;
  t.ForceReleaseInstance = ForceReleaseInstance;
  t.GetComponentOfInstance = GetComponentOfInstance;
}

}  // namespace kivo::core
