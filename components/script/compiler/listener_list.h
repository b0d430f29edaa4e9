// Listener entries: which object listens for an event with which listener method. Script objects
// keep lists of these; the lists are support lists of entry records.
#pragma once

#include "kivo/support/list.h"
#include "kivo/types.h"

namespace varno {

struct RTVarnoMethod;
struct RTVarnoSymbol;

struct ListenerEntry {
  char16_t* eventName;  // owned copy
  RTVarnoSymbol* object;
  RTVarnoMethod* method;
};

RTSuccess ListenerListCreate(kivo::List** out);
// Frees every entry (with its name) and the list; null is ignored.
void ListenerListDestroy(kivo::List* list);
// Frees every entry (with its name); the list stays, empty. Null is ignored.
void ListenerListClear(kivo::List* list);
// The first entry whose event name matches (ASCII case ignored), or null.
ListenerEntry* ListenerListFind(const kivo::List* list, const char16_t* eventName);
// Puts the entry at the head; the list owns it then.
RTSuccess ListenerListPrepend(kivo::List* list, ListenerEntry* entry);
// Appends a copy of every entry of `source` (name, object and method) to `destination`.
RTSuccess ListenerListAppendCopies(kivo::List* destination, const kivo::List* source);
// A new entry with a copy of the event name, or null.
ListenerEntry* ListenerEntryCreate(const char16_t* eventName, RTVarnoSymbol* object, RTVarnoMethod* method);
void ListenerEntryFree(ListenerEntry* entry);

}  // namespace varno
