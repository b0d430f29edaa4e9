#include "list_box_item.h"

#include "kivo/support/module_core.h"
#include "kivo/support/stream_values.h"
#include "stream_fields.h"
#include "widget_tree.h"

namespace tesk::game::gui {

namespace {

constexpr uint32_t kItemVersion = 0x600;
constexpr uint32_t kPanelVersion = 0x600;  // the panel from here on

// A widget of the class read whole from the stream (no factory header); null when it fails.
template <class Widget>
Widget* ReadBody(RTInstance stream) {
  Widget* widget = new Widget();
  if (widget && !widget->StreamIn(stream)) {
    DestroyWidgetTree(widget);
    return nullptr;
  }
  return widget;
}

// A bool saying whether the widget follows, then the widget; a missing one reads as null.
template <class Widget>
RTSuccess ReadOptionalBody(RTInstance stream, Widget** widget) {
  uint32_t present = 0;
  *widget = nullptr;
  if (!kivo::StreamReadByte(stream, &present)) return kRTFailure;
  if (!present) return kRTSuccess;
  *widget = ReadBody<Widget>(stream);
  return *widget ? kRTSuccess : kRTFailure;
}

RTSuccess WriteOptionalBody(RTInstance stream, const TeskIWidget* widget) {
  if (!kivo::StreamWriteByte(stream, widget ? 1 : 0)) return kRTFailure;
  return widget ? widget->StreamOut(stream) : kRTSuccess;
}

}  // namespace

TeskListBoxItem::~TeskListBoxItem() {
  DestroyWidgetTree(icon_);
  DestroyWidgetTree(panel_);
}

RTSuccess TeskListBoxItem::SetText(const char16_t* text) {
  if (!text_.Set(text)) return kRTFailure;
  hasText_ = text != nullptr;
  return kRTSuccess;
}

void TeskListBoxItem::SetIcon(TeskIcon* icon) {
  if (icon == icon_) return;
  DestroyWidgetTree(icon_);
  icon_ = icon;
}

void TeskListBoxItem::SetPanel(TeskPanel* panel) {
  if (panel == panel_) return;
  DestroyWidgetTree(panel_);
  panel_ = panel;
}

RTSuccess TeskListBoxItem::StreamOut(RTInstance stream) const {
  return kivo::StreamWriteUInt(stream, kItemVersion) && kivo::StreamWriteWString(stream, GetText()) &&
                 kivo::StreamWriteColor(stream, colour_) && WriteOptionalBody(stream, icon_) &&
                 WriteOptionalBody(stream, panel_)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess TeskListBoxItem::StreamIn(RTInstance stream) {
  uint32_t version = 0;
  char16_t* text = nullptr;
  if (!ReadClassVersion(stream, kItemVersion, u"TeskListBoxItem::StreamIn() -- Version is newer than reader",
                        &version) ||
      !kivo::StreamReadWString(stream, &text))
    return kRTFailure;
  const RTSuccess kept = SetText(text);
  kivo::ModuleCore()->ArrayFree(nullptr, text);
  TeskIcon* icon = nullptr;
  if (!kept || !ReadColour(stream, &colour_) || !ReadOptionalBody(stream, &icon)) return kRTFailure;
  SetIcon(icon);
  if (version < kPanelVersion) return kRTSuccess;
  TeskPanel* panel = nullptr;
  if (!ReadOptionalBody(stream, &panel)) return kRTFailure;
  SetPanel(panel);
  return kRTSuccess;
}

}  // namespace tesk::game::gui
