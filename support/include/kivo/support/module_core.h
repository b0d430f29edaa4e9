// Each library keeps the core interface table it was handed; every support helper that needs the
// core (memory above all) goes through it.
#pragma once

#include "kivo/core_table.h"

namespace kivo {

CoreTable* ModuleCore();
void SetModuleCore(CoreTable* table);
// Counts the tables handed over (from 1), so that what a library looked up through one core is
// looked up again through the next, even at the same address.
uint32_t ModuleCoreGeneration();

}  // namespace kivo
