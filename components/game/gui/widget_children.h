// The child list of a form or a panel: widgets in insertion order, which is the order they are
// drawn and asked for input in. The list holds links only: destroying it leaves the children alone
// (DestroyWidgetTree destroys a container with what it holds).
#pragma once

#include <cstdint>

#include "kivo/support/list.h"
#include "kivo/types.h"
#include "widget.h"

namespace tesk::game::gui {

class WidgetChildren {
 public:
  WidgetChildren();
  ~WidgetChildren();
  WidgetChildren(const WidgetChildren&) = delete;
  WidgetChildren& operator=(const WidgetChildren&) = delete;

  // Appends the child and makes `owner` its parent; failure when the link cannot be made.
  RTSuccess Append(TeskIWidget* owner, TeskIWidget* child);
  // Unlinks the child (its parent stays as it was); false when it was not there.
  bool Remove(TeskIWidget* child);
  TeskIWidget* At(uint32_t index) const;
  uint32_t Count() const { return list_ ? list_->count : 0; }
  kivo::ListItems<TeskIWidget> Items() const { return kivo::ListItems<TeskIWidget>(list_); }

  // The first child named `name` (ASCII case ignored) in depth-first order: each child is tested
  // before the children of the panels and the pages of the tab panels among them are searched.
  TeskIWidget* FindByName(const char16_t* name) const;
  void Draw(int32_t originX, int32_t originY, RTInstance rasterizer) const;

  // u32 count, then each child as the widget factory writes it.
  RTSuccess StreamOut(RTInstance stream) const;
  // The count and the children, each appended to `owner`. On failure the children read here go,
  // with their subtrees, and the list is as it was.
  RTSuccess StreamIn(RTInstance stream, TeskIWidget* owner);
  // Destroys every child from the index on (all of them from 0) with its subtree.
  void DestroyTreesFrom(uint32_t first);
  void DestroyTrees() { DestroyTreesFrom(0); }

 private:
  kivo::List* list_ = nullptr;
};

}  // namespace tesk::game::gui
