// What the VM works out once about a class or a method and keeps in its record (vmPlan, released
// with the record): the layout of a class's object attributes; the layout of a method's frame with
// the slot of each parameter, and the decoding of its code. A plan is made again when the type
// tables have changed since (a class compiled, replaced or removed).
#pragma once

#include <cstdint>

namespace varno {

struct AttributeLayout;
class DecodedCode;
struct RTVarnoMethod;
struct RTVarnoType;
struct RTVarnoTypeTable;
struct RTVarnoVM;

struct VmPlan {
  uint64_t generation;      // MethodTablesGeneration() when made
  AttributeLayout* layout;  // a class: its objects' attributes (constants left out); a method: its
                            // parameters and locals
  uint32_t parameterCount;  // a method: per parameter, in its parameter list's order, its slot
  int32_t* parameterSlots;  // (-1 for a parameter without a declaration)
  DecodedCode* code;        // a method: the decoding of its code (one holder), made on first use
};

// The plan of a script class, made when missing or out of date; null when a declaration's type is
// not in the table or there is no memory.
VmPlan* PlanOfClass(RTVarnoTypeTable* table, RTVarnoType* type);
// The plan of a method; null as above.
VmPlan* PlanOfMethod(RTVarnoTypeTable* table, RTVarnoMethod* method);
// The decoding of the method's code, current; null when the method has no plan or no code.
DecodedCode* MethodCode(RTVarnoVM* vm, RTVarnoMethod* method);
// The same with the method's plan at hand.
DecodedCode* PlanCode(VmPlan* plan, RTVarnoMethod* method);

}  // namespace varno
