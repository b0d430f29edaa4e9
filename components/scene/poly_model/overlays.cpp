#include "overlays.h"

#include <algorithm>

namespace kivo::mesh {

namespace {

namespace r = kivo::rasterizer;

// One line batch: from each vertex along its direction, `length` times the direction.
void DrawSpikes(RTInstance rasterizer, const PolyModelState& state, const RTFVector3D* directions, uint32_t count,
                float red, float green) {
  r::SetVertexColor(rasterizer, red, green, 0.0f);
  r::BeginPrimitive(rasterizer, r::kBatchLines);
  for (uint32_t i = 0; i < std::min(count, state.vertexCount); ++i) {
    const RTFVector3D& from = state.vertices[i];
    const RTFVector3D& d = directions[i];
    const float length = state.normalLength;
    r::VertexVector(rasterizer, &from);
    r::Vertex3(rasterizer, from.x + length * d.x, from.y + length * d.y, from.z + length * d.z);
  }
  r::EndPrimitive(rasterizer);
}

// The box's 12 edges as one line batch: each corner joined to the corners one axis further out.
void DrawBox(RTInstance rasterizer, const RTFVector3D& min, const RTFVector3D& max) {
  auto corner = [&](uint32_t bits) {
    return RTFVector3D{bits & 1 ? max.x : min.x, bits & 2 ? max.y : min.y, bits & 4 ? max.z : min.z, 0.0f};
  };
  r::SetColor(rasterizer, 1.0f, 1.0f, 1.0f);
  r::BeginPrimitive(rasterizer, r::kBatchLines);
  for (uint32_t from = 0; from < 8; ++from) {
    for (uint32_t axis = 1; axis < 8; axis <<= 1) {
      if (from & axis) continue;
      const RTFVector3D a = corner(from), b = corner(from | axis);
      r::Vertex3(rasterizer, a.x, a.y, a.z);
      r::Vertex3(rasterizer, b.x, b.y, b.z);
    }
  }
  r::EndPrimitive(rasterizer);
}

}  // namespace

void DrawOverlays(RTInstance self, const PolyModelState& state, const RTSceneNodeEntityFrameInformation& frame,
                  const RTFMatrix4x4& world) {
  if (!state.displayNormals && !state.displayTangents && !frame.showBounds) return;
  RTInstance rasterizer = frame.rasterizer;
  r::PushWorldMatrix(rasterizer, &world);
  if (state.displayNormals) DrawSpikes(rasterizer, state, state.normals, state.normalCount, 1.0f, 0.0f);
  if (state.displayTangents) DrawSpikes(rasterizer, state, state.tangents, state.tangentCount, 0.0f, 1.0f);
  RTFVector3D min{}, max{};
  // Through the mesh's own slot, so that a derived class's box answers.
  if (frame.showBounds && poly_model::GetBoundingBox(self, &min, &max)) DrawBox(rasterizer, min, max);
  r::PopWorldMatrix(rasterizer);
}

}  // namespace kivo::mesh
