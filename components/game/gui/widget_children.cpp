#include "widget_children.h"

#include "kivo/support/stream_values.h"
#include "kivo/support/wide_string.h"
#include "panel.h"
#include "tab_panel.h"
#include "widget_stream.h"
#include "widget_tree.h"

namespace tesk::game::gui {

WidgetChildren::WidgetChildren() { kivo::ListCreate(&list_); }

WidgetChildren::~WidgetChildren() { kivo::ListDestroy(list_); }

RTSuccess WidgetChildren::Append(TeskIWidget* owner, TeskIWidget* child) {
  if (!child || !kivo::ListAppend(list_, child)) return kRTFailure;
  child->SetParent(owner);
  return kRTSuccess;
}

bool WidgetChildren::Remove(TeskIWidget* child) {
  NoteWidgetTreeChange();
  return child && kivo::ListRemove(list_, child);
}

TeskIWidget* WidgetChildren::At(uint32_t index) const {
  void* child = nullptr;
  return kivo::ListDataAt(list_, index, &child) ? static_cast<TeskIWidget*>(child) : nullptr;
}

TeskIWidget* WidgetChildren::FindByName(const char16_t* name) const {
  for (TeskIWidget* child : Items()) {
    if (kivo::WideStrEqualNoCase(child->GetName(), name) == 0) return child;
    TeskIWidget* found = nullptr;
    if (child->GetType() == kWidgetPanel) found = static_cast<TeskPanel*>(child)->FindWidgetByName(name);
    if (child->GetType() == kWidgetTabPanel) found = static_cast<TeskTabPanel*>(child)->FindWidgetByName(name);
    if (found) return found;
  }
  return nullptr;
}

void WidgetChildren::Draw(int32_t originX, int32_t originY, RTInstance rasterizer) const {
  for (TeskIWidget* child : Items()) child->Draw(originX, originY, rasterizer);
}

RTSuccess WidgetChildren::StreamOut(RTInstance stream) const {
  if (!kivo::StreamWriteUInt(stream, Count())) return kRTFailure;
  for (const TeskIWidget* child : Items())
    if (!StreamWidgetOut(stream, child)) return kRTFailure;
  return kRTSuccess;
}

RTSuccess WidgetChildren::StreamIn(RTInstance stream, TeskIWidget* owner) {
  const uint32_t before = Count();
  uint32_t count = 0;
  if (!kivo::StreamReadUInt(stream, &count) || !kivo::StreamHolds(stream, uint64_t{count} * kWidgetHeaderBytes))
    return kRTFailure;
  for (uint32_t i = 0; i < count; ++i) {
    TeskIWidget* child = nullptr;
    if (!StreamWidgetIn(stream, &child)) {
      DestroyTreesFrom(before);
      return kRTFailure;
    }
    if (!Append(owner, child)) {
      DestroyWidgetTree(child);
      DestroyTreesFrom(before);
      return kRTFailure;
    }
  }
  return kRTSuccess;
}

void WidgetChildren::DestroyTreesFrom(uint32_t first) {
  while (Count() > first) {
    TeskIWidget* last = static_cast<TeskIWidget*>(list_->last->data);
    kivo::ListRemoveLink(list_, list_->last);
    DestroyWidgetTree(last);
  }
}

}  // namespace tesk::game::gui
