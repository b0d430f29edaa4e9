#pragma once

#include "kivo/core_table.h"

namespace kivo::core {

RTSuccess StartupKivo(CoreTable* table);
RTSuccess ShutdownKivo();

}  // namespace kivo::core
