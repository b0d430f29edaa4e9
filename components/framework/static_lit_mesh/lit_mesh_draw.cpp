#include "lit_mesh_draw.h"

#include <algorithm>

#include "kivo/material/material_calls.h"
#include "kivo/scene/mesh_texture.h"
#include "kivo/scene/scene_node_calls.h"

namespace kivo::static_lit_mesh {

namespace {

namespace r = kivo::rasterizer;

// The texels' colours as RGB rows from the top, the last buffer row first, so that buffer row j
// lies at (j + 0.5) / bufferRows up the texture.
bool MakeTexture(RTInstance rasterizer, const ::Lightmap& map, LitSurface& surface) {
  std::vector<uint8_t> pixels(size_t{map.stride} * map.bufferRows * 3);
  for (uint32_t row = 0; row < map.bufferRows; ++row)
    for (uint32_t column = 0; column < map.stride; ++column) {
      const uint32_t texel = surface.texels[size_t{map.bufferRows - 1 - row} * map.stride + column];
      uint8_t* pixel = &pixels[(size_t{row} * map.stride + column) * 3];
      for (int channel = 0; channel < 3; ++channel) pixel[channel] = static_cast<uint8_t>(texel >> (8 * channel));
    }
  return r::CreateTextureFromPixels(rasterizer, pixels.data(), r::kPixelsRgb, map.stride, map.bufferRows,
                                    &surface.texture, r::kClampToEdge, r::kClampToEdge, r::kLinear, r::kLinear, 0);
}

bool InStage(const MaterialGroup& group, bool deferred) { return !group.empty && (group.hasAlpha != 0) == deferred; }

// One surface with its material's switches and its lightmap; an invisible material draws nothing.
bool DrawSurface(RTInstance rasterizer, const PolyModelState& mesh, const MaterialGroup& group,
                 const LitSurface& surface) {
  RTBool visible = 0, twoSided = 0;
  if (!material::IsVisible(group.material, &visible) || !visible) return true;
  material::IsTwoSided(group.material, &twoSided);
  r::EnableCulling(rasterizer, twoSided ? 0 : 1);
  if (!poly_model::SetGroupTexture(rasterizer, mesh, group.material)) return false;
  r::SelectTextureUnit(rasterizer, 1);
  r::BindTexture(rasterizer, surface.texture);
  r::EnableTexCoordArray(rasterizer, 1);
  r::SetTexCoordArray(rasterizer, surface.uvs.data(), static_cast<uint32_t>(surface.uvs.size()));
  r::EnableTexturing(rasterizer, 1);
  r::SelectTextureUnit(rasterizer, 0);
  r::DrawIndexedTriangles(rasterizer, static_cast<uint32_t>(surface.corners.size() / 3), surface.corners.data());
  return true;
}

void PutBack(RTInstance rasterizer) {
  r::SelectTextureUnit(rasterizer, 1);
  r::EnableTexturing(rasterizer, 0);
  r::EnableTexCoordArray(rasterizer, 0);
  r::SelectTextureUnit(rasterizer, 0);
  r::EnableTexturing(rasterizer, 0);
  r::EnableTexCoordArray(rasterizer, 0);
  r::EnableBlending(rasterizer, 0);
  r::PopWorldMatrix(rasterizer);
}

}  // namespace

bool DrawsLit(const StaticLitState& state, const PolyModelState& mesh) {
  const std::vector<LitSurface>& surfaces = state.lightmaps.surfaces;
  return state.lit && state.enabled && !surfaces.empty() && mesh.vertexCount > 0 &&
         std::all_of(surfaces.begin(), surfaces.end(), [&](const LitSurface& s) {
           return s.uvs.size() == mesh.vertexCount && s.group < mesh.materialCount;
         });
}

bool DrawLit(StaticLitState& state, const PolyModelState& mesh, const RTSceneNodeEntityFrameInformation& frame) {
  const RTFMatrix4x4* world = nullptr;
  if (!scene_node::GetWorldMatrix(frame.node, &world)) return false;
  RTInstance rasterizer = frame.rasterizer;
  Lightmaps& lightmaps = state.lightmaps;
  for (size_t i = 0; i < lightmaps.surfaces.size(); ++i)
    if (!lightmaps.surfaces[i].texture && !MakeTexture(rasterizer, lightmaps.records[i], lightmaps.surfaces[i]))
      return false;

  r::PushWorldMatrix(rasterizer, world);
  r::SetVertexArray(rasterizer, mesh.vertices, mesh.vertexCount);
  r::EnableColorArray(rasterizer, 0);
  const RTFColorRGB& m = mesh.colorMultiplier;
  auto clamped = [](float value) { return std::clamp(value, 0.0f, 1.0f); };
  r::SetColorRGBA(rasterizer, clamped(m.r), clamped(m.g), clamped(m.b), clamped(m.a));
  const bool deferred = frame.deferred != 0;
  if (deferred) {
    r::EnableBlending(rasterizer, 1);
    r::SetBlendFunc(rasterizer, r::kSourceAlpha, r::kOneMinusSourceAlpha);
  }
  bool drawn = true;
  for (const LitSurface& surface : lightmaps.surfaces) {
    const MaterialGroup& group = mesh.groups[surface.group];
    if (InStage(group, deferred) && !DrawSurface(rasterizer, mesh, group, surface)) {
      drawn = false;
      break;
    }
  }
  PutBack(rasterizer);
  return drawn;
}

}  // namespace kivo::static_lit_mesh
