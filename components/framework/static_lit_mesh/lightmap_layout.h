// The lightmaps of a mesh laid out afresh: its surfaces found and each given a lightmap.
#pragma once

#include <string>

#include "lit_mesh_state.h"

namespace kivo::static_lit_mesh {

// A surface is the triangles of one group that lie in one plane and meet along edges (their
// vertices at the same positions). Its lightmap lies in that plane with a texel every `resolution`
// along two axes of it, from the corner where the surface's extent starts to the first texel at or
// past where it ends; its texels are 0. Degenerate triangles belong to no surface. False, with
// `why` saying so, when a triangle names no vertex or a surface would need more than
// kMaxLightmapSide texels a side.
bool LayOutLightmaps(const PolyModelState& mesh, float resolution, Lightmaps* out, std::u16string* why);

}  // namespace kivo::static_lit_mesh
