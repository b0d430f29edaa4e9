// TeskIForm and TeskForm: the top-level widget of a screen. A form holds the screen's controls,
// draws them over its background, routes the pointer and typed characters to them (the input
// focus is chosen afresh at every press) and finds a control by its name.
#pragma once

#include "widget.h"
#include "widget_children.h"
#include "widget_name_index.h"

namespace tesk::game::gui {

class TeskIForm : public TeskIWidget {
 public:
  // Appends the widget and makes the form its parent.
  virtual RTSuccess AddChild(TeskIWidget* widget) = 0;

 protected:
  explicit TeskIForm(WidgetType type) : TeskIWidget(type) {}
};

class TeskForm : public TeskIForm {
 public:
  TeskForm() : TeskIForm(kWidgetForm) {}

  // Skin frame and x-ray background unless inactive, then the children, between the rasterizer's
  // overlay mode 2 and 0.
  void Draw(int32_t originX, int32_t originY, RTInstance rasterizer) override;
  // The focus is dropped, then each child in order handles the press and, while no focus is
  // found, is hit-tested for one; the first name a child answers ends the walk.
  const char16_t* Mouse(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY, uint32_t buttons) override;
  void MouseMoveEvent(int32_t pointerX, int32_t pointerY, uint32_t buttons) override;
  void CharEvent(char16_t unit) override;
  // The base block, then u32 0x500 and the children.
  RTSuccess StreamOut(RTInstance stream) const override;
  // A form block newer than 0x500 is refused without a message. On any failure the form keeps
  // no child read here.
  RTSuccess StreamIn(RTInstance stream) override;
  RTSuccess AddChild(TeskIWidget* widget) override { return children_.Append(this, widget); }

  // Unlinks the widget; the focus goes with it.
  void RemoveChild(TeskIWidget* widget);
  TeskIWidget* FindWidgetByName(const char16_t* name) const { return nameIndex_.Find(children_, name); }
  TeskIWidget* GetFocus() const { return focus_; }
  WidgetChildren& Children() { return children_; }
  const WidgetChildren& Children() const { return children_; }

 private:
  WidgetChildren children_;
  TeskIWidget* focus_ = nullptr;
  mutable WidgetNameIndex nameIndex_;
};

}  // namespace tesk::game::gui
