// Primitive records: made, sized, checked, streamed and destroyed here; they need no window
// context. Records and index arrays come from the core allocator.
//
// Stream form of one primitive, little-endian:
//
//   u32 kind                 0x100 general list, 0x102 triangle strip, 0x104 triangle list
//   u32 material index
//   u32 count                triangles of a list; indices of a strip or a general list
//   u32 index x n            n = 3 x count for a list, count otherwise
//
// Reading refuses, with a message and nothing made: an unknown kind, a count whose indices the
// stream cannot hold or that passes the index limit, and a cut-off stream.
#include <algorithm>
#include <cstring>

#include "kivo/support/core_memory.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_values.h"
#include "op_runner.h"
#include "ops.h"

namespace rasterizer {

namespace {

namespace slot = kivo::rasterizer;

// No mesh comes near this; a larger count is damage, not data.
constexpr uint64_t kMaxIndices = uint64_t{1} << 24;

bool KnownKind(uint32_t kind) {
  return kind == slot::kGeneralList || kind == slot::kTriangleStrip || kind == slot::kTriangleList;
}

uint64_t IndicesFor(uint32_t kind, uint32_t count) {
  return kind == slot::kTriangleList ? uint64_t{count} * 3 : count;
}

template <class... Args>
bool Refuse(std::u16string_view format, const Args&... args) {
  kivo::RaiseFormatted(kivo::kLevelError, format, args...);
  return false;
}

void Free(RTPrimitive* primitive) {
  kivo::CoreFree(primitive->indices);
  kivo::CoreFree(primitive);
}

// A zeroed record of the kind, counted among the state's primitives.
RTPrimitive* Make(State& s, uint32_t kind) {
  auto* primitive = static_cast<RTPrimitive*>(kivo::CoreAlloc(sizeof(RTPrimitive)));
  if (!primitive) return nullptr;
  std::memset(primitive, 0, sizeof(RTPrimitive));
  primitive->kind = kind;
  primitive->serial = ++s.primitivesMade;
  s.primitives.insert(primitive);
  return primitive;
}

// Room for `indices`, keeping those there and zeroing the new ones.
bool Reserve(RTPrimitive* primitive, uint64_t indices) {
  if (indices > kMaxIndices) return false;
  if (indices <= primitive->capacity) return true;
  auto* grown = static_cast<uint32_t*>(kivo::CoreAlloc(indices * sizeof(uint32_t)));
  if (!grown) return false;
  std::fill(grown, grown + indices, 0u);
  if (primitive->indices) std::copy(primitive->indices, primitive->indices + primitive->capacity, grown);
  kivo::CoreFree(primitive->indices);
  primitive->indices = grown;
  primitive->capacity = static_cast<uint32_t>(indices);
  return true;
}

bool Known(const State& s, const RTPrimitive* primitive) { return primitive && s.primitives.count(primitive); }

bool Read(State& s, RTInstance stream, RTPrimitive** out) {
  if (!stream || !out) return false;
  *out = nullptr;
  uint32_t kind = 0;
  uint32_t material = 0;
  uint32_t count = 0;
  if (!kivo::StreamReadUInt(stream, &kind) || !kivo::StreamReadUInt(stream, &material) ||
      !kivo::StreamReadUInt(stream, &count))
    return Refuse(u"RTRasterizer::ReadPrimitive()... the stream ends inside the primitive's header");
  if (!KnownKind(kind)) return Refuse(u"RTRasterizer::ReadPrimitive()... unknown primitive kind 0x%X", kind);
  const uint64_t indices = IndicesFor(kind, count);
  uint32_t remaining = 0;
  if (indices > kMaxIndices || (kivo::stream::Remaining(stream, &remaining) && indices * 4 > remaining))
    return Refuse(u"RTRasterizer::ReadPrimitive()... a count of %u is more than the stream holds", count);
  RTPrimitive* primitive = Make(s, kind);
  if (!primitive || !Reserve(primitive, indices)) {
    if (primitive) {
      s.primitives.erase(primitive);
      Free(primitive);
    }
    return Refuse(u"RTRasterizer::ReadPrimitive()... no memory for %u indices", count);
  }
  uint32_t read = 0;
  const auto bytes = static_cast<uint32_t>(indices * sizeof(uint32_t));
  if (bytes && (!kivo::stream::Read(stream, primitive->indices, bytes, &read) || read != bytes)) {
    s.primitives.erase(primitive);
    Free(primitive);
    return Refuse(u"RTRasterizer::ReadPrimitive()... the stream ends inside the indices");
  }
  primitive->materialIndex = material;
  primitive->count = count;
  *out = primitive;
  return true;
}

bool Write(const State& s, RTInstance stream, const RTPrimitive* primitive) {
  if (!stream || !Known(s, primitive)) return false;
  const uint64_t indices = IndicesFor(primitive->kind, primitive->count);
  if (indices > primitive->capacity) return false;
  uint32_t written = 0;
  const auto bytes = static_cast<uint32_t>(indices * sizeof(uint32_t));
  return kivo::StreamWriteUInt(stream, primitive->kind) && kivo::StreamWriteUInt(stream, primitive->materialIndex) &&
         kivo::StreamWriteUInt(stream, primitive->count) &&
         (bytes == 0 || (kivo::stream::Write(stream, primitive->indices, bytes, &written) && written == bytes));
}

}  // namespace

RTSuccess CreatePrimitive(RTInstance self, uint32_t kind, RTPrimitive** out) {
  return Anytime(
      self, "CreatePrimitive",
      [&](State& s) {
        if (!out) return false;
        *out = KnownKind(kind) ? Make(s, kind) : nullptr;
        return *out != nullptr;
      },
      Hex{kind}, Out<RTPrimitive*>{out});
}

RTSuccess DestroyPrimitive(RTInstance self, RTPrimitive* primitive) {
  const State* state = StateOf(self);
  const uint32_t serial = state && Known(*state, primitive) ? primitive->serial : 0;
  return Anytime(
      self, "DestroyPrimitive",
      [&](State& s) {
        if (!Known(s, primitive)) return false;
        s.primitives.erase(primitive);
        s.reported.erase(primitive);
        Free(primitive);
        return true;
      },
      Later{[&](std::string& line) {
        if (!serial) {
          line += primitive ? "unknown primitive" : "null";
          return;
        }
        line += "primitive ";
        Append(line, serial);
      }});
}

RTSuccess RegisterPrimitive(RTInstance self, RTPrimitive* primitive) {
  return Anytime(
      self, "RegisterPrimitive",
      [&](State& s) {
        return Known(s, primitive) &&
               (primitive->kind == slot::kTriangleStrip || primitive->kind == slot::kTriangleList);
      },
      PrimitiveRef{StateOf(self), primitive});
}

RTSuccess ResizePrimitiveList(RTInstance self, RTPrimitive* primitive, uint32_t n) {
  return Anytime(
      self, "ResizePrimitiveList",
      [&](State& s) {
        if (!Known(s, primitive) || !Reserve(primitive, IndicesFor(primitive->kind, n))) return false;
        primitive->count = n;
        s.reported.erase(primitive);
        return true;
      },
      PrimitiveRef{StateOf(self), primitive}, n);
}

RTSuccess ReadPrimitive(RTInstance self, RTInstance stream, RTPrimitive** out) {
  return Anytime(
      self, "ReadPrimitive", [&](State& s) { return Read(s, stream, out); }, Named{stream ? "stream" : "null"},
      Out<RTPrimitive*>{out});
}

RTSuccess WritePrimitive(RTInstance self, RTInstance stream, const RTPrimitive* primitive) {
  return Anytime(
      self, "WritePrimitive", [&](State& s) { return Write(s, stream, primitive); },
      Named{stream ? "stream" : "null"}, PrimitiveRef{StateOf(self), primitive});
}

void DestroyAllPrimitives(State& state) {
  for (RTPrimitive* primitive : state.primitives) Free(primitive);
  state.primitives.clear();
  state.reported.clear();
}

}  // namespace rasterizer
