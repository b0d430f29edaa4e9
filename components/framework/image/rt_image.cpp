// RTImage: an encoded image kept in a memory stream (see image_calls.h).
//
// Stream form, all little-endian:
//   u32 version        1; a newer version is refused
//   u32 n              the image's bytes
//   n bytes            the encoded image, as the rasterizer decodes it
// The count is checked against the bytes left before anything is kept; a damaged stream is
// refused whole and the image keeps what it held.
#include <vector>

#include "kivo/image/image_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_values.h"

namespace {

using namespace kivo;

constexpr uint32_t kLevel = memory_stream::kObjectSize;
constexpr bool kOverrides = true;

RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream) {
  uint32_t size = 0;
  const uint8_t* bytes = nullptr;
  if (!component::IsWholeStage(stage) || !stream::GetSize(self, &size) || !memory_stream::GetBuffer(self, &bytes))
    return kRTFailure;
  return StreamWriteUInt(stream, image::kStreamVersion) && StreamWriteUInt(stream, size) &&
                 StreamWriteBytes(stream, bytes, size)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream) {
  if (!component::IsWholeStage(stage)) return kRTFailure;
  uint32_t version = 0;
  uint32_t size = 0;
  std::vector<uint8_t> bytes;
  const bool read = StreamReadVersion(stream, image::kStreamVersion, &version) && StreamReadUInt(stream, &size) &&
                    StreamHolds(stream, size) && (bytes.resize(size), StreamReadBytes(stream, bytes.data(), size));
  if (!read) {
    RaiseFormatted(kLevelError, u"RTImage::StreamIn(): the image's stream is damaged; the image is left as it was");
    return kRTFailure;
  }
  uint32_t written = 0;
  return memory_stream::Open(self, memory_stream::kReadWrite) &&
                 stream::Write(self, bytes.data(), size, &written) && written == size && stream::Seek(self, 0)
             ? kRTSuccess
             : kRTFailure;
}

RTMethodRecord gMethods[] = {
    Method(u"StreamOut", StreamOut, OverrideAt(component::kStreamOut, 0x0), u"RTSuccess", u"uint aStage, RTInstance ahStream", kOverrides),
    Method(u"StreamIn", StreamIn, OverrideAt(component::kStreamIn, 0x4), u"RTSuccess", u"uint aStage, RTInstance ahStream", kOverrides),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = image::kClassName,
    .parentClassName = u"RTMemoryStream",
    .description = u"An encoded image kept in a memory stream",
    .objectSize = kLevel + 8,
    .slotTableSize = 0x8,
    .firstSlotTableOffset = kLevel,
    .secondSlotTableOffset = kLevel + 4,
    .methods = gMethods,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
