#include "classfile/type_rollback.h"

#include "compiler/core_records.h"
#include "compiler/type_table.h"

namespace varno {

RTSuccess TypeTableRemoveFrom(RTVarnoTypeTable* table, uint32_t count) {
  if (!table || count > table->count) return kRTFailure;
  if (count == table->count) return kRTSuccess;
  // The removed types move into a table of their own, which the table destructor frees.
  const uint32_t removedCount = table->count - count;
  RTVarnoTypeTable* removed = NewRecord<RTVarnoTypeTable>();
  void* block = nullptr;
  if (!removed || !kivo::ModuleCore()->ArrayAlloc(nullptr, sizeof(RTVarnoType*), removedCount, &block, 1)) {
    FreeRecord(removed);
    return kRTFailure;
  }
  removed->types = static_cast<RTVarnoType**>(block);
  removed->count = removedCount;
  for (uint32_t i = 0; i < removedCount; ++i) {
    removed->types[i] = table->types[count + i];
    table->types[count + i] = nullptr;
  }
  table->count = count;
  return TypeTableDestructor(removed);
}

}  // namespace varno
