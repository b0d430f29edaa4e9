// The index of a tree stream and of a pack file: u32 L (the index length in bytes, 12 per entry),
// then L / 12 entries {path key, offset, record length}, then the data part, where each record is
// a stream header followed by its component data. Offsets count from the start of the data part.
// A path key is the CRC-32/MPEG-2 of the path's UTF-16 units as little-endian bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "kivo/types.h"

namespace kivo {

struct PackEntry {
  uint32_t key;
  uint32_t offset;
  uint32_t length;
};

// CRC-32/MPEG-2: polynomial 0x04C11DB7, initial value 0xFFFFFFFF, no reflection, no final XOR.
// `crc` carries a running value across calls.
inline constexpr uint32_t kCrcStart = 0xFFFFFFFFu;
uint32_t Crc32Mpeg2(std::span<const uint8_t> bytes, uint32_t crc = kCrcStart);
uint32_t PathKey(std::u16string_view path);

// Reads the index at the stream's position. Refuses an index length that is not a multiple of 12,
// one that runs past the stream, and entries whose records lie outside the data part. On success
// the stream stands at the start of the data part.
RTSuccess ReadPackIndex(RTInstance stream, std::vector<PackEntry>* entries);
RTSuccess WritePackIndex(RTInstance stream, const std::vector<PackEntry>& entries);

}  // namespace kivo
