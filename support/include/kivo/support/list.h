// A counted doubly linked list of data words in core memory. The list never owns what its words
// point to. Operations return 1 for success and 0 for failure.
#pragma once

#include <cstdint>

#include "kivo/types.h"

namespace kivo {

struct ListLink {
  void* data;
  ListLink* previous;
  ListLink* next;
};

struct List {
  ListLink* first;
  ListLink* last;
  uint32_t count;
};

RTSuccess ListCreate(List** out);
// Frees every link and the list; the data is not touched.
RTSuccess ListDestroy(List* list);
RTSuccess ListClear(List* list);
RTSuccess ListPrepend(List* list, void* data);
RTSuccess ListAppend(List* list, void* data);
// The new link becomes the head when `link` was first. Fails for a null list, link or data.
RTSuccess ListInsertBefore(List* list, ListLink* link, void* data);
// First link holding `data` and its 0-based index (the index may be null).
RTSuccess ListFind(List* list, const void* data, ListLink** out, uint32_t* index);
RTSuccess ListRemoveLink(List* list, ListLink* link);
// A link the caller owns (inside its own record) joins the end of the list holding `data`, and
// leaves it again without being freed. Such a link must leave before the list is cleared or
// destroyed, which free the links they find.
RTSuccess ListAppendOwned(List* list, ListLink* link, void* data);
RTSuccess ListDetachOwned(List* list, ListLink* link);
RTSuccess ListRemove(List* list, const void* data);
// Refilling a list without freeing and allocating links: the links leave for a spare list of the
// caller's, to be taken again for new entries, so that a list refilled over and over allocates only
// when it grows past the most it has held. The spare list's data words mean nothing.
// Every link of `list` moves to `spare`; the list is then empty.
RTSuccess ListRecycle(List* list, List* spare);
// As ListAppend, taking a link of `spare` when it has one.
RTSuccess ListAppendRecycled(List* list, List* spare, void* data);
// As ListRemove, the link moving to `spare`.
RTSuccess ListRemoveRecycled(List* list, const void* data, List* spare);
// Refills a list in place, for a list refilled over and over whose content changes little in
// length: each entry written takes the next of the list's own links, from the head; once those run
// out, a link of `spare` (or a new one). Finish hands the links left unwritten to `spare`; until
// then the list still holds them after the entries written. Without a spare list (null), new links
// are made and Finish frees the links left unwritten.
class ListRefill {
 public:
  ListRefill(List* list, List* spare) : list_(list), spare_(spare), next_(list ? list->first : nullptr) {}
  ListRefill(const ListRefill&) = delete;
  ListRefill& operator=(const ListRefill&) = delete;

  RTSuccess Append(void* data) {
    if (!next_) return spare_ ? ListAppendRecycled(list_, spare_, data) : ListAppend(list_, data);
    next_->data = data;
    next_ = next_->next;
    ++written_;
    return kRTSuccess;
  }
  void Finish();

 private:
  List* list_;
  List* spare_;
  ListLink* next_;  // the first link not yet written
  uint32_t written_ = 0;
};

// Index operations walk from the head; out of range gives null and failure.
RTSuccess ListDataAt(List* list, uint32_t index, void** out);
RTSuccess ListElementAt(List* list, uint32_t index, ListLink** out);
// Exchanges the data words of two links (lists are sorted by swapping data).
RTSuccess ListSwapData(List* list, ListLink* a, ListLink* b);

// Range over a list's data words as T*: for (Entry* e : ListItems<Entry>(list)).
template <class T>
class ListItems {
 public:
  explicit ListItems(const List* list) : first_(list ? list->first : nullptr) {}
  class iterator {
   public:
    explicit iterator(const ListLink* link) : link_(link) {}
    T* operator*() const { return static_cast<T*>(link_->data); }
    iterator& operator++() {
      link_ = link_->next;
      return *this;
    }
    bool operator!=(const iterator& other) const { return link_ != other.link_; }

   private:
    const ListLink* link_;
  };
  iterator begin() const { return iterator(first_); }
  iterator end() const { return iterator(nullptr); }

 private:
  const ListLink* first_;
};

}  // namespace kivo
