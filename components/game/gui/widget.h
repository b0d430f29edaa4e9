// TeskIWidget: every control of the game's screens is a widget, a rectangle with a name, a position
// relative to its parent, a font of the skin and a type code. The virtual operations come in the
// order of the widget's operation table; the base behaviour is the one a widget keeps unless its
// class says otherwise.
//
// Widgets are made and freed through the library's counting allocator (kivo::ObjectNew and
// ObjectDelete), so a test can watch their number; a failed allocation gives null. The name is
// the widget's own; the parent is not.
#pragma once

#include <cstddef>
#include <cstdint>

#include "kivo/support/core_memory.h"
#include "kivo/support/math_types.h"
#include "kivo/types.h"
#include "owned_text.h"

namespace tesk::game::gui {

// The class codes of the widget stream; there is no class 0 and none above 13.
enum WidgetType : uint8_t {
  kWidgetForm = 1,
  kWidgetPanel = 2,
  kWidgetButton = 3,
  kWidgetTextBox = 4,
  kWidgetIcon = 5,
  kWidgetTabPanel = 6,
  kWidgetEditBox = 7,
  kWidgetLabel = 8,
  kWidgetColorBox = 9,
  kWidgetSlider = 10,
  kWidgetProgressBar = 11,
  kWidgetListBox = 12,
  kWidgetPercentBar = 13,
};

// Counts the changes that can alter what a lookup by name finds: a widget named, given a parent,
// taken out of a child list or destroyed. Name indexes built at one count are stale at the next.
uint64_t WidgetTreeGeneration();
void NoteWidgetTreeChange();

// Four floats of which widgets set, stream and compare red, green and blue.
using Colour = RTFColorRGB;

// The three words SetMouseState stores together; screens read the first.
struct MouseState {
  uintptr_t words[3];
};

class TeskIWidget {
 public:
  static void* operator new(size_t bytes) noexcept { return kivo::ObjectNew(bytes); }
  static void operator delete(void* block) { kivo::ObjectDelete(block); }

  TeskIWidget(const TeskIWidget&) = delete;
  TeskIWidget& operator=(const TeskIWidget&) = delete;
  virtual ~TeskIWidget() { NoteWidgetTreeChange(); }

  virtual int32_t GetWidth() const { return width_; }
  virtual int32_t GetHeight() const { return height_; }
  virtual int32_t GetY() const { return y_; }
  virtual int32_t GetX() const { return x_; }
  // Each stores its field; a class that reacts to its size overrides them.
  virtual void SetWidth(int32_t width) { width_ = width; }
  virtual void SetHeight(int32_t height) { height_ = height; }
  virtual void SetY(int32_t y) { y_ = y; }
  virtual void SetX(int32_t x) { x_ = x; }
  virtual void FocusGained() {}
  virtual void FocusLost() {}
  // The widget that takes the focus at the point, or null. The origin of this and the next two
  // operations is the absolute position of the widget's parent.
  virtual TeskIWidget* HitTest(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY);
  virtual void Draw(int32_t originX, int32_t originY, RTInstance rasterizer) = 0;
  // The name of the control that handled the press, or null.
  virtual const char16_t* Mouse(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY, uint32_t buttons);
  virtual void MouseMoveEvent(int32_t /*pointerX*/, int32_t /*pointerY*/, uint32_t /*buttons*/) {}
  virtual void CharEvent(char16_t /*unit*/) {}
  virtual void SetMouseState(const MouseState& state) { mouseState_ = state; }
  // The base block (version 0x505); classes write theirs after it.
  virtual RTSuccess StreamOut(RTInstance stream) const;
  virtual RTSuccess StreamIn(RTInstance stream);

  WidgetType GetType() const { return type_; }
  const char16_t* GetName() const { return name_.Get(); }
  RTSuccess SetName(const char16_t* name);
  // The skin font of the index; an index outside the skin's fonts draws with font 0 and is kept
  // as it is.
  void SetFont(int8_t index);
  int8_t GetFontIndex() const { return fontIndex_; }
  RTInstance GetFont() const { return font_; }
  void Enable() { inactive_ = 0; }
  void Disable() { inactive_ = 1; }
  uint32_t IsInactive() const { return inactive_; }
  uintptr_t GetMouseState() const { return mouseState_.words[0]; }
  TeskIWidget* GetParent() const { return parent_; }
  void SetParent(TeskIWidget* parent);

  // The value plus (minus) the x or y of every ancestor; the widget's own position is not added.
  int32_t LocalToAbsoluteX(int32_t x) const;
  int32_t LocalToAbsoluteY(int32_t y) const;
  int32_t AbsoluteToLocalX(int32_t x) const;
  int32_t AbsoluteToLocalY(int32_t y) const;

 protected:
  explicit TeskIWidget(WidgetType type);
  // After a container has drawn: a non-zero first mouse-state word goes, with the two others, to
  // the parent; the first word is cleared either way.
  void HandMouseStateToParent();
  void ClearMouseState() { mouseState_.words[0] = 0; }

 private:
  int32_t x_ = 0;
  int32_t y_ = 0;
  int32_t width_ = 100;
  int32_t height_ = 100;
  OwnedText name_{u"Undefined"};
  uint32_t inactive_ = 0;
  int8_t fontIndex_ = 0;
  RTInstance font_ = nullptr;
  MouseState mouseState_{};
  TeskIWidget* parent_ = nullptr;
  WidgetType type_;
};

// Sums and differences of pixel coordinates, wrapping at 32 bits as the system's integers do (a
// widget's geometry is whatever its stream said).
inline int32_t PixelAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t PixelSub(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

// Whether the point lies in the rectangle, both edges included.
bool PointInside(int32_t pointX, int32_t pointY, int32_t left, int32_t top, int32_t width, int32_t height);

}  // namespace tesk::game::gui
