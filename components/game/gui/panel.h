// TeskPanel: the container widget, a framed rectangle with a caption that holds child widgets, is
// shown and hidden as a whole and can run a drawing callback between its frame and its children.
// A hidden panel neither draws nor takes the pointer; an inactive one draws but takes no press.
#pragma once

#include <cstdint>

#include "widget.h"
#include "widget_children.h"

namespace tesk::game::gui {

// Frame styles: 0 teal, 1 navy, 2 slate, 3 thin teal, 4 list, 5 none, 6 a solid fill in the panel
// colour, 7 thin navy under a title tab carrying the caption, 8 black.
enum PanelFrame : uint8_t {
  kPanelTeal = 0,
  kPanelNavy = 1,
  kPanelSlate = 2,
  kPanelThinTeal = 3,
  kPanelList = 4,
  kPanelNoFrame = 5,
  kPanelSolid = 6,
  kPanelTitled = 7,
  kPanelBlack = 8,
};

class TeskPanel : public TeskIWidget {
 public:
  // Called after the frame and before the children, with its argument.
  using AfterDrawCallback = void (*)(uintptr_t argument);

  TeskPanel();

  TeskIWidget* HitTest(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY) override;
  void Draw(int32_t originX, int32_t originY, RTInstance rasterizer) override;
  const char16_t* Mouse(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY, uint32_t buttons) override;
  // The base block, then u32 0x605, the caption, the children, u32 frame style and u32 title tab
  // width.
  RTSuccess StreamOut(RTInstance stream) const override;
  // Frame style from block 0x600 on, title tab width from 0x605; a newer block is refused. On
  // failure the panel keeps no child read here.
  RTSuccess StreamIn(RTInstance stream) override;

  RTSuccess AddChild(TeskIWidget* widget) { return children_.Append(this, widget); }
  // Unlinks the widget; its parent reference stays as it was.
  void RemoveChild(TeskIWidget* widget) { children_.Remove(widget); }
  TeskIWidget* ChildAt(uint32_t index) const { return children_.At(index); }
  // Searches the children (not the panel's own name).
  TeskIWidget* FindWidgetByName(const char16_t* name) const { return children_.FindByName(name); }
  WidgetChildren& Children() { return children_; }
  const WidgetChildren& Children() const { return children_; }

  RTSuccess SetCaption(const char16_t* caption) { return caption_.Set(caption); }
  const char16_t* GetCaption() const { return caption_.Get(); }
  void SetFrameStyle(uint8_t style) { frameStyle_ = style; }
  uint8_t GetFrameStyle() const { return frameStyle_; }
  void SetTitleTabWidth(int32_t width) { titleTabWidth_ = width; }
  int32_t GetTitleTabWidth() const { return titleTabWidth_; }
  void Show() { visible_ = 1; }
  void Hide() { visible_ = 0; }
  void SetVisible(uint32_t visible) { visible_ = visible; }
  uint32_t IsVisible() const { return visible_; }
  void SetAfterDrawCallback(AfterDrawCallback callback, uintptr_t argument) {
    callback_ = callback;
    callbackArgument_ = argument;
  }

 private:
  void DrawFrameAndCaption(int32_t x, int32_t y, RTInstance rasterizer) const;

  WidgetChildren children_;
  OwnedText caption_{u"Panel"};
  uint32_t visible_ = 1;
  AfterDrawCallback callback_ = nullptr;
  uintptr_t callbackArgument_ = 0;
  uint8_t frameStyle_ = kPanelThinTeal;
  Colour colour_;
  int32_t titleTabWidth_ = 256;
};

}  // namespace tesk::game::gui
