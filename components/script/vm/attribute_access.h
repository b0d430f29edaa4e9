// Reading and writing a script object's attributes from native code, by name and with a type
// check: the one way other libraries reach values inside the VM.
#pragma once

#include <cstdint>

#include "compiler/constant_value.h"
#include "kivo/types.h"
#include "varno/scripting_calls.h"

namespace varno {

struct RTVarnoSymbol;
struct RTVarnoVM;

using scripting::kWholeAttribute;

// The value of the attribute `name` (a dotted path reaches into attribute objects), or with
// `element` other than kWholeAttribute element N of the list that the attribute holds. `type` is
// the type wanted: a number, real, bool or string, or kFirstClassType for a script object. The
// value word receives the number, the real or the bool; a string as a new core array block that
// the caller frees with ArrayFree (null for a string never set); an object as the object. Fails,
// with `out` zeroed, when there is no such attribute or element or it holds another type.
RTSuccess SymbolReadAttribute(RTVarnoVM* vm, RTVarnoSymbol* object, const char16_t* name, uint32_t element,
                              uint32_t type, RTVarnoConstantValue* out);
// Stores a number, real, bool, string or vector3 into the attribute (or list element) of that type;
// the VM keeps its own copy of a string, and a vector3's four floats are copied into the value's
// own vector. A script object (a type of kFirstClassType or above, the object in the pointer)
// becomes what a whole attribute of its class, or of an ancestor of its class, refers to. Fails
// for another type and leaves the value as it was.
RTSuccess SymbolWriteAttribute(RTVarnoVM* vm, RTVarnoSymbol* object, const char16_t* name, uint32_t element,
                               const RTVarnoConstantValue* value);

}  // namespace varno
