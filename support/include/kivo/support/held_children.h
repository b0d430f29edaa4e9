// Components that hold references on child instances of their own (a room on its nodes, a scene
// node on an entity below it) form a cycle with them, since a child holds a reference on its
// parent. Such a parent is destroyed only when forced, at the core's shutdown above all, and there
// its children go first: by the time its destroy hook runs their records are freed. The hook must
// then leave the references it took on children alone.
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

// True when the instance has no children left: in a destroy hook, its children were destroyed
// before it (a parent with children is never destroyed by its count).
inline bool ChildrenGone(RTInstance parent) {
  uint32_t count = 0;
  return ModuleCore()->GetChildCount(nullptr, parent, &count) && count == 0;
}

}  // namespace kivo
