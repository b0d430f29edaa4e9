// Scalar loops: on x86-64 every processor has SSE, and only the results are fixed, which these
// loops give exactly.
#include "vertex_lighting.h"

#include <algorithm>

#include "kivo/light/light_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/matrix.h"

namespace kivo::mesh {

namespace {

// Adds the light of the light node's entity (none: nothing) to the colours. The light works in
// the mesh's space: lightToObject = the light node's world matrix x the mesh node's inverse.
void AddLight(RTInstance lightNode, const RTFMatrix4x4& inverseWorld, PolyModelState& state) {
  InstanceRef light;
  const RTFMatrix4x4* lightWorld = nullptr;
  if (!scene_node::GetEntity(lightNode, light.out()) || !light.get() ||
      !scene_node::GetWorldMatrix(lightNode, &lightWorld))
    return;
  RTFMatrix4x4 lightToObject;
  Mat4Multiply(*lightWorld, inverseWorld, &lightToObject);
  light::LightVertices(light.get(), &lightToObject, state.vertexCount, state.vertices, state.normals, state.colors);
}

float Clamped(float value) { return std::clamp(value, 0.0f, 1.0f); }

}  // namespace

void LightVertexColours(PolyModelState& state, const RTSceneNodeEntityFrameInformation& frame,
                        const RTFMatrix4x4* inverseWorld) {
  // Light colours r, g and b only: a vertex starts opaque and the multiplier's alpha fades it (the
  // ambient's alpha, 0 in every frame record, would hide every translucent group).
  const RTFColorRGB ambient{frame.ambient.r, frame.ambient.g, frame.ambient.b, 1.0f};
  std::fill_n(state.colors, state.colorCount, ambient);
  const bool hasNormals = state.normals && state.normalCount >= state.vertexCount;
  if (hasNormals && inverseWorld && frame.lights)
    for (uint32_t i = 0; i < frame.lightCount; ++i) AddLight(frame.lights[i], *inverseWorld, state);
  const RTFColorRGB& m = state.colorMultiplier;
  for (uint32_t i = 0; i < state.colorCount; ++i) {
    RTFColorRGB& c = state.colors[i];
    c = RTFColorRGB{Clamped(c.r * m.r), Clamped(c.g * m.g), Clamped(c.b * m.b), Clamped(c.a * m.a)};
  }
}

}  // namespace kivo::mesh
