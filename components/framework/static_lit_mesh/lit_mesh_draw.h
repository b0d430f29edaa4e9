// A lit static mesh drawn with its lightmaps.
#pragma once

#include "kivo/scene/frame_information.h"
#include "lit_mesh_state.h"

namespace kivo::static_lit_mesh {

// Whether the lightmaps can draw the mesh as it stands: lighting is done and they were laid out
// over its present vertices.
bool DrawsLit(const StaticLitState& state, const PolyModelState& mesh);

// Draws every surface of the frame's stage (the groups with alpha in the deferred stage, blended,
// the others in the normal one) under the node's world matrix, in the mesh's colour multiplier:
// its material's diffuse texture on unit 0, its lightmap on unit 1. Textures of the lightmaps are
// made first where they are missing. False, with the rasterizer's state put back, when a texture
// cannot be made or had.
bool DrawLit(StaticLitState& state, const PolyModelState& mesh, const RTSceneNodeEntityFrameInformation& frame);

}  // namespace kivo::static_lit_mesh
