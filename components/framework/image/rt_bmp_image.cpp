// RTBMPImage: an RTImage that decodes its bytes into pixels (see image_calls.h). Its stream form is
// RTImage's, read through that level's own table; the bytes read must decode, else the image is
// put back as it was.
#include <cstring>
#include <string>
#include <vector>

#include "image_decode.h"
#include "kivo/image/image_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/layered_stream.h"
#include "kivo/support/raise.h"

namespace {

using namespace kivo;
namespace slot = kivo::bmp_image;

constexpr uint32_t kStateWord = slot::kObjectSize - 4;
constexpr bool kOverrides = true;
constexpr ParentStream kParentStream{image::kOwnTable, image::kStreamIn, image::kStreamOut};

struct Pixels {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> rgb;  // the top row first
};

Pixels* StateOf(RTInstance self) { return StateIn<Pixels>(self, kStateWord); }

RTSuccess Construct(RTInstance self) { return MakeState<Pixels>(self, kStateWord) ? kRTSuccess : kRTFailure; }

RTSuccess Destroy(RTInstance self) {
  EndState<Pixels>(self, kStateWord);
  return kRTSuccess;
}

// The pixels of the stream's bytes from its position on (the position is kept); false with the
// reason.
bool Decode(RTInstance stream, Pixels* out, std::string* why) {
  rasterizer::Image image;
  if (!rasterizer::DecodeImageStream(stream, &image, why)) return false;
  if (image.width > slot::kMaxSide || image.height > slot::kMaxSide) {
    *why = "is larger than 8192 pixels a side";
    return false;
  }
  out->width = image.width;
  out->height = image.height;
  out->rgb.resize(size_t{image.width} * image.height * 3);
  for (uint32_t row = 0; row < image.height; ++row) {
    const uint8_t* from = image.rgba.data() + size_t{image.height - 1 - row} * image.width * 4;
    uint8_t* to = out->rgb.data() + size_t{row} * image.width * 3;
    for (uint32_t x = 0; x < image.width; ++x) std::memcpy(to + x * 3, from + x * 4, 3);
  }
  return true;
}

RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream) {
  Pixels* pixels = StateOf(self);
  if (!pixels) return kRTFailure;
  return StreamInAfterParent(self, kParentStream, stage, stream, [&] {
    Pixels decoded;
    std::string why;
    if (!Decode(self, &decoded, &why)) {
      RaiseFormatted(kLevelError, u"RTBMPImage::StreamIn(): the image %s; the image is left as it was", why.c_str());
      return false;
    }
    *pixels = std::move(decoded);
    return true;
  });
}

RTSuccess Load(RTInstance self, RTInstance stream) {
  Pixels* pixels = StateOf(self);
  if (!pixels || !stream) return kRTFailure;
  Pixels decoded;
  std::string why;
  uint32_t start = 0, size = 0, read = 0, written = 0;
  if (!Decode(stream, &decoded, &why)) {
    RaiseFormatted(kLevelError, u"RTBMPImage::Load(): the image %s; the image is left as it was", why.c_str());
    return kRTFailure;
  }
  if (!stream::GetPosition(stream, &start) || !stream::Remaining(stream, &size)) return kRTFailure;
  std::vector<uint8_t> bytes(size);
  const bool copied = stream::Read(stream, bytes.data(), size, &read) && read == size &&
                      memory_stream::Open(self, memory_stream::kReadWrite) &&
                      stream::Write(self, bytes.data(), size, &written) && written == size && stream::Seek(self, 0);
  stream::Seek(stream, start);
  if (!copied) return kRTFailure;
  *pixels = std::move(decoded);
  return kRTSuccess;
}

RTSuccess GetPixels(RTInstance self, const uint8_t** rgb, uint32_t* width, uint32_t* height) {
  const Pixels* pixels = StateOf(self);
  if (!pixels || !rgb || !width || !height || pixels->rgb.empty()) return kRTFailure;
  *rgb = pixels->rgb.data();
  *width = pixels->width;
  *height = pixels->height;
  return kRTSuccess;
}

RTMethodRecord gMethods[] = {
    Method(u"StreamIn", StreamIn, slot::kStreamIn, u"RTSuccess", u"uint aStage, RTInstance ahStream",
           kOverrides),
    Method(u"Load", Load, slot::kLoad, u"RTSuccess", u"RTInstance ahStream"),
    Method(u"GetPixels", GetPixels, slot::kGetPixels, u"RTSuccess",
           u"void* out oppPixels, uint out opWidth, uint out opHeight"),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = image::kClassName,
    .description = u"An image that gives its pixels",
    .objectSize = slot::kObjectSize,
    .slotTableSize = slot::kSlotTableSize,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kOwnTable,
    .methods = gMethods,
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
