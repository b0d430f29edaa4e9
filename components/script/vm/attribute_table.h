// Attribute tables: the named variables of a script object, of a call frame (parameters and
// locals) and of a class (its constants). Entries are found under the upper-cased name; an entry of
// a class type may wait for its object until it is first reached.
//
// A table is either a string-keyed hash table of entries, or laid out by an AttributeLayout: its
// entries then sit in slots in declaration order, each built-in one with its variable beside it in
// the table's own memory, and entries added later by name go into a hash table of the layout's
// bucket count. Both kinds find and list their entries alike: in bucket order, each bucket from its
// newest entry.
#pragma once

#include <cstddef>
#include <cstdint>

#include "kivo/support/hash_table.h"
#include "kivo/types.h"
#include "vm/attribute_layout.h"
#include "vm/symbol.h"

namespace varno {

struct RTVarnoType;

// Names of attributes, parameters and locals are at most 511 units.
inline constexpr size_t kAttributeNameUnits = 512;

struct AttributeEntry {
  const char16_t* name;   // the upper-case key (the table's or its layout's copy)
  RTVarnoType* type;      // the declared type
  RTVarnoSymbol* symbol;  // none yet for a class-typed entry that was never reached
  uint32_t bound;         // 1 once the entry holds its symbol
};

// A slot of a laid-out table: its entry, and beside it the variable of a built-in slot.
struct AttributeSlot {
  AttributeEntry entry;
  RTVarnoSymbol variable;
};

struct AttributeTable {
  kivo::StrHashTable* entries;  // upper-case name -> AttributeEntry, for entries added by name
  AttributeLayout* layout;      // null for a table of named entries only
  AttributeSlot* slots;         // a laid-out table: one per layout slot
  // A laid-out table's memory is kept while its owner (the object or frame) or a variable in it
  // still holds it: an object's variables outlive it until the collector takes them.
  uint32_t holders;
  // A frame's locals: their variables are counted by the collector, not listed (VarnoCollector).
  uint8_t frameLocals;
};

// Bucket count for n expected entries: 7 below 10, 31 below 40, 59 below 100, 131 below 200,
// 211 below 300, 311 below 400, 401 from 400 on.
uint32_t AttributeBucketCount(uint32_t expected);
inline constexpr uint32_t kAttributeBucketsDefault = 59;  // when no count is given

RTSuccess AttributeTableFactory(uint32_t bucketCount, AttributeTable** out);
// The memory a laid-out table of `slots` slots needs beside its header.
inline size_t AttributeTableStorage(uint32_t slots) { return sizeof(AttributeSlot) * slots; }
// Lays a table out in place (its header at `table`, its slots and variables in `storage`, both the
// caller's): every slot waits for its symbol; the caller gives the built-in slots their variables.
void AttributeTableLayOut(AttributeTable* table, AttributeLayout* layout, void* storage);
// A laid-out table in a block of its own (header, slots and variables).
RTSuccess AttributeTableFromLayout(AttributeLayout* layout, AttributeTable** out);
// Frees the entries added by name.
void AttributeTableDropNamed(AttributeTable* table);
// Empties the slots and lets go of the layout; the table's own memory stays (a frame's table, in
// the frame's memory).
void AttributeTableClear(AttributeTable* table);
// The owner lets go of its table: the entries go, and the table's memory once no variable in it
// lives any more. The symbols the entries refer to are left alone (the variables to the collector).
// Null is ignored.
void AttributeTableDestroy(AttributeTable* table);
// Frees a laid-out table's memory once nothing holds it.
void AttributeTableFree(AttributeTable* table);
// A variable in the table's memory has gone.
inline void AttributeTableLetGo(AttributeTable* table) {
  if (--table->holders == 0) AttributeTableFree(table);
}

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
  if (!table) return;
  const AttributeLayout* layout = table->layout;
  const uint32_t buckets = layout ? layout->bucketCount : (table->entries ? table->entries->bucketCount : 0);
  for (uint32_t b = 0; b < buckets; ++b) {
    // Entries added by name are newer than every slot.
    for (const kivo::StrHashEntry* entry = table->entries ? table->entries->buckets[b] : nullptr; entry;
         entry = entry->next) {
      visit(static_cast<AttributeEntry*>(entry->value));
    }
    if (!layout) continue;
    for (int32_t slot = layout->newest[b]; slot >= 0; slot = layout->slots[slot].older) {
      visit(&table->slots[slot].entry);
    }
  }
}

}  // namespace varno
