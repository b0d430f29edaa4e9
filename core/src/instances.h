// Instance records: creation (with singletons and automatic names), references, destruction,
// Root, lookups by UUID and by class.
#pragma once

#include <string>

#include "coreregistry/component_entry.h"
#include "instance_record.h"

namespace kivo::core {

void CreateRoot();
// Drops Root's reference, then destroys every instance that is still alive.
void ReleaseRoot();
RTInstance Root();

// Adds a reference without any loading (children handed out by the tree operations).
void AddReference(RTInstance instance);

RTSuccess ValidateInstance(RTInstance ctx, RTInstance instance, uint32_t* code);
RTSuccess RestoreInstanceObject(RTInstance ctx, RTInstance instance);
RTSuccess CreateInstance(RTInstance parent, RTComponentHandle component, RTInstance* out, uint32_t reserved,
                         RTBool uniqueName);
RTSuccess CreateInstanceByString(RTInstance parent, const char16_t* className, RTInstance* out, RTBool remote,
                                 RTBool uniqueName);
// An instance of the core's own use (temporary streams, component resources), named "???" and
// kept out of the instance tree.
RTSuccess CreateDetachedInstance(const char16_t* className, RTInstance* out);
// A detached, empty, open memory stream.
RTSuccess CreateTemporaryStream(RTInstance* out);
RTSuccess ResolveHandle(RTInstance ctx, RTInstance instance);
RTSuccess ReleaseInstance(RTInstance ctx, RTInstance instance);
RTSuccess ForceReleaseInstance(RTInstance ctx, RTInstance instance);
// Destroys an instance and its subtree, children first, whatever their counts.
void DestroyTree(RTInstance instance);
RTSuccess GetRefCount(RTInstance ctx, RTInstance instance, uint32_t* count);
RTSuccess GetRoot(RTInstance ctx, RTInstance* out);
RTSuccess GetInstanceUUID(RTInstance ctx, RTInstance instance, RTUUID* out);
RTSuccess GetInstanceByUUID(RTInstance ctx, const RTUUID* uuid, RTInstance* out);
RTSuccess GetFirstInstance(RTInstance ctx, RTComponentHandle component, RTInstance* out, RTBool create,
                           RTInstanceIterator** iterator);
RTSuccess GetFirstInstanceByString(RTInstance ctx, const char16_t* className, RTInstance* out, RTBool create,
                                   RTInstanceIterator** iterator);
RTSuccess GetNextInstance(RTInstance ctx, RTInstanceIterator** iterator, RTInstance* out);

// A fresh component object of the entry's class (template copy, construct hooks, live list), or
// false with none.
bool MakeComponentObject(ComponentEntry* entry, RTInstance instance);
// Runs the destroy hooks, frees the object and takes the instance off its class's live list.
void DestroyComponentObject(RTInstance instance);
// A record for an instance that waits in the store: named, attached to `parent`, no object.
RTInstance CreatePlaceholder(RTInstance parent, const char16_t* className, const char16_t* name,
                             const char16_t* storeKey);

// Gives an instance a new UUID in the UUID table (the old entry, when it is the instance's own,
// is removed first); false when the old UUID was not the instance's entry.
bool ReplaceInstanceUuid(RTInstance instance, const RTUUID& uuid);

}  // namespace kivo::core
