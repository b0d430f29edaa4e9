// The per-vertex colours a mesh draws with, lit on the processor by the lights of the frame.
#pragma once

#include "kivo/scene/frame_information.h"
#include "kivo/scene/poly_model_calls.h"

namespace kivo::mesh {

// Every colour := the frame's ambient colour (alpha 1), plus, when the mesh has a normal for each vertex
// and its node's inverse world matrix is known (non-null), what each of the frame's lights adds;
// then times the colour multiplier, each component clamped into [0, 1]. A mesh without normals
// is thus coloured as one that no light reaches.
void LightVertexColours(PolyModelState& state, const RTSceneNodeEntityFrameInformation& frame,
                        const RTFMatrix4x4* inverseWorld);

}  // namespace kivo::mesh
