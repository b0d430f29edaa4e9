// What the VM works out once about a class or a method and keeps in its record (vmPlan, released
// with the record): the layout of a class's object attributes; the layout of a method's frame with
// the slot of each parameter, and the decoding of its code. A plan is made again when the type
// tables have changed since (a class compiled, replaced or removed).
#pragma once

#include <cstdint>

#include "compiler/type_records.h"
#include "compiler/type_table.h"
#include "vm/decoded_code.h"
#include "vm/vm.h"

namespace varno {

struct AttributeLayout;
struct RTVarnoMethod;
struct RTVarnoType;
struct RTVarnoTypeTable;

struct VmPlan {
  uint64_t generation;      // MethodTablesGeneration() when made
  AttributeLayout* layout;  // a class: its objects' attributes (constants left out); a method: its
                            // parameters and locals
  uint32_t parameterCount;  // a method: per parameter, in its parameter list's order, its slot
  int32_t* parameterSlots;  // (-1 for a parameter without a declaration) and its type
  uint32_t* parameterTypes;
  bool parametersSlotted;  // every parameter has its slot
  DecodedCode* code;       // a method: the decoding of its code (one holder), made on first use
};

// The plan of a script class, made when missing or out of date; null when a declaration's type is
// not in the table or there is no memory.
VmPlan* PlanOfClass(RTVarnoTypeTable* table, RTVarnoType* type);
// The plan of a method made anew; null as above.
VmPlan* MakePlanOfMethod(RTVarnoTypeTable* table, RTVarnoMethod* method);
// The method's code decoded anew into its plan; null when it has none.
DecodedCode* DecodePlanCode(VmPlan* plan, RTVarnoMethod* method);

// The plan of a method; null as above.
inline VmPlan* PlanOfMethod(RTVarnoTypeTable* table, RTVarnoMethod* method) {
  auto* plan = static_cast<VmPlan*>(method->vmPlan);
  return plan && plan->generation == MethodTablesGeneration() ? plan : MakePlanOfMethod(table, method);
}

// The decoding of the method's code in its plan, current; null when the method has no code.
inline DecodedCode* PlanCode(VmPlan* plan, RTVarnoMethod* method) {
  DecodedCode* code = plan->code;
  return code && code->stream() == method->code && code->Current() ? code : DecodePlanCode(plan, method);
}

// The same from the method alone; null also when it has no plan.
inline DecodedCode* MethodCode(RTVarnoVM* vm, RTVarnoMethod* method) {
  VmPlan* plan = PlanOfMethod(vm->types, method);
  return plan ? PlanCode(plan, method) : nullptr;
}

}  // namespace varno
