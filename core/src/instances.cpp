#include "instances.h"

#include <cstring>
#include <vector>

#include "classes.h"
#include "coreregistry/registry.h"
#include "instance_space.h"
#include "instance_store.h"
#include "instance_tree.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/wide_string.h"
#include "memory_manager.h"
#include "uuid.h"
#include "uuid_table.h"

namespace kivo::core {

namespace {

RTInstance gRoot = nullptr;
uint32_t gNextSerial = 0;
// While the core shuts down, destroyed records wait here until every tree is gone: an instance
// destroyed late may release what it holds on one destroyed before it (a scene node its entity),
// which must find a record with no references left, not freed memory.
std::vector<RTInstance>* gShutdownRecords = nullptr;

bool IsStoreBacked(RTInstance instance) { return (instance->flags & kStoreBacked) != 0; }

// An instance is listed and counted with its class exactly while it has a component object.
void AddLive(ComponentEntry* entry, RTInstance instance) {
  ListAppend(entry->instances, instance);
  ++entry->liveCount;
}

void RemoveLive(ComponentEntry* entry, RTInstance instance) {
  if (ListRemove(entry->instances, instance)) --entry->liveCount;
}

void FreeRecord(RTInstance instance);

void FreeOrKeepRecord(RTInstance instance) {
  if (!gShutdownRecords) {
    FreeRecord(instance);
    return;
  }
  // A kept record can be destroyed again when a destroy hook took and gave back a reference to
  // it; it is listed, and freed, once.
  if (instance->flags & kKeptToShutdownEnd) return;
  instance->flags |= kKeptToShutdownEnd;
  gShutdownRecords->push_back(instance);
}

}  // namespace

bool MakeComponentObject(ComponentEntry* entry, RTInstance instance) {
  if (!LoadClass(entry)) return false;
  void* object = nullptr;
  const size_t bytes = BlockBytes(entry->definition->objectSize);
  if (!MemAlloc(nullptr, static_cast<uint32_t>(bytes), &object, 0)) return false;
  std::memcpy(object, entry->templateObject, bytes);
  instance->componentObject = static_cast<ObjectWord*>(object);
  instance->serial = gNextSerial++;
  if (!ConstructChain(entry, instance)) {
    MemFree(nullptr, object);
    instance->componentObject = nullptr;
    return false;
  }
  instance->savedObject = instance->componentObject;
  AddLive(entry, instance);
  return true;
}

void DestroyComponentObject(RTInstance instance) {
  if (!instance->componentObject) return;
  ComponentEntry* entry = ClassOf(instance);
  DestroyChain(instance, entry);
  MemFree(nullptr, instance->componentObject);
  instance->componentObject = nullptr;
  instance->savedObject = nullptr;
  if (entry) RemoveLive(entry, instance);
}

namespace {

RTInstance NewRecord(RTComponentHandle component) {
  void* block = nullptr;
  if (!MemAlloc(nullptr, sizeof(RTInstanceRecord), &block, 1)) return nullptr;
  RTInstance instance = static_cast<RTInstance>(block);
  instance->magic = kInstanceMagic;
  instance->component = component;
  instance->refCount = 1;
  return instance;
}

void FreeRecord(RTInstance instance) {
  if (!IsNilUuid(instance->uuid)) UuidTableRemoveValue(instance->uuid, instance);
  OrphanChildren(instance);
  StrHashTableDestroy(instance->childNames);
  ArrayFree(nullptr, instance->name);
  ArrayFree(nullptr, instance->storeKey);
  MemFree(nullptr, instance);
}

// The instance's count reached 0: a store-backed instance loses its component object and stays
// in the tree to be fetched again; any other leaves the tree and is freed.
void Destroy(RTInstance instance) {
  const bool storeBacked = IsStoreBacked(instance);
  if (storeBacked) {
    instance->flags |= kStoredNotLoaded;
  } else if (instance->parent) {
    Detach(instance);
  }
  DestroyComponentObject(instance);
  if (!storeBacked) FreeOrKeepRecord(instance);
}

enum class Placement { kInTree, kDetached };

RTSuccess NameAndAttach(RTInstance instance, RTInstance parent, bool uniqueName, Placement placement) {
  if (placement == Placement::kDetached) return GivePlaceholderName(instance);
  if (!parent) parent = gRoot;
  instance->parent = parent;
  if (!uniqueName && parent) {
    if (!GivePlaceholderName(instance)) return kRTFailure;
  } else if (!GiveUniqueName(instance, parent)) {
    return kRTFailure;
  }
  instance->parent = nullptr;
  return !parent || Attach(parent, instance) ? kRTSuccess : kRTFailure;
}

}  // namespace

RTInstance Root() { return gRoot; }

void AddReference(RTInstance instance) { ++instance->refCount; }

RTInstance CreatePlaceholder(RTInstance parent, const char16_t* className, const char16_t* name,
                             const char16_t* storeKey) {
  RTComponentHandle component = kNoComponent;
  if (!LocateComponent(className, &component)) return nullptr;
  RTInstance instance = NewRecord(component);
  if (!instance) return nullptr;
  instance->serial = gNextSerial++;
  instance->flags = kStoredNotLoaded;
  instance->parent = parent;
  if (!SetInstanceName(nullptr, instance, name ? name : u"")) {
    FreeRecord(instance);
    return nullptr;
  }
  instance->parent = nullptr;
  char16_t* key = nullptr;
  if (storeKey && WideStrDup(storeKey, &key)) {
    ArrayFree(nullptr, instance->storeKey);
    instance->storeKey = key;
  }
  if (parent && !Attach(parent, instance)) {
    FreeRecord(instance);
    return nullptr;
  }
  return instance;
}

void CreateRoot() {
  RTInstance root = nullptr;
  if (StreamInstanceFromStore(nullptr, u"Root", &root)) {
    gRoot = root;
    return;
  }
  if (!CreateInstanceByString(nullptr, u"RTComponent", &root, 0, 1) || !SetInstanceName(nullptr, root, u"Root")) {
    if (root) ReleaseInstance(nullptr, root);
    RaiseFormatted(kLevelError, u"Could not create an RTComponent for our root");
    return;
  }
  gRoot = root;
}

void DestroyTree(RTInstance instance) {
  AddReference(instance);  // keeps it alive while its children let go of it
  while (instance->childCount) DestroyTree(instance->children[instance->childCount - 1]);
  instance->flags &= ~kStoreBacked;
  if (instance->componentObject) {
    ForceReleaseInstance(nullptr, instance);
  } else {
    if (instance->parent) Detach(instance);
    FreeOrKeepRecord(instance);
  }
}

void ReleaseRoot() {
  std::vector<RTInstance> destroyed;
  gShutdownRecords = &destroyed;
  RTInstance root = gRoot;
  gRoot = nullptr;
  // Root goes with its tree whatever holds it: a store-backed Root would otherwise stay as a
  // record to be fetched again, and its children hold references to it.
  if (root) DestroyTree(root);
  // Instances outside Root's tree.
  for (ComponentEntry* entry : ListItems<ComponentEntry>(Components()))
    while (entry->instances && entry->instances->first) {
      RTInstance instance = static_cast<RTInstance>(entry->instances->first->data);
      while (instance->parent) instance = instance->parent;
      DestroyTree(instance);
    }
  gShutdownRecords = nullptr;
  for (RTInstance instance : destroyed) FreeRecord(instance);
}

RTSuccess ValidateInstance(RTInstance, RTInstance instance, uint32_t* code) {
  uint32_t result = 0;
  if (!instance || instance->magic != kInstanceMagic) result = 2;
  else if (instance->componentObject != instance->savedObject) result = 1;
  if (code) *code = result;
  return result == 0 ? kRTSuccess : kRTFailure;
}

RTSuccess RestoreInstanceObject(RTInstance, RTInstance instance) {
  if (!instance || instance->magic != kInstanceMagic) return kRTFailure;
  instance->componentObject = instance->savedObject;
  return kRTSuccess;
}

namespace {

RTSuccess Create(RTInstance parent, RTComponentHandle component, RTInstance* out, bool uniqueName,
                 Placement placement) {
  if (!out) return kRTFailure;
  *out = nullptr;
  ComponentEntry* entry = LookupComponentEntry(component);
  if (!entry || !LoadClass(entry)) return kRTFailure;
  if (entry->definition->singleton && entry->liveCount > 0) {
    RTInstance oldest = static_cast<RTInstance>(entry->instances->first->data);
    AddReference(oldest);
    *out = oldest;
    return kRTSuccess;
  }
  RTInstance instance = NewRecord(component);
  if (!instance) return kRTFailure;
  if (!MakeComponentObject(entry, instance)) {
    MemFree(nullptr, instance);
    return kRTFailure;
  }
  // A generation without a node address still fills the time fields, and that UUID is used.
  UUIDGenerate(nullptr, &instance->uuid);
  if (!IsNilUuid(instance->uuid)) UuidTableInsert(instance->uuid, instance);
  if (!NameAndAttach(instance, parent, uniqueName, placement)) {
    DestroyComponentObject(instance);
    FreeRecord(instance);
    return kRTFailure;
  }
  *out = instance;
  return kRTSuccess;
}

}  // namespace

RTSuccess CreateInstance(RTInstance parent, RTComponentHandle component, RTInstance* out, uint32_t,
                         RTBool uniqueName) {
  return Create(parent, component, out, uniqueName != 0, Placement::kInTree);
}

RTSuccess CreateDetachedInstance(const char16_t* className, RTInstance* out) {
  RTComponentHandle component = kNoComponent;
  if (out) *out = nullptr;
  return LocateComponent(className, &component) ? Create(nullptr, component, out, false, Placement::kDetached)
                                                : kRTFailure;
}

RTSuccess CreateTemporaryStream(RTInstance* out) {
  if (!CreateDetachedInstance(u"RTMemoryStream", out)) return kRTFailure;
  if (memory_stream::Open(*out, memory_stream::kReadWrite)) return kRTSuccess;
  ReleaseInstance(nullptr, *out);
  *out = nullptr;
  return kRTFailure;
}

RTSuccess CreateInstanceByString(RTInstance parent, const char16_t* className, RTInstance* out, RTBool remote,
                                 RTBool uniqueName) {
  if (!out) return kRTFailure;
  *out = nullptr;
  if (remote) return ISClientCreateRemote(className, out);
  RTComponentHandle component = kNoComponent;
  return LocateComponent(className, &component) ? CreateInstance(parent, component, out, 0, uniqueName)
                                                : kRTFailure;
}

RTSuccess ResolveHandle(RTInstance, RTInstance instance) {
  if (!instance) return kRTFailure;
  if ((instance->flags & kStoredNotLoaded) && !(instance->flags & kBeingLoaded)) {
    const uint32_t flags = instance->flags;
    const int32_t count = instance->refCount;
    instance->flags = (flags & ~kStoredNotLoaded) | kBeingLoaded | kStoreBacked;
    if (instance->parent) ForgetNameSearches(instance->parent);
    if (instance->refCount == 1) instance->refCount = 0;
    if (!LoadFromStore(instance)) {
      // The record stays a usable placeholder.
      instance->flags = flags;
      instance->refCount = count;
      return kRTFailure;
    }
    instance->flags &= ~kBeingLoaded;
  }
  if (instance->refCount < 0) {
    RaiseFormatted(kLevelError, u"A handle has been found with an invalid reference count.");
    return kRTFailure;
  }
  AddReference(instance);
  return kRTSuccess;
}

RTSuccess ReleaseInstance(RTInstance, RTInstance instance) {
  if (!instance || instance->refCount <= 0) return kRTFailure;
  if (--instance->refCount > 0) return kRTSuccess;
  Destroy(instance);
  return kRTSuccess;
}

RTSuccess ForceReleaseInstance(RTInstance ctx, RTInstance instance) {
  if (!instance) return kRTFailure;
  instance->refCount = 1;
  return ReleaseInstance(ctx, instance);
}

RTSuccess GetRefCount(RTInstance, RTInstance instance, uint32_t* count) {
  if (!instance || !count) return kRTFailure;
  *count = static_cast<uint32_t>(instance->refCount);
  return kRTSuccess;
}

RTSuccess GetRoot(RTInstance, RTInstance* out) {
  if (!out) return kRTFailure;
  *out = gRoot;
  if (!gRoot) return kRTFailure;
  AddReference(gRoot);
  return kRTSuccess;
}

RTSuccess GetInstanceUUID(RTInstance, RTInstance instance, RTUUID* out) {
  if (!instance || !out) return kRTFailure;
  *out = instance->uuid;
  return kRTSuccess;
}

RTSuccess GetInstanceByUUID(RTInstance, const RTUUID* uuid, RTInstance* out) {
  if (!out) return kRTFailure;
  *out = nullptr;
  if (!uuid || IsNilUuid(*uuid) || !UuidTableLookup(*uuid, out)) return kRTFailure;
  AddReference(*out);
  return kRTSuccess;
}

RTSuccess GetFirstInstance(RTInstance ctx, RTComponentHandle component, RTInstance* out, RTBool create,
                           RTInstanceIterator** iterator) {
  if (!out) return kRTFailure;
  *out = nullptr;
  ComponentEntry* entry = LookupComponentEntry(component);
  if (!entry) return kRTFailure;
  if (entry->instances->first) {
    if (iterator) *iterator = reinterpret_cast<RTInstanceIterator*>(entry->instances->first);
    *out = static_cast<RTInstance>(entry->instances->first->data);
    AddReference(*out);
    return kRTSuccess;
  }
  return create ? CreateInstance(ctx, component, out, 0, 1) : kRTFailure;
}

RTSuccess GetFirstInstanceByString(RTInstance ctx, const char16_t* className, RTInstance* out, RTBool create,
                                   RTInstanceIterator** iterator) {
  RTComponentHandle component = kNoComponent;
  if (!LocateComponent(className, &component)) {
    if (out) *out = nullptr;
    return kRTFailure;
  }
  return GetFirstInstance(ctx, component, out, create, iterator);
}

RTSuccess GetNextInstance(RTInstance, RTInstanceIterator** iterator, RTInstance* out) {
  if (!out) return kRTFailure;
  *out = nullptr;
  auto* link = iterator ? reinterpret_cast<ListLink*>(*iterator) : nullptr;
  if (!link || !link->next) return kRTFailure;
  *iterator = reinterpret_cast<RTInstanceIterator*>(link->next);
  *out = static_cast<RTInstance>(link->next->data);
  AddReference(*out);
  return kRTSuccess;
}

bool ReplaceInstanceUuid(RTInstance instance, const RTUUID& uuid) {
  if (!UuidTableRemoveValue(instance->uuid, instance)) return false;
  instance->uuid = uuid;
  if (!IsNilUuid(uuid)) UuidTableInsert(uuid, instance);
  return true;
}

}  // namespace kivo::core
