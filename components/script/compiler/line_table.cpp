#include "compiler/line_table.h"

#include "compiler/core_records.h"

namespace varno {

LineTable* LineTableCreate() {
  LineTable* table = NewRecord<LineTable>();
  if (!table) return nullptr;
  if (!kivo::ListCreate(&table->entries)) {
    FreeRecord(table);
    return nullptr;
  }
  table->word = 0xFFFFFFFFu;
  return table;
}

void LineTableDestroy(LineTable* table) {
  if (!table) return;
  for (LineEntry* entry : kivo::ListItems<LineEntry>(table->entries)) FreeRecord(entry);
  kivo::ListDestroy(table->entries);
  FreeRecord(table);
}

}  // namespace varno
