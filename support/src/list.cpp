#include "kivo/support/list.h"

#include <utility>

#include "kivo/support/core_memory.h"

namespace kivo {

namespace {

ListLink* NewLink(void* data, ListLink* previous, ListLink* next) {
  auto* link = static_cast<ListLink*>(CoreAlloc(sizeof(ListLink)));
  if (link) *link = ListLink{data, previous, next};
  return link;
}

void Attach(List* list, ListLink* link, ListLink* previous, ListLink* next) {
  (previous ? previous->next : list->first) = link;
  (next ? next->previous : list->last) = link;
  ++list->count;
}

void Detach(List* list, ListLink* link) {
  (link->previous ? link->previous->next : list->first) = link->next;
  (link->next ? link->next->previous : list->last) = link->previous;
  --list->count;
}

// Puts a fresh link between `previous` and `next` (either may be null at an end).
RTSuccess Link(List* list, void* data, ListLink* previous, ListLink* next) {
  ListLink* link = NewLink(data, previous, next);
  if (!link) return kRTFailure;
  Attach(list, link, previous, next);
  return kRTSuccess;
}

}  // namespace

RTSuccess ListCreate(List** out) {
  *out = static_cast<List*>(CoreAlloc(sizeof(List)));
  if (!*out) return kRTFailure;
  **out = List{nullptr, nullptr, 0};
  return kRTSuccess;
}

RTSuccess ListDestroy(List* list) {
  if (!list) return kRTFailure;
  ListClear(list);
  CoreFree(list);
  return kRTSuccess;
}

RTSuccess ListClear(List* list) {
  if (!list) return kRTFailure;
  for (ListLink* link = list->first; link;) {
    ListLink* next = link->next;
    CoreFree(link);
    link = next;
  }
  *list = List{nullptr, nullptr, 0};
  return kRTSuccess;
}

RTSuccess ListPrepend(List* list, void* data) {
  if (!list) return kRTFailure;
  return Link(list, data, nullptr, list->first);
}

RTSuccess ListAppend(List* list, void* data) {
  if (!list) return kRTFailure;
  return Link(list, data, list->last, nullptr);
}

RTSuccess ListInsertBefore(List* list, ListLink* link, void* data) {
  if (!list || !link || !data) return kRTFailure;
  return Link(list, data, link->previous, link);
}

RTSuccess ListFind(List* list, const void* data, ListLink** out, uint32_t* index) {
  if (!list) return kRTFailure;
  uint32_t position = 0;
  for (ListLink* link = list->first; link; link = link->next, ++position) {
    if (link->data != data) continue;
    *out = link;
    if (index) *index = position;
    return kRTSuccess;
  }
  return kRTFailure;
}

RTSuccess ListRemoveLink(List* list, ListLink* link) {
  if (!list || !link) return kRTFailure;
  Detach(list, link);
  CoreFree(link);
  return kRTSuccess;
}

RTSuccess ListAppendOwned(List* list, ListLink* link, void* data) {
  if (!list || !link) return kRTFailure;
  *link = ListLink{data, list->last, nullptr};
  Attach(list, link, list->last, nullptr);
  return kRTSuccess;
}

RTSuccess ListDetachOwned(List* list, ListLink* link) {
  if (!list || !link) return kRTFailure;
  Detach(list, link);
  *link = ListLink{};
  return kRTSuccess;
}

RTSuccess ListRemove(List* list, const void* data) {
  ListLink* link = nullptr;
  return ListFind(list, data, &link, nullptr) ? ListRemoveLink(list, link) : kRTFailure;
}

RTSuccess ListRecycle(List* list, List* spare) {
  if (!list || !spare) return kRTFailure;
  if (!list->first) return kRTSuccess;
  list->first->previous = spare->last;
  (spare->last ? spare->last->next : spare->first) = list->first;
  spare->last = list->last;
  spare->count += list->count;
  *list = List{nullptr, nullptr, 0};
  return kRTSuccess;
}

RTSuccess ListAppendRecycled(List* list, List* spare, void* data) {
  if (!list || !spare) return kRTFailure;
  ListLink* link = spare->first;
  if (!link) return ListAppend(list, data);
  Detach(spare, link);
  *link = ListLink{data, list->last, nullptr};
  Attach(list, link, list->last, nullptr);
  return kRTSuccess;
}

void ListRefill::Finish() {
  if (!next_) return;
  if (!spare_) {
    while (next_) {
      ListLink* unwritten = next_;
      next_ = next_->next;
      ListRemoveLink(list_, unwritten);
    }
    return;
  }
  ListLink* first = next_;
  ListLink* last = list_->last;
  const uint32_t left = list_->count - written_;
  (first->previous ? first->previous->next : list_->first) = nullptr;
  list_->last = first->previous;
  list_->count = written_;
  first->previous = spare_->last;
  (spare_->last ? spare_->last->next : spare_->first) = first;
  spare_->last = last;
  spare_->count += left;
  next_ = nullptr;
}

RTSuccess ListRemoveRecycled(List* list, const void* data, List* spare) {
  ListLink* link = nullptr;
  if (!spare || !ListFind(list, data, &link, nullptr)) return kRTFailure;
  Detach(list, link);
  *link = ListLink{nullptr, spare->last, nullptr};
  Attach(spare, link, spare->last, nullptr);
  return kRTSuccess;
}

RTSuccess ListElementAt(List* list, uint32_t index, ListLink** out) {
  *out = nullptr;
  if (!list || index >= list->count) return kRTFailure;
  ListLink* link = list->first;
  while (index--) link = link->next;
  *out = link;
  return kRTSuccess;
}

RTSuccess ListDataAt(List* list, uint32_t index, void** out) {
  ListLink* link = nullptr;
  const RTSuccess found = ListElementAt(list, index, &link);
  *out = found ? link->data : nullptr;
  return found;
}

RTSuccess ListSwapData(List* list, ListLink* a, ListLink* b) {
  if (!list || !a || !b) return kRTFailure;
  std::swap(a->data, b->data);
  return kRTSuccess;
}

}  // namespace kivo
