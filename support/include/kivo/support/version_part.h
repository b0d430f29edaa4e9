// The stream part and stage count of a class level that keeps no state of its own (RTEditable,
// RTRenderable): one stage, and a u32 version alone; a newer version is refused with a message
// that names the class.
#pragma once

#include "kivo/support/raise.h"
#include "kivo/support/stream_values.h"

namespace kivo {

inline RTSuccess SingleStageCount(uint32_t* count) {
  if (!count) return kRTFailure;
  *count = 1;
  return kRTSuccess;
}

inline RTSuccess ReadVersionPart(RTInstance stream, uint32_t newest, const char16_t* className) {
  uint32_t version = 0;
  if (StreamReadVersion(stream, newest, &version)) return kRTSuccess;
  RaiseFormatted(kLevelError, u"%s::StreamIn(): the stream holds no version of %u or older", className, newest);
  return kRTFailure;
}

}  // namespace kivo
