// Calls on particle systems (class RTParticleSystem): the entity of a scene node that effects hang
// particles on. For now a system is drawn as nothing; it answers the bounding sphere and box it is
// given, so the scene tree culls its node like a mesh's, and it has no alpha.
//
// Started, a system makes its particles anew, each filled by the particle initialiser it was given
// (zeroed without one). The initialiser and the particles belong to the running game and are not
// streamed.
#pragma once

#include <cstdint>

#include "kivo/scene/renderable_calls.h"
#include "kivo/slots.h"
#include "kivo/support/math_types.h"

// One particle, as an initialiser fills it.
struct RTParticle {
  int32_t start;  // where in its life the particle starts, in steps
  RTFColorRGB colour;
  RTFVector3D velocity;
  float size;
  RTFVector3D position;  // from the system's origin
  float gravity[3];      // x, y and z
};

namespace kivo::particle_system {

inline constexpr char16_t kClassName[] = u"RTParticleSystem";

using ParticleInitializer = void (*)(RTParticle* particle);

inline constexpr MethodSlot<uint32_t, RTInstance> kStreamIn{0x200};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamOut{0x204};
inline constexpr MethodSlot<float, const RTFVector3D*, const RTFVector3D*> kSetBounds{0x208};  // (radius, min, max)
inline constexpr MethodSlot<ParticleInitializer> kSetParticleInitializer{0x20c};
inline constexpr MethodSlot<> kStart{0x210};
inline constexpr MethodSlot<const RTParticle**, uint32_t*> kGetParticles{0x214};
inline constexpr uint32_t kLevel = renderable::kObjectSize;
inline constexpr uint32_t kOwnTable = kLevel + 4;
inline constexpr uint32_t kObjectSize = kLevel + 12;
inline constexpr uint32_t kSlotTableSize = kGetParticles + 4;
inline constexpr uint32_t kParticleCount = 16;  // made by each start

inline constexpr uint32_t kStreamVersion = 1;

// The sphere's radius (not below 0) and the box in the node's space (min not above max).
inline RTSuccess SetBounds(RTInstance p, float radius, const RTFVector3D* min, const RTFVector3D* max) {
  return CallMethod(p, kLevel, kSetBounds, radius, min, max);
}
// The function that fills each new particle (null: none, the particles stay zeroed).
inline RTSuccess SetParticleInitializer(RTInstance p, ParticleInitializer initializer) {
  return CallMethod(p, kLevel, kSetParticleInitializer, initializer);
}
// Makes the system's kParticleCount particles anew, in place of those it had.
inline RTSuccess Start(RTInstance p) { return CallMethod(p, kLevel, kStart); }
// The particles made by the last start (none before one), valid until the next start.
inline RTSuccess GetParticles(RTInstance p, const RTParticle** particles, uint32_t* count) {
  return CallMethod(p, kLevel, kGetParticles, particles, count);
}

}  // namespace kivo::particle_system
