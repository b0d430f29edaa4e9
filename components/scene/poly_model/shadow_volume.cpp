// RTPolyModel::CastShadowVolume: the mesh's stencil shadow volume from a light, counted depth-pass.
//
// Each triangle is marked as facing the light or not; the edges between a facing and a turned-away
// triangle, and every open edge, are drawn as quads stretched away from the light, with colour and
// depth writes off, into the stencil buffer: once incrementing where the faces the eye enters
// through pass the depth test, once decrementing where the faces it leaves through do. A quad runs
// a to b along its lit triangle's winding, so the faces where the eye enters turn their back to
// it: the incrementing pass culls front faces (cull mode 2), the decrementing one back faces
// (mode 1). No caps are drawn; the far extrusion closes the volume.
//
// The states are put back at the end, but for the cull mode, which is left at 2: whoever casts
// shadows sets mode 1 again before drawing meshes.
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/matrix.h"
#include "kivo/support/vector.h"
#include "mesh_state.h"
#include "poly_model_methods.h"

namespace kivo::mesh {

namespace {

namespace r = kivo::rasterizer;

constexpr float kExtrusion = 1e6f;

// A point pushed away from the light, far beyond anything drawn.
RTFVector3D Far(const RTFVector3D& p, const RTFVector3D& light) {
  return RTFVector3D{p.x + (p.x - light.x) * kExtrusion, p.y + (p.y - light.y) * kExtrusion,
                     p.z + (p.z - light.z) * kExtrusion, 0.0f};
}

// The quad of the edge a-b: a, b, far(b), far(a) when its lit triangle runs a to b, else the
// other way round.
void EmitQuad(RTInstance rasterizer, const PolyModelState& state, const ShadowEdge& edge, bool litRunsAToB,
              const RTFVector3D& light) {
  const RTFVector3D& a = state.vertices[edge.a];
  const RTFVector3D& b = state.vertices[edge.b];
  const RTFVector3D& from = litRunsAToB ? a : b;
  const RTFVector3D& to = litRunsAToB ? b : a;
  const RTFVector3D farTo = Far(to, light);
  const RTFVector3D farFrom = Far(from, light);
  r::VertexVector(rasterizer, &from);
  r::VertexVector(rasterizer, &to);
  r::VertexVector(rasterizer, &farTo);
  r::VertexVector(rasterizer, &farFrom);
}

// The two counting passes over a set of edges: each a batch of quads, then the decrementing state.
template <class EmitAll>
void TwoPasses(RTInstance rasterizer, EmitAll emitAll) {
  for (int pass = 0; pass < 2; ++pass) {
    r::BeginPrimitive(rasterizer, r::kBatchQuads);
    emitAll();
    r::EndPrimitive(rasterizer);
    r::SetCullMode(rasterizer, r::kCullBack);
    r::SetStencilOp(rasterizer, r::kStencilKeep, r::kStencilKeep, r::kStencilDecrement);
  }
}

void MarkFacing(PolyModelState& state, const RTFVector3D& light) {
  for (uint32_t t = 0; t < state.triangleCount; ++t) {
    RTPolyModelTriangle& triangle = state.triangles[t];
    triangle.facing = Vec3Dot(triangle.plane.normal, light) - triangle.plane.d <= 0.0f ? 1 : 0;
  }
}

void SetCountingState(RTInstance rasterizer) {
  r::EnableCulling(rasterizer, 1);
  r::SetCullMode(rasterizer, r::kCullFront);
  r::SetColor(rasterizer, 1.0f, 1.0f, 0.0f);
  r::EnableStencilTest(rasterizer, 1);
  r::SetStencilFunc(rasterizer, r::kAlways, 0, r::kAllStencilBits);
  r::SetStencilMask(rasterizer, r::kAllStencilBits);
  r::EnableDepthWrite(rasterizer, 0);
  r::SetDepthFunc(rasterizer, r::kLess);
  r::SetColorMask(rasterizer, 0, 0, 0, 0);
  r::SetStencilOp(rasterizer, r::kStencilKeep, r::kStencilKeep, r::kStencilIncrement);
}

void RestoreState(RTInstance rasterizer) {
  r::SetCullMode(rasterizer, r::kCullFront);
  r::EnableStencilTest(rasterizer, 0);
  r::SetStencilFunc(rasterizer, r::kAlways, 0, r::kAllStencilBits);
  r::SetStencilOp(rasterizer, r::kStencilKeep, r::kStencilKeep, r::kStencilKeep);
  r::EnableDepthWrite(rasterizer, 1);
  r::SetColorMask(rasterizer, 1, 1, 1, 1);
  r::EndPrimitive(rasterizer);  // no batch is open: it does nothing
  r::SetLineWidth(rasterizer, 1.0f);
  r::PopWorldMatrix(rasterizer);
}

}  // namespace

RTSuccess CastShadowVolume(RTInstance self, const RTSceneNodeEntityFrameInformation* frame,
                           const RTFVector3D* lightPosition) {
  PolyModelState* state = StateOf(self);
  if (!state || !frame || !lightPosition) return kRTFailure;
  if (state->triangleCount == 0) poly_model::ComputeShadowGeometry(self);
  const RTFMatrix4x4* world = nullptr;
  const RTFMatrix4x4* inverse = nullptr;
  // Without an inverse the light has no place in the mesh's space: nothing is drawn.
  if (!scene_node::GetWorldMatrix(frame->node, &world) || !scene_node::GetInverseWorldMatrix(frame->node, &inverse))
    return kRTFailure;
  RTFVector3D light{};
  Mat4TransformPoint(*inverse, *lightPosition, &light);
  RTInstance rasterizer = frame->rasterizer;
  r::PushWorldMatrix(rasterizer, world);
  MarkFacing(*state, light);
  SetCountingState(rasterizer);

  const RTPolyModelTriangle* triangles = state->triangles;
  TwoPasses(rasterizer, [&] {
    for (uint32_t e = 0; e < state->sharedEdgeCount; ++e) {
      const ShadowEdge& edge = *state->sharedEdges[e];
      const uint32_t first = triangles[edge.firstTriangle].facing;
      const uint32_t second = triangles[edge.secondTriangle].facing;
      if (first != second) EmitQuad(rasterizer, *state, edge, first == 0, light);
    }
  });
  r::SetColor(rasterizer, 1.0f, 0.0f, 1.0f);
  r::SetCullMode(rasterizer, r::kCullFront);
  r::SetStencilOp(rasterizer, r::kStencilKeep, r::kStencilKeep, r::kStencilIncrement);
  TwoPasses(rasterizer, [&] {
    for (uint32_t e = 0; e < state->openEdgeCount; ++e) {
      const ShadowEdge& edge = *state->openEdges[e];
      EmitQuad(rasterizer, *state, edge, triangles[edge.firstTriangle].facing == 0, light);
    }
  });
  RestoreState(rasterizer);
  return kRTSuccess;
}

}  // namespace kivo::mesh
