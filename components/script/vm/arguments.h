// The argument pushes of native code: one argument onto the argument stack of the top call frame
// of the VM's current context, for the call or event raise that follows (the argument pushed last
// binds to the first parameter). What is left after the call goes with ArgPopStack.
#pragma once

#include <cstdint>

#include "kivo/support/math_types.h"
#include "kivo/types.h"

namespace varno {

struct DatabaseValue;
struct RTVarnoSymbol;
struct RTVarnoVM;
struct VNlist;

RTSuccess ArgPushObject(RTVarnoVM* vm, RTVarnoSymbol* object);
RTSuccess ArgPushNumber(RTVarnoVM* vm, int32_t number);
RTSuccess ArgPushReal(RTVarnoVM* vm, float real);
// The four floats are copied.
RTSuccess ArgPushVector3(RTVarnoVM* vm, const RTFVector3D* vector);
// A fresh copy; a missing string stays missing.
RTSuccess ArgPushString(RTVarnoVM* vm, const char16_t* text);
// With a new reference.
RTSuccess ArgPushList(RTVarnoVM* vm, VNlist* list);
RTSuccess ArgPushBool(RTVarnoVM* vm, RTBool value);
// With a new reference.
RTSuccess ArgPushDatabase(RTVarnoVM* vm, DatabaseValue* database);
// Pops every argument of the top frame, releasing what they own; fails when there is no frame.
RTSuccess ArgPopStack(RTVarnoVM* vm);

}  // namespace varno
