#pragma once

#include "kivo/core_table.h"

namespace kivo::core {

// Writes the operation slots (2-83) and keeps the table as this library's core table. Slots 18,
// 19, 25, 64 and 78 keep what the host wrote; slot 74 is 0.
void FillCoreTable(CoreTable& table);

}  // namespace kivo::core
