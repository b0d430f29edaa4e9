// Chained hash tables in core memory with integer or UTF-16 text keys. The bucket count is fixed
// at creation; new entries go to the head of their bucket and inserts never check for an existing
// key, so the newest entry of a key is the one found. Text keys compare exactly: callers that want
// case-insensitive keys upper-case them first.
#pragma once

#include <cstdint>

#include "kivo/types.h"

namespace kivo {

// Called with each value when its table is destroyed.
using HashValueDestroy = void (*)(void* value);

struct HashEntry {
  uint32_t key;
  void* value;
  HashEntry* next;
};

struct HashTable {
  uint32_t bucketCount;
  uint32_t entryCount;
  HashValueDestroy destroy;
  HashEntry** buckets;
};

struct StrHashEntry {
  char16_t* key;
  uint32_t keyLength;
  void* value;
  StrHashEntry* next;
};

struct StrHashTable {
  uint32_t bucketCount;
  uint32_t entryCount;
  HashValueDestroy destroy;
  StrHashEntry** buckets;
};

// 0 buckets fail.
RTSuccess HashTableCreate(HashTable** out, uint32_t bucketCount, HashValueDestroy destroy);
RTSuccess HashTableInsert(HashTable* table, uint32_t key, void* value);
RTSuccess HashTableLookup(HashTable* table, uint32_t key, void** out);
RTSuccess HashTableDestroy(HashTable* table);

RTSuccess StrHashTableCreate(StrHashTable** out, uint32_t bucketCount, HashValueDestroy destroy);
RTSuccess StrHashTableInsert(StrHashTable* table, const char16_t* key, void* value);
RTSuccess StrHashTableLookup(StrHashTable* table, const char16_t* key, void** out);
// Unlinks the first entry of the key; its value goes to `out` when that is not null.
RTSuccess StrHashTableRemove(StrHashTable* table, const char16_t* key, void** out);
// Unlinks the entry that holds both this key and this value (keys may repeat).
RTSuccess StrHashTableRemoveEntry(StrHashTable* table, const char16_t* key, const void* value);
// Unlinks every entry that holds this value, whatever its key; `removed` (may be null) counts them.
RTSuccess StrHashTableRemoveValue(StrHashTable* table, const void* value, uint32_t* removed);
RTSuccess StrHashTableDestroy(StrHashTable* table);

// h = h * 31 + low byte of each unit, up to the first unit whose low byte is 0 (wrapping u32).
RTSuccess HashWideString(const char16_t* text, uint32_t* out);

}  // namespace kivo
