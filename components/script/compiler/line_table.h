// The debug line table of a piece of code: entries {first offset, last offset, line} and one word
// that the VM's breakpoint code uses. The code generator fills it; method records and code values
// own theirs.
#pragma once

#include <cstdint>

#include "kivo/support/list.h"
#include "kivo/types.h"

namespace varno {

struct LineEntry {
  uint32_t first;  // offset of the first instruction of the line
  uint32_t last;   // offset of the last one (both instruction starts)
  uint32_t line;
};
static_assert(sizeof(LineEntry) == 12);

struct LineTable {
  kivo::List* entries;  // LineEntry records
  uint32_t word;        // 0xFFFFFFFF at creation
};

// An empty table, or null.
LineTable* LineTableCreate();
// Frees the entries and the table; null is ignored.
void LineTableDestroy(LineTable* table);

}  // namespace varno
