// Lists: counted, copy-on-write sequences of tagged value records. Holders share a list by
// counting a reference; every append first makes the list unique, while element store and removal
// work in place on the shared list.
#pragma once

#include <cstdint>

#include "compiler/constant_value.h"
#include "kivo/support/list.h"
#include "kivo/types.h"

namespace varno {

struct RTVarnoSymbol;
struct VNcode;

inline constexpr int32_t kNoCursor = -255;

struct VNlist {
  uint32_t references;
  kivo::List* elements;  // RTVarnoConstantValue records, each in one block with its link
  int32_t cursorIndex;   // the index last visited, or kNoCursor
  kivo::ListLink* cursorLink;
};

RTSuccess ListFactory(VNlist** out);
// Shares the source: one more reference, the same list handed out.
RTSuccess ListFactoryFromSource(VNlist** out, VNlist* source);
RTSuccess ListReference(VNlist* list);
// Drops one reference; the last one releases every element and frees the list.
RTSuccess ListDestructor(VNlist* list);
// Releases the old list (when there is one), adds a reference to the new one and hands it out.
RTSuccess ListAssign(VNlist* oldList, VNlist* newList, VNlist** out);

// With two or more references: a new list with copies of every element, one reference of the old
// one dropped. Otherwise the same list.
RTSuccess ListMakeUnique(VNlist* list, VNlist** out);
// Appends copies of the source's elements to the destination.
RTSuccess ListCopyElements(VNlist* destination, const VNlist* source);

// Each makes `list` unique into `out` and appends to the list `out` holds. On failure `out` holds
// the list the caller holds then (the original one, or its unique copy).
RTSuccess ListAppendNumber(VNlist* list, int32_t value, VNlist** out);
RTSuccess ListAppendReal(VNlist* list, float value, VNlist** out);
RTSuccess ListAppendBool(VNlist* list, uint32_t value, VNlist** out);
RTSuccess ListAppendString(VNlist* list, const char16_t* value, VNlist** out);
RTSuccess ListAppendVector3(VNlist* list, const RTFVector3D* value, VNlist** out);
RTSuccess ListAppendCode(VNlist* list, VNcode* code, VNlist** out);
RTSuccess ListAppendObject(VNlist* list, RTVarnoSymbol* object, VNlist** out);
// Appends a copy of every element of `second`.
RTSuccess ListAppendList(VNlist* list, VNlist* second, VNlist** out);
// Appends one element of code 9 holding a new reference to `second`.
RTSuccess ListAppendListAsList(VNlist* list, VNlist* second, VNlist** out);
// Appends a copy of a tagged value the VM holds (the copy rules of TaggedValueShare; an object
// gets its stored flag).
RTSuccess ListAppendValue(VNlist* list, const RTVarnoConstantValue& value, VNlist** out);

RTSuccess ListGetElementCount(const VNlist* list, uint32_t* count);
// The element record itself. Neighbours of the last visited index are reached from the cursor.
RTSuccess ListRetrieveElementN(VNlist* list, uint32_t index, RTVarnoConstantValue** out);
// Replaces element N in place: the old value is released, the new one copied in.
RTSuccess ListSetElementN(VNlist* list, uint32_t index, const RTVarnoConstantValue* value);
// Removes element N in place, releasing its value; the cursor is forgotten.
RTSuccess ListRemoveElementN(VNlist* list, uint32_t index);
// Appends an element with an empty record for the caller to fill; null without memory.
RTVarnoConstantValue* ListAppendEmpty(VNlist* list);

}  // namespace varno
