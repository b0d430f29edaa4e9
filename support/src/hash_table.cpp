#include "kivo/support/hash_table.h"

#include "kivo/support/core_memory.h"
#include "kivo/support/module_core.h"
#include "kivo/support/wide_string.h"

namespace kivo {

namespace {

template <class Entry>
Entry* NewEntry() {
  void* block = nullptr;
  ModuleCore()->MemAlloc(nullptr, sizeof(Entry), &block, 1);
  return static_cast<Entry*>(block);
}

template <class Table>
RTSuccess CreateTable(Table** out, uint32_t bucketCount, HashValueDestroy destroy) {
  *out = nullptr;
  if (bucketCount == 0) return kRTFailure;
  auto* table = static_cast<Table*>(CoreAlloc(sizeof(Table)));
  if (!table) return kRTFailure;
  void* buckets = nullptr;
  if (!ModuleCore()->ArrayAlloc(nullptr, sizeof(void*), bucketCount, &buckets, 1)) {
    CoreFree(table);
    return kRTFailure;
  }
  *table = Table{bucketCount, 0, destroy, static_cast<decltype(table->buckets)>(buckets)};
  *out = table;
  return kRTSuccess;
}

// Hands every value to the table's callback, frees each entry (after `releaseKey`), the buckets
// and the table.
template <class Table, class ReleaseKey>
RTSuccess DestroyTable(Table* table, ReleaseKey releaseKey) {
  if (!table) return kRTFailure;
  for (uint32_t b = 0; b < table->bucketCount; ++b) {
    for (auto* entry = table->buckets[b]; entry;) {
      auto* next = entry->next;
      if (table->destroy) table->destroy(entry->value);
      releaseKey(entry);
      CoreFree(entry);
      entry = next;
    }
  }
  ModuleCore()->ArrayFree(nullptr, table->buckets);
  CoreFree(table);
  return kRTSuccess;
}

StrHashEntry** BucketOf(StrHashTable* table, const char16_t* key) {
  uint32_t hash = 0;
  HashWideString(key, &hash);
  return &table->buckets[hash % table->bucketCount];
}

bool KeyEquals(const StrHashEntry* entry, const char16_t* key, size_t length) {
  if (entry->keyLength != length) return false;
  for (size_t i = 0; i < length; ++i)
    if (entry->key[i] != key[i]) return false;
  return true;
}

// The link that points at the first entry of `key` (holding `value`, unless any value will do).
StrHashEntry** FindLink(StrHashTable* table, const char16_t* key, bool anyValue = true, const void* value = nullptr) {
  const size_t length = WideStrLen(key);
  for (StrHashEntry** link = BucketOf(table, key); *link; link = &(*link)->next)
    if (KeyEquals(*link, key, length) && (anyValue || (*link)->value == value)) return link;
  return nullptr;
}

void Unlink(StrHashTable* table, StrHashEntry** link) {
  StrHashEntry* entry = *link;
  *link = entry->next;
  ModuleCore()->ArrayFree(nullptr, entry->key);
  CoreFree(entry);
  --table->entryCount;
}

}  // namespace

RTSuccess HashTableCreate(HashTable** out, uint32_t bucketCount, HashValueDestroy destroy) {
  return CreateTable(out, bucketCount, destroy);
}

RTSuccess HashTableInsert(HashTable* table, uint32_t key, void* value) {
  if (!table) return kRTFailure;
  auto* entry = NewEntry<HashEntry>();
  if (!entry) return kRTFailure;
  HashEntry*& head = table->buckets[key % table->bucketCount];
  *entry = HashEntry{key, value, head};
  head = entry;
  ++table->entryCount;
  return kRTSuccess;
}

RTSuccess HashTableLookup(HashTable* table, uint32_t key, void** out) {
  if (!table) return kRTFailure;
  for (HashEntry* entry = table->buckets[key % table->bucketCount]; entry; entry = entry->next) {
    if (entry->key != key) continue;
    *out = entry->value;
    return kRTSuccess;
  }
  return kRTFailure;
}

RTSuccess HashTableDestroy(HashTable* table) {
  return DestroyTable(table, [](HashEntry*) {});
}

RTSuccess StrHashTableCreate(StrHashTable** out, uint32_t bucketCount, HashValueDestroy destroy) {
  return CreateTable(out, bucketCount, destroy);
}

RTSuccess StrHashTableInsert(StrHashTable* table, const char16_t* key, void* value) {
  if (!table || !key) return kRTFailure;
  auto* entry = NewEntry<StrHashEntry>();
  if (!entry) return kRTFailure;
  char16_t* copy = nullptr;
  if (!WideStrDup(key, &copy)) {
    CoreFree(entry);
    return kRTFailure;
  }
  StrHashEntry** bucket = BucketOf(table, key);
  *entry = StrHashEntry{copy, static_cast<uint32_t>(WideStrLen(key)), value, *bucket};
  *bucket = entry;
  ++table->entryCount;
  return kRTSuccess;
}

RTSuccess StrHashTableLookup(StrHashTable* table, const char16_t* key, void** out) {
  if (!table || !key) return kRTFailure;
  StrHashEntry** link = FindLink(table, key);
  if (!link) return kRTFailure;
  *out = (*link)->value;
  return kRTSuccess;
}

RTSuccess StrHashTableRemove(StrHashTable* table, const char16_t* key, void** out) {
  if (!table || !key) return kRTFailure;
  StrHashEntry** link = FindLink(table, key);
  if (!link) return kRTFailure;
  if (out) *out = (*link)->value;
  Unlink(table, link);
  return kRTSuccess;
}

RTSuccess StrHashTableRemoveEntry(StrHashTable* table, const char16_t* key, const void* value) {
  if (!table || !key) return kRTFailure;
  StrHashEntry** link = FindLink(table, key, false, value);
  if (!link) return kRTFailure;
  Unlink(table, link);
  return kRTSuccess;
}

RTSuccess StrHashTableRemoveValue(StrHashTable* table, const void* value, uint32_t* removed) {
  if (!table) return kRTFailure;
  uint32_t count = 0;
  for (uint32_t bucket = 0; bucket < table->bucketCount; ++bucket) {
    for (StrHashEntry** link = &table->buckets[bucket]; *link;) {
      if ((*link)->value != value) {
        link = &(*link)->next;
        continue;
      }
      Unlink(table, link);
      ++count;
    }
  }
  if (removed) *removed = count;
  return kRTSuccess;
}

RTSuccess StrHashTableDestroy(StrHashTable* table) {
  return DestroyTable(table, [](StrHashEntry* entry) { ModuleCore()->ArrayFree(nullptr, entry->key); });
}

RTSuccess HashWideString(const char16_t* text, uint32_t* out) {
  uint32_t hash = 0;
  for (; text && (*text & 0xFF); ++text) hash = hash * 31 + (*text & 0xFF);
  *out = hash;
  return kRTSuccess;
}

}  // namespace kivo
