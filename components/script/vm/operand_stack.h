// The operand stack of a context: typed pushes, pops and access to the top elements. A full stack
// reports "[VARNO VM] VM Operand Stack Overflow!" and refuses the push.
#pragma once

#include <cstdint>

#include "compiler/constant_value.h"
#include "kivo/types.h"
#include "vm/context.h"

namespace varno {

bool PushNumber(RTVarnoContext* context, int32_t value);
bool PushReal(RTVarnoContext* context, float value);
bool PushBool(RTVarnoContext* context, bool value);
// A new string with a copy of any text (null stays a missing string).
bool PushStringCopy(RTVarnoContext* context, const char16_t* text);
// One more holder of a string the VM holds (null stays a missing string).
bool PushStringShared(RTVarnoContext* context, char16_t* text);
// Takes over the holder's string; it is released when the push fails.
bool PushStringOwned(RTVarnoContext* context, char16_t* text);
bool PushVector3(RTVarnoContext* context, const RTFVector3D& value);
// One more reference.
bool PushCode(RTVarnoContext* context, VNcode* code);
bool PushList(RTVarnoContext* context, VNlist* list);
bool PushDatabase(RTVarnoContext* context, DatabaseValue* database);
// The caller's reference moves onto the stack (released when the push fails).
bool PushListOwned(RTVarnoContext* context, VNlist* list);
bool PushDatabaseOwned(RTVarnoContext* context, DatabaseValue* database);
bool PushObject(RTVarnoContext* context, RTVarnoSymbol* object);
// Moves the element onto the stack (released when the push fails); the source is left empty.
bool PushElement(RTVarnoContext* context, RTVarnoStackElement* element);
// By type code: 1 number, 2 real, 3 string copy, 6 bool, 8 vector3 copy, 9 list with a reference,
// 14 and up an object; anything else is reported and refused. A string the VM holds (`held`) is
// shared; any other is copied.
bool PushConstantValue(RTVarnoContext* context, const RTVarnoConstantValue& value, bool held = false);

// Drops TOS, releasing what it owns; fails (without a report) on the empty bottom element.
bool OperandPop(RTVarnoContext* context);
// Drops n elements; fails without dropping any when fewer are there.
bool OperandPopN(RTVarnoContext* context, uint32_t n);
// Takes TOS off the stack without releasing it (the caller owns its value then).
bool OperandTake(RTVarnoContext* context, RTVarnoStackElement* out);

// TOS (n 0), TOS + 1, TOS + 2 ...; an element below the stack's bottom reads as empty.
const RTVarnoStackElement& Tos(const RTVarnoContext* context, uint32_t n = 0);
RTVarnoStackElement* TosMutable(RTVarnoContext* context, uint32_t n = 0);
// Elements above the empty bottom element.
uint32_t OperandDepth(const RTVarnoContext* context);

}  // namespace varno
