#include "kivo/support/class_handle.h"

#include "kivo/support/module_core.h"

namespace kivo {

RTComponentHandle ClassHandle::Get() {
  if (coreGeneration_ != ModuleCoreGeneration()) {
    handle_ = kNoComponent;
    if (!ModuleCore()->GetComponentHandle(nullptr, className_, &handle_)) handle_ = kNoComponent;
    coreGeneration_ = ModuleCoreGeneration();
  }
  return handle_;
}

bool ClassHandle::IsKindOf(RTInstance instance) {
  return instance && ModuleCore()->IsKindOf(nullptr, instance, Get()) != 0;
}

}  // namespace kivo
