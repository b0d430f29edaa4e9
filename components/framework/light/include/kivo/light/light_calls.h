// Calls on lights: RTLight (a directional light) and its classes RTInfDirLight (the same),
// RTPointLight (a light at a point, falling off with distance) and RTSpotLight (a point light in a
// cone). A light is the entity of a scene node; it shines along -z of its node, so a directional
// light's direction is the node's third axis negated, and a point or spot light stands at the
// node's position. Lights are RTRenderable entities that draw nothing.
//
// A light lights vertices on the processor: LightVertices adds, for each vertex,
//   colour x max(0, N . L) x falloff
// to its colour, where N is the vertex normal and L the unit vector from the vertex toward the
// light (for a directional light, the node's third axis), in the mesh's object space. The falloff
// is 1 for a directional light; max(0, 1 - d / range) for a point light at distance d; and for a
// spot light that times the cone factor clamp((cos a - cos(umbra / 2)) /
// (cos(penumbra / 2) - cos(umbra / 2)), 0, 1), a the angle between the light's direction and the
// way from the light to the vertex (full light inside the penumbra, none outside the umbra).
#pragma once

#include "kivo/scene/renderable_calls.h"
#include "kivo/static_lit_mesh/static_lit_mesh_calls.h"
#include "kivo/slots.h"
#include "kivo/support/math_types.h"

namespace kivo::light {

inline constexpr char16_t kClassName[] = u"RTLight";
inline constexpr char16_t kInfDirLightClass[] = u"RTInfDirLight";
inline constexpr char16_t kPointLightClass[] = u"RTPointLight";
inline constexpr char16_t kSpotLightClass[] = u"RTSpotLight";

inline constexpr MethodSlot<RTFColorRGB*> kGetColor{0x14};
inline constexpr MethodSlot<const RTFMatrix4x4*, uint32_t, const RTFVector3D*, const RTFVector3D*, RTFColorRGB*> kLightVertices{0x34};
inline constexpr MethodSlot<float*> kGetPenumbra{0x40};  // radians
inline constexpr MethodSlot<float*> kGetUmbra{0x48};  // radians

// The framework's own.
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamIn{0x200};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamOut{0x204};
inline constexpr MethodSlot<const RTFColorRGB*> kSetColor{0x208};
inline constexpr MethodSlot<float> kSetRange{0x20c};
inline constexpr MethodSlot<float*> kGetRange{0x210};
inline constexpr MethodSlot<float, float> kSetCone{0x214};  // (penumbra, umbra), radians
inline constexpr MethodSlot<const RTFMatrix4x4*, const ::Lightmap*, uint32_t*> kReachesLightmap{0x218};
inline constexpr MethodSlot<const RTFMatrix4x4*, const RTFVector3D*, const ::Lightmap*, float*, float*, float*> kColourAtPoint{0x21c};
inline constexpr uint32_t kLevel = renderable::kObjectSize;
inline constexpr uint32_t kOwnTable = kLevel + 4;
inline constexpr uint32_t kObjectSize = kLevel + 12;  // the level's tables and its state word
inline constexpr uint32_t kSlotTableSize = kColourAtPoint + 4;
inline constexpr uint32_t kStreamVersion = 1;

inline RTSuccess GetColor(RTInstance l, RTFColorRGB* colour) { return CallMethod(l, kLevel, kGetColor, colour); }
inline RTSuccess SetColor(RTInstance l, const RTFColorRGB* colour) { return CallMethod(l, kLevel, kSetColor, colour); }
// lightToObject: the light node's world matrix times the inverse of the mesh node's.
inline RTSuccess LightVertices(RTInstance l, const RTFMatrix4x4* lightToObject, uint32_t vertexCount,
                               const RTFVector3D* vertices, const RTFVector3D* normals, RTFColorRGB* colours) {
  return CallMethod(l, kLevel, kLightVertices, lightToObject, vertexCount, vertices, normals, colours);
}
inline RTSuccess GetPenumbra(RTInstance l, float* radians) { return CallMethod(l, kLevel, kGetPenumbra, radians); }
inline RTSuccess GetUmbra(RTInstance l, float* radians) { return CallMethod(l, kLevel, kGetUmbra, radians); }
// The distance at which a point or spot light no longer lights (10 when made).
inline RTSuccess SetRange(RTInstance l, float range) { return CallMethod(l, kLevel, kSetRange, range); }
inline RTSuccess GetRange(RTInstance l, float* range) { return CallMethod(l, kLevel, kGetRange, range); }
inline RTSuccess SetCone(RTInstance l, float penumbra, float umbra) {
  return CallMethod(l, kLevel, kSetCone, penumbra, umbra);
}

// For baking lightmaps (static_lit_mesh_calls.h), with the light node's world matrix and the
// lightmap's surface in world space, its front along rowStep x columnStep.
// *reaches := 1 when the surface faces the light (a directional light shines onto its front; a
// point or spot light stands in front of its plane) and, for a point or spot light, its plane lies
// nearer than the range; else 0.
inline RTSuccess ReachesLightmap(RTInstance l, const RTFMatrix4x4* lightWorld, const ::Lightmap* lightmap,
                                 uint32_t* reaches) {
  return CallMethod(l, kLevel, kReachesLightmap, lightWorld, lightmap, reaches);
}
// The light's part at a point of the surface: LightVertices' sum for one vertex with the surface's
// normal, each channel clamped into [0, 1].
inline RTSuccess ColourAtPoint(RTInstance l, const RTFMatrix4x4* lightWorld, const RTFVector3D* point,
                               const ::Lightmap* lightmap, float* red, float* green, float* blue) {
  return CallMethod(l, kLevel, kColourAtPoint, lightWorld, point, lightmap, red, green, blue);
}

}  // namespace kivo::light
