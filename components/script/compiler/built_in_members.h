// The member numbers the checker writes into a call node for the built-in calls on lists and
// vector3 values, and that the code generator reads back (0: an ordinary method call).
#pragma once

#include <cstdint>

namespace varno {

enum BuiltInMember : uint8_t {
  kMethodCall = 0,
  kListRemove = 1,
  kListPop = 2,
  kListCount = 4,
  kVectorDistance = 5,
  kVectorLength = 6,
  kVectorNormalized = 8,
  kVectorClamped = 9,
  kVectorDot = 10,
};

}  // namespace varno
