// Names of instructions, decoded once, and where the interpreter finds them: a name's upper-case
// key and hash, its parts, and per operation a cache of the place the lookup found it. A decoding's
// caches hold for one pair of layouts (the current object's attributes, the frame's locals) and
// while no entry of a laid-out table has been bound anew to another symbol: the decoding counts an
// epoch that moves on whenever its code runs under other layouts or after such a binding, and a
// cache holds while it carries the running epoch. Lookup order: the object's attributes, the
// frame's locals, the constants of the object's class.
#pragma once

#include <cstdint>

#include "compiler/type_table.h"
#include "vm/attribute_table.h"
#include "vm/core_allocator.h"
#include "vm/symbol.h"

namespace varno {

struct CallFrame;
class DecodedCode;
struct DecodedName;
struct RTVarnoMethod;
struct RTVarnoSymbol;
struct RTVarnoType;
struct RTVarnoTypeTable;
struct RTVarnoVM;

// A cache's key is its epoch times kPlaces plus the place: one comparison with the scope's key
// tells both. The two variable places differ in their last bit alone.
enum NamePlace : uint8_t {
  kPlaceNone = 0,
  kPlaceNumber = 2,    // an attribute or local of type number: the variable beside its slot's entry
  kPlaceVariable = 3,  // an attribute or local of another built-in type: the same
  kPlaceEntry = 4,     // an attribute or local of a class type: its slot's entry
  kPlaceConstant = 5,  // a constant of the object's class
  kPlaces = 8,
};

// The tables of a scope, by the index a PlaceCache keeps.
inline constexpr uint8_t kAttributesTable = 0;
inline constexpr uint8_t kLocalsTable = 1;

// Where a plain name was found, under the layouts of the epoch it carries.
struct PlaceCache {
  uint64_t key = 0;                  // epoch * kPlaces + place; 0: nothing found yet
  uint8_t table = kAttributesTable;  // a variable or entry: its table and its slot's byte offset
  uint32_t offset = 0;
  AttributeEntry* constant = nullptr;
};

struct NameCache {
  PlaceCache plain;           // a plain name
  PlaceCache holder;          // "holder.member": the holder, and the member's slot under the holder
  uint64_t memberLayout = 0;  // object's attribute layout
  int32_t memberSlot = -1;
};

// The slot at a byte offset in a table's slots.
inline AttributeSlot* SlotAt(AttributeSlot* slots, uint32_t offset) {
  return reinterpret_cast<AttributeSlot*>(reinterpret_cast<char*>(slots) + offset);
}

// A call operand split when decoded: "target.method" (split at the first ".") or a method of the
// current object, the method part upper-cased, with the method last found for a class.
struct DecodedCall {
  const DecodedName* target = nullptr;  // null: a method of the current object
  CoreText targetText;                  // the target part as written
  CoreText method;                      // the upper-case method part
  mutable NameCache targetCache;
  mutable const RTVarnoType* type = nullptr;
  mutable uint64_t generation = 0;
  mutable RTVarnoMethod* found = nullptr;

  // The method of that name on the object's class or an ancestor, or null; remembered for the
  // object's class while no method table changes.
  RTVarnoMethod* MethodOf(const RTVarnoSymbol* object) const {
    if (object && type == object->type && type && generation == MethodTablesGeneration()) return found;
    return FindMethod(object);
  }

 private:
  RTVarnoMethod* FindMethod(const RTVarnoSymbol* object) const;
};

// The class a `new` or `canbe` operand names: its index in the type table and its constructor
// (null: none), remembered while no type or method table changes.
struct ClassCache {
  const RTVarnoTypeTable* table = nullptr;
  uint64_t generation = 0;
  uint32_t index = 0;
  RTVarnoMethod* constructor = nullptr;
};

struct DecodedName {
  CoreText text;   // as written
  CoreText upper;  // the lookup key
  uint32_t hash = 0;
  bool dotted = false;  // has a "." (looked up part by part)
  bool self = false;    // "this"
  // "holder.member" with one "." (not "this."): its two parts.
  const DecodedName* holder = nullptr;
  const DecodedName* member = nullptr;
  const DecodedCall* call = nullptr;  // the operand of a call
  mutable ClassCache classCache;      // the operand of `new` or `canbe`
};

// Where the running method finds names: its object and frame, the slots of their tables (when
// they are laid out and have no entries added by name) and the running decoding's epoch for their
// layouts times kPlaces (0 when a table is not laid out: nothing is remembered then).
struct NameScope {
  RTVarnoSymbol* object = nullptr;
  CallFrame* frame = nullptr;
  uint64_t key = 0;
  AttributeSlot* tables[2] = {};  // the slots of the object's attributes and of the frame's locals
};

// The place a cache holds in the scope, or a value above kPlaceConstant when it holds for another
// epoch.
[[gnu::always_inline]] inline uint64_t PlaceIn(const PlaceCache& cache, const NameScope& scope) {
  return cache.key - scope.key;
}

// Counts the entries of laid-out tables bound to another symbol than the one they had: the caches
// remembered before such a binding hold no more.
inline uint64_t gRebindings = 0;
inline void NoteRebinding() { ++gRebindings; }

// The entry of a name, found again or through the general lookup's order and remembered: a plain
// name, or "holder.member" whose holder holds an object (the member among that object's
// attributes). Null when the lookup is the general path's: the name is nowhere, a table is not
// laid out, or a part would have to be created first.
AttributeEntry* ResolveEntry(RTVarnoVM* vm, const DecodedName& name, NameCache& cache, const NameScope& scope);

// The variable of a plain name remembered as an attribute or local of a built-in type; null
// otherwise (CachedEntry then finds the entry).
[[gnu::always_inline]] inline RTVarnoSymbol* CachedVariable(const NameCache& cache, const NameScope& scope) {
  const PlaceCache& plain = cache.plain;
  if (PlaceIn(plain, scope) >> 1 != kPlaceNumber >> 1) return nullptr;
  return &SlotAt(scope.tables[plain.table], plain.offset)->variable;
}

// The number of a plain name remembered as an attribute or local of type number; null otherwise.
[[gnu::always_inline]] inline int32_t* CachedNumber(const NameCache& cache, const NameScope& scope) {
  const PlaceCache& plain = cache.plain;
  if (PlaceIn(plain, scope) != kPlaceNumber) return nullptr;
  return &SlotAt(scope.tables[plain.table], plain.offset)->variable.value.value.number;
}

[[gnu::always_inline]] inline AttributeEntry* CachedEntry(RTVarnoVM* vm, const DecodedName& name, NameCache& cache,
                                                          const NameScope& scope) {
  const PlaceCache& plain = cache.plain;
  const uint64_t place = PlaceIn(plain, scope);
  if (place - kPlaceNumber <= kPlaceEntry - kPlaceNumber) {
    return &SlotAt(scope.tables[plain.table], plain.offset)->entry;
  }
  if (place == kPlaceConstant) return plain.constant;
  return ResolveEntry(vm, name, cache, scope);
}

}  // namespace varno
