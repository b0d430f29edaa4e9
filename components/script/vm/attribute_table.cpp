#include "vm/attribute_table.h"

#include <cstring>

#include "compiler/core_records.h"
#include "compiler/report.h"
#include "kivo/support/wide_string.h"
#include "vm/record_pool.h"
#include "vm/symbol.h"
#include "vm/table_variables.h"

namespace varno {

namespace {

uint32_t NameBucket(const kivo::StrHashTable* entries, const char16_t* key) {
  uint32_t hash = 0;
  kivo::HashWideString(key, &hash);
  return hash % entries->bucketCount;
}

// The entry's name is the table's own copy of its key.
void FreeEntry(void* value) { FreeRecord(value); }

RTSuccess AddEntry(AttributeTable* table, const char16_t* name, RTVarnoType* type, RTVarnoSymbol* symbol,
                   uint32_t bound) {
  if (!table || !name) return kRTFailure;
  char16_t upper[kAttributeNameUnits];
  size_t length = 0;
  for (; name[length]; ++length) {
    if (length + 1 >= kAttributeNameUnits) return kRTFailure;
    upper[length] = kivo::WideStrUpperChar(name[length]);
  }
  upper[length] = 0;
  // A laid-out table files entries added by name in buckets of its layout's count.
  if (!table->entries && !kivo::StrHashTableCreate(&table->entries, table->layout->bucketCount, FreeEntry)) {
    return kRTFailure;
  }
  AttributeEntry* entry = NewRecord<AttributeEntry>();
  if (!entry) return kRTFailure;
  entry->type = type;
  entry->symbol = symbol;
  entry->bound = bound;
  if (!kivo::StrHashTableInsert(table->entries, upper, entry)) {
    FreeEntry(entry);
    return kRTFailure;
  }
  entry->name = table->entries->buckets[NameBucket(table->entries, upper)]->key;
  return kRTSuccess;
}

AttributeEntry* FindNamed(const AttributeTable* table, const char16_t* key, uint32_t length, uint32_t hash) {
  if (!table->entries) return nullptr;
  const kivo::StrHashTable* entries = table->entries;
  for (const kivo::StrHashEntry* entry = entries->buckets[hash % entries->bucketCount]; entry; entry = entry->next) {
    if (entry->keyLength == length && std::memcmp(entry->key, key, length * sizeof(char16_t)) == 0) {
      return static_cast<AttributeEntry*>(entry->value);
    }
  }
  return nullptr;
}

}  // namespace

uint32_t AttributeBucketCount(uint32_t expected) {
  if (expected < 10) return 7;
  if (expected < 40) return 31;
  if (expected < 100) return 59;
  if (expected < 200) return 131;
  if (expected < 300) return 211;
  if (expected < 400) return 311;
  return 401;
}

RTSuccess AttributeTableFactory(uint32_t bucketCount, AttributeTable** out) {
  if (!out) return kRTFailure;
  *out = nullptr;
  AttributeTable* table = NewRecord<AttributeTable>();
  if (!table) return kRTFailure;
  if (!kivo::StrHashTableCreate(&table->entries, bucketCount ? bucketCount : kAttributeBucketsDefault, FreeEntry)) {
    FreeRecord(table);
    return kRTFailure;
  }
  *out = table;
  return kRTSuccess;
}

void AttributeTableLayOut(AttributeTable* table, AttributeLayout* layout, void* storage) {
  AttributeLayoutReference(layout);
  table->entries = nullptr;
  table->frameLocals = 0;
  table->layout = layout;
  table->slots = static_cast<AttributeSlot*>(storage);
  for (uint32_t i = 0; i < layout->count; ++i) {
    table->slots[i].entry = AttributeEntry{layout->slots[i].name, layout->slots[i].type, nullptr, 0};
    table->slots[i].variable.home = nullptr;
  }
  table->holders = 1;
}

RTSuccess AttributeTableFromLayout(AttributeLayout* layout, AttributeTable** out) {
  *out = nullptr;
  void* block = PoolAllocate(sizeof(AttributeTable) + AttributeTableStorage(layout->count));
  if (!block) return kRTFailure;
  auto* table = static_cast<AttributeTable*>(block);
  AttributeTableLayOut(table, layout, table + 1);
  *out = table;
  return kRTSuccess;
}

void AttributeTableDropNamed(AttributeTable* table) {
  kivo::StrHashTableDestroy(table->entries);
  table->entries = nullptr;
}

void AttributeTableClear(AttributeTable* table) {
  AttributeTableEmptySlots(table);
  AttributeLayoutRelease(table->layout);
  table->layout = nullptr;
}

void AttributeTableDestroy(AttributeTable* table) {
  if (!table) return;
  if (table->entries) kivo::StrHashTableDestroy(table->entries);
  table->entries = nullptr;
  if (!table->layout) {
    FreeRecord(table);
    return;
  }
  AttributeLayoutRelease(table->layout);
  table->layout = nullptr;
  AttributeTableLetGo(table);
}

void AttributeTableFree(AttributeTable* table) { PoolFree(table); }

RTSuccess AttributeAdd(AttributeTable* table, const char16_t* name, RTVarnoType* type, RTVarnoSymbol* symbol) {
  return AddEntry(table, name, type, symbol, 1);
}

RTSuccess AttributeAddLazy(AttributeTable* table, const char16_t* name, RTVarnoType* type) {
  return AddEntry(table, name, type, nullptr, 0);
}

AttributeEntry* AttributeFind(const AttributeTable* table, const char16_t* upperName) {
  if (!table || !upperName) return nullptr;
  uint32_t hash = 0;
  kivo::HashWideString(upperName, &hash);
  return AttributeFindHashed(table, upperName, static_cast<uint32_t>(kivo::WideStrLen(upperName)), hash);
}

AttributeEntry* AttributeFindHashed(const AttributeTable* table, const char16_t* key, uint32_t length, uint32_t hash) {
  if (!table) return nullptr;
  if (AttributeEntry* named = FindNamed(table, key, length, hash)) return named;
  if (!table->layout) return nullptr;
  const int32_t slot = AttributeLayoutFind(table->layout, key, length, hash);
  return slot >= 0 ? &table->slots[slot].entry : nullptr;
}

uint32_t AttributeCount(const AttributeTable* table) {
  if (!table) return 0;
  return (table->entries ? table->entries->entryCount : 0) + (table->layout ? table->layout->count : 0);
}

}  // namespace varno
