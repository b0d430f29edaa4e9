// The stream form of a class that keeps bytes in its memory stream (RTImage, RTStoredData), all
// little-endian:
//   u32 version        the class's; a newer version is refused
//   u32 n              the bytes kept
//   n bytes            the bytes
// The count is checked against the bytes left before anything is kept; a damaged stream is
// refused whole, with a message naming the class and what it keeps ("image"), and the instance
// keeps what it held.
#pragma once

#include <cstdint>

#include "kivo/types.h"

namespace kivo {

RTSuccess WriteKeptBytes(RTInstance self, uint32_t stage, RTInstance stream, uint32_t version);
RTSuccess ReadKeptBytes(RTInstance self, uint32_t stage, RTInstance stream, uint32_t version,
                        const char16_t* className, const char16_t* kept);

}  // namespace kivo
