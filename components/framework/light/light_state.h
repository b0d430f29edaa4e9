// What every light keeps (on the RTLight level, read by its derived classes) and the shading each
// class gives (light_calls.h tells the sums).
#pragma once

#include <cmath>

#include "kivo/light/light_calls.h"

namespace kivo::light {

struct LightState {
  RTFColorRGB colour{1.0f, 1.0f, 1.0f, 1.0f};
  float range = 10.0f;
  float penumbra = 0.5235988f;  // 30 degrees
  float umbra = 0.7853982f;     // 45 degrees

  // A range above 0; the penumbra inside the umbra: 0 <= penumbra <= umbra <= pi.
  bool RangeValid() const { return range > 0.0f && std::isfinite(range); }
  bool ConeValid() const { return penumbra >= 0.0f && penumbra <= umbra && umbra <= 3.14159265f; }
};

inline constexpr uint32_t kStateWord = kLevel + 8;

LightState* StateOf(RTInstance light);

// Each adds the light's part to the colours of `count` vertices; lightToObject places the light in
// the vertices' space.
void ShadeDirectional(const LightState& light, const RTFMatrix4x4& lightToObject, uint32_t count,
                      const RTFVector3D* vertices, const RTFVector3D* normals, RTFColorRGB* colours);
void ShadePoint(const LightState& light, const RTFMatrix4x4& lightToObject, uint32_t count,
                const RTFVector3D* vertices, const RTFVector3D* normals, RTFColorRGB* colours);
void ShadeSpot(const LightState& light, const RTFMatrix4x4& lightToObject, uint32_t count,
               const RTFVector3D* vertices, const RTFVector3D* normals, RTFColorRGB* colours);

// The LightVertices method of a class that shades with `shade`.
template <void (*Shade)(const LightState&, const RTFMatrix4x4&, uint32_t, const RTFVector3D*, const RTFVector3D*,
                        RTFColorRGB*)>
RTSuccess LightVerticesWith(RTInstance self, const RTFMatrix4x4* lightToObject, uint32_t count,
                            const RTFVector3D* vertices, const RTFVector3D* normals, RTFColorRGB* colours) {
  const LightState* light = StateOf(self);
  if (!light || !lightToObject || (count && (!vertices || !normals || !colours))) return kRTFailure;
  Shade(*light, *lightToObject, count, vertices, normals, colours);
  return kRTSuccess;
}

}  // namespace kivo::light
