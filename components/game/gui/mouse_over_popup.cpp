#include "mouse_over_popup.h"

#include "draw_primitives.h"
#include "gui_skin.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "tesk/game_slots.h"
#include "widget_text.h"

namespace tesk::game::gui {

namespace {

namespace r = kivo::rasterizer;

constexpr int32_t kPadding = 10;
constexpr int32_t kWrapMargin = 5;
constexpr int32_t kHeightPadding = 4;
constexpr int32_t kNoHeightLimit = 9999;
constexpr int32_t kTextLeft = 5;
constexpr int32_t kTextTop = 2;
// Opaque (blending is off) light blue, and black text.
constexpr Colour kBoxColour = {114.0f / 255.0f, 218.0f / 255.0f, 252.0f / 255.0f, 0.0f};
constexpr Colour kTextBlack = {0.0f, 0.0f, 0.0f, 0.0f};

// The start that keeps a box of `size` inside `screen`: compared unsigned, as the screen's size is.
int32_t KeptInside(int32_t start, int32_t size, uint32_t screen) {
  return static_cast<uint32_t>(PixelAdd(start, size)) > screen ? PixelSub(static_cast<int32_t>(screen), size) : start;
}

}  // namespace

void DrawMouseOverPopUp(RTInstance rasterizer, int32_t x, int32_t y, int32_t width, const char16_t* text) {
  const RTInstance font = DefaultFont();
  const int32_t boxWidth = width ? width : PixelAdd(MeasureTextWidth(font, text), kPadding);
  const int32_t wrap = PixelSub(boxWidth, kWrapMargin);
  const int32_t boxHeight = PixelAdd(MeasureTextHeight(font, text, wrap, kNoHeightLimit), kHeightPadding);
  uint32_t screenWidth = 0;
  uint32_t screenHeight = 0;
  if (SkinGame() && GetScreenSize(SkinGame(), &screenWidth, &screenHeight)) {
    x = KeptInside(x, boxWidth, screenWidth);
    y = KeptInside(y, boxHeight, screenHeight);
  }
  r::EnableTexturing(rasterizer, 0);
  r::EnableBlending(rasterizer, 0);
  r::EnableDepthTest(rasterizer, 0);
  r::EnableDepthWrite(rasterizer, 0);
  DrawSolidQuad(rasterizer, x, y, boxWidth, boxHeight, kBoxColour);
  r::EnableDepthTest(rasterizer, 1);
  r::EnableDepthWrite(rasterizer, 1);
  SetTextBounds(font, wrap, kNoHeightLimit);
  DrawText(font, text, PixelAdd(x, kTextLeft), PixelAdd(y, kTextTop), kTextBlack);
}

}  // namespace tesk::game::gui
