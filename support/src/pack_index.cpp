#include "kivo/support/pack_index.h"

#include <array>

#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_values.h"

namespace kivo {

namespace {

constexpr uint32_t kEntryBytes = 12;

constexpr std::array<uint32_t, 256> MakeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t crc = i << 24;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
    table[i] = crc;
  }
  return table;
}
constexpr auto kCrcTable = MakeCrcTable();

}  // namespace

uint32_t Crc32Mpeg2(std::span<const uint8_t> bytes, uint32_t crc) {
  for (const uint8_t byte : bytes) crc = (crc << 8) ^ kCrcTable[((crc >> 24) ^ byte) & 0xFF];
  return crc;
}

uint32_t PathKey(std::u16string_view path) {
  uint32_t crc = kCrcStart;
  for (char16_t unit : path) {
    const uint8_t bytes[] = {static_cast<uint8_t>(unit & 0xFF), static_cast<uint8_t>(unit >> 8)};
    crc = Crc32Mpeg2(bytes, crc);
  }
  return crc;
}

RTSuccess ReadPackIndex(RTInstance s, std::vector<PackEntry>* entries) {
  uint32_t length = 0;
  uint32_t remaining = 0;
  if (!StreamReadUInt(s, &length) || length % kEntryBytes != 0 || !stream::Remaining(s, &remaining) ||
      length > remaining)
    return kRTFailure;
  const uint32_t dataBytes = remaining - length;
  entries->clear();
  entries->reserve(length / kEntryBytes);
  for (uint32_t i = 0; i < length / kEntryBytes; ++i) {
    PackEntry entry{};
    if (!StreamReadUInt(s, &entry.key) || !StreamReadUInt(s, &entry.offset) || !StreamReadUInt(s, &entry.length) ||
        entry.offset > dataBytes || entry.length > dataBytes - entry.offset)
      return kRTFailure;
    entries->push_back(entry);
  }
  return kRTSuccess;
}

RTSuccess WritePackIndex(RTInstance s, const std::vector<PackEntry>& entries) {
  if (!StreamWriteUInt(s, static_cast<uint32_t>(entries.size() * kEntryBytes))) return kRTFailure;
  for (const PackEntry& entry : entries)
    if (!StreamWriteUInt(s, entry.key) || !StreamWriteUInt(s, entry.offset) || !StreamWriteUInt(s, entry.length))
      return kRTFailure;
  return kRTSuccess;
}

}  // namespace kivo
