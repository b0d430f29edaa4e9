#include "image_file_checks.h"

#include <cstring>

namespace rasterizer {

namespace {

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t kPngChunkFrame = 12;  // length, type, then the CRC after the data
constexpr size_t kTgaHeader = 18;
constexpr size_t kBmpFileHeader = 14;
constexpr size_t kBmpInfoStart = kBmpFileHeader + 4;  // width, height, planes, bits, compression

uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}
uint32_t Little16(const uint8_t* p) { return uint32_t{p[0]} | uint32_t{p[1]} << 8; }
uint32_t Little32(const uint8_t* p) { return Little16(p) | Little16(p + 2) << 16; }

bool Refuse(std::string* why, const std::string& reason) {
  *why = reason;
  return false;
}

bool PngChunksFit(std::span<const uint8_t> file, std::string* why) {
  for (size_t at = sizeof kPngSignature; at < file.size();) {
    const size_t left = file.size() - at;
    if (left < kPngChunkFrame) return Refuse(why, "is cut off inside a chunk header");
    const uint32_t length = BigEndian32(&file[at]);
    if (length > left - kPngChunkFrame)
      return Refuse(why, "has a chunk of " + std::to_string(length) + " bytes where " +
                             std::to_string(left - kPngChunkFrame) + " are left");
    if (std::memcmp(&file[at + 4], "IEND", 4) == 0) break;
    at += kPngChunkFrame + length;
  }
  return true;
}

// A TGA header whose fields stb_image takes: the uncompressed kinds (1 colour-mapped, 2 true colour,
// 3 grey) or their run-length forms (9, 10, 11).
bool IsTga(std::span<const uint8_t> file) {
  if (file.size() < kTgaHeader) return false;
  const uint8_t mapType = file[1];
  const uint8_t kind = file[2] & 7u;
  return mapType <= 1 && kind >= 1 && kind <= 3 && (file[2] & ~0x0Bu) == 0;
}

bool TgaPixelsFit(std::span<const uint8_t> file, std::string* why) {
  const bool compressed = (file[2] & 8u) != 0;
  const uint64_t palette = file[1] ? uint64_t{Little16(&file[5])} * ((file[7] + 7u) / 8u) : 0;
  const uint64_t pixels = compressed ? 0 : uint64_t{Little16(&file[12])} * Little16(&file[14]) * ((file[16] + 7u) / 8u);
  const uint64_t needed = kTgaHeader + uint64_t{file[0]} + palette + pixels;
  if (needed > file.size())
    return Refuse(why, "is cut off: its header declares " + std::to_string(needed) + " bytes and the file has " +
                           std::to_string(file.size()));
  return true;
}

// An uncompressed BMP's rows, each padded to four bytes, from the offset its header gives.
bool BmpPixelsFit(std::span<const uint8_t> file, std::string* why) {
  if (file.size() < kBmpInfoStart + 16) return true;  // too short for stb_image to take
  const uint32_t offset = Little32(&file[10]);
  const auto width = static_cast<int32_t>(Little32(&file[kBmpInfoStart]));
  const auto height = static_cast<int32_t>(Little32(&file[kBmpInfoStart + 4]));
  const uint32_t bits = Little16(&file[kBmpInfoStart + 10]);
  const uint32_t compression = Little32(&file[kBmpInfoStart + 12]);
  if (compression != 0 || width <= 0 || height == 0) return true;
  const auto rows = static_cast<uint64_t>(height < 0 ? -int64_t{height} : int64_t{height});  // negative: top down
  const uint64_t stride = (uint64_t(width) * bits + 31) / 32 * 4;
  const uint64_t needed = uint64_t{offset} + stride * rows;
  if (needed > file.size())
    return Refuse(why, "is cut off: its header declares " + std::to_string(needed) + " bytes and the file has " +
                           std::to_string(file.size()));
  return true;
}

}  // namespace

bool ImageFileSizesFit(std::span<const uint8_t> file, std::string* why) {
  if (file.size() >= sizeof kPngSignature && std::memcmp(file.data(), kPngSignature, sizeof kPngSignature) == 0)
    return PngChunksFit(file, why);
  if (file.size() >= 2 && file[0] == 'B' && file[1] == 'M') return BmpPixelsFit(file, why);
  if (IsTga(file)) return TgaPixelsFit(file, why);
  return true;
}

}  // namespace rasterizer
