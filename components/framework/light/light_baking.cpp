#include "light_baking.h"

#include <algorithm>

#include "kivo/support/module_core.h"
#include "kivo/support/vector.h"
#include "light_state.h"

namespace kivo::light_baking {

namespace {

// The surface's unit normal, out of its front.
RTFVector3D FrontOf(const ::Lightmap& lightmap) {
  RTFVector3D normal{};
  Vec3Cross(lightmap.rowStep, lightmap.columnStep, &normal);
  Vec3Normalize(&normal);
  return normal;
}

RTFVector3D Row(const RTFMatrix4x4& m, int row) { return RTFVector3D{m.m[row][0], m.m[row][1], m.m[row][2], 0.0f}; }

}  // namespace

RTSuccess ReachesLightmap(RTInstance self, const RTFMatrix4x4* lightWorld, const ::Lightmap* lightmap,
                          uint32_t* reaches) {
  const light::LightState* light = light::StateOf(self);
  if (!light || !lightWorld || !lightmap || !reaches) return kRTFailure;
  const RTFVector3D front = FrontOf(*lightmap);
  if (!ModuleCore()->IsKindOfByName(nullptr, self, light::kPointLightClass)) {
    *reaches = Vec3Dot(front, Row(*lightWorld, 2)) > 0.0f ? 1 : 0;
    return kRTSuccess;
  }
  const RTFVector3D position = Row(*lightWorld, 3);
  const RTFVector3D offset{position.x - lightmap->origin.x, position.y - lightmap->origin.y,
                           position.z - lightmap->origin.z, 0.0f};
  const float distance = Vec3Dot(front, offset);
  *reaches = distance > 0.0f && distance < light->range ? 1 : 0;
  return kRTSuccess;
}

RTSuccess ColourAtPoint(RTInstance self, const RTFMatrix4x4* lightWorld, const RTFVector3D* point,
                        const ::Lightmap* lightmap, float* red, float* green, float* blue) {
  if (!lightWorld || !point || !lightmap || !red || !green || !blue) return kRTFailure;
  const RTFVector3D front = FrontOf(*lightmap);
  RTFColorRGB colour{};
  // Through the instance's own slot, so that its class's shading answers.
  if (!light::LightVertices(self, lightWorld, 1, point, &front, &colour)) return kRTFailure;
  *red = std::clamp(colour.r, 0.0f, 1.0f);
  *green = std::clamp(colour.g, 0.0f, 1.0f);
  *blue = std::clamp(colour.b, 0.0f, 1.0f);
  return kRTSuccess;
}

}  // namespace kivo::light_baking
