// Calls on the stream classes: the RTStream level (every stream), RTMemoryStream and
// RTBrellinFileStream. Every byte the system persists moves through these.
#pragma once

#include "kivo/slots.h"
#include "kivo/types.h"

namespace kivo::stream {

inline constexpr MethodSlot<> kClose{0x00};
inline constexpr MethodSlot<const void*, uint32_t, uint32_t*> kWrite{0x04};
inline constexpr MethodSlot<RTInstance, uint32_t, uint32_t*> kWriteFromStream{0x08};
inline constexpr MethodSlot<void*, uint32_t, uint32_t*> kRead{0x0C};
inline constexpr MethodSlot<uint32_t> kSeek{0x10};
inline constexpr MethodSlot<uint32_t*> kGetPosition{0x14};
inline constexpr MethodSlot<uint32_t*> kGetSize{0x18};
inline constexpr MethodSlot<> kFlush{0x1C};
inline constexpr uint32_t kLevel = 0x14;  // word 5 of every stream object

RTSuccess Close(RTInstance stream);
RTSuccess Write(RTInstance stream, const void* data, uint32_t count, uint32_t* written);
// Copies `count` bytes from the source's current position.
RTSuccess WriteFromStream(RTInstance stream, RTInstance source, uint32_t count, uint32_t* copied);
// Fewer bytes than asked come at the end of the data.
RTSuccess Read(RTInstance stream, void* data, uint32_t count, uint32_t* read);
RTSuccess Seek(RTInstance stream, uint32_t position);
RTSuccess GetPosition(RTInstance stream, uint32_t* position);
RTSuccess GetSize(RTInstance stream, uint32_t* size);
RTSuccess Flush(RTInstance stream);

// Bytes between the stream's position and its end; fails when the stream cannot tell.
RTSuccess Remaining(RTInstance stream, uint32_t* bytes);

}  // namespace kivo::stream

namespace kivo::memory_stream {

inline constexpr MethodSlot<uint32_t> kOpen{0x00};
inline constexpr MethodSlot<> kClose{0x04};
inline constexpr MethodSlot<const uint8_t**> kGetBuffer{0x08};
inline constexpr MethodSlot<uint32_t, const uint8_t**> kReadPointer{0x0C};
inline constexpr MethodSlot<uint32_t> kSeek{0x10};
inline constexpr MethodSlot<uint32_t*> kGetPosition{0x14};
inline constexpr MethodSlot<uint32_t*> kGetSize{0x18};
inline constexpr uint32_t kLevel = 0x28;  // word 10
inline constexpr uint32_t kObjectSize = 0x34;  // published bytes: a derived level starts here
// Open modes: both give an empty, readable and writable stream (the mesh's writer opens with 2).
inline constexpr uint32_t kEmptyReadWrite = 2;
inline constexpr uint32_t kReadWrite = 3;

RTSuccess Open(RTInstance stream, uint32_t mode);
// The stream's bytes (valid until the next write).
RTSuccess GetBuffer(RTInstance stream, const uint8_t** data);
// The next `count` bytes, advancing past them; fails when fewer remain.
RTSuccess ReadPointer(RTInstance stream, uint32_t count, const uint8_t** data);

// A new, empty, open memory stream (unnamed, under Root), or failure.
RTSuccess Create(RTInstance* out);
// A new memory stream as Create makes it, holding a copy of `count` bytes and positioned at its
// start; on failure none is left.
RTSuccess CreateWith(const void* data, uint32_t count, RTInstance* out);

}  // namespace kivo::memory_stream

namespace kivo::file_stream {

inline constexpr MethodSlot<const char16_t*, uint32_t> kOpen{0x00};
inline constexpr MethodSlot<> kClose{0x04};
inline constexpr uint32_t kLevel = 0x28;  // word 10
inline constexpr uint32_t kReadExisting = 1;
inline constexpr uint32_t kWriteNew = 2;

RTSuccess Open(RTInstance stream, const char16_t* path, uint32_t mode);

}  // namespace kivo::file_stream
