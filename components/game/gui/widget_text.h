// Text through a skin font. Without a font (no skin, or one that stopped before its fonts) text is
// skipped: nothing is drawn and it measures 0.
#pragma once

#include <cstdint>

#include "kivo/types.h"
#include "widget.h"

namespace tesk::game::gui {

// White text; the fourth float is not read.
inline constexpr Colour kTextWhite = {1.0f, 1.0f, 1.0f, 0.0f};

int32_t MeasureTextWidth(RTInstance font, const char16_t* text);
// The height of the text wrapped at `width`, the lines that fit whole in `limit`.
int32_t MeasureTextHeight(RTInstance font, const char16_t* text, int32_t width, int32_t limit);
// The wrap width and clip height of the texts drawn next.
void SetTextBounds(RTInstance font, int32_t width, int32_t height);
void DrawText(RTInstance font, const char16_t* text, int32_t x, int32_t y, const Colour& colour);

}  // namespace tesk::game::gui
