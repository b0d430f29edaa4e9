// Calls on particle systems (class RTParticleSystem): the entity of a scene node that effects hang
// particles on. For now a system is drawn as nothing; it answers the bounding sphere and box it is
// given, so the scene tree culls its node like a mesh's, and it has no alpha.
#pragma once

#include "kivo/scene/renderable_calls.h"
#include "kivo/slots.h"

namespace kivo::particle_system {

inline constexpr char16_t kClassName[] = u"RTParticleSystem";

enum Slot : uint32_t {
  kStreamIn = 0x200,
  kStreamOut = 0x204,
  kSetBounds = 0x208,  // (radius, min, max)
};
inline constexpr uint32_t kLevel = renderable::kObjectSize;
inline constexpr uint32_t kOwnTable = kLevel + 4;
inline constexpr uint32_t kObjectSize = kLevel + 12;
inline constexpr uint32_t kSlotTableSize = kSetBounds + 4;
inline constexpr uint32_t kStreamVersion = 1;

// The sphere's radius (not below 0) and the box in the node's space (min not above max).
inline RTSuccess SetBounds(RTInstance p, float radius, const RTFVector3D* min, const RTFVector3D* max) {
  return CallMethod(p, kLevel, kSetBounds, radius, min, max);
}

}  // namespace kivo::particle_system
