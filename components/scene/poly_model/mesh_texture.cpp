#include "kivo/scene/mesh_texture.h"

#include "kivo/material/material_calls.h"

namespace kivo::poly_model {

namespace r = kivo::rasterizer;

bool SetGroupTexture(RTInstance rasterizer, const PolyModelState& state, RTInstance material) {
  uint32_t flags = 0;
  material::GetTextureFlags(material, &flags);
  const bool diffuse = flags & material::kDiffuseTextureFlag;
  const UVLayer& uv = state.uvLayers[0];
  if (diffuse && uv.count >= state.vertexCount) {
    material::Texture texture = 0;
    if (!material::GetDiffuseTexture(material, &texture)) return false;
    r::SelectTextureUnit(rasterizer, 0);
    r::BindTexture(rasterizer, texture);
    r::EnableTexCoordArray(rasterizer, 1);
    r::SetTexCoordArray(rasterizer, uv.coordinates, uv.count);
    r::EnableTexturing(rasterizer, 1);
  } else if (flags == 0 || diffuse) {
    r::SelectTextureUnit(rasterizer, 0);
    r::EnableTexCoordArray(rasterizer, 0);
    r::EnableTexturing(rasterizer, 0);
  }
  return true;
}

}  // namespace kivo::poly_model
