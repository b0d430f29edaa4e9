// RTPolyModel::ProcessFrame: the mesh drawn for one scene node through the fixed-function path.
//
// The first mesh of the process loads vertex and fragment programs (program_loading.h), but every
// construction selects the fixed-function path, so that is the only path drawn: the NV and ARB
// program paths are not built.
#include "kivo/material/material_calls.h"
#include "kivo/scene/mesh_texture.h"
#include "kivo/scene/scene_node_calls.h"
#include "mesh_state.h"
#include "overlays.h"
#include "poly_model_methods.h"
#include "vertex_lighting.h"

namespace kivo::mesh {

namespace {

namespace r = kivo::rasterizer;

// Draws the strips and lists of a group with its material's switches; an invisible material
// draws nothing. False when its diffuse texture cannot be had.
bool DrawGroup(RTInstance rasterizer, const PolyModelState& state, const MaterialGroup& group) {
  RTInstance material = group.material;
  RTBool visible = 0, twoSided = 0;
  if (!material::IsVisible(material, &visible) || !visible) return true;
  material::IsTwoSided(material, &twoSided);
  r::EnableCulling(rasterizer, twoSided ? 0 : 1);
  float selfIllumination = 0.0f;
  material::GetSelfIllumination(material, &selfIllumination);
  if (selfIllumination > material::kSelfLitAbove) {
    r::EnableColorArray(rasterizer, 0);
    r::SetColorRGBA(rasterizer, 1.0f, 1.0f, 1.0f, 1.0f);
  } else {
    r::EnableColorArray(rasterizer, 1);
  }
  if (!poly_model::SetGroupTexture(rasterizer, state, material)) return false;
  if (group.stripCount) r::DrawStrips(rasterizer, group.strips, group.stripCount);
  for (uint32_t i = 0; i < group.listCount; ++i) r::DrawPrimitive(rasterizer, group.lists[i]);
  return true;
}

// The groups of the stage: opaque ones in the normal stage, those with alpha, blended, in the
// deferred stage; groups streamed in without primitives never. False when a diffuse texture
// cannot be had (the groups after it are not drawn).
bool DrawGroups(RTInstance rasterizer, const PolyModelState& state, bool deferred) {
  for (uint32_t i = 0; state.groups && i < state.materialCount; ++i) {
    const MaterialGroup& group = state.groups[i];
    if (group.empty || (group.hasAlpha != 0) != deferred) continue;
    if (deferred) {
      r::EnableBlending(rasterizer, 1);
      r::SetBlendFunc(rasterizer, r::kSourceAlpha, r::kOneMinusSourceAlpha);
    }
    if (!DrawGroup(rasterizer, state, group)) return false;
  }
  return true;
}

}  // namespace

RTSuccess ProcessFrame(RTInstance self, uint32_t, const RTSceneNodeEntityFrameInformation* frame) {
  PolyModelState* state = StateOf(self);
  if (!state || !frame) return kRTFailure;
  if (state->vertexCount == 0) return kRTSuccess;
  const RTFMatrix4x4* world = nullptr;
  if (!scene_node::GetWorldMatrix(frame->node, &world)) return kRTFailure;
  // Stays null when the node's placement has no inverse: the lights cannot be placed in the
  // mesh's space then.
  const RTFMatrix4x4* inverseWorld = nullptr;
  scene_node::GetInverseWorldMatrix(frame->node, &inverseWorld);

  RTInstance rasterizer = frame->rasterizer;
  r::PushWorldMatrix(rasterizer, world);
  r::SetVertexArray(rasterizer, state->vertices, state->vertexCount);
  r::EnableColorArray(rasterizer, 0);
  r::SelectTextureUnit(rasterizer, 1);
  r::EnableTexturing(rasterizer, 0);
  r::EnableTexCoordArray(rasterizer, 0);
  r::SelectTextureUnit(rasterizer, 0);
  r::EnableTexturing(rasterizer, 0);
  r::SetColorFromArray(rasterizer, &frame->ambient.r);

  LightVertexColours(*state, *frame, inverseWorld);
  r::SetColorArray(rasterizer, state->colors, state->colorCount);
  r::EnableColorArray(rasterizer, 1);

  // The state is put back on every path, also when a group's texture fails.
  const bool drawn = DrawGroups(rasterizer, *state, frame->deferred != 0);
  r::PopWorldMatrix(rasterizer);
  r::EnableTexturing(rasterizer, 0);
  r::EnableColorArray(rasterizer, 0);
  r::EnableBlending(rasterizer, 0);
  if (!drawn) return kRTFailure;
  DrawOverlays(self, *state, *frame, *world);
  return kRTSuccess;
}

}  // namespace kivo::mesh
