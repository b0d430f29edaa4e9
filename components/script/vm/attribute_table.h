// Attribute tables: the named variables of a script object, of a call frame (parameters and
// locals) and of a class (its constants). A string-keyed table of entries under the upper-cased
// name; an entry of a class type may wait for its object until it is first reached.
#pragma once

#include <cstdint>

#include "kivo/support/hash_table.h"
#include "kivo/types.h"

namespace varno {

struct RTVarnoType;
struct RTVarnoSymbol;

// Names of attributes, parameters and locals are at most 511 units.
inline constexpr size_t kAttributeNameUnits = 512;

struct AttributeEntry {
  const char16_t* name;   // the upper-case key (the table's copy)
  RTVarnoType* type;      // the declared type
  RTVarnoSymbol* symbol;  // none yet for a class-typed entry that was never reached
  uint32_t bound;         // 1 once the entry holds its symbol
};

struct AttributeTable {
  kivo::StrHashTable* entries;  // upper-case name -> AttributeEntry
  // Names the table's set of entries: new at creation and at every added entry, never issued
  // twice, never 0. A lookup remembered under a serial holds while the table carries it.
  uint64_t serial;
};

// Bucket count for n expected entries: 7 below 10, 31 below 40, 59 below 100, 131 below 200,
// 211 below 300, 311 below 400, 401 from 400 on.
uint32_t AttributeBucketCount(uint32_t expected);
inline constexpr uint32_t kAttributeBucketsDefault = 59;  // when no count is given

RTSuccess AttributeTableFactory(uint32_t bucketCount, AttributeTable** out);
// Frees the entries and the table; the symbols are left alone. Null is ignored.
void AttributeTableDestroy(AttributeTable* table);

// A bound entry holding a symbol; the name is upper-cased for the key.
RTSuccess AttributeAdd(AttributeTable* table, const char16_t* name, RTVarnoType* type, RTVarnoSymbol* symbol);
// An entry of a class type without its object.
RTSuccess AttributeAddLazy(AttributeTable* table, const char16_t* name, RTVarnoType* type);
// The entry of an upper-case name, or null.
AttributeEntry* AttributeFind(const AttributeTable* table, const char16_t* upperName);
// The same for a key of `length` units whose hash (kivo::HashWideString) is known.
AttributeEntry* AttributeFindHashed(const AttributeTable* table, const char16_t* key, uint32_t length, uint32_t hash);
uint32_t AttributeCount(const AttributeTable* table);

template <class Visit>
void AttributeForEach(const AttributeTable* table, Visit visit) {
  if (!table || !table->entries) return;
  for (uint32_t b = 0; b < table->entries->bucketCount; ++b) {
    for (const kivo::StrHashEntry* entry = table->entries->buckets[b]; entry; entry = entry->next) {
      visit(static_cast<AttributeEntry*>(entry->value));
    }
  }
}

}  // namespace varno
