// Calling a parent class level's own version of a method that the calling class overrides.
//
// The core writes an overriding method into the first slot table of every ancestor level that has
// a method of that name, so a call through a parent's first table comes back to the override. The
// second table of each level keeps the level's own functions: a class that extends its parent's
// method (a stream method that runs the parent's part first) calls through that table, and only
// through this helper.
#pragma once

#include "kivo/slots.h"

namespace kivo {

// `parentOwnTable` is the published object offset of the parent level's second slot table, as the
// parent's calls header gives it (`kOwnTable`).
template <class... Params>
RTSuccess CallParentMethod(RTInstance instance, uint32_t parentOwnTable, MethodSlot<Params...> slot,
                           std::type_identity_t<Params>... args) {
  return CallMethod(instance, parentOwnTable, slot, args...);
}

}  // namespace kivo
