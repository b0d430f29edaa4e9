// Each library keeps the core interface table it was handed; every support helper that needs the
// core (memory above all) goes through it.
#pragma once

#include "kivo/core_table.h"

namespace kivo {

CoreTable* ModuleCore();
void SetModuleCore(CoreTable* table);

}  // namespace kivo
