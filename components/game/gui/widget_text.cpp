#include "widget_text.h"

#include "kivo/font/font_calls.h"

namespace tesk::game::gui {

int32_t MeasureTextWidth(RTInstance font, const char16_t* text) {
  int32_t width = 0;
  if (font && !kivo::font::MeasureWidth(font, text, &width)) width = 0;
  return width;
}

int32_t MeasureTextHeight(RTInstance font, const char16_t* text, int32_t width, int32_t limit) {
  int32_t height = 0;
  if (font && !kivo::font::MeasureHeight(font, text, width, limit, &height)) height = 0;
  return height;
}

void SetTextBounds(RTInstance font, int32_t width, int32_t height) {
  if (font) kivo::font::SetBounds(font, width, height);
}

void DrawText(RTInstance font, const char16_t* text, int32_t x, int32_t y, const Colour& colour) {
  if (font) kivo::font::DrawText(font, text, x, y, &colour.r);
}

}  // namespace tesk::game::gui
