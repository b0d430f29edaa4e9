// Databases: counted tables from string keys to tagged value records, 19 buckets. Keys compare
// exactly. Setting a key that exists replaces its value.
#pragma once

#include <cstdint>

#include "compiler/constant_value.h"
#include "kivo/support/hash_table.h"
#include "kivo/types.h"

namespace varno {

inline constexpr uint32_t kDatabaseBuckets = 19;

struct DatabaseValue {
  int32_t references;
  kivo::StrHashTable* table;  // key -> RTVarnoConstantValue record
};

RTSuccess DatabaseFactory(DatabaseValue** out);
RTSuccess DatabaseReference(DatabaseValue* database);
// Drops one reference; at 0 every value is released and the table freed. A count that would go
// below 0 is reported and refused.
RTSuccess DatabaseRelease(DatabaseValue* database);
// Copies every entry of the source into the destination (values by the TaggedValueCopy rules).
// Each bucket's chain is entered from its oldest entry on, and every insert goes to the front of
// its chain: the destination's buckets end in the source's order, so a copy lists its keys (and
// `dbkeys` gives them) exactly as the original does.
RTSuccess DatabaseCopyEntries(DatabaseValue* destination, const DatabaseValue* source);
// Copy-on-write: with two or more references, a new database with copies of every entry, one
// reference of the old one dropped; otherwise the same one.
RTSuccess DatabaseMakeUnique(DatabaseValue* database, DatabaseValue** out);

// Stores a copy of the value under the key (TaggedValueCopy rules; an object gets its stored flag).
RTSuccess DatabaseSet(DatabaseValue* database, const char16_t* key, const RTVarnoConstantValue& value);
// The same for a value the VM holds (TaggedValueShare rules).
RTSuccess DatabaseSetHeld(DatabaseValue* database, const char16_t* key, const RTVarnoConstantValue& value);
// Fails when the key is missing.
RTSuccess DatabaseRemove(DatabaseValue* database, const char16_t* key);
bool DatabaseHasKey(DatabaseValue* database, const char16_t* key);
// The stored record itself; fails when the key is missing.
RTSuccess DatabaseRetrieve(DatabaseValue* database, const char16_t* key, RTVarnoConstantValue** out);
uint32_t DatabaseCount(const DatabaseValue* database);

// Visits every entry in bucket order (bucket 0 first, each bucket from its newest entry).
template <class Visit>
void DatabaseForEach(const DatabaseValue* database, Visit visit) {
  if (!database || !database->table) return;
  for (uint32_t b = 0; b < database->table->bucketCount; ++b) {
    for (const kivo::StrHashEntry* entry = database->table->buckets[b]; entry; entry = entry->next) {
      visit(static_cast<const char16_t*>(entry->key), static_cast<RTVarnoConstantValue*>(entry->value));
    }
  }
}

}  // namespace varno
