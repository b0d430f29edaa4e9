// The mesh's stream writer: RTRenderable's part straight into the target, then the mesh's body
// (the format is set out at the top of the reader, mesh_stream_read.cpp), built in a temporary
// memory stream and copied over whole. A mesh without shadow geometry cleans its geometry first,
// so that the body always holds it. Every write is checked; the memory stream is released on
// every path.
#include <bit>
#include <iterator>
#include <vector>

#include "kivo/support/component_calls.h"
#include "kivo/support/parent_call.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_values.h"
#include "mesh_state.h"
#include "poly_model_methods.h"

namespace kivo::mesh {

namespace {

namespace r = kivo::rasterizer;

constexpr uint32_t kNoPlanes = 0;

// Four-byte values in one write.
template <class Value>
bool WriteAll(RTInstance stream, const std::vector<Value>& values) {
  static_assert(sizeof(Value) == 4);
  return values.empty() || StreamWriteBytes(stream, values.data(), static_cast<uint32_t>(values.size() * 4));
}

// The count, then x, y and z of each vector.
bool WriteVectors(RTInstance stream, const RTFVector3D* vectors, uint32_t count) {
  std::vector<float> floats;
  floats.reserve(size_t{count} * 3);
  for (uint32_t i = 0; i < count; ++i) floats.insert(floats.end(), {vectors[i].x, vectors[i].y, vectors[i].z});
  return StreamWriteUInt(stream, count) && WriteAll(stream, floats);
}

bool WritePrimitives(RTInstance stream, RTInstance rasterizer, RTPrimitive* const* primitives, uint32_t count) {
  if (!StreamWriteUInt(stream, count)) return false;
  for (uint32_t i = 0; i < count; ++i)
    if (!r::WritePrimitive(rasterizer, stream, primitives[i])) return false;
  return true;
}

// Fields 1 to 6: the version, vertices, planes, texture coordinates, materials and groups.
bool WriteSurface(const PolyModelState& state, RTInstance body, RTInstance rasterizer) {
  if (!StreamWriteUInt(body, poly_model::kStreamVersion) || !WriteVectors(body, state.vertices, state.vertexCount) ||
      !StreamWriteUInt(body, kNoPlanes) || !StreamWriteUInt(body, state.uvLayerMask))
    return false;
  for (uint32_t layer = 0; layer < kUVLayerCount; ++layer) {
    if (!(state.uvLayerMask & (1u << layer))) continue;
    const UVLayer& uv = state.uvLayers[layer];
    if (!StreamWriteUInt(body, uv.count) ||
        (uv.count && !StreamWriteBytes(body, uv.coordinates, uv.count * static_cast<uint32_t>(sizeof(RTFVector2D)))))
      return false;
  }
  if (!StreamWriteUInt(body, state.materialCount)) return false;
  for (uint32_t i = 0; i < state.materialCount; ++i)
    if (!StreamWriteInstanceRef(body, state.materials[i])) return false;
  for (uint32_t g = 0; g < state.materialCount; ++g) {
    const MaterialGroup& group = state.groups[g];
    if (!StreamWriteUInt(body, 0) || !WritePrimitives(body, rasterizer, group.strips, group.stripCount) ||
        !WritePrimitives(body, rasterizer, group.lists, group.listCount) || !StreamWriteByte(body, group.hasAlpha))
      return false;
  }
  return true;
}

// Fields 7 and 8: normals, tangents and the shadow geometry.
bool WriteShading(const PolyModelState& state, RTInstance body, RTInstance rasterizer) {
  if (!WriteVectors(body, state.normals, state.normalCount) ||
      !WriteVectors(body, state.tangents, state.tangentCount) || !StreamWriteUInt(body, state.triangleCount))
    return false;
  std::vector<uint32_t> words;  // the corners, then the plane's floats as their bits
  words.reserve(size_t{state.triangleCount} * 7);
  for (uint32_t t = 0; t < state.triangleCount; ++t) {
    const RTPolyModelTriangle& triangle = state.triangles[t];
    const Plane& plane = triangle.plane;
    words.insert(words.end(), std::begin(triangle.corners), std::end(triangle.corners));
    for (float value : {plane.normal.x, plane.normal.y, plane.normal.z, plane.d})
      words.push_back(std::bit_cast<uint32_t>(value));
  }
  return WriteAll(body, words) && r::WritePrimitive(rasterizer, body, state.flatTriangles);
}

}  // namespace

RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream) {
  PolyModelState* state = StateOf(self);
  if (!state || !state->groups || !component::IsWholeStage(stage)) return kRTFailure;
  InstanceRef rasterizer = TakeRasterizer();
  InstanceRef body;
  if (!rasterizer.get() || !CallParentMethod(self, renderable::kOwnTable, renderable::kStreamOut, stage, stream) ||
      !ModuleCore()->CreateInstanceByString(nullptr, u"RTMemoryStream", body.out(), 0, 1) ||
      !memory_stream::Open(body.get(), memory_stream::kEmptyReadWrite) ||
      !WriteSurface(*state, body.get(), rasterizer.get()) ||
      (!state->flatTriangles && !CallMethod(self, poly_model::kLevel, poly_model::kCleanGeometry)) ||
      !WriteShading(*state, body.get(), rasterizer.get()))
    return kRTFailure;
  uint32_t size = 0;
  uint32_t copied = 0;
  if (!stream::GetSize(body.get(), &size) || !stream::Seek(body.get(), 0)) return kRTFailure;
  if (!stream::WriteFromStream(stream, body.get(), size, &copied) || copied != size) {
    ModuleCore()->RaiseError(nullptr, u"[RTBrellinRoom] Unable to stream out temporary memory stream.", kLevelError);
    return kRTFailure;
  }
  return kRTSuccess;
}

}  // namespace kivo::mesh
