// A small RGBA canvas for the generated art: fills, frames, gradients, discs and rings, text in a
// 5 x 7 pixel font, and PNG output.
#pragma once

#include <stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tesk::art {

struct Rgba {
  uint8_t r, g, b, a;
};

inline constexpr Rgba kClear = {0, 0, 0, 0};
inline constexpr Rgba kWhite = {255, 255, 255, 255};
inline constexpr Rgba kNavy = {7, 25, 56, 255};
inline constexpr Rgba kTeal = {0, 104, 147, 255};
inline constexpr Rgba kGold = {240, 196, 64, 255};

inline Rgba Mix(Rgba a, Rgba b, float t) {
  auto channel = [t](uint8_t x, uint8_t y) { return static_cast<uint8_t>(std::lround(x + (y - x) * t)); };
  return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b), channel(a.a, b.a)};
}

inline Rgba WithAlpha(Rgba c, uint8_t a) { return {c.r, c.g, c.b, a}; }

// A bright colour of its own for each index: the hue goes round in steps of 3/8 of a turn.
inline Rgba IndexColour(int index) {
  const float hue = std::fmod(index * 0.375f + index / 8 * 0.0625f, 1.0f) * 6.0f;
  const int sector = static_cast<int>(hue);
  const float f = hue - sector;
  const float v = 0.95f;
  const float s = index % 2 ? 0.75f : 0.55f;
  const float p = v * (1 - s), q = v * (1 - s * f), u = v * (1 - s * (1 - f));
  float r = v, g = u, b = p;
  switch (sector % 6) {
    case 1:
      r = q, g = v, b = p;
      break;
    case 2:
      r = p, g = v, b = u;
      break;
    case 3:
      r = p, g = q, b = v;
      break;
    case 4:
      r = u, g = p, b = v;
      break;
    case 5:
      r = v, g = p, b = q;
      break;
    default:
      break;
  }
  auto byte = [](float x) { return static_cast<uint8_t>(std::lround(x * 255)); };
  return {byte(r), byte(g), byte(b), 255};
}

// The classic 5 x 7 font, column by column, bit 0 the top row.
struct Glyph {
  char c;
  uint8_t columns[5];
};
inline constexpr Glyph kFont[] = {
    {'0', {0x3E, 0x51, 0x49, 0x45, 0x3E}}, {'1', {0x00, 0x42, 0x7F, 0x40, 0x00}}, {'2', {0x42, 0x61, 0x51, 0x49, 0x46}},
    {'3', {0x21, 0x41, 0x45, 0x4B, 0x31}}, {'4', {0x18, 0x14, 0x12, 0x7F, 0x10}}, {'5', {0x27, 0x45, 0x45, 0x45, 0x39}},
    {'6', {0x3C, 0x4A, 0x49, 0x49, 0x30}}, {'7', {0x01, 0x71, 0x09, 0x05, 0x03}}, {'8', {0x36, 0x49, 0x49, 0x49, 0x36}},
    {'9', {0x06, 0x49, 0x49, 0x29, 0x1E}}, {'A', {0x7E, 0x11, 0x11, 0x11, 0x7E}}, {'B', {0x7F, 0x49, 0x49, 0x49, 0x36}},
    {'C', {0x3E, 0x41, 0x41, 0x41, 0x22}}, {'D', {0x7F, 0x41, 0x41, 0x22, 0x1C}}, {'E', {0x7F, 0x49, 0x49, 0x49, 0x41}},
    {'F', {0x7F, 0x09, 0x09, 0x09, 0x01}}, {'G', {0x3E, 0x41, 0x49, 0x49, 0x7A}}, {'H', {0x7F, 0x08, 0x08, 0x08, 0x7F}},
    {'I', {0x00, 0x41, 0x7F, 0x41, 0x00}}, {'J', {0x20, 0x40, 0x41, 0x3F, 0x01}}, {'K', {0x7F, 0x08, 0x14, 0x22, 0x41}},
    {'L', {0x7F, 0x40, 0x40, 0x40, 0x40}}, {'M', {0x7F, 0x02, 0x0C, 0x02, 0x7F}}, {'N', {0x7F, 0x04, 0x08, 0x10, 0x7F}},
    {'O', {0x3E, 0x41, 0x41, 0x41, 0x3E}}, {'P', {0x7F, 0x09, 0x09, 0x09, 0x06}}, {'Q', {0x3E, 0x41, 0x51, 0x21, 0x5E}},
    {'R', {0x7F, 0x09, 0x19, 0x29, 0x46}}, {'S', {0x46, 0x49, 0x49, 0x49, 0x31}}, {'T', {0x01, 0x01, 0x7F, 0x01, 0x01}},
    {'U', {0x3F, 0x40, 0x40, 0x40, 0x3F}}, {'V', {0x1F, 0x20, 0x40, 0x20, 0x1F}}, {'W', {0x3F, 0x40, 0x38, 0x40, 0x3F}},
    {'X', {0x63, 0x14, 0x08, 0x14, 0x63}}, {'Y', {0x07, 0x08, 0x70, 0x08, 0x07}}, {'Z', {0x61, 0x51, 0x49, 0x45, 0x43}},
    {'-', {0x08, 0x08, 0x08, 0x08, 0x08}}, {'_', {0x40, 0x40, 0x40, 0x40, 0x40}}, {' ', {0, 0, 0, 0, 0}},
};

class Canvas {
 public:
  Canvas(int width, int height, Rgba fill = kClear) : width_(width), height_(height), pixels_(width * height, fill) {}
  int width() const { return width_; }
  int height() const { return height_; }

  void Set(int x, int y, Rgba c) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[y * width_ + x] = c;
  }
  Rgba At(int x, int y) const { return pixels_[y * width_ + x]; }
  void Fill(int x, int y, int w, int h, Rgba c) {
    for (int j = y; j < y + h; ++j)
      for (int i = x; i < x + w; ++i) Set(i, j, c);
  }
  // A frame `thickness` pixels wide inside the rectangle.
  void Frame(int x, int y, int w, int h, int thickness, Rgba c) {
    Fill(x, y, w, thickness, c);
    Fill(x, y + h - thickness, w, thickness, c);
    Fill(x, y, thickness, h, c);
    Fill(x + w - thickness, y, thickness, h, c);
  }
  // A vertical gradient from `top` to `bottom` over the rectangle.
  void VerticalGradient(int x, int y, int w, int h, Rgba top, Rgba bottom) {
    for (int j = 0; j < h; ++j) Fill(x, y + j, w, 1, Mix(top, bottom, h > 1 ? float(j) / (h - 1) : 0.0f));
  }
  // A disc shaded from `centre` to `rim`, its edge smoothed over a pixel.
  void Disc(float cx, float cy, float radius, Rgba centre, Rgba rim) {
    for (int j = 0; j < height_; ++j)
      for (int i = 0; i < width_; ++i) {
        const float d = std::hypot(i + 0.5f - cx, j + 0.5f - cy);
        if (d > radius + 0.5f) continue;
        Rgba c = Mix(centre, rim, std::min(d / radius, 1.0f));
        const float cover = std::clamp(radius + 0.5f - d, 0.0f, 1.0f);
        c.a = static_cast<uint8_t>(std::lround(c.a * cover));
        Set(i, j, c);
      }
  }
  // A ring between two radii.
  void Ring(float cx, float cy, float inner, float outer, Rgba c) {
    for (int j = 0; j < height_; ++j)
      for (int i = 0; i < width_; ++i) {
        const float d = std::hypot(i + 0.5f - cx, j + 0.5f - cy);
        const float mid = (inner + outer) / 2, half = (outer - inner) / 2;
        const float strength = std::clamp(1.0f - std::abs(d - mid) / half, 0.0f, 1.0f);
        if (strength > 0) Set(i, j, WithAlpha(c, static_cast<uint8_t>(std::lround(c.a * strength))));
      }
  }
  // Text in the 5 x 7 font, each font pixel `scale` pixels square, one pixel between letters.
  void Text(int x, int y, int scale, const std::string& text, Rgba c) {
    for (char ch : text) {
      for (const Glyph& glyph : kFont) {
        if (glyph.c != ch) continue;
        for (int column = 0; column < 5; ++column)
          for (int row = 0; row < 7; ++row)
            if (glyph.columns[column] >> row & 1) Fill(x + column * scale, y + row * scale, scale, scale, c);
      }
      x += 6 * scale;
    }
  }
  static int TextWidth(int scale, const std::string& text) { return static_cast<int>(text.size()) * 6 * scale - scale; }
  void CentredText(int cx, int y, int scale, const std::string& text, Rgba c) {
    Text(cx - TextWidth(scale, text) / 2, y, scale, text, c);
  }
  // Alpha a becomes 255 - a: for the images drawn with the inverted blend.
  void InvertAlpha() {
    for (Rgba& p : pixels_) p.a = static_cast<uint8_t>(255 - p.a);
  }
  // Upside down: for the images whose v = 0 is drawn at the top.
  Canvas Flipped() const {
    Canvas flipped(width_, height_);
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) flipped.Set(x, y, At(x, height_ - 1 - y));
    return flipped;
  }

  bool Write(const std::filesystem::path& file) const {
    return stbi_write_png(file.c_str(), width_, height_, 4, pixels_.data(), width_ * 4) != 0;
  }

 private:
  int width_;
  int height_;
  std::vector<Rgba> pixels_;
};

// A side x side sheet of 32-pixel cells, row by row: a framed square of the cell's colour with its
// index.
inline Canvas IconSheet(int firstColour, int side = 256) {
  constexpr int kCell = 32;
  const int columns = side / kCell;
  Canvas sheet(side, side);
  for (int index = 0; index < columns * columns; ++index) {
    const int x = index % columns * kCell, y = index / columns * kCell;
    const Rgba colour = IndexColour(index + firstColour);
    sheet.Fill(x + 1, y + 1, kCell - 2, kCell - 2, Mix(colour, kNavy, 0.35f));
    sheet.Frame(x + 1, y + 1, kCell - 2, kCell - 2, 2, colour);
    sheet.CentredText(x + kCell / 2, y + 12, 1, std::to_string(index), kWhite);
  }
  return sheet;
}

}  // namespace tesk::art
