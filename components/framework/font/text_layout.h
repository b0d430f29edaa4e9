// Breaking a text into lines and measuring them, from the advances of the font's 256 codes at
// its drawn size. No drawing here.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace font {

using Codes = std::basic_string<uint8_t>;

// The text's Latin-1 codes: a unit above 255 (a surrogate pair counting once) becomes "?"; a
// null text is empty.
Codes ToCodes(const char16_t* text);

struct Line {
  size_t begin = 0;  // codes [begin, end) of the text
  size_t end = 0;
  float width = 0;   // pixels, trailing spaces left out
};

class Layout {
 public:
  // `advances` in pixels at the sheet size, `scale` = drawn size / sheet size.
  Layout(const std::array<float, 256>& advances, float scale) : advances_(advances), scale_(scale) {}

  float Advance(uint8_t code) const { return advances_[code] * scale_; }

  // "\n" ends a line; with a wrap width above 0, lines break after the last word that fits (a
  // word wider than the width alone breaks between letters). An empty text has no lines.
  std::vector<Line> Break(const Codes& codes, int32_t wrapWidth) const;

 private:
  float Width(const Codes& codes, size_t begin, size_t end) const;

  const std::array<float, 256>& advances_;
  float scale_;
};

// Lines that fit whole in `limit` pixels of lines `lineHeight` high (a limit of 0 or less: all).
size_t LinesThatFit(size_t lines, int32_t lineHeight, int32_t limit);

// Whole pixels covering a width.
int32_t CoveringPixels(float width);

}  // namespace font
