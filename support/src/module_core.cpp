#include "kivo/support/module_core.h"

namespace kivo {

namespace {
CoreTable* gModuleCore = nullptr;
uint32_t gModuleCoreGeneration = 0;
}  // namespace

CoreTable* ModuleCore() { return gModuleCore; }
uint32_t ModuleCoreGeneration() { return gModuleCoreGeneration; }

void SetModuleCore(CoreTable* table) {
  gModuleCore = table;
  ++gModuleCoreGeneration;
}

}  // namespace kivo
