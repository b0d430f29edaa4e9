// Debug line tables in streams and their lookups.
//
// Stream form: u32 entry count; per entry u32 first offset, u32 last offset, u32 line; then the
// table's u32 word. Entries cover the instructions of one source line emitted one after another,
// from the first instruction's offset to the last one's (both instruction starts).
#pragma once

#include <cstdint>

#include "compiler/line_table.h"
#include "kivo/types.h"

namespace varno {

// Appends an entry; false when there is no memory.
LineEntry* LineTableAppend(LineTable* table, uint32_t first, uint32_t last, uint32_t line);

RTSuccess LineTableWrite(RTInstance stream, const LineTable* table);
// A new table with the entries in stream order and the word; nothing is handed out when the
// stream ends early.
RTSuccess LineTableRead(RTInstance stream, LineTable** out);

// The line of the first entry whose range holds the offset.
RTSuccess LineTableLineOfOffset(const LineTable* table, uint32_t offset, uint32_t* line);
// The range of that entry.
RTSuccess LineTableRangeOfOffset(const LineTable* table, uint32_t offset, uint32_t* first, uint32_t* last);
// The range of the first entry of the line, and the table's word.
RTSuccess LineTableRangeOfLine(const LineTable* table, uint32_t line, uint32_t* first, uint32_t* last,
                               uint32_t* word);

}  // namespace varno
