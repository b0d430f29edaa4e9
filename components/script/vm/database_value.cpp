#include "vm/database_value.h"

#include <cstring>

#include "compiler/core_records.h"
#include "compiler/report.h"
#include "compiler/type_codes.h"
#include "kivo/support/hash_table.h"
#include "kivo/support/wide_string.h"
#include "vm/copy_on_write.h"
#include "vm/counted_string.h"
#include "vm/record_pool.h"
#include "vm/symbol.h"
#include "vm/tagged_value.h"

namespace varno {

namespace {

// A key as it is looked up: its units and their hash.
struct Key {
  const char16_t* text;
  size_t length;
  uint32_t hash;
};

Key KeyOf(const char16_t* text) {
  if (!text) text = u"";
  uint32_t hash = 0;
  kivo::HashWideString(text, &hash);
  return {text, kivo::WideStrLen(text), hash};
}

DatabaseEntry** BucketOf(DatabaseValue* database, uint32_t hash) { return &database->buckets[hash % kDatabaseBuckets]; }

bool Matches(const DatabaseEntry* entry, const Key& key) {
  return entry->hash == key.hash && StringLength(entry->key) == key.length &&
         std::memcmp(entry->key, key.text, key.length * sizeof(char16_t)) == 0;
}

// The link that points at the first entry of the key, or at the end of its bucket.
DatabaseEntry** Find(DatabaseValue* database, const Key& key) {
  DatabaseEntry** link = BucketOf(database, key.hash);
  while (*link && !Matches(*link, key)) link = &(*link)->next;
  return link;
}

void FreeEntry(DatabaseEntry* entry) {
  StringRelease(entry->key);
  TaggedValueRelease(&entry->value);
  PoolFree(entry);
}

// A new entry at the head of the key's bucket, owning `key` (released when there is no memory).
DatabaseEntry* Insert(DatabaseValue* database, char16_t* key, uint32_t hash) {
  DatabaseEntry* entry = key ? NewPooled<DatabaseEntry>() : nullptr;
  if (!entry) {
    StringRelease(key);
    return nullptr;
  }
  entry->key = key;
  entry->hash = hash;
  DatabaseEntry** bucket = BucketOf(database, hash);
  entry->next = *bucket;
  *bucket = entry;
  ++database->count;
  return entry;
}

RTSuccess Set(DatabaseValue* database, const Key& key, char16_t* heldKey, const RTVarnoConstantValue& value,
              bool held) {
  if (!database) return kRTFailure;
  RTVarnoConstantValue copy{};
  if (!(held ? TaggedValueShare(&copy, value) : TaggedValueCopy(&copy, value))) return kRTFailure;
  if (DatabaseEntry* existing = *Find(database, key)) {
    TaggedValueRelease(&existing->value);
    existing->value = copy;
  } else {
    char16_t* stored = heldKey ? StringShare(heldKey) : StringMake(std::u16string_view(key.text, key.length));
    DatabaseEntry* entry = Insert(database, stored, key.hash);
    if (!entry) {
      TaggedValueRelease(&copy);
      return kRTFailure;
    }
    entry->value = copy;
  }
  if (copy.type >= kFirstClassType && copy.value.pointer) static_cast<RTVarnoSymbol*>(copy.value.pointer)->stored = 1;
  return kRTSuccess;
}

}  // namespace

RTSuccess DatabaseFactory(DatabaseValue** out) {
  if (!out) return kRTFailure;
  *out = NewRecord<DatabaseValue>();
  if (!*out) return kRTFailure;
  (*out)->references = 1;
  return kRTSuccess;
}

RTSuccess DatabaseReference(DatabaseValue* database) {
  if (!database) return kRTFailure;
  ++database->references;
  return kRTSuccess;
}

RTSuccess DatabaseRelease(DatabaseValue* database) {
  if (!database) return kRTFailure;
  if (database->references <= 0) {
    Raise(u"Database reference count less than zero??");
    return kRTFailure;
  }
  if (--database->references > 0) return kRTSuccess;
  for (DatabaseEntry* entry : database->buckets) {
    while (entry) {
      DatabaseEntry* next = entry->next;
      FreeEntry(entry);
      entry = next;
    }
  }
  FreeRecord(database);
  return kRTSuccess;
}

RTSuccess DatabaseCopyEntries(DatabaseValue* destination, const DatabaseValue* source) {
  if (!destination || !source) return kRTFailure;
  for (uint32_t b = 0; b < kDatabaseBuckets; ++b) {
    // Each entry goes behind the one copied before it: the chain keeps the source's order.
    DatabaseEntry** tail = &destination->buckets[b];
    while (*tail) tail = &(*tail)->next;
    for (const DatabaseEntry* entry = source->buckets[b]; entry; entry = entry->next) {
      DatabaseEntry* copy = NewPooled<DatabaseEntry>();
      if (!copy) return kRTFailure;
      if (!TaggedValueShare(&copy->value, entry->value) || !(copy->key = StringShare(entry->key))) {
        TaggedValueRelease(&copy->value);
        PoolFree(copy);
        return kRTFailure;
      }
      copy->hash = entry->hash;
      *tail = copy;
      tail = &copy->next;
      ++destination->count;
    }
  }
  return kRTSuccess;
}

RTSuccess DatabaseMakeUnique(DatabaseValue* database, DatabaseValue** out) {
  return MakeUnique(database, out, DatabaseFactory, DatabaseCopyEntries, DatabaseRelease);
}

RTSuccess DatabaseSet(DatabaseValue* database, const char16_t* key, const RTVarnoConstantValue& value) {
  return Set(database, KeyOf(key), nullptr, value, false);
}

RTSuccess DatabaseSetHeld(DatabaseValue* database, char16_t* key, const RTVarnoConstantValue& value) {
  const Key found = key ? Key{key, StringLength(key), StringHash(key)} : KeyOf(nullptr);
  return Set(database, found, key, value, true);
}

RTVarnoConstantValue* DatabaseAddEmpty(DatabaseValue* database, const char16_t* key) {
  if (!database) return nullptr;
  const Key found = KeyOf(key);
  DatabaseEntry* entry = Insert(database, StringMake(std::u16string_view(found.text, found.length)), found.hash);
  return entry ? &entry->value : nullptr;
}

RTSuccess DatabaseRemove(DatabaseValue* database, const char16_t* key) {
  if (!database) return kRTFailure;
  DatabaseEntry** link = Find(database, KeyOf(key));
  DatabaseEntry* entry = *link;
  if (!entry) return kRTFailure;
  *link = entry->next;
  --database->count;
  FreeEntry(entry);
  return kRTSuccess;
}

bool DatabaseHasKey(DatabaseValue* database, const char16_t* key) { return database && *Find(database, KeyOf(key)); }

RTSuccess DatabaseRetrieve(DatabaseValue* database, const char16_t* key, RTVarnoConstantValue** out) {
  if (!database || !out) return kRTFailure;
  DatabaseEntry* entry = *Find(database, KeyOf(key));
  if (!entry) return kRTFailure;
  *out = &entry->value;
  return kRTSuccess;
}

uint32_t DatabaseCount(const DatabaseValue* database) { return database ? database->count : 0; }

}  // namespace varno
