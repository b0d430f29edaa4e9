// Stream contents for tests: bytes written by hand, field by field, in the little-endian wire
// form, and memory streams that hold or hand back such bytes (through a started core).
#pragma once

#include <cstdint>
#include <string>

#include "kivo/support/instance_ref.h"
#include "kivo/types.h"

namespace tesk::testing {

class StreamBytes {
 public:
  StreamBytes& U32(uint32_t value);
  StreamBytes& F32(float value);
  StreamBytes& U8(uint8_t value);
  // The wide-string form: u32 length, then the units and a terminator (nothing more when empty).
  StreamBytes& Wide(const std::u16string& text);
  StreamBytes& Raw(const std::string& bytes);
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// A new memory stream holding the bytes, at position 0 (null on failure).
kivo::InstanceRef MemoryStreamWith(const std::string& bytes);
// Everything a memory stream holds, or "<no stream>".
std::string MemoryStreamBytes(RTInstance stream);

}  // namespace tesk::testing
