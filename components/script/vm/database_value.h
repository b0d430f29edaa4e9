// Databases: counted tables from string keys to tagged values, 19 buckets chosen by the names'
// hash (kivo::HashWideString) of the key. New keys go to the head of their bucket; keys compare
// exactly, their stored hash first. Setting a key that exists replaces its value.
#pragma once

#include <cstdint>

#include "compiler/constant_value.h"
#include "kivo/types.h"

namespace varno {

inline constexpr uint32_t kDatabaseBuckets = 19;

// One key and its value, in one block.
struct DatabaseEntry {
  DatabaseEntry* next;
  char16_t* key;  // a counted string, one holder
  uint32_t hash;
  RTVarnoConstantValue value;
};

struct DatabaseValue {
  int32_t references;
  uint32_t count;
  DatabaseEntry* buckets[kDatabaseBuckets];
};

RTSuccess DatabaseFactory(DatabaseValue** out);
RTSuccess DatabaseReference(DatabaseValue* database);
// Drops one reference; at 0 every value is released and the table freed. A count that would go
// below 0 is reported and refused.
RTSuccess DatabaseRelease(DatabaseValue* database);
// Copies every entry of the source into the destination (values by the TaggedValueShare rules),
// each bucket in the source's order: a copy lists its keys (and `dbkeys` gives them) exactly as
// the original does.
RTSuccess DatabaseCopyEntries(DatabaseValue* destination, const DatabaseValue* source);
// Copy-on-write: with two or more references, a new database with copies of every entry, one
// reference of the old one dropped; otherwise the same one.
RTSuccess DatabaseMakeUnique(DatabaseValue* database, DatabaseValue** out);

// Stores a copy of the value under a copy of the key (TaggedValueCopy rules; an object gets its
// stored flag).
RTSuccess DatabaseSet(DatabaseValue* database, const char16_t* key, const RTVarnoConstantValue& value);
// The same for a key and value the VM holds: both are shared (TaggedValueShare rules).
RTSuccess DatabaseSetHeld(DatabaseValue* database, char16_t* key, const RTVarnoConstantValue& value);
// A new entry of the key (a copy of it) at the head of its bucket, whatever entries the key has,
// with an empty value record for the caller to fill; null without memory.
RTVarnoConstantValue* DatabaseAddEmpty(DatabaseValue* database, const char16_t* key);
// Fails when the key is missing.
RTSuccess DatabaseRemove(DatabaseValue* database, const char16_t* key);
bool DatabaseHasKey(DatabaseValue* database, const char16_t* key);
// The stored record itself; fails when the key is missing.
RTSuccess DatabaseRetrieve(DatabaseValue* database, const char16_t* key, RTVarnoConstantValue** out);
uint32_t DatabaseCount(const DatabaseValue* database);

// Visits every entry in bucket order (bucket 0 first, each bucket from its newest entry).
template <class Visit>
void DatabaseForEach(const DatabaseValue* database, Visit visit) {
  if (!database) return;
  for (const DatabaseEntry* bucket : database->buckets) {
    for (const DatabaseEntry* entry = bucket; entry; entry = entry->next) {
      visit(static_cast<const char16_t*>(entry->key), const_cast<RTVarnoConstantValue*>(&entry->value));
    }
  }
}

}  // namespace varno
