// Component classes: loading a class's library with its parents, its template object with one
// pair of method-slot tables per class level, the merged property table, and the kind tests.
#pragma once

#include "coreregistry/component_entry.h"

namespace kivo::core {

// Each call takes one load reference; 1 when the class is usable.
RTSuccess LoadClass(ComponentEntry* entry);
// Drops one load reference; at zero frees the class and unloads its library.
void UnloadClass(ComponentEntry* entry);
// Frees what a loaded class holds in core memory (template, tables, properties, parsed
// parameter lists); the library itself stays loaded.
void ReleaseClassData(ComponentEntry* entry);

// Runs the construct hooks, parents first, each level taking a load reference.
RTSuccess ConstructChain(ComponentEntry* entry, RTInstance instance);
// Runs the destroy hooks, own class first, each level giving back a load reference.
RTSuccess DestroyChain(RTInstance instance, ComponentEntry* entry);

ComponentEntry* ClassOf(RTInstance instance);
// The entry of the class's parent; null (with the locate message) when it is not registered or
// when the class has none.
ComponentEntry* ParentEntry(const ComponentEntry* entry);
bool IsLoaded(const ComponentEntry* entry);

// The first slot-table offset of a class's level (the class must be loaded).
bool ClassLevelOffset(const char16_t* className, uint32_t* offset);

// Calls the method at `slot` of the instance's `levelClass` level.
template <class... Params>
RTSuccess CallLevelMethod(RTInstance instance, const char16_t* levelClass, MethodSlot<Params...> slot,
                          std::type_identity_t<Params>... args) {
  uint32_t tableOffset = 0;
  return instance && ClassLevelOffset(levelClass, &tableOffset) ? CallMethod(instance, tableOffset, slot, args...)
                                                                : kRTFailure;
}

uint32_t IsKindOfByName(RTInstance ctx, RTInstance instance, const char16_t* className);
uint32_t IsKindOf(RTInstance ctx, RTInstance instance, RTComponentHandle component);
uint32_t IsInstanceOfByName(RTInstance ctx, RTInstance instance, const char16_t* className);
uint32_t IsInstanceOf(RTInstance ctx, RTInstance instance, RTComponentHandle component);

RTSuccess FindProperty(RTInstance ctx, RTInstance instance, const char16_t* name, RTPropertyRecord** out);
RTSuccess GetPropertyTable(RTInstance ctx, RTInstance instance, RTPropertyRecord** out, uint32_t* count);
RTSuccess GetComponentCount(RTInstance ctx, uint32_t* count);
RTSuccess GetComponentName(RTInstance ctx, uint32_t index, char16_t* buffer, uint32_t length);
RTSuccess GetClassName(RTInstance ctx, RTInstance instance, char16_t* buffer, uint32_t length);
RTSuccess GetComponentOfInstance(RTInstance ctx, RTInstance instance, RTComponentHandle* out);

}  // namespace kivo::core
