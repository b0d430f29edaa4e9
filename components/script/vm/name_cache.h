// Names of instructions, decoded once, and where the interpreter finds them: a name's upper-case
// key and hash, its parts, and per operation a cache of the place the lookup found it, valid for
// the layouts of the current object's attributes and of the frame's locals it was found under.
// Lookup order: the object's attributes, the frame's locals, the constants of the object's class.
#pragma once

#include <cstdint>

#include "vm/attribute_table.h"
#include "vm/core_allocator.h"

namespace varno {

struct CallFrame;
struct DecodedName;
struct RTVarnoMethod;
struct RTVarnoSymbol;
struct RTVarnoType;
struct RTVarnoVM;

enum class NamePlace : uint8_t { kNone, kAttribute, kLocal, kConstant };

// Where a plain name was found, for the layouts of the object's attributes and the frame's locals
// it was found under.
struct PlaceCache {
  uint64_t objectLayout = 0;  // (0 with kNone: nothing found yet)
  uint64_t frameLayout = 0;
  NamePlace place = NamePlace::kNone;
  int32_t slot = -1;
  AttributeEntry* constant = nullptr;
};

struct NameCache {
  PlaceCache plain;           // a plain name
  PlaceCache holder;          // "holder.member": the holder, and the member's slot under the holder
  uint64_t memberLayout = 0;  // object's attribute layout
  int32_t memberSlot = -1;
};

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
  RTVarnoMethod* MethodOf(const RTVarnoSymbol* object) const;
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
};

// Where the running method finds names: its object and frame, and the serials and slots of their
// tables' layouts (serial 0 for a table that is not laid out, or has entries added by name).
struct NameScope {
  RTVarnoSymbol* object = nullptr;
  CallFrame* frame = nullptr;
  uint64_t objectLayout = 0;
  uint64_t frameLayout = 0;
  AttributeEntry* attributes = nullptr;
  AttributeEntry* locals = nullptr;
};

// The scope of the frame's method (the context's object without a frame).
NameScope ScopeOf(RTVarnoSymbol* object, CallFrame* frame);

// The entry of a name, found again or through the general lookup's order and remembered: a plain
// name, or "holder.member" whose holder holds an object (the member among that object's
// attributes). Null when the lookup is the general path's: the name is nowhere, a table is not
// laid out, or a part would have to be created first.
AttributeEntry* ResolveEntry(RTVarnoVM* vm, const DecodedName& name, NameCache& cache, const NameScope& scope);

inline AttributeEntry* CachedEntry(RTVarnoVM* vm, const DecodedName& name, NameCache& cache, const NameScope& scope) {
  const PlaceCache& plain = cache.plain;
  if (plain.objectLayout == scope.objectLayout && plain.frameLayout == scope.frameLayout) {
    switch (plain.place) {
      case NamePlace::kLocal:
        return scope.locals + plain.slot;
      case NamePlace::kAttribute:
        return scope.attributes + plain.slot;
      case NamePlace::kConstant:
        return plain.constant;
      default:
        break;
    }
  }
  return ResolveEntry(vm, name, cache, scope);
}

}  // namespace varno
