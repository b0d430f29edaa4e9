#include "instance_store.h"

#include <string>

#include "classes.h"
#include "coreregistry/registry.h"
#include "instance_tree.h"
#include "instances.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/raise.h"
#include "kivo/support/store_calls.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/wide_string.h"
#include "memory_manager.h"
#include "store_sweep.h"
#include "stream_header.h"

namespace kivo::core {

namespace {

constexpr uint32_t kWholeInstance = component::kStreamWhole;
constexpr size_t kPathUnits = 512;

struct HeaderHolder {
  RTStreamHeader* header = nullptr;
  ~HeaderHolder() { FreeStreamHeader(nullptr, header); }
};

bool GetStore(InstanceRef& store) {
  return GetFirstInstanceByString(nullptr, instance_store::kClassName, store.out(), 1, nullptr) != 0;
}

// The stored header of a path, read out of the store.
bool ReadStoredHeader(RTInstance store, const char16_t* path, HeaderHolder& header) {
  InstanceRef stream;
  return instance_store::HeaderStream(store, path, stream.out()) && ReadStreamHeader(nullptr, stream.get(), &header.header);
}

// Whether a stored child key names the child directly below its parent: the parent's key, ":" and
// the child's own name (ignoring case). Any other key, an ancestor's above all, would let a
// record list itself again further down and the walk never end.
bool IsDirectChildKey(std::u16string_view parentKey, std::u16string_view childKey, const char16_t* childName) {
  const std::u16string expected = std::u16string(parentKey) + u":" + (childName ? childName : u"");
  return childName && *childName && childKey.size() == expected.size() &&
         WideStrEqualNoCase(std::u16string(childKey).c_str(), expected.c_str()) == 0;
}

// Placeholders for the stored children of a header that the instance (stored under `key`) does
// not have yet.
void AddStoredChildren(RTInstance store, RTInstance instance, const char16_t* key, const RTStreamHeader& header,
                       const char16_t* failure) {
  for (uint32_t i = 0; i < header.childCount; ++i) {
    const char16_t* childPath = header.childPaths[i];
    RTBool holds = 0;
    if (!childPath || !instance_store::Holds(store, childPath, &holds) || !holds) continue;
    HeaderHolder childHeader;
    if (!ReadStoredHeader(store, childPath, childHeader)) {
      RaiseFormatted(kLevelError, u"%s", failure);
      continue;
    }
    if (!IsDirectChildKey(key, childPath, childHeader.header->name)) {
      RaiseFormatted(kLevelError, u"The stored child %s of %s is refused: it does not lie directly below it", childPath,
                     key);
      continue;
    }
    RTInstance existing = nullptr;
    if (FindChild(nullptr, instance, childHeader.header->name, &existing)) {
      ReleaseInstance(nullptr, existing);
      continue;
    }
    CreatePlaceholder(instance, childHeader.header->className, childHeader.header->name, childPath);
  }
}

bool WriteInstance(RTInstance store, RTInstance instance, const char16_t* path, uint32_t sizeWord) {
  HeaderHolder header;
  InstanceRef data;
  if (!CreateTemporaryStream(data.out()) || !BuildStreamHeader(nullptr, instance, sizeWord, &header.header) ||
      !instance_store::StoreHeader(store, path, header.header))
    return false;
  StreamInstanceOut(nullptr, instance, sizeWord, 0, data.get());
  return stream::Seek(data.get(), 0) && instance_store::StoreData(store, path, data.get());
}

// Stores a fresh header for each ancestor the store holds, and each other ancestor whole.
bool StoreAncestors(RTInstance store, RTInstance instance) {
  for (RTInstance ancestor = instance->parent; ancestor; ancestor = ancestor->parent) {
    const std::u16string path = InstancePath(ancestor);
    RTBool holds = 0;
    if (instance_store::Holds(store, path.c_str(), &holds) && holds) {
      HeaderHolder header;
      if (!BuildStreamHeader(nullptr, ancestor, kWholeInstance, &header.header) ||
          !instance_store::StoreHeader(store, path.c_str(), header.header))
        return false;
    } else if (!StoreInstance(nullptr, ancestor, kWholeInstance, 0)) {
      return false;
    }
  }
  return true;
}

class SweepScope {
 public:
  SweepScope() : opened_(OpenStoreSweep()) {}
  ~SweepScope() {
    if (opened_) CloseStoreSweep();
  }

 private:
  bool opened_;
};

}  // namespace

RTSuccess StoreInstance(RTInstance, RTInstance instance, uint32_t sizeWord, RTBool subtree) {
  if (!instance || !instance->componentObject) return kRTFailure;
  SweepScope sweep;
  InstanceRef store;
  if (!GetStore(store)) return kRTFailure;
  const std::u16string path = InstancePath(instance);
  if (path.size() >= kPathUnits) return kRTFailure;
  // An instance reached twice in one sweep is written once.
  if (!SweepHasWritten(path.c_str())) {
    if (!WriteInstance(store.get(), instance, path.c_str(), sizeWord)) return kRTFailure;
    SweepMarkWritten(path.c_str());
  }
  if (subtree) {
    for (uint32_t i = 0; i < instance->childCount; ++i)
      if (instance->children[i]->componentObject) StoreInstance(nullptr, instance->children[i], sizeWord, 1);
  }
  if (!StoreAncestors(store.get(), instance)) return kRTFailure;
  instance->flags |= kStoreBacked;
  return kRTSuccess;
}

RTSuccess UnstoreInstance(RTInstance, RTInstance instance) {
  if (!instance) return kRTFailure;
  instance->flags &= ~kStoreBacked;
  InstanceRef store;
  if (!GetStore(store)) return kRTFailure;
  const std::u16string path = InstancePath(instance);
  if (path.size() >= kPathUnits) return kRTFailure;
  instance_store::Remove(store.get(), path.c_str());
  return kRTSuccess;
}

RTSuccess IsInstanceStored(RTInstance, RTInstance instance, RTBool* out) {
  if (!instance || !out) return kRTFailure;
  *out = (instance->flags & kStoreBacked) ? 1 : 0;
  return kRTSuccess;
}

RTSuccess StreamInstanceFromStore(RTInstance parent, const char16_t* path, RTInstance* out) {
  *out = nullptr;
  InstanceRef store;
  InstanceRef data;
  HeaderHolder header;
  if (!path || !GetStore(store) || !instance_store::DataStream(store.get(), path, data.out()) ||
      !ReadStoredHeader(store.get(), path, header))
    return kRTFailure;
  RTInstance instance = nullptr;
  if (!CreateInstanceByString(parent, header.header->className, &instance, 0, 0)) return kRTFailure;
  if (!SetInstanceName(nullptr, instance, header.header->name ? header.header->name : u"")) {
    ReleaseInstance(nullptr, instance);
    return kRTFailure;
  }
  if (!component::StreamIn(instance, kWholeInstance, data.get()))
    RaiseFormatted(kLevelError, u"kivocore.StreamInstanceFromStore(): %s.StreamIn() returned FAILURE.", path);
  AddStoredChildren(store.get(), instance, path, *header.header, u"Can not retrieve stream header");
  instance->flags |= kStoreBacked;
  *out = instance;
  return kRTSuccess;
}

bool LoadFromStore(RTInstance instance) {
  InstanceRef store;
  InstanceRef headerStream;
  InstanceRef data;
  HeaderHolder header;
  if (!GetStore(store)) return false;
  const char16_t* key = instance->storeKey ? instance->storeKey : u"";
  if (!instance_store::HeaderStream(store.get(), key, headerStream.out())) {
    RaiseFormatted(kLevelError, u"Cannot retrieve stream header from store");
    return false;
  }
  if (!instance_store::DataStream(store.get(), key, data.out())) {
    RaiseFormatted(kLevelError, u"Cannot retrieve stream from store");
    return false;
  }
  if (!ReadStreamHeader(nullptr, headerStream.get(), &header.header)) return false;
  headerStream.Reset();
  ComponentEntry* entry = ClassOf(instance);
  if (!entry || !MakeComponentObject(entry, instance)) return false;
  component::StreamIn(instance, kWholeInstance, data.get());
  data.Reset();
  AddStoredChildren(store.get(), instance, key, *header.header, u"Cannot retrieve stream header from store!");
  return true;
}

RTSuccess OpenResourceStream(RTInstance, const char16_t* className, const char16_t* resourceName, RTInstance* out) {
  if (!out) return kRTFailure;
  *out = nullptr;
  ComponentEntry* entry = LocateComponentEntry(className);
  if (!entry || !entry->resourcePath || !resourceName) return kRTFailure;
  if (!entry->resource) {
    InstanceRef file;
    InstanceRef resource;
    if (!CreateDetachedInstance(u"RTBrellinFileStream", file.out()) ||
        !file_stream::Open(file.get(), entry->resourcePath, file_stream::kReadExisting) ||
        !CreateDetachedInstance(u"RTResource", resource.out()) ||
        !component::StreamIn(resource.get(), kWholeInstance, file.get()))
      return kRTFailure;
    stream::Close(file.get());
    entry->resource = resource.get();
    AddReference(entry->resource);
  }
  for (uint32_t i = 0; i < entry->resource->childCount; ++i) {
    RTInstance child = entry->resource->children[i];
    char16_t* name = nullptr;
    const bool same = component::GetName(child, &name) && WideStrEqualNoCase(name, resourceName) == 0;
    ArrayFree(nullptr, name);
    if (!same) continue;
    AddReference(child);
    *out = child;
    return kRTSuccess;
  }
  return kRTFailure;
}

void ReleaseResources() {
  for (ComponentEntry* entry : ListItems<ComponentEntry>(Components())) {
    RTInstance resource = entry->resource;
    entry->resource = nullptr;
    if (resource) ReleaseInstance(nullptr, resource);
  }
}

RTSuccess ChangeInstanceClass(RTInstance, RTInstance instance, const char16_t* className, RTStreamInFunc streamIn) {
  if (!instance || !instance->componentObject || !streamIn) return kRTFailure;
  ComponentEntry* entry = LocateComponentEntry(className);
  if (!entry || !LoadClass(entry)) return kRTFailure;
  const bool singleton = entry->definition->singleton != 0;
  UnloadClass(entry);
  InstanceRef saved;
  if (singleton || !CreateTemporaryStream(saved.out()) ||
      !component::StreamOut(instance, kWholeInstance, saved.get()))
    return kRTFailure;
  // The old object goes (its state is in the memory stream), the new class's object comes.
  DestroyComponentObject(instance);
  instance->component = entry->handle;
  instance->flags = 0;
  if (!MakeComponentObject(entry, instance)) return kRTFailure;
  stream::Seek(saved.get(), 0);
  streamIn(instance, kWholeInstance, saved.get());
  return kRTSuccess;
}

}  // namespace kivo::core
