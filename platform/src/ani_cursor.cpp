#include "platform/ani_cursor.h"

#include <stb_image.h>

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

constexpr uint32_t kMaxFrames = 1024;
constexpr uint32_t kMaxSteps = 4096;
constexpr int kMaxSide = 256;
constexpr uint32_t kIconFrames = 1;  // anih attribute: frames are icon or cursor files
constexpr uint32_t kHasSequence = 2;

// A bounds-checked little-endian reader over a byte span.
class Reader {
 public:
  explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  bool Has(size_t offset, size_t count) const { return offset <= bytes_.size() && count <= bytes_.size() - offset; }
  uint32_t U32(size_t offset) const {
    uint32_t v = 0;
    std::memcpy(&v, bytes_.data() + offset, 4);
    return v;
  }
  uint16_t U16(size_t offset) const { return static_cast<uint16_t>(bytes_[offset] | (bytes_[offset + 1] << 8)); }
  int32_t S32(size_t offset) const { return static_cast<int32_t>(U32(offset)); }
  bool Tag(size_t offset, const char* tag) const { return std::memcmp(bytes_.data() + offset, tag, 4) == 0; }
  std::span<const uint8_t> Sub(size_t offset, size_t count) const { return bytes_.subspan(offset, count); }
  size_t size() const { return bytes_.size(); }

 private:
  std::span<const uint8_t> bytes_;
};

bool Fail(std::string* error, const char* why) {
  *error = why;
  return false;
}

bool DecodePng(std::span<const uint8_t> data, CursorImage* image, std::string* error) {
  int w = 0;
  int h = 0;
  int channels = 0;
  if (data.size() > 0x7FFFFFFF) return Fail(error, "cursor image too large");
  uint8_t* rgba = stbi_load_from_memory(data.data(), static_cast<int>(data.size()), &w, &h, &channels, 4);
  if (!rgba) return Fail(error, "cursor PNG image cannot be decoded");
  if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide) {
    stbi_image_free(rgba);
    return Fail(error, "cursor PNG image has a bad size");
  }
  image->width = w;
  image->height = h;
  image->pixels.resize(static_cast<size_t>(w) * h);
  for (size_t i = 0; i < image->pixels.size(); ++i) {
    const uint8_t* p = rgba + i * 4;
    image->pixels[i] = (uint32_t{p[3]} << 24) | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
  }
  stbi_image_free(rgba);
  return true;
}

// A device-independent bitmap as icon files hold it: the header, a palette for 8 bits or fewer,
// the colour rows bottom-up, then the 1-bit AND mask rows (set: transparent).
bool DecodeDib(std::span<const uint8_t> data, CursorImage* image, std::string* error) {
  const Reader r(data);
  if (!r.Has(0, 40) || r.U32(0) < 40) return Fail(error, "cursor bitmap header is truncated");
  const uint32_t headerSize = r.U32(0);
  const int32_t width = r.S32(4);
  const int32_t doubledHeight = r.S32(8);
  const uint16_t bits = r.U16(14);
  const uint32_t compression = r.U32(16);
  uint32_t paletteCount = r.U32(32);
  if (width <= 0 || width > kMaxSide || doubledHeight <= 0 || doubledHeight / 2 > kMaxSide || doubledHeight % 2)
    return Fail(error, "cursor bitmap has a bad size");
  if (compression != 0) return Fail(error, "compressed cursor bitmaps are not supported");
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
    return Fail(error, "cursor bitmap has an unsupported pixel depth");
  const int height = doubledHeight / 2;
  if (bits <= 8 && paletteCount == 0) paletteCount = 1u << bits;
  if (bits > 8) paletteCount = 0;
  if (paletteCount > 256) return Fail(error, "cursor bitmap palette is too large");
  const size_t paletteOffset = headerSize;
  const size_t colourOffset = paletteOffset + size_t{paletteCount} * 4;
  const size_t colourStride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
  const size_t maskOffset = colourOffset + colourStride * height;
  const size_t maskStride = (static_cast<size_t>(width) + 31) / 32 * 4;
  if (!r.Has(paletteOffset, size_t{paletteCount} * 4) || !r.Has(colourOffset, colourStride * height) ||
      !r.Has(maskOffset, maskStride * height))
    return Fail(error, "cursor bitmap is truncated");

  image->width = width;
  image->height = height;
  image->pixels.assign(static_cast<size_t>(width) * height, 0);
  bool anyAlpha = false;
  for (int y = 0; y < height; ++y) {
    const size_t row = colourOffset + colourStride * (height - 1 - y);
    for (int x = 0; x < width; ++x) {
      uint32_t argb = 0;
      if (bits == 32) {
        argb = r.U32(row + x * 4);
      } else if (bits == 24) {
        const std::span<const uint8_t> bgr = r.Sub(row + x * 3, 3);
        argb = uint32_t{bgr[2]} << 16 | uint32_t{bgr[1]} << 8 | bgr[0];
      } else {
        const size_t bit = static_cast<size_t>(x) * bits;
        const uint8_t byte = r.Sub(row + bit / 8, 1)[0];
        const uint32_t index = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        if (index >= paletteCount) return Fail(error, "cursor bitmap names a colour past its palette");
        argb = r.U32(paletteOffset + index * 4) & 0x00FFFFFFu;
      }
      anyAlpha |= (argb >> 24) != 0;
      image->pixels[static_cast<size_t>(y) * width + x] = argb;
    }
  }
  // Bitmaps without alpha take their transparency from the AND mask.
  if (bits != 32 || !anyAlpha) {
    for (int y = 0; y < height; ++y) {
      const size_t row = maskOffset + maskStride * (height - 1 - y);
      for (int x = 0; x < width; ++x) {
        const bool transparent = (r.Sub(row + x / 8, 1)[0] >> (7 - x % 8)) & 1;
        uint32_t& pixel = image->pixels[static_cast<size_t>(y) * width + x];
        pixel = transparent ? 0 : (pixel | 0xFF000000u);
      }
    }
  }
  return true;
}

}  // namespace

bool ParseCursorImage(std::span<const uint8_t> file, CursorImage* image, std::string* error) {
  const Reader r(file);
  if (!r.Has(0, 6)) return Fail(error, "cursor file is truncated");
  const uint16_t type = r.U16(2);
  if (r.U16(0) != 0 || (type != 1 && type != 2)) return Fail(error, "not an icon or cursor file");
  if (r.U16(4) == 0) return Fail(error, "cursor file holds no image");
  if (!r.Has(6, 16)) return Fail(error, "cursor directory is truncated");
  const uint32_t size = r.U32(6 + 8);
  const uint32_t offset = r.U32(6 + 12);
  if (!r.Has(offset, size) || size < 8) return Fail(error, "cursor image lies outside the file");
  const std::span<const uint8_t> data = r.Sub(offset, size);
  static constexpr uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  const bool ok = std::memcmp(data.data(), kPng, 8) == 0 ? DecodePng(data, image, error) : DecodeDib(data, image, error);
  if (!ok) return false;
  if (type == 2) {
    image->hotX = std::min<int>(r.U16(6 + 4), image->width - 1);
    image->hotY = std::min<int>(r.U16(6 + 6), image->height - 1);
  }
  return true;
}

bool ParseAnimatedCursor(std::span<const uint8_t> file, AnimatedCursor* cursor, std::string* error) {
  const Reader r(file);
  if (!r.Has(0, 12) || !r.Tag(0, "RIFF") || !r.Tag(8, "ACON")) return Fail(error, "not an animated cursor file");
  const size_t end = std::min<size_t>(r.size(), size_t{r.U32(4)} + 8);
  uint32_t frameCount = 0;
  uint32_t stepCount = 0;
  uint32_t defaultRate = 0;
  uint32_t attributes = 0;
  bool haveHeader = false;
  std::vector<uint32_t> rates;
  std::vector<uint32_t> sequence;
  std::vector<CursorImage> frames;

  auto readWords = [&](size_t offset, uint32_t size, std::vector<uint32_t>& words) {
    words.clear();
    for (uint32_t i = 0; i + 4 <= size; i += 4) words.push_back(r.U32(offset + i));
  };

  size_t at = 12;
  while (at + 8 <= end) {
    const uint32_t size = r.U32(at + 4);
    const size_t body = at + 8;
    if (!r.Has(body, size) || body + size > end) return Fail(error, "animated cursor chunk is truncated");
    if (r.Tag(at, "anih")) {
      if (size < 36) return Fail(error, "animated cursor header is truncated");
      frameCount = r.U32(body + 4);
      stepCount = r.U32(body + 8);
      defaultRate = r.U32(body + 28);
      attributes = r.U32(body + 32);
      haveHeader = true;
    } else if (r.Tag(at, "rate")) {
      readWords(body, size, rates);
    } else if (r.Tag(at, "seq ")) {
      readWords(body, size, sequence);
    } else if (r.Tag(at, "LIST") && size >= 4 && r.Tag(body, "fram")) {
      size_t item = body + 4;
      while (item + 8 <= body + size) {
        const uint32_t itemSize = r.U32(item + 4);
        if (!r.Has(item + 8, itemSize) || item + 8 + itemSize > body + size)
          return Fail(error, "animated cursor frame is truncated");
        if (r.Tag(item, "icon")) {
          if (frames.size() == kMaxFrames) return Fail(error, "animated cursor has too many frames");
          CursorImage image;
          if (!ParseCursorImage(r.Sub(item + 8, itemSize), &image, error)) return false;
          frames.push_back(std::move(image));
        }
        item += 8 + itemSize + (itemSize & 1);
      }
    }
    at = body + size + (size & 1);
  }
  if (!haveHeader) return Fail(error, "animated cursor has no header");
  if (!(attributes & kIconFrames)) return Fail(error, "animated cursor frames are not icons");
  if (frames.empty() || frameCount == 0 || frames.size() < frameCount)
    return Fail(error, "animated cursor has fewer frames than its header says");
  frames.resize(frameCount);
  if (stepCount == 0) stepCount = frameCount;
  if (stepCount > kMaxSteps) return Fail(error, "animated cursor has too many steps");
  if (!(attributes & kHasSequence)) sequence.clear();
  if (!sequence.empty() && sequence.size() < stepCount) return Fail(error, "animated cursor sequence is truncated");
  if (!rates.empty() && rates.size() < stepCount) return Fail(error, "animated cursor rates are truncated");

  cursor->steps.clear();
  for (uint32_t i = 0; i < stepCount; ++i) {
    const uint32_t frame = sequence.empty() ? i % frameCount : sequence[i];
    if (frame >= frameCount) return Fail(error, "animated cursor sequence names a missing frame");
    cursor->steps.push_back({frame, rates.empty() ? defaultRate : rates[i]});
  }
  cursor->frames = std::move(frames);
  return true;
}

}  // namespace platform
