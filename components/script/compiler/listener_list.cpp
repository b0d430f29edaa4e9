#include "compiler/listener_list.h"

#include "compiler/core_records.h"
#include "compiler/dotted_name.h"

namespace varno {

RTSuccess ListenerListCreate(kivo::List** out) { return out ? kivo::ListCreate(out) : kRTFailure; }

void ListenerListDestroy(kivo::List* list) {
  ListenerListClear(list);
  if (list) kivo::ListDestroy(list);
}

void ListenerListClear(kivo::List* list) {
  for (ListenerEntry* entry : kivo::ListItems<ListenerEntry>(list)) ListenerEntryFree(entry);
  if (list) kivo::ListClear(list);
}

ListenerEntry* ListenerListFind(const kivo::List* list, const char16_t* eventName) {
  for (ListenerEntry* entry : kivo::ListItems<ListenerEntry>(list)) {
    if (NamesEqual(entry->eventName, eventName)) return entry;
  }
  return nullptr;
}

RTSuccess ListenerListPrepend(kivo::List* list, ListenerEntry* entry) {
  if (!list || !entry) return kRTFailure;
  return kivo::ListPrepend(list, entry);
}

RTSuccess ListenerListAppendCopies(kivo::List* destination, const kivo::List* source) {
  if (!destination) return kRTFailure;
  for (const ListenerEntry* entry : kivo::ListItems<ListenerEntry>(source)) {
    ListenerEntry* copy = ListenerEntryCreate(entry->eventName, entry->object, entry->method);
    if (!copy || !kivo::ListAppend(destination, copy)) {
      ListenerEntryFree(copy);
      return kRTFailure;
    }
  }
  return kRTSuccess;
}

ListenerEntry* ListenerEntryCreate(const char16_t* eventName, RTVarnoSymbol* object, RTVarnoMethod* method) {
  ListenerEntry* entry = NewRecord<ListenerEntry>();
  if (!entry) return nullptr;
  entry->eventName = CopyText(eventName);
  if (!entry->eventName) {
    FreeRecord(entry);
    return nullptr;
  }
  entry->object = object;
  entry->method = method;
  return entry;
}

void ListenerEntryFree(ListenerEntry* entry) {
  if (!entry) return;
  FreeText(entry->eventName);
  FreeRecord(entry);
}

}  // namespace varno
