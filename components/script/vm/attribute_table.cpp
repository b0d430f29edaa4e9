#include "vm/attribute_table.h"

#include "compiler/core_records.h"
#include "compiler/report.h"
#include "kivo/support/wide_string.h"

namespace varno {

namespace {

uint32_t NameBucket(const AttributeTable* table, const char16_t* key) {
  uint32_t hash = 0;
  kivo::HashWideString(key, &hash);
  return hash % table->entries->bucketCount;
}

uint64_t gLastSerial = 0;

uint64_t NextSerial() { return ++gLastSerial; }

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
  AttributeEntry* entry = NewRecord<AttributeEntry>();
  if (!entry) return kRTFailure;
  entry->type = type;
  entry->symbol = symbol;
  entry->bound = bound;
  if (!kivo::StrHashTableInsert(table->entries, upper, entry)) {
    FreeEntry(entry);
    return kRTFailure;
  }
  entry->name = table->entries->buckets[NameBucket(table, upper)]->key;
  table->serial = NextSerial();
  return kRTSuccess;
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
  table->serial = NextSerial();
  *out = table;
  return kRTSuccess;
}

void AttributeTableDestroy(AttributeTable* table) {
  if (!table) return;
  kivo::StrHashTableDestroy(table->entries);
  FreeRecord(table);
}

RTSuccess AttributeAdd(AttributeTable* table, const char16_t* name, RTVarnoType* type, RTVarnoSymbol* symbol) {
  return AddEntry(table, name, type, symbol, 1);
}

RTSuccess AttributeAddLazy(AttributeTable* table, const char16_t* name, RTVarnoType* type) {
  return AddEntry(table, name, type, nullptr, 0);
}

AttributeEntry* AttributeFind(const AttributeTable* table, const char16_t* upperName) {
  void* value = nullptr;
  if (!table || !kivo::StrHashTableLookup(table->entries, upperName, &value)) return nullptr;
  return static_cast<AttributeEntry*>(value);
}

AttributeEntry* AttributeFindHashed(const AttributeTable* table, const char16_t* key, uint32_t length, uint32_t hash) {
  if (!table) return nullptr;
  const kivo::StrHashTable* entries = table->entries;
  for (const kivo::StrHashEntry* entry = entries->buckets[hash % entries->bucketCount]; entry; entry = entry->next) {
    if (entry->keyLength != length) continue;
    uint32_t i = 0;
    while (i < length && entry->key[i] == key[i]) ++i;
    if (i == length) return static_cast<AttributeEntry*>(entry->value);
  }
  return nullptr;
}

uint32_t AttributeCount(const AttributeTable* table) { return table ? table->entries->entryCount : 0; }

}  // namespace varno
