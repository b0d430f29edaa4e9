#include "particle_drawing.h"

#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/scene/scene_node_calls.h"

namespace kivo::particles {

namespace r = kivo::rasterizer;

void DrawQuads(RTInstance rasterizer, RTInstance cameraNode, std::span<const Quad> quads, uint32_t texture,
               bool additive) {
  const RTFMatrix4x4* camera = nullptr;
  if (quads.empty() || !cameraNode || !scene_node::GetWorldMatrix(cameraNode, &camera)) return;
  const float* side = camera->m[0];
  const float* up = camera->m[1];
  r::EnableLighting(rasterizer, 0);
  r::EnableCulling(rasterizer, 0);
  r::EnableDepthTest(rasterizer, 1);
  r::EnableDepthWrite(rasterizer, 0);
  r::EnableBlending(rasterizer, 1);
  r::SetBlendFunc(rasterizer, r::kSourceAlpha, additive ? r::kOne : r::kOneMinusSourceAlpha);
  r::SelectTextureUnit(rasterizer, 0);
  r::EnableTexturing(rasterizer, texture ? 1 : 0);
  if (texture) r::BindTexture(rasterizer, texture);
  r::BeginPrimitive(rasterizer, r::kBatchQuads);
  static constexpr float kCorners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
  for (const Quad& quad : quads) {
    const float half = quad.size * 0.5f;
    r::SetColorRGBA(rasterizer, quad.colour.r, quad.colour.g, quad.colour.b, quad.colour.a);
    for (const auto& corner : kCorners) {
      const float s = corner[0] * half, u = corner[1] * half;
      r::TexCoord(rasterizer, 0, (corner[0] + 1) * 0.5f, (corner[1] + 1) * 0.5f);
      r::Vertex3(rasterizer, quad.centre.x + side[0] * s + up[0] * u, quad.centre.y + side[1] * s + up[1] * u,
                 quad.centre.z + side[2] * s + up[2] * u);
    }
  }
  r::EndPrimitive(rasterizer);
  r::EnableTexturing(rasterizer, 0);
  r::EnableBlending(rasterizer, 0);
  r::EnableDepthWrite(rasterizer, 1);
  r::EnableCulling(rasterizer, 1);
}

}  // namespace kivo::particles
