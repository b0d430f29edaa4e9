// The material's stream, all little-endian:
//
//   u32 version              1; a newer version is refused
//   f32                      self-illumination
//   4 x f32                  colour: red, green, blue, alpha
//   u8, u8, u8               visible, alpha, two-sided (0 or 1)
//   u32 n, n bytes           the diffuse image file (PNG, TGA or BMP); n = 0: none
//   u32 n, n bytes           the normal-map image file; n = 0: none
//
// An image length is checked against the bytes left and kMaxImageBytes before anything is
// allocated for it; the reader fills a StoredMaterial that its caller commits only whole.
#include "kivo/support/format.h"
#include "kivo/support/stream_values.h"
#include "material_state.h"

namespace material {

namespace {

using namespace kivo;

constexpr const char16_t* kImageNames[kivo::material::kImageCount] = {u"diffuse image", u"normal map"};

bool WriteImage(RTInstance stream, const std::vector<uint8_t>& image) {
  const auto count = static_cast<uint32_t>(image.size());
  return StreamWriteUInt(stream, count) && (count == 0 || StreamWriteBytes(stream, image.data(), count));
}

bool ReadImage(RTInstance stream, uint32_t which, std::vector<uint8_t>* image, std::u16string* why) {
  uint32_t count = 0;
  if (!StreamReadUInt(stream, &count) || count > kivo::material::kMaxImageBytes || !StreamHolds(stream, count)) {
    *why = Format(u"the length of the %s is missing, above %u or larger than the stream", kImageNames[which],
                  kivo::material::kMaxImageBytes);
    return false;
  }
  image->resize(count);
  if (count && !StreamReadBytes(stream, image->data(), count)) {
    *why = Format(u"the %s is cut short", kImageNames[which]);
    return false;
  }
  return true;
}

}  // namespace

bool WriteStoredMaterial(RTInstance stream, const StoredMaterial& m) {
  if (!StreamWriteUInt(stream, kivo::material::kStreamVersion) || !StreamWriteFloat(stream, m.selfIllumination) ||
      !StreamWriteFloat(stream, m.colour.r) || !StreamWriteFloat(stream, m.colour.g) ||
      !StreamWriteFloat(stream, m.colour.b) || !StreamWriteFloat(stream, m.colour.a) ||
      !StreamWriteByte(stream, m.visible) || !StreamWriteByte(stream, m.alpha) || !StreamWriteByte(stream, m.twoSided))
    return false;
  for (const std::vector<uint8_t>& image : m.images)
    if (!WriteImage(stream, image)) return false;
  return true;
}

bool ReadStoredMaterial(RTInstance stream, StoredMaterial* m, std::u16string* why) {
  uint32_t version = 0;
  if (!StreamReadVersion(stream, kivo::material::kStreamVersion, &version)) {
    *why = Format(u"the stream holds no material of version %u or older", kivo::material::kStreamVersion);
    return false;
  }
  float values[5] = {};
  uint32_t switches[3] = {};
  if (!StreamReadBytes(stream, values, sizeof values) || !StreamReadByte(stream, &switches[0]) ||
      !StreamReadByte(stream, &switches[1]) || !StreamReadByte(stream, &switches[2])) {
    *why = u"the colour or the switches are cut short";
    return false;
  }
  m->selfIllumination = values[0];
  m->colour = RTFColorRGB{values[1], values[2], values[3], values[4]};
  m->visible = switches[0] ? 1 : 0;
  m->alpha = switches[1] ? 1 : 0;
  m->twoSided = switches[2] ? 1 : 0;
  for (uint32_t which = 0; which < kivo::material::kImageCount; ++which)
    if (!ReadImage(stream, which, &m->images[which], why)) return false;
  return true;
}

}  // namespace material
