#include "lit_mesh_state.h"

#include "kivo/support/component_kit.h"
#include "kivo/support/vector.h"

namespace kivo::static_lit_mesh {

namespace {

// Where the point lies on the lightmap: texel centres at (i + 0.5) / stride across and
// (j + 0.5) / bufferRows up.
RTFVector2D LightmapPoint(const ::Lightmap& map, float stepScale, const RTFVector3D& point) {
  const RTFVector3D offset{point.x - map.origin.x, point.y - map.origin.y, point.z - map.origin.z, 0.0f};
  const float column = Vec3Dot(offset, map.rowStep) / (stepScale * Vec3Dot(map.rowStep, map.rowStep));
  const float row = Vec3Dot(offset, map.columnStep) / (stepScale * Vec3Dot(map.columnStep, map.columnStep));
  return RTFVector2D{(column + 0.5f) / static_cast<float>(map.stride),
                     (row + 0.5f) / static_cast<float>(map.bufferRows)};
}

}  // namespace

StaticLitState* StateOf(RTInstance mesh) { return StateIn<StaticLitState>(mesh, kStateWord); }

void Connect(Lightmaps& lightmaps, const PolyModelState& mesh) {
  for (size_t i = 0; i < lightmaps.records.size(); ++i) {
    ::Lightmap& record = lightmaps.records[i];
    LitSurface& surface = lightmaps.surfaces[i];
    record.texels = surface.texels.data();
    surface.uvs.assign(mesh.vertexCount, RTFVector2D{});
    for (uint32_t corner : surface.corners)
      if (corner < mesh.vertexCount)
        surface.uvs[corner] = LightmapPoint(record, lightmaps.stepScale, mesh.vertices[corner]);
  }
}

void DropTexture(LitSurface& surface, RTInstance rasterizer) {
  if (surface.texture && rasterizer) rasterizer::DestroyTexture(rasterizer, surface.texture);
  surface.texture = 0;
}

void DropTextures(Lightmaps& lightmaps, RTInstance rasterizer) {
  for (LitSurface& surface : lightmaps.surfaces) DropTexture(surface, rasterizer);
}

}  // namespace kivo::static_lit_mesh
