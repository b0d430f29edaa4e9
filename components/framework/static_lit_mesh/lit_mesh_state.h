// What a static-lit mesh keeps beside its mesh: its lightmaps, each with the surface it lights.
#pragma once

#include <vector>

#include "kivo/static_lit_mesh/static_lit_mesh_calls.h"

namespace kivo::static_lit_mesh {

// The surface a lightmap lights and what draws it.
struct LitSurface {
  uint32_t group = 0;
  std::vector<uint32_t> corners;    // three of the mesh's vertex indices per triangle
  std::vector<uint32_t> texels;     // stride x bufferRows
  std::vector<RTFVector2D> uvs;     // one per mesh vertex: where it lies on the lightmap
  rasterizer::Texture texture = 0;  // made from the texels at the first draw after lighting
};

// The lightmaps in group order: record i belongs to surface i, its texels the surface's.
struct Lightmaps {
  float stepScale = 0.0f;
  std::vector<::Lightmap> records;
  std::vector<LitSurface> surfaces;
};

struct StaticLitState {
  float resolution = 0.15f;  // for the next CreateLightmaps
  bool lit = false;          // lighting is done: the mesh draws with its lightmaps
  bool enabled = true;       // switched on: a lit mesh draws with its lightmaps
  Lightmaps lightmaps;
};

StaticLitState* StateOf(RTInstance mesh);

// Points each record at its surface's texels and works out the surfaces' texture coordinates over
// the mesh's vertices.
void Connect(Lightmaps& lightmaps, const PolyModelState& mesh);

// Gives a surface's texture, or every texture, back through the rasterizer (null: they went with
// it); they are made again at the next draw.
void DropTexture(LitSurface& surface, RTInstance rasterizer);
void DropTextures(Lightmaps& lightmaps, RTInstance rasterizer);

}  // namespace kivo::static_lit_mesh
