// RTStream: the stream interface, its level at word 5 of every stream object. A plain RTStream
// holds no data: reads, writes and seeks fail. Derived streams override them; WriteFromStream
// works for every stream through the source's Read and this stream's Write.
#include <algorithm>

#include "kivo/support/component_kit.h"
#include "kivo/support/stream_calls.h"

namespace {

using namespace kivo;

constexpr uint32_t kCopyChunk = 64 * 1024;

RTSuccess Close(RTInstance) { return kRTSuccess; }
RTSuccess Write(RTInstance, const void*, uint32_t, uint32_t* written) {
  if (written) *written = 0;
  return kRTFailure;
}
RTSuccess Read(RTInstance, void*, uint32_t, uint32_t* read) {
  if (read) *read = 0;
  return kRTFailure;
}
RTSuccess Seek(RTInstance, uint32_t) { return kRTFailure; }
RTSuccess GetPosition(RTInstance, uint32_t*) { return kRTFailure; }
RTSuccess GetSize(RTInstance, uint32_t*) { return kRTFailure; }
RTSuccess Flush(RTInstance) { return kRTSuccess; }

RTSuccess WriteFromStream(RTInstance self, RTInstance source, uint32_t count, uint32_t* copied) {
  if (copied) *copied = 0;
  if (!source) return kRTFailure;
  static uint8_t chunk[kCopyChunk];
  uint32_t total = 0;
  while (total < count) {
    uint32_t read = 0;
    uint32_t written = 0;
    if (!stream::Read(source, chunk, std::min(kCopyChunk, count - total), &read)) return kRTFailure;
    if (read == 0) break;
    if (!stream::Write(self, chunk, read, &written) || written != read) return kRTFailure;
    total += read;
    if (copied) *copied = total;
  }
  return kRTSuccess;
}

RTMethodRecord gMethods[] = {
    Method(u"Close", Close, stream::kClose, u"RTSuccess", u""),
    Method(u"Write", Write, stream::kWrite, u"RTSuccess", u"ubyte[] apBuffer, uint anBytes, uint out opWritten"),
    Method(u"WriteFromStream", WriteFromStream, stream::kWriteFromStream, u"RTSuccess",
           u"RTInstance ahSource, uint anBytes, uint out opCopied"),
    Method(u"Read", Read, stream::kRead, u"RTSuccess", u"ubyte[] apBuffer, uint anBytes, uint out opRead"),
    Method(u"Seek", Seek, stream::kSeek, u"RTSuccess", u"uint anPosition"),
    Method(u"GetPosition", GetPosition, stream::kGetPosition, u"RTSuccess", u"uint out opPosition"),
    Method(u"GetSize", GetSize, stream::kGetSize, u"RTSuccess", u"uint out opSize"),
    Method(u"Flush", Flush, stream::kFlush, u"RTSuccess", u""),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = u"RTStream",
    .parentClassName = u"RTComponent",
    .description = u"The stream interface",
    .objectSize = 0x28,
    .slotTableSize = 0x20,
    .firstSlotTableOffset = stream::kLevel,
    .secondSlotTableOffset = stream::kLevel + 4,
    .methods = gMethods,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
