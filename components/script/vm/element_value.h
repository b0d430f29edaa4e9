// Seeing a stack element as a tagged value (borrowed: the value words point into the element) and
// turning a stored tagged value back into a stack element that owns its value.
#pragma once

#include "compiler/constant_value.h"
#include "vm/stack_element.h"

namespace varno {

// 1 number, 2 real, 3 string, 8 vector3 (pointing at the element's floats), 9 list, 6 bool,
// 12 code, 13 database, an object under its type index; false for an empty element.
bool ElementAsValue(const RTVarnoStackElement& element, RTVarnoConstantValue* out);

// A stack element holding its own copy of a value the VM holds (one more holder of its string, a
// vector's floats, one more reference to a list or code value; `withDatabase` lets a database
// through with a reference); false for a kind that has no stack form.
bool ElementFromValue(const RTVarnoConstantValue& value, bool withDatabase, RTVarnoStackElement* out);

// Kinds a list element is made from (`append`, `nlist`) and a database stores (`dbadd`, `ndb`):
// every kind but a database and an empty element.
inline bool StorableKind(uint8_t tag) {
  switch (tag) {
    case kTagNumber:
    case kTagReal:
    case kTagString:
    case kTagVector3:
    case kTagList:
    case kTagBool:
    case kTagCode:
    case kTagObject:
      return true;
    default:
      return false;
  }
}

}  // namespace varno
