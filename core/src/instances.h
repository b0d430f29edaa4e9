// Instance records: creation (with singletons and automatic names), references, destruction,
// Root, lookups by UUID and by class.
#pragma once

#include <string>

#include "instance_record.h"

namespace kivo::core {

void CreateRoot();
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
RTSuccess ResolveHandle(RTInstance ctx, RTInstance instance);
RTSuccess ReleaseInstance(RTInstance ctx, RTInstance instance);
RTSuccess ForceReleaseInstance(RTInstance ctx, RTInstance instance);
RTSuccess GetRefCount(RTInstance ctx, RTInstance instance, uint32_t* count);
RTSuccess GetRoot(RTInstance ctx, RTInstance* out);
RTSuccess GetInstanceUUID(RTInstance ctx, RTInstance instance, RTUUID* out);
RTSuccess GetInstanceByUUID(RTInstance ctx, const RTUUID* uuid, RTInstance* out);
RTSuccess GetFirstInstance(RTInstance ctx, RTComponentHandle component, RTInstance* out, RTBool create,
                           RTInstanceIterator** iterator);
RTSuccess GetFirstInstanceByString(RTInstance ctx, const char16_t* className, RTInstance* out, RTBool create,
                                   RTInstanceIterator** iterator);
RTSuccess GetNextInstance(RTInstance ctx, RTInstanceIterator** iterator, RTInstance* out);

// Gives an instance a new UUID in the UUID table (the old entry, when it is the instance's own,
// is removed first); false when the old UUID was not the instance's entry.
bool ReplaceInstanceUuid(RTInstance instance, const RTUUID& uuid);

}  // namespace kivo::core
