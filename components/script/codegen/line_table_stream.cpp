#include "codegen/line_table_stream.h"

#include "compiler/core_records.h"
#include "kivo/support/stream_values.h"

namespace varno {

namespace {

const LineEntry* EntryHolding(const LineTable* table, uint32_t offset) {
  if (!table) return nullptr;
  for (const LineEntry* entry : kivo::ListItems<LineEntry>(table->entries)) {
    if (entry->first <= offset && offset <= entry->last) return entry;
  }
  return nullptr;
}

}  // namespace

LineEntry* LineTableAppend(LineTable* table, uint32_t first, uint32_t last, uint32_t line) {
  if (!table) return nullptr;
  LineEntry* entry = NewRecord<LineEntry>();
  if (!entry) return nullptr;
  *entry = LineEntry{first, last, line};
  if (kivo::ListAppend(table->entries, entry)) return entry;
  FreeRecord(entry);
  return nullptr;
}

RTSuccess LineTableWrite(RTInstance stream, const LineTable* table) {
  if (!table) return kRTFailure;
  if (!kivo::StreamWriteUInt(stream, table->entries->count)) return kRTFailure;
  for (const LineEntry* entry : kivo::ListItems<LineEntry>(table->entries)) {
    if (!kivo::StreamWriteUInt(stream, entry->first) || !kivo::StreamWriteUInt(stream, entry->last) ||
        !kivo::StreamWriteUInt(stream, entry->line)) {
      return kRTFailure;
    }
  }
  return kivo::StreamWriteUInt(stream, table->word);
}

RTSuccess LineTableRead(RTInstance stream, LineTable** out) {
  if (!out) return kRTFailure;
  *out = nullptr;
  uint32_t count = 0;
  if (!kivo::StreamReadUInt(stream, &count)) return kRTFailure;
  LineTable* table = LineTableCreate();
  if (!table) return kRTFailure;
  // A corrupt count ends at the first entry the stream does not hold.
  for (uint32_t i = 0; i < count; ++i) {
    LineEntry entry{};
    if (!kivo::StreamReadUInt(stream, &entry.first) || !kivo::StreamReadUInt(stream, &entry.last) ||
        !kivo::StreamReadUInt(stream, &entry.line) || !LineTableAppend(table, entry.first, entry.last, entry.line)) {
      LineTableDestroy(table);
      return kRTFailure;
    }
  }
  if (!kivo::StreamReadUInt(stream, &table->word)) {
    LineTableDestroy(table);
    return kRTFailure;
  }
  *out = table;
  return kRTSuccess;
}

RTSuccess LineTableLineOfOffset(const LineTable* table, uint32_t offset, uint32_t* line) {
  const LineEntry* entry = EntryHolding(table, offset);
  if (!entry || !line) return kRTFailure;
  *line = entry->line;
  return kRTSuccess;
}

RTSuccess LineTableRangeOfOffset(const LineTable* table, uint32_t offset, uint32_t* first, uint32_t* last) {
  const LineEntry* entry = EntryHolding(table, offset);
  if (!entry || !first || !last) return kRTFailure;
  *first = entry->first;
  *last = entry->last;
  return kRTSuccess;
}

RTSuccess LineTableRangeOfLine(const LineTable* table, uint32_t line, uint32_t* first, uint32_t* last,
                               uint32_t* word) {
  if (!table || !first || !last || !word) return kRTFailure;
  for (const LineEntry* entry : kivo::ListItems<LineEntry>(table->entries)) {
    if (entry->line == line) {
      *first = entry->first;
      *last = entry->last;
      *word = table->word;
      return kRTSuccess;
    }
  }
  return kRTFailure;
}

}  // namespace varno
