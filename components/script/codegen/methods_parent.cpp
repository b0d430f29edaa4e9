#include "codegen/methods_parent.h"

#include "kivo/support/component_calls.h"
#include "kivo/support/module_core.h"

namespace varno {

namespace {

RTInstance gMethodsParent = nullptr;

}  // namespace

RTSuccess MethodsParent(RTInstance* out) {
  if (!out) return kRTFailure;
  *out = nullptr;
  if (!gMethodsParent) {
    CoreTable* core = kivo::ModuleCore();
    RTInstance instance = nullptr;
    if (!core->GetInstanceByName(nullptr, u"Root:VNMethods", &instance, 0)) {
      if (!core->CreateInstanceByString(nullptr, u"RTComponent", &instance, 0, 1)) return kRTFailure;
      if (!kivo::component::SetName(instance, u"VNMethods")) {
        core->ReleaseInstance(nullptr, instance);
        return kRTFailure;
      }
    }
    gMethodsParent = instance;
  }
  *out = gMethodsParent;
  return kRTSuccess;
}

void ReleaseMethodsParent() {
  if (gMethodsParent) kivo::ModuleCore()->ReleaseInstance(nullptr, gMethodsParent);
  gMethodsParent = nullptr;
}

}  // namespace varno
