#include "kivo/support/module_core.h"

namespace kivo {

namespace {
CoreTable* gModuleCore = nullptr;
}

CoreTable* ModuleCore() { return gModuleCore; }
void SetModuleCore(CoreTable* table) { gModuleCore = table; }

}  // namespace kivo
