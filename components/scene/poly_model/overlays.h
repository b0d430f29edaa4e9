// The debug overlays a mesh draws after itself: its normals, its tangents and its bounding box.
#pragma once

#include "kivo/scene/frame_information.h"
#include "kivo/scene/poly_model_calls.h"

namespace kivo::mesh {

// Lines in the mesh's own space, drawn under its node's world matrix: a red line along each
// vertex normal and a green one along each tangent (of the mesh's normal length, for the
// vertices that have one) when the mesh displays them, and the bounding box in white when the
// frame asks for bounds. Draws nothing when none is asked for.
void DrawOverlays(RTInstance self, const PolyModelState& state, const RTSceneNodeEntityFrameInformation& frame,
                  const RTFMatrix4x4& world);

}  // namespace kivo::mesh
