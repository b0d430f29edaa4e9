// Stored data (class RTStoredData): bytes of a file kept in a memory stream, as an RTImage keeps
// an image, for readers that take a file's bytes from the instance store (the game's particle
// effect files, "Root:FX:NAME.peffect"). Its stream form is RTImage's (version 1, u32 count, the
// bytes); kivopack fills one from a description.
#pragma once

#include "kivo/image/image_calls.h"

namespace kivo::stored_data {

inline constexpr char16_t kClassName[] = u"RTStoredData";
inline constexpr uint32_t kStreamVersion = 1;

inline constexpr MethodSlot<const uint8_t**, uint32_t*> kGetData{0x0};
inline constexpr uint32_t kLevel = memory_stream::kObjectSize;
inline constexpr uint32_t kOwnTable = kLevel + 4;
inline constexpr uint32_t kObjectSize = kLevel + 8;

// The bytes (null and 0 for none), valid until the data changes.
inline RTSuccess GetData(RTInstance d, const uint8_t** bytes, uint32_t* size) {
  return CallMethod(d, kLevel, kGetData, bytes, size);
}

}  // namespace kivo::stored_data
