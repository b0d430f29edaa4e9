// What a light answers a lightmap baker: whether it reaches a lightmap's surface and what it adds
// at a point of it (light_calls.h).
#pragma once

#include "kivo/light/light_calls.h"

namespace kivo::light_baking {

RTSuccess ReachesLightmap(RTInstance self, const RTFMatrix4x4* lightWorld, const ::Lightmap* lightmap,
                          uint32_t* reaches);
RTSuccess ColourAtPoint(RTInstance self, const RTFMatrix4x4* lightWorld, const RTFVector3D* point,
                        const ::Lightmap* lightmap, float* red, float* green, float* blue);

}  // namespace kivo::light_baking
