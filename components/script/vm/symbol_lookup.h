// Finding variables and objects by (dotted) name: "target.home.pos" walks from an attribute table
// through the objects its parts name, creating and constructing a class-typed object the first
// time its entry is reached.
#pragma once

#include <cstdint>

#include "kivo/types.h"

namespace varno {

struct AttributeEntry;
struct AttributeTable;
struct DecodedName;
struct RTVarnoContext;
struct RTVarnoSymbol;
struct RTVarnoTypeTable;
struct RTVarnoVM;

// Names are upper-cased into buffers of this many units before a lookup.
inline constexpr uint32_t kLookupNameUnits = 512;

// The symbol of a (dotted) name in the table; the last part's object is created when its entry
// has none. The name is upper-cased first. With a VM that has a current context, a created
// object's "CONSTRUCTOR" runs before the lookup goes on; a failing constructor fails the lookup.
RTSuccess SymbolTableRetrieveSymbolByName(RTVarnoVM* vm, RTVarnoTypeTable* table, AttributeTable* attributes,
                                          const char16_t* name, RTVarnoSymbol** out);
// The same in the object's attribute table with the VM's type table; fails for a null object.
RTSuccess SymbolRetrieveAttributeByName(RTVarnoVM* vm, RTVarnoSymbol* object, const char16_t* name,
                                        RTVarnoSymbol** out);

// The entry of the object's (dotted) attribute name as it is: a last part without an object gets
// none; null when there is no such attribute.
AttributeEntry* SymbolFindAttributeEntry(RTVarnoVM* vm, RTVarnoSymbol* object, const char16_t* name);

// A variable found by the interpreter's name lookup: either an entry of a table, or the current
// object itself ("this").
struct NamedVariable {
  AttributeEntry* entry;
  RTVarnoSymbol* symbol;  // the entry's symbol (null for an entry still waiting for its object)
};

// The interpreter's lookup of a name operand: "this" is the current object; any other name is
// looked up among the current object's attributes, then the current frame's locals and
// parameters, then the constants of the object's class. With `createLast`, a last part that has no
// object yet gets one (and is constructed); without it, the entry is handed out as it is. A name
// decoded ahead (`key`) is found by its known key and hash.
bool LookupVariable(RTVarnoVM* vm, RTVarnoContext* context, const char16_t* name, bool createLast,
                    NamedVariable* out, const DecodedName* key = nullptr);

}  // namespace varno
