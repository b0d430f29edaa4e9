#include "vm/table_variables.h"

#include "compiler/type_records.h"
#include "vm/tagged_value.h"

namespace varno {

RTSuccess StartOwningVariable(AttributeTable* home, RTVarnoSymbol* variable) {
  if ((variable->type->flags & kTypeBuiltIn) && !SymbolSetInitialValue(variable, variable->typeIndex)) {
    TaggedValueRelease(&variable->value);
    return kRTFailure;
  }
  if (home->frameLocals ? !CollectorCountFrameVariables(1) : !CollectorAddSymbol(variable)) {
    TaggedValueRelease(&variable->value);
    return kRTFailure;
  }
  return kRTSuccess;
}

RTSuccess SymbolMakeVariable(AttributeTable* home, uint32_t slot, RTVarnoType* type) {
  AttributeSlot& place = home->slots[slot];
  RTVarnoSymbol& variable = place.variable;
  variable = RTVarnoSymbol{};
  variable.typeIndex = type->index;
  variable.type = type;
  variable.value.type = type->index;
  if (home->frameLocals && PlainValueType(type->index)) {
    if (!CollectorCountFrameVariables(1)) return kRTFailure;
  } else if (!StartOwningVariable(home, &variable)) {
    return kRTFailure;
  }
  variable.home = home;
  ++home->holders;
  place.entry.symbol = &variable;
  place.entry.bound = 1;
  return kRTSuccess;
}

void ReleaseVariableValue(RTVarnoSymbol* variable) {
  variable->value.type = variable->typeIndex;
  TaggedValueRelease(&variable->value);
}

}  // namespace varno
