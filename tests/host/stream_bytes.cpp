#include "host/stream_bytes.h"

#include <cstring>

#include "kivo/support/stream_calls.h"

namespace tesk::testing {

StreamBytes& StreamBytes::U32(uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  return *this;
}

StreamBytes& StreamBytes::F32(float value) {
  uint32_t bits = 0;
  std::memcpy(&bits, &value, 4);
  return U32(bits);
}

StreamBytes& StreamBytes::U8(uint8_t value) {
  bytes_.push_back(static_cast<char>(value));
  return *this;
}

StreamBytes& StreamBytes::Wide(const std::u16string& text) {
  U32(static_cast<uint32_t>(text.size()));
  if (text.empty()) return *this;
  for (char16_t unit : text + u'\0') {
    U8(static_cast<uint8_t>(unit & 0xFF));
    U8(static_cast<uint8_t>(unit >> 8));
  }
  return *this;
}

StreamBytes& StreamBytes::Raw(const std::string& bytes) {
  bytes_ += bytes;
  return *this;
}

kivo::InstanceRef MemoryStreamWith(const std::string& bytes) {
  kivo::InstanceRef stream;
  kivo::memory_stream::CreateWith(bytes.data(), static_cast<uint32_t>(bytes.size()), stream.out());
  return stream;
}

std::string MemoryStreamBytes(RTInstance stream) {
  uint32_t size = 0;
  const uint8_t* data = nullptr;
  if (!kivo::stream::GetSize(stream, &size) || !kivo::memory_stream::GetBuffer(stream, &data)) return "<no stream>";
  return std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace tesk::testing
