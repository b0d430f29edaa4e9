#include "text_layout.h"

#include <cmath>

namespace font {

namespace {

constexpr uint8_t kUnknown = '?';
constexpr uint8_t kSpace = ' ';
constexpr uint8_t kNewLine = '\n';

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit < 0xE000; }

}  // namespace

Codes ToCodes(const char16_t* text) {
  Codes codes;
  for (const char16_t* at = text; at && *at; ++at) {
    if (*at <= 0xFF) {
      codes.push_back(static_cast<uint8_t>(*at));
      continue;
    }
    codes.push_back(kUnknown);
    if (IsHighSurrogate(at[0]) && IsLowSurrogate(at[1])) ++at;
  }
  return codes;
}

float Layout::Width(const Codes& codes, size_t begin, size_t end) const {
  while (end > begin && codes[end - 1] == kSpace) --end;
  float width = 0;
  for (size_t i = begin; i < end; ++i) width += Advance(codes[i]);
  return width;
}

std::vector<Line> Layout::Break(const Codes& codes, int32_t wrapWidth) const {
  std::vector<Line> lines;
  if (codes.empty()) return lines;
  const float limit = static_cast<float>(wrapWidth);
  size_t paragraph = 0;
  while (true) {
    const size_t paragraphEnd = std::min(codes.find(kNewLine, paragraph), codes.size());
    size_t begin = paragraph;
    do {
      // Grow the line word by word while it fits; the first word always goes in, a letter at a
      // time when it alone is too wide.
      size_t end = begin;
      float width = 0;
      while (end < paragraphEnd) {
        size_t wordEnd = end;
        while (wordEnd < paragraphEnd && codes[wordEnd] == kSpace) ++wordEnd;
        while (wordEnd < paragraphEnd && codes[wordEnd] != kSpace) ++wordEnd;
        const float grown = Width(codes, begin, wordEnd);
        if (wrapWidth > 0 && grown > limit && end > begin) break;
        if (wrapWidth > 0 && grown > limit) {
          // One word too wide for a line: as many letters as fit, at least one.
          wordEnd = end + 1;
          while (wordEnd < paragraphEnd && Width(codes, begin, wordEnd + 1) <= limit) ++wordEnd;
          end = wordEnd;
          width = Width(codes, begin, end);
          break;
        }
        end = wordEnd;
        width = grown;
      }
      lines.push_back({begin, end, width});
      begin = end;
      while (begin < paragraphEnd && codes[begin] == kSpace) ++begin;
    } while (begin < paragraphEnd);
    if (paragraphEnd == codes.size()) break;
    paragraph = paragraphEnd + 1;
  }
  return lines;
}

size_t LinesThatFit(size_t lines, int32_t lineHeight, int32_t limit) {
  if (limit <= 0 || lineHeight <= 0) return lines;
  return std::min(lines, static_cast<size_t>(limit / lineHeight));
}

int32_t CoveringPixels(float width) { return static_cast<int32_t>(std::ceil(width - 1e-3f)); }

}  // namespace font
