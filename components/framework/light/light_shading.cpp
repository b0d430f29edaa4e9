#include <algorithm>
#include <cmath>

#include "kivo/support/component_kit.h"
#include "kivo/support/vector.h"
#include "light_state.h"

namespace kivo::light {

namespace {

RTFVector3D Row(const RTFMatrix4x4& m, int row) { return RTFVector3D{m.m[row][0], m.m[row][1], m.m[row][2], 0.0f}; }

float Dot(const RTFVector3D& a, const RTFVector3D& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

float Length(const RTFVector3D& v) { return std::sqrt(Dot(v, v)); }

void Add(const RTFColorRGB& colour, float amount, RTFColorRGB* to) {
  to->r += colour.r * amount;
  to->g += colour.g * amount;
  to->b += colour.b * amount;
}

// The part of a light at `position` for each vertex, with its falloff and, for a spot, its cone.
template <class Cone>
void ShadeFrom(const LightState& light, const RTFVector3D& position, uint32_t count, const RTFVector3D* vertices,
               const RTFVector3D* normals, RTFColorRGB* colours, Cone cone) {
  for (uint32_t i = 0; i < count; ++i) {
    const RTFVector3D toLight{position.x - vertices[i].x, position.y - vertices[i].y, position.z - vertices[i].z, 0};
    const float distance = Length(toLight);
    if (distance <= 0.0f) continue;
    const RTFVector3D unit = Vec3Scale(toLight, 1.0f / distance);
    const float falloff = std::max(0.0f, 1.0f - distance / light.range) * cone(unit);
    Add(light.colour, std::max(0.0f, Dot(normals[i], unit)) * falloff, &colours[i]);
  }
}

}  // namespace

LightState* StateOf(RTInstance light) { return StateIn<LightState>(light, kStateWord); }

void ShadeDirectional(const LightState& light, const RTFMatrix4x4& lightToObject, uint32_t count,
                      const RTFVector3D*, const RTFVector3D* normals, RTFColorRGB* colours) {
  RTFVector3D toLight = Row(lightToObject, 2);
  const float length = Length(toLight);
  if (length <= 0.0f) return;
  toLight = Vec3Scale(toLight, 1.0f / length);
  for (uint32_t i = 0; i < count; ++i) Add(light.colour, std::max(0.0f, Dot(normals[i], toLight)), &colours[i]);
}

void ShadePoint(const LightState& light, const RTFMatrix4x4& lightToObject, uint32_t count,
                const RTFVector3D* vertices, const RTFVector3D* normals, RTFColorRGB* colours) {
  ShadeFrom(light, Row(lightToObject, 3), count, vertices, normals, colours, [](const RTFVector3D&) { return 1.0f; });
}

void ShadeSpot(const LightState& light, const RTFMatrix4x4& lightToObject, uint32_t count,
               const RTFVector3D* vertices, const RTFVector3D* normals, RTFColorRGB* colours) {
  RTFVector3D back = Row(lightToObject, 2);  // the light shines along its negation
  const float length = Length(back);
  if (length <= 0.0f) return;
  back = Vec3Scale(back, 1.0f / length);
  const float outer = std::cos(light.umbra * 0.5f);
  const float inner = std::cos(light.penumbra * 0.5f);
  ShadeFrom(light, Row(lightToObject, 3), count, vertices, normals, colours, [&](const RTFVector3D& toLight) {
    const float cosine = Dot(back, toLight);  // the cosine between the shining way and light-to-vertex
    if (inner <= outer) return cosine >= outer ? 1.0f : 0.0f;
    return std::clamp((cosine - outer) / (inner - outer), 0.0f, 1.0f);
  });
}

}  // namespace kivo::light
