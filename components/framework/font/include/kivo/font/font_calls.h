// Calls on a font (class RTFont): a bitmap glyph sheet of the 256 Latin-1 codes with their
// advances, drawn in screen pixels through the RTRasterizer singleton. Fonts live in the instance
// store ("Root:Fonts:Verdana", ...) and load without a window context; the sheet becomes a
// texture at the first draw. Every call returns 1 on success and 0 on failure.
//
// Text is UTF-16: units above 255 draw as "?", "\n" starts a line, a null text is empty (it draws
// nothing and measures 0). Coordinates are whole pixels of the screen box, y growing downward;
// (x, y) is the top left of the first line. Colours are arrays of floats of which red, green and
// blue are read. Drawing turns the depth test off while it draws and leaves texturing and
// blending off and the depth test on.
#pragma once

#include "kivo/slots.h"

namespace kivo::font {

inline constexpr char16_t kClassName[] = u"RTFont";
inline constexpr uint32_t kLevel = 0x08;

inline constexpr MethodSlot<uint32_t, RTInstance> kStreamIn{0x00};  // overrides RTComponent's
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamOut{0x04};  // overrides RTComponent's
inline constexpr MethodSlot<const char16_t*, int32_t, int32_t, const float*> kDrawText{0x14};  // FontDrawText
inline constexpr MethodSlot<int32_t, int32_t> kSetBounds{0x18};  // FontSetBounds, SetTextSize
inline constexpr MethodSlot<const char16_t*, int32_t*> kMeasureWidth{0x1c};  // FontMeasureWidth, MeasureText
inline constexpr MethodSlot<uint32_t, uint32_t> kSetScreenSize{0x20};
inline constexpr MethodSlot<int32_t, int32_t, int32_t, int32_t, uint32_t, uint32_t> kSetTextBox{0x24};
inline constexpr MethodSlot<const char16_t*, float, uint32_t> kAddLine{0x28};
inline constexpr MethodSlot<float> kDrawLines{0x2c};
inline constexpr MethodSlot<const char16_t*, int32_t, int32_t, int32_t*> kMeasureHeight{0x30};  // FontMeasureHeight, MeasureWrappedHeight
inline constexpr MethodSlot<> kClearQueuedLines{0x34};
inline constexpr MethodSlot<uint32_t, uint32_t, uint32_t, uint32_t> kSetCellSize{0x38};  // FontSetCellSize
inline constexpr MethodSlot<uint32_t> kSetSize{0x3c};  // FontSetSize
inline constexpr uint32_t kSlotTableSize = kSetSize + 4;

inline RTSuccess DrawText(RTInstance f, const char16_t* text, int32_t x, int32_t y, const float* colour) {
  return CallMethod(f, kLevel, kDrawText, text, x, y, colour);
}
// The wrap width and the clip height of the measure and draw calls that follow: lines are broken
// between words (inside a word only when it is wider than the width), and only the lines that
// fit whole in the height are drawn. 0 (the start) neither wraps nor clips.
inline RTSuccess SetBounds(RTInstance f, int32_t width, int32_t height) {
  return CallMethod(f, kLevel, kSetBounds, width, height);
}
// The widest line as the bounds wrap it.
inline RTSuccess MeasureWidth(RTInstance f, const char16_t* text, int32_t* width) {
  return CallMethod(f, kLevel, kMeasureWidth, text, width);
}
// The height of the lines wrapped at `width` that fit whole in `limit` (0: no limit), as drawn.
inline RTSuccess MeasureHeight(RTInstance f, const char16_t* text, int32_t width, int32_t limit, int32_t* height) {
  return CallMethod(f, kLevel, kMeasureHeight, text, width, limit, height);
}
// How the sheet is cut: a grid of cells row by row, codes 0 to 255. The values must be those the
// font's sheet was made with.
inline RTSuccess SetCellSize(RTInstance f, uint32_t cellWidth, uint32_t cellHeight, uint32_t textureWidth,
                             uint32_t textureHeight) {
  return CallMethod(f, kLevel, kSetCellSize, cellWidth, cellHeight, textureWidth, textureHeight);
}
// The pixel size the glyphs are scaled to (the sheet's own size at the start).
inline RTSuccess SetSize(RTInstance f, uint32_t pixels) { return CallMethod(f, kLevel, kSetSize, pixels); }
// Glyphs wholly outside the screen are not drawn.
inline RTSuccess SetScreenSize(RTInstance f, uint32_t width, uint32_t height) {
  return CallMethod(f, kLevel, kSetScreenSize, width, height);
}

// The subtitle queue: timed lines drawn in a box, wrapped to its width.
inline RTSuccess SetTextBox(RTInstance f, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t screenWidth,
                            uint32_t screenHeight) {
  return CallMethod(f, kLevel, kSetTextBox, x, y, width, height, screenWidth, screenHeight);
}
// A line shown from `time` (seconds) on; `word` is kept with it and not read (callers pass 0).
inline RTSuccess AddLine(RTInstance f, const char16_t* text, float time, uint32_t word) {
  return CallMethod(f, kLevel, kAddLine, text, time, word);
}
// Draws, in white, the lines timed at or before `time`, newest last; the lines that no longer fit
// the box leave it (and the queue) from the top.
inline RTSuccess DrawLines(RTInstance f, float time) { return CallMethod(f, kLevel, kDrawLines, time); }
inline RTSuccess ClearQueuedLines(RTInstance f) { return CallMethod(f, kLevel, kClearQueuedLines); }

}  // namespace kivo::font
