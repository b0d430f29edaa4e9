#include "vm/vm_plans.h"

#include <vector>

#include "compiler/core_records.h"
#include "compiler/type_codes.h"
#include "compiler/type_records.h"
#include "compiler/type_table.h"
#include "kivo/support/hash_table.h"
#include "kivo/support/list.h"
#include "kivo/support/wide_string.h"
#include "vm/attribute_layout.h"
#include "vm/attribute_table.h"
#include "vm/decoded_code.h"
#include "vm/vm.h"

namespace varno {

namespace {

void ReleasePlan(void* record) {
  auto* plan = static_cast<VmPlan*>(record);
  AttributeLayoutRelease(plan->layout);
  ReleaseDecodedCode(plan->code);
  FreeRecord(plan);
}

// The declarations' layout for a table of `bucketCount` buckets; false when a type is missing.
bool Lay(RTVarnoTypeTable* table, const kivo::List* declarations, uint32_t bucketCount, bool skipConstants,
         AttributeLayout** out) {
  std::vector<LayoutDeclaration> laid;
  for (const RTVarnoAttribute* declaration : kivo::ListItems<RTVarnoAttribute>(declarations)) {
    if (skipConstants && (declaration->flags & kDeclarationConstant)) continue;
    RTVarnoType* type = nullptr;
    if (!TypeTableRetrieveTypeByIdx(table, declaration->type, &type) || !type) return false;
    laid.push_back({declaration->name, type});
  }
  *out = AttributeLayoutMake(bucketCount, laid);
  return *out != nullptr;
}

// A new plan in `*place` (replacing an out-of-date one) with room for `parameters` slots.
VmPlan* Renew(void** place, uint32_t parameters) {
  SetVmPlanRelease(ReleasePlan);
  ReleaseVmPlan(place);
  const uint32_t bytes = static_cast<uint32_t>(sizeof(VmPlan) + (sizeof(int32_t) + sizeof(uint32_t)) * parameters);
  void* block = nullptr;
  if (!kivo::ModuleCore()->MemAlloc(nullptr, bytes, &block, 1) || !block) return nullptr;
  auto* plan = static_cast<VmPlan*>(block);
  plan->generation = MethodTablesGeneration();
  plan->parameterCount = parameters;
  plan->parameterSlots = reinterpret_cast<int32_t*>(plan + 1);
  plan->parameterTypes = reinterpret_cast<uint32_t*>(plan->parameterSlots + parameters);
  return plan;
}

bool Current(const void* plan) {
  return plan && static_cast<const VmPlan*>(plan)->generation == MethodTablesGeneration();
}

}  // namespace

VmPlan* PlanOfClass(RTVarnoTypeTable* table, RTVarnoType* type) {
  if (Current(type->vmPlan)) return static_cast<VmPlan*>(type->vmPlan);
  VmPlan* plan = Renew(&type->vmPlan, 0);
  if (!plan) return nullptr;
  const uint32_t declared = type->attributes ? type->attributes->count : 0;
  if (!Lay(table, type->attributes, AttributeBucketCount(declared), true, &plan->layout)) {
    ReleasePlan(plan);
    return nullptr;
  }
  type->vmPlan = plan;
  return plan;
}

VmPlan* MakePlanOfMethod(RTVarnoTypeTable* table, RTVarnoMethod* method) {
  const uint32_t parameters = method->parameters ? method->parameters->count : 0;
  VmPlan* plan = Renew(&method->vmPlan, parameters);
  if (!plan) return nullptr;
  const uint32_t declared = method->declarations ? method->declarations->count : 0;
  if (!Lay(table, method->declarations, AttributeBucketCount(declared ? declared : 1), false, &plan->layout)) {
    ReleasePlan(plan);
    return nullptr;
  }
  uint32_t i = 0;
  plan->parametersSlotted = true;
  for (const RTVarnoParameter* parameter : kivo::ListItems<RTVarnoParameter>(method->parameters)) {
    uint32_t hash = 0;
    kivo::HashWideString(parameter->name, &hash);
    plan->parameterTypes[i] = parameter->type;
    plan->parameterSlots[i] = AttributeLayoutFind(plan->layout, parameter->name,
                                                  static_cast<uint32_t>(kivo::WideStrLen(parameter->name)), hash);
    if (plan->parameterSlots[i++] < 0) plan->parametersSlotted = false;
  }
  method->vmPlan = plan;
  return plan;
}

DecodedCode* DecodePlanCode(VmPlan* plan, RTVarnoMethod* method) {
  ReleaseDecodedCode(plan->code);
  plan->code = method->code ? DecodeStream(method->code) : nullptr;
  return plan->code;
}

}  // namespace varno
