// Copy-on-write of the counted values, lists and databases alike: a holder about to change a value
// that other holders share first gets a value of its own.
#pragma once

#include "kivo/types.h"

namespace varno {

// With two or more references: a new value (`make`) with copies of every element (`copyInto`),
// one reference of the old value dropped and the new one handed out. With fewer, the same value.
// On failure `out` holds the old value, whose count is unchanged.
template <class Value>
RTSuccess MakeUnique(Value* value, Value** out, RTSuccess (*make)(Value**),
                     RTSuccess (*copyInto)(Value* destination, const Value* source),
                     RTSuccess (*release)(Value*)) {
  if (!value || !out) return kRTFailure;
  *out = value;
  if (value->references < 2) return kRTSuccess;
  Value* copy = nullptr;
  if (!make(&copy)) return kRTFailure;
  if (!copyInto(copy, value)) {
    release(copy);
    return kRTFailure;
  }
  --value->references;  // the others keep it
  *out = copy;
  return kRTSuccess;
}

}  // namespace varno
