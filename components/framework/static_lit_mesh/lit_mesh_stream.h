// The lightmaps part of a static-lit mesh's stream, after the mesh's part and the version word.
#pragma once

#include <string>

#include "lit_mesh_state.h"

namespace kivo::static_lit_mesh {

bool WriteLightmaps(RTInstance stream, const StaticLitState& state);

// Reads the part of a stream of `version` for the mesh as its own part left it (version 1 holds no
// lightmaps); false, with `why` saying what is wrong and the outputs untouched, for a damaged part.
bool ReadLightmaps(RTInstance stream, uint32_t version, const PolyModelState& mesh, Lightmaps* lightmaps, bool* lit,
                   std::u16string* why);

}  // namespace kivo::static_lit_mesh
