// The type table: the fourteen built-in types, then every script class in the order it was
// registered (from index 14). Types are never removed; a class parsed again over an existing type
// reuses its record.
#pragma once

#include <cstdint>

#include "compiler/type_records.h"
#include "kivo/types.h"

namespace varno {

struct RTVarnoTypeTable {
  RTVarnoType** types;  // core array block; a type's index is its position
  uint32_t count;
};

enum RTVarnoMethodRetrieve : uint32_t {
  kRetrieveThisType = 0,     // this type only
  kRetrieveFromParent = 1,   // the parent, then its ancestors
  kRetrieveWithAncestors = 2 // this type, then its ancestors
};

// Operations of the component interface.
RTSuccess TypeTableFactory(RTVarnoTypeTable** out);
// Frees every type with its attributes, constants and methods (their code streams are released),
// then the table.
RTSuccess TypeTableDestructor(RTVarnoTypeTable* table);
// Index of the first type whose name matches (ASCII case ignored); kNoType and failure for none.
RTSuccess TypeTableRetrieveTypeIdxByName(RTVarnoTypeTable* table, const char16_t* name, uint32_t* out);
RTSuccess TypeTableRetrieveTypeByIdx(RTVarnoTypeTable* table, uint32_t index, RTVarnoType** out);
RTSuccess TypeTableRetrieveTypeByName(RTVarnoTypeTable* table, const char16_t* name, RTVarnoType** out);
RTSuccess TypeTableRetrieveTypeByFilename(RTVarnoTypeTable* table, const char16_t* file, RTVarnoType** out);
// 1 when `target` is `testing` or one of its resolved ancestors, else 0.
RTSuccess TypeTableCanBe(RTVarnoTypeTable* table, RTVarnoType* target, RTVarnoType* testing);
RTSuccess TypeRetrieveAttributeByName(RTVarnoTypeTable* table, RTVarnoType* type, const char16_t* name,
                                      RTVarnoAttribute** out);
// `name` is looked up as given: callers upper-case it.
RTSuccess TypeRetrieveMethodByName(RTVarnoType* type, const char16_t* name, RTVarnoMethod** out,
                                   RTVarnoMethodRetrieve mode);

// Operations of the parser, checker and class file reader.

// Registers a type at the next index; fails with a report when the name is taken.
RTSuccess TypeTableAddType(RTVarnoTypeTable* table, const char16_t* name, const char16_t* file, uint32_t flags,
                           uint32_t* index);
// Empties a script class for a new parse of it: every member, the parent and the flags that came
// from its last parse go; name and index stay; the file name becomes `file`.
RTSuccess TypeReset(RTVarnoType* type, const char16_t* file);
RTSuccess TypeSetParentIndex(RTVarnoType* type, uint32_t parentIndex);
// Resolves the parent (resolving it first): fixes the own counts, appends the parent's attributes
// and constants. A class that is its own ancestor is refused.
RTSuccess TypeResolveParent(RTVarnoType* type, RTVarnoTypeTable* table, uint32_t parentIndex);
// Resolves the parent of every type in index order.
RTSuccess TypeTableResolveParents(RTVarnoTypeTable* table);
// Adds the method to the class: the display name becomes a copy of the name, the key name is
// upper-cased; a key the class has already is refused. On success the class owns the method.
RTSuccess TypeAddMethod(RTVarnoType* type, RTVarnoMethod* method);
// Counts the changes of any class's method table, parent or method records (added, freed, a type
// reset or resolved): a method found by name holds while the count stays.
inline uint64_t gMethodTablesGeneration = 1;
inline uint64_t MethodTablesGeneration() { return gMethodTablesGeneration; }
inline void NoteMethodTablesChanged() { ++gMethodTablesGeneration; }
// Adds an attribute record (type code, copy of the name, flags); a name the class has is refused.
RTSuccess TypeAddAttribute(RTVarnoType* type, uint32_t attributeType, const char16_t* name, uint8_t flags);
// Adds a copy of an inherited attribute; same refusal.
RTSuccess TypeAddInheritedAttribute(RTVarnoType* type, const RTVarnoAttribute* attribute);
// Adds a named constant; the class takes over the value (string and vector blocks included) on
// success only. A name the class's constant table has is refused.
RTSuccess TypeAddConstant(RTVarnoType* type, const char16_t* name, const RTVarnoConstantValue& value);

// Follows a dotted attribute path ("pos.x", "target.home.pos") from an attribute list through the
// attribute types; a vector3 takes a last part x, y, z (or r, g, b) as a component index 0-2.
RTSuccess ResolveAttributePath(RTVarnoTypeTable* table, const kivo::List* attributes, const char16_t* path,
                               RTVarnoAttribute** out, uint32_t* component);

}  // namespace varno
