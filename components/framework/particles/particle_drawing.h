// Particles drawn as quads that face the camera, in one immediate batch: depth test on, depth
// writes, lighting and face culling off, blended by alpha or added; the states are put back to
// those meshes draw in (depth writes on, blending and texturing off, culling on).
#pragma once

#include <cstdint>
#include <span>

#include "kivo/support/math_types.h"
#include "kivo/types.h"

namespace kivo::particles {

struct Quad {
  RTFVector3D centre;  // in the world
  float size;          // the side
  RTFColorRGB colour;
};

// `texture` 0 draws plain quads; `additive` adds instead of blending by alpha.
void DrawQuads(RTInstance rasterizer, RTInstance cameraNode, std::span<const Quad> quads, uint32_t texture,
               bool additive);

}  // namespace kivo::particles
