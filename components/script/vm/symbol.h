// Script objects and variables (symbols). A symbol of a built-in type is a variable whose value is
// its embedded tagged value; a symbol of a script class is an object with an attribute table, an
// event queue and a listener list (both lists in the object's own block). Every symbol is on the
// collector's list of all symbols.
#pragma once

#include <cstdint>

#include "compiler/constant_value.h"
#include "kivo/support/list.h"
#include "kivo/types.h"

namespace varno {

struct AttributeTable;
struct RTVarnoType;
struct RTVarnoTypeTable;

enum SymbolKind : uint8_t {
  kSymbolOrdinary = 0,
  kSymbolConstant = 3,  // a type constant: never collected
};

// The text of a string variable that was never assigned.
inline constexpr char16_t kUnassignedString[] = u".!p@@p!.";

struct RTVarnoSymbol {
  uint32_t destroyed;
  RTVarnoConstantValue value;  // the value of a variable (type code = type index)
  RTVarnoType* type;
  uint32_t typeIndex;
  AttributeTable* attributes;  // class instances only
  uint8_t kind;
  kivo::List* events;     // RTVarnoEvent records, oldest first (class instances)
  kivo::List* listeners;  // ListenerEntry records (class instances)
  uint8_t hasContext;
  uint8_t mark;           // set while condemned during a collector run
  uint8_t stored;         // put into a list, database or variable, or natively referenced
  kivo::ListLink* allLink;     // link in the collector's list of all symbols (`collectorLink`), or null
  kivo::ListLink collectorLink;  // the symbol's own link for that list
  kivo::ListLink* nativeLink;  // link in the collector's list of native references
  // A variable that lives in the memory of its laid-out attribute table (an object's or a frame's):
  // that table, which keeps its memory while the variable lives; null for a record of its own.
  AttributeTable* home;
};

// A new symbol of the type index (a singleton class hands out its singleton when it has one).
// Built-in types get their initial value; a script class gets its event queue and listener list,
// and with `buildAttributes` its attribute table.
RTSuccess SymbolFactory(RTVarnoTypeTable* table, uint32_t typeIndex, RTVarnoSymbol** out, uint8_t kind,
                        bool buildAttributes);
// A new object of the type index with its attributes, also for a singleton class: the class
// neither hands out nor records its singleton (the snapshot reader fills it before it becomes the
// singleton or gives its contents to the one that exists).
RTSuccess SymbolFactoryDetached(RTVarnoTypeTable* table, uint32_t typeIndex, RTVarnoSymbol** out);
// Destroys a symbol (objects of singleton classes are kept; a variable's memory goes with its
// table); null is success.
RTSuccess RTVarnoSymbolDestructor(RTVarnoSymbol* symbol);
// Destroys the symbol whatever its class (the component's shutdown).
void SymbolDestroyForced(RTVarnoSymbol* symbol);

// Gives a variable of a built-in type its first value (a string's never-assigned text, a new list,
// database, code value or vector block, 0 for the rest); false without memory.
bool SymbolSetInitialValue(RTVarnoSymbol* symbol, uint32_t typeIndex);

bool SymbolIsObject(const RTVarnoSymbol* symbol);
// Empties an object's event queue and listener list, freeing the events (with their arguments)
// and the listener records; fails for a symbol that is not an object.
RTSuccess SymbolEmptyQueues(RTVarnoSymbol* symbol);

// A singleton class whose one object has run its constructor.
bool SingletonConstructed(const RTVarnoType* type);
void MarkSingletonConstructed(RTVarnoType* type);

}  // namespace varno
