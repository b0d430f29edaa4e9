// The wire form of every value that crosses a stream: little-endian, packed, written and read
// through the RTStream level of the stream instance. Helpers report no messages; the caller does.
//
// Persistent objects write a u32 version first (StreamWriteUInt) and read it back with
// StreamReadVersion, which refuses a version newer than the reader's.
#pragma once

#include <cstdint>

#include "kivo/support/math_types.h"
#include "kivo/types.h"

namespace kivo {

// u32: the write succeeds when the stream call does; the read also needs all 4 bytes.
RTSuccess StreamWriteUInt(RTInstance stream, uint32_t value);
RTSuccess StreamReadUInt(RTInstance stream, uint32_t* value);
// Always succeeds; a failed read hands out 0.
RTSuccess StreamReadUIntUnchecked(RTInstance stream, uint32_t* value);

// `count` bytes as they lie in memory (a record of little-endian values): the write succeeds when
// every byte went, the read only when every byte came.
RTSuccess StreamWriteBytes(RTInstance stream, const void* data, uint32_t count);
RTSuccess StreamReadBytes(RTInstance stream, void* data, uint32_t count);

// One byte (booleans, small codes); read back zero-extended, the out word untouched on failure.
RTSuccess StreamWriteByte(RTInstance stream, uint32_t value);
RTSuccess StreamReadByte(RTInstance stream, uint32_t* value);
RTSuccess StreamWriteUInt8(RTInstance stream, uint32_t value);
RTSuccess StreamReadUInt8(RTInstance stream, uint8_t* value);

// Floats succeed when the stream call does.
RTSuccess StreamWriteFloat(RTInstance stream, float value);
RTSuccess StreamReadFloat(RTInstance stream, float* value);
// x, y, z (r, g, b): the fourth float is neither written nor touched on reading.
RTSuccess StreamWriteVector(RTInstance stream, const RTFVector3D& value);
RTSuccess StreamReadVector(RTInstance stream, RTFVector3D* value);
RTSuccess StreamWriteColor(RTInstance stream, const RTFColorRGB& value);
RTSuccess StreamReadColor(RTInstance stream, RTFColorRGB* value);
RTSuccess StreamWriteVector2D(RTInstance stream, const RTFVector2D& value);
RTSuccess StreamReadVector2D(RTInstance stream, RTFVector2D* value);
// 16 floats column by column.
RTSuccess StreamWriteMatrix4(RTInstance stream, const RTFMatrix4x4& value);
RTSuccess StreamReadMatrix4(RTInstance stream, RTFMatrix4x4* value);

// u32 length n, then n + 1 units with the terminator; null and empty are the single u32 0 and
// read back as null. A read text is a core array block (free with ArrayFree or MemFree).
RTSuccess StreamWriteWString(RTInstance stream, const char16_t* text);
RTSuccess StreamReadWString(RTInstance stream, char16_t** text);
// As StreamReadWString, refusing a stored length above `maxUnits`.
RTSuccess StreamReadWStringBounded(RTInstance stream, uint32_t maxUnits, char16_t** text);
RTSuccess StreamReadNarrowString(RTInstance stream, char** text);

// An instance as its path (at most 1024 units); a null handle is the empty string. Reading looks
// the path up and hands out the instance with a reference.
RTSuccess StreamWriteInstanceRef(RTInstance stream, RTInstance instance);
RTSuccess StreamReadInstanceRef(RTInstance stream, RTInstance* instance);

// u32 size, then the whole source stream; the source keeps its position.
RTSuccess StreamWriteStreamCopy(RTInstance destination, RTInstance source);

// Whether `bytes` more can be read: 1 when the stream holds at least that many after its position,
// or cannot tell its size. Readers check a count against it before they allocate or loop, and a
// fixed-size part before they read it (the float readers do not notice a short read).
RTSuccess StreamHolds(RTInstance stream, uint64_t bytes);

// Reads a version word and refuses one newer than `newest`.
RTSuccess StreamReadVersion(RTInstance stream, uint32_t newest, uint32_t* version);

}  // namespace kivo
