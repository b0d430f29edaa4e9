#include "vm/database_value.h"

#include <vector>

#include "compiler/core_records.h"
#include "compiler/report.h"
#include "compiler/type_codes.h"
#include "vm/copy_on_write.h"
#include "vm/symbol.h"
#include "vm/tagged_value.h"

namespace varno {

namespace {

const char16_t* KeyOf(const char16_t* key) { return key ? key : u""; }

void FreeValue(void* value) {
  auto* record = static_cast<RTVarnoConstantValue*>(value);
  TaggedValueRelease(record);
  FreeRecord(record);
}

}  // namespace

RTSuccess DatabaseFactory(DatabaseValue** out) {
  if (!out) return kRTFailure;
  *out = nullptr;
  DatabaseValue* database = NewRecord<DatabaseValue>();
  if (!database) return kRTFailure;
  if (!kivo::StrHashTableCreate(&database->table, kDatabaseBuckets, FreeValue)) {
    FreeRecord(database);
    return kRTFailure;
  }
  database->references = 1;
  *out = database;
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
  kivo::StrHashTableDestroy(database->table);
  FreeRecord(database);
  return kRTSuccess;
}

RTSuccess DatabaseCopyEntries(DatabaseValue* destination, const DatabaseValue* source) {
  if (!destination || !source) return kRTFailure;
  std::vector<const kivo::StrHashEntry*> chain;
  for (uint32_t b = 0; b < source->table->bucketCount; ++b) {
    chain.clear();
    for (const kivo::StrHashEntry* e = source->table->buckets[b]; e; e = e->next) chain.push_back(e);
    for (auto e = chain.rbegin(); e != chain.rend(); ++e) {
      if (!DatabaseSetHeld(destination, (*e)->key, *static_cast<const RTVarnoConstantValue*>((*e)->value))) {
        return kRTFailure;
      }
    }
  }
  return kRTSuccess;
}

RTSuccess DatabaseMakeUnique(DatabaseValue* database, DatabaseValue** out) {
  return MakeUnique(database, out, DatabaseFactory, DatabaseCopyEntries, DatabaseRelease);
}

namespace {

RTSuccess Set(DatabaseValue* database, const char16_t* key, const RTVarnoConstantValue& value, bool held) {
  if (!database) return kRTFailure;
  RTVarnoConstantValue copy{};
  if (!(held ? TaggedValueShare(&copy, value) : TaggedValueCopy(&copy, value))) return kRTFailure;
  void* existing = nullptr;
  if (kivo::StrHashTableLookup(database->table, KeyOf(key), &existing)) {
    auto* record = static_cast<RTVarnoConstantValue*>(existing);
    TaggedValueRelease(record);
    *record = copy;
  } else {
    RTVarnoConstantValue* record = NewRecord<RTVarnoConstantValue>();
    if (!record || !kivo::StrHashTableInsert(database->table, KeyOf(key), record)) {
      FreeRecord(record);
      TaggedValueRelease(&copy);
      return kRTFailure;
    }
    *record = copy;
  }
  if (copy.type >= kFirstClassType && copy.value.pointer) static_cast<RTVarnoSymbol*>(copy.value.pointer)->stored = 1;
  return kRTSuccess;
}

}  // namespace

RTSuccess DatabaseSet(DatabaseValue* database, const char16_t* key, const RTVarnoConstantValue& value) {
  return Set(database, key, value, false);
}

RTSuccess DatabaseSetHeld(DatabaseValue* database, const char16_t* key, const RTVarnoConstantValue& value) {
  return Set(database, key, value, true);
}

RTSuccess DatabaseRemove(DatabaseValue* database, const char16_t* key) {
  void* value = nullptr;
  if (!database || !kivo::StrHashTableRemove(database->table, KeyOf(key), &value)) return kRTFailure;
  FreeValue(value);
  return kRTSuccess;
}

bool DatabaseHasKey(DatabaseValue* database, const char16_t* key) {
  void* value = nullptr;
  return database && kivo::StrHashTableLookup(database->table, KeyOf(key), &value);
}

RTSuccess DatabaseRetrieve(DatabaseValue* database, const char16_t* key, RTVarnoConstantValue** out) {
  void* value = nullptr;
  if (!database || !out || !kivo::StrHashTableLookup(database->table, KeyOf(key), &value)) return kRTFailure;
  *out = static_cast<RTVarnoConstantValue*>(value);
  return kRTSuccess;
}

uint32_t DatabaseCount(const DatabaseValue* database) {
  return database && database->table ? database->table->entryCount : 0;
}

}  // namespace varno
