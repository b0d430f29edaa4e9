// Components that hold references on child instances of their own (a room on its nodes and its
// hit-test filter, a scene node on an entity below it) form a cycle with them, since a child holds
// a reference on its parent. Such a parent is destroyed only when forced, at the core's shutdown
// above all, and there its children go first: by the time its destroy hook runs their records are
// freed. The hook must then leave the references it took on instances below it alone.
#pragma once

#include "kivo/core_table.h"
#include "kivo/support/module_core.h"

namespace kivo {

inline bool IsChildOf(RTInstance instance, RTInstance parent) {
  RTInstance found = nullptr;
  if (!instance || !ModuleCore()->GetParent(nullptr, instance, &found)) return false;
  if (found) ModuleCore()->ReleaseInstance(nullptr, found);
  return found && found == parent;
}

// True when `ancestor` is the instance's parent, or its parent's parent, and so on.
inline bool IsBelow(RTInstance instance, RTInstance ancestor) {
  CoreTable* core = ModuleCore();
  RTInstance parent = nullptr;
  if (!instance || !ancestor || !core->GetParent(nullptr, instance, &parent)) return false;
  while (parent && parent != ancestor) {
    RTInstance next = nullptr;  // stays null when the walk ends at the root
    core->GetParent(nullptr, parent, &next);
    core->ReleaseInstance(nullptr, parent);
    parent = next;
  }
  if (parent) core->ReleaseInstance(nullptr, parent);
  return parent != nullptr;
}

// True when the instance has no children left: in a destroy hook, its children were destroyed
// before it (a parent with children is never destroyed by its count).
inline bool ChildrenGone(RTInstance parent) {
  uint32_t count = 0;
  return ModuleCore()->GetChildCount(nullptr, parent, &count) && count == 0;
}

}  // namespace kivo
