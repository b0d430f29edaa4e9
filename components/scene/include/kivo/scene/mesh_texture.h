// The texture state a mesh group draws with, shared by the mesh's draw and by the mesh classes
// that draw its groups in their own way.
#pragma once

#include "kivo/scene/poly_model_calls.h"

namespace kivo::poly_model {

// Texture unit 0 for a group of the mesh: the material's diffuse texture over UV layer 0 when it
// has one and the layer covers every vertex; untextured when it has no texture or the layer falls
// short; any other texture flags leave the state as it was. False when the diffuse texture cannot
// be had.
bool SetGroupTexture(RTInstance rasterizer, const PolyModelState& state, RTInstance material);

}  // namespace kivo::poly_model
