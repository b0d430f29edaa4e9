// The variables that laid-out attribute tables hold beside their slots (an object's attributes, a
// frame's locals): made with their first value and known to the collector (an object's on its list,
// a frame's counted), bound to their slot, and destroyed in place. A frame renews the variables of
// its kept block for each call; numbers, reals and bools, which own nothing, take a few stores.
#pragma once

#include <cstdint>

#include "compiler/type_codes.h"
#include "kivo/types.h"
#include "vm/attribute_table.h"
#include "vm/collector.h"
#include "vm/symbol.h"

namespace varno {

// Numbers, reals and bools own nothing and start at 0.
inline bool PlainValueType(uint32_t typeIndex) {
  return typeIndex == kTypeNumber || typeIndex == kTypeReal || typeIndex == kTypeBool;
}

// Makes a variable of the built-in type with its first value in the memory of its table beside slot
// `slot`, and binds the slot to it.
RTSuccess SymbolMakeVariable(AttributeTable* home, uint32_t slot, RTVarnoType* type);
// The variable of a value that owns something: its first value, and known to the collector.
RTSuccess StartOwningVariable(AttributeTable* home, RTVarnoSymbol* variable);
// Releases the value of a variable that owns something.
void ReleaseVariableValue(RTVarnoSymbol* variable);

// The variable a frame's slot had in the frame's last call (same layout, destroyed since) made
// anew: only what a new variable has otherwise is set again.
inline RTSuccess SymbolRenewVariable(AttributeTable* home, uint32_t slot) {
  AttributeSlot& place = home->slots[slot];
  RTVarnoSymbol& variable = place.variable;
  variable.destroyed = 0;
  variable.stored = 0;
  variable.mark = 0;
  variable.value.type = variable.typeIndex;
  if (!PlainValueType(variable.typeIndex)) {
    if (!StartOwningVariable(home, &variable)) return kRTFailure;
  } else {
    variable.value.value.pointer = nullptr;
    if (!CollectorCountFrameVariables(1)) return kRTFailure;
  }
  variable.home = home;
  ++home->holders;
  place.entry.symbol = &variable;
  place.entry.bound = 1;
  return kRTSuccess;
}

// Destroys a variable in the memory of its table: its value is released, it leaves the
// collector's lists or count, and the table lets it go.
inline void SymbolDestroyVariable(RTVarnoSymbol* variable) {
  variable->destroyed = 1;
  if (!PlainValueType(variable->typeIndex)) ReleaseVariableValue(variable);
  CollectorRemoveSymbol(variable);
  if (variable->home->frameLocals) CollectorCountFrameVariables(-1);
  AttributeTableLetGo(variable->home);
}

// Destroys the variables the table holds beside its slots and frees the entries added by name; the
// slots stay laid out (a frame's table, whose block is kept for the next call).
inline void AttributeTableEmptySlots(AttributeTable* table) {
  for (uint32_t i = 0; table->layout && i < table->layout->count; ++i) {
    RTVarnoSymbol* variable = &table->slots[i].variable;
    if (variable->home == table && !variable->destroyed) SymbolDestroyVariable(variable);
  }
  if (table->entries) AttributeTableDropNamed(table);
}

}  // namespace varno
