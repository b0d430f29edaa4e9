#include "kept_bytes.h"

#include <vector>

#include "kivo/support/component_calls.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_values.h"

namespace kivo {

RTSuccess WriteKeptBytes(RTInstance self, uint32_t stage, RTInstance stream, uint32_t version) {
  uint32_t size = 0;
  const uint8_t* bytes = nullptr;
  if (!component::IsWholeStage(stage) || !stream::GetSize(self, &size) || !memory_stream::GetBuffer(self, &bytes))
    return kRTFailure;
  return StreamWriteUInt(stream, version) && StreamWriteUInt(stream, size) && StreamWriteBytes(stream, bytes, size)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess ReadKeptBytes(RTInstance self, uint32_t stage, RTInstance stream, uint32_t version,
                        const char16_t* className, const char16_t* kept) {
  if (!component::IsWholeStage(stage)) return kRTFailure;
  uint32_t read = 0;
  uint32_t size = 0;
  std::vector<uint8_t> bytes;
  const bool whole = StreamReadVersion(stream, version, &read) && StreamReadUInt(stream, &size) &&
                     StreamHolds(stream, size) && (bytes.resize(size), StreamReadBytes(stream, bytes.data(), size));
  if (!whole) {
    RaiseFormatted(kLevelError, u"%s::StreamIn(): the %s's stream is damaged; the %s is left as it was", className,
                   kept, kept);
    return kRTFailure;
  }
  uint32_t written = 0;
  return memory_stream::Open(self, memory_stream::kReadWrite) &&
                 stream::Write(self, bytes.data(), size, &written) && written == size && stream::Seek(self, 0)
             ? kRTSuccess
             : kRTFailure;
}

}  // namespace kivo
