#include "kivo/support/stream_values.h"

#include <bit>
#include <cstring>

#include "kivo/core_table.h"
#include "kivo/support/module_core.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/wide_string.h"

namespace kivo {

static_assert(std::endian::native == std::endian::little, "values are written in memory order");

namespace {

constexpr uint32_t kInstancePathUnits = 1024;

RTSuccess WriteBytes(RTInstance s, const void* data, uint32_t count, uint32_t* written = nullptr) {
  uint32_t moved = 0;
  const RTSuccess result = stream::Write(s, data, count, &moved);
  if (written) *written = moved;
  return result;
}

// Succeeds only when the call succeeds and every byte came.
bool ReadExactly(RTInstance s, void* data, uint32_t count) {
  uint32_t moved = 0;
  return stream::Read(s, data, count, &moved) && moved == count;
}

// A stored length is trusted only as far as the stream holds its units: a count beyond the
// remaining bytes (or beyond `maxUnits`) is refused before anything is allocated.
template <class Unit>
RTSuccess ReadText(RTInstance s, uint64_t maxUnits, Unit** text) {
  uint32_t length = 0;
  if (!StreamReadUInt(s, &length)) return kRTFailure;
  *text = nullptr;
  if (length == 0) return kRTSuccess;
  const uint64_t bytes = (uint64_t{length} + 1) * sizeof(Unit);
  uint32_t remaining = 0;
  if (length > maxUnits || !stream::Remaining(s, &remaining) || bytes > remaining) return kRTFailure;
  void* block = nullptr;
  if (!ModuleCore()->ArrayAlloc(nullptr, sizeof(Unit), length + 1, &block, 0)) return kRTFailure;
  if (!ReadExactly(s, block, static_cast<uint32_t>(bytes))) {
    ModuleCore()->ArrayFree(nullptr, block);
    return kRTFailure;
  }
  *text = static_cast<Unit*>(block);
  (*text)[length] = 0;  // the stored terminator is not trusted
  return kRTSuccess;
}

template <size_t N>
RTSuccess WriteFloats(RTInstance s, const float (&values)[N]) {
  for (float v : values)
    if (!StreamWriteFloat(s, v)) return kRTFailure;
  return kRTSuccess;
}

}  // namespace

RTSuccess StreamWriteUInt(RTInstance s, uint32_t value) { return WriteBytes(s, &value, 4); }

RTSuccess StreamReadUInt(RTInstance s, uint32_t* value) {
  uint32_t word = 0;
  if (!ReadExactly(s, &word, 4)) return kRTFailure;
  *value = word;
  return kRTSuccess;
}

RTSuccess StreamReadUIntUnchecked(RTInstance s, uint32_t* value) {
  uint32_t word = 0;
  StreamReadUInt(s, &word);
  *value = word;
  return kRTSuccess;
}

RTSuccess StreamWriteBytes(RTInstance s, const void* data, uint32_t count) {
  uint32_t written = 0;
  return WriteBytes(s, data, count, &written) && written == count ? kRTSuccess : kRTFailure;
}

RTSuccess StreamReadBytes(RTInstance s, void* data, uint32_t count) {
  return ReadExactly(s, data, count) ? kRTSuccess : kRTFailure;
}

RTSuccess StreamWriteByte(RTInstance s, uint32_t value) {
  const auto byte = static_cast<uint8_t>(value);
  uint32_t written = 0;
  return WriteBytes(s, &byte, 1, &written) && written == 1 ? kRTSuccess : kRTFailure;
}

RTSuccess StreamReadByte(RTInstance s, uint32_t* value) {
  uint8_t byte = 0;
  if (!ReadExactly(s, &byte, 1)) return kRTFailure;
  *value = byte;
  return kRTSuccess;
}

RTSuccess StreamWriteUInt8(RTInstance s, uint32_t value) { return StreamWriteByte(s, value); }

RTSuccess StreamReadUInt8(RTInstance s, uint8_t* value) { return ReadExactly(s, value, 1) ? kRTSuccess : kRTFailure; }

RTSuccess StreamWriteFloat(RTInstance s, float value) { return WriteBytes(s, &value, 4); }

// A short read fails: a truncated stream must not pass for a float.
RTSuccess StreamReadFloat(RTInstance s, float* value) { return ReadExactly(s, value, 4) ? kRTSuccess : kRTFailure; }

RTSuccess StreamWriteVector(RTInstance s, const RTFVector3D& v) { return WriteFloats(s, {v.x, v.y, v.z}); }

RTSuccess StreamReadVector(RTInstance s, RTFVector3D* v) {
  return StreamReadFloat(s, &v->x) && StreamReadFloat(s, &v->y) && StreamReadFloat(s, &v->z) ? kRTSuccess
                                                                                             : kRTFailure;
}

RTSuccess StreamWriteColor(RTInstance s, const RTFColorRGB& c) { return WriteFloats(s, {c.r, c.g, c.b}); }

RTSuccess StreamReadColor(RTInstance s, RTFColorRGB* c) {
  return StreamReadFloat(s, &c->r) && StreamReadFloat(s, &c->g) && StreamReadFloat(s, &c->b) ? kRTSuccess
                                                                                             : kRTFailure;
}

RTSuccess StreamWriteVector2D(RTInstance s, const RTFVector2D& v) { return WriteFloats(s, {v.x, v.y}); }

RTSuccess StreamReadVector2D(RTInstance s, RTFVector2D* v) {
  return StreamReadFloat(s, &v->x) && StreamReadFloat(s, &v->y) ? kRTSuccess : kRTFailure;
}

RTSuccess StreamWriteMatrix4(RTInstance s, const RTFMatrix4x4& m) {
  for (int column = 0; column < 4; ++column)
    for (int row = 0; row < 4; ++row)
      if (!StreamWriteFloat(s, m.m[row][column])) return kRTFailure;
  return kRTSuccess;
}

RTSuccess StreamReadMatrix4(RTInstance s, RTFMatrix4x4* m) {
  for (int column = 0; column < 4; ++column)
    for (int row = 0; row < 4; ++row)
      if (!StreamReadFloat(s, &m->m[row][column])) return kRTFailure;
  return kRTSuccess;
}

RTSuccess StreamWriteWString(RTInstance s, const char16_t* text) {
  const auto length = static_cast<uint32_t>(WideStrLen(text));
  if (!StreamWriteUInt(s, length)) return kRTFailure;
  if (length == 0) return kRTSuccess;
  return WriteBytes(s, text, (length + 1) * sizeof(char16_t));
}

RTSuccess StreamReadWString(RTInstance s, char16_t** text) { return ReadText(s, UINT32_MAX - 1, text); }

RTSuccess StreamReadWStringBounded(RTInstance s, uint32_t maxUnits, char16_t** text) {
  return ReadText(s, maxUnits, text);
}

RTSuccess StreamReadNarrowString(RTInstance s, char** text) { return ReadText(s, UINT32_MAX - 1, text); }

RTSuccess StreamWriteInstanceRef(RTInstance s, RTInstance instance) {
  if (!instance) return StreamWriteWString(s, nullptr);
  char16_t path[kInstancePathUnits];
  if (!ModuleCore()->GetInstancePath(nullptr, instance, path, kInstancePathUnits)) return kRTFailure;
  return StreamWriteWString(s, path);
}

RTSuccess StreamReadInstanceRef(RTInstance s, RTInstance* instance) {
  char16_t* path = nullptr;
  if (!StreamReadWStringBounded(s, kInstancePathUnits - 1, &path)) return kRTFailure;
  if (!path) {
    *instance = nullptr;
    return kRTSuccess;
  }
  const RTSuccess found = ModuleCore()->GetInstanceByName(nullptr, path, instance, 0);
  ModuleCore()->ArrayFree(nullptr, path);
  return found;
}

RTSuccess StreamWriteStreamCopy(RTInstance destination, RTInstance source) {
  if (!destination || !source) return kRTFailure;
  uint32_t position = 0;
  uint32_t size = 0;
  uint32_t copied = 0;
  if (!stream::GetPosition(source, &position) || !stream::Seek(source, 0) || !stream::GetSize(source, &size) ||
      !StreamWriteUInt(destination, size) || !stream::WriteFromStream(destination, source, size, &copied) ||
      !stream::Seek(source, position))
    return kRTFailure;
  return copied == size ? kRTSuccess : kRTFailure;
}

RTSuccess StreamHolds(RTInstance s, uint64_t bytes) {
  uint32_t remaining = 0;
  return !stream::Remaining(s, &remaining) || bytes <= remaining ? kRTSuccess : kRTFailure;
}

RTSuccess StreamReadVersion(RTInstance s, uint32_t newest, uint32_t* version) {
  uint32_t stored = 0;
  if (!StreamReadUInt(s, &stored) || stored > newest) return kRTFailure;
  *version = stored;
  return kRTSuccess;
}

}  // namespace kivo
