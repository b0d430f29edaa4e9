// Calls on particle systems (class RTParticleSystem): the entity of a scene node that effects hang
// particles on. A system is drawn as camera-facing quads in the scene's translucent stage, with
// depth writes and lighting off; its bounds follow its live particles, so the scene tree culls
// its node like a mesh's.
//
// Two kinds of system:
// - A defined system has a primary text with emitter words and a secondary text with look words
//   (the definition language, particle_definition.h and docs/content.md), parsed by ParseText
//   into handles. Started at a time (StartAt), it emits and moves its particles as Advance brings
//   it forward; SetState(0) stops it and empties it. Modes: A 1 blends by alpha, 2 adds; B 1 keeps
//   particles where they were born in the world, 2 moves them with the node. A source node, when
//   set, is where particles are born (and, in mode B 2, what they move with).
// - A system without a primary definition (the actor's hand effect) draws the kParticleCount
//   particle records that its initialiser fills at each Start: each at its position plus its
//   velocity in the node's space, of its size and colour.
// An image (an RTImage; an RTBMPImage gives its pixels) becomes the quads' texture at the first
// draw: the pixels' colours, their brightest channel as alpha.
//
// The initialiser, the particles, the definitions, the image, the source and the texture belong to
// the running game and are not streamed.
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

// One particle of a defined system.
struct RTLiveParticle {
  RTFVector3D position;  // in the world once anchored, else in the emitter's space
  RTFVector3D velocity;
  float age;   // seconds
  float life;  // seconds
  bool anchored;
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
inline constexpr MethodSlot<const char*, uint32_t*> kParseText{0x218};
inline constexpr MethodSlot<uint32_t> kSetPrimaryText{0x21c};
inline constexpr MethodSlot<uint32_t> kSetSecondaryText{0x220};
inline constexpr MethodSlot<RTInstance> kSetImage{0x224};
inline constexpr MethodSlot<uint32_t, uint32_t> kSetModes{0x228};
inline constexpr MethodSlot<uint32_t> kSetState{0x22c};
inline constexpr MethodSlot<RTInstance> kSetSourceNode{0x230};
inline constexpr MethodSlot<uint32_t> kStartAt{0x234};
inline constexpr MethodSlot<uint32_t, RTBool*> kAdvance{0x238};
inline constexpr MethodSlot<const RTLiveParticle**, uint32_t*> kGetLiveParticles{0x23c};
inline constexpr uint32_t kLevel = renderable::kObjectSize;
inline constexpr uint32_t kOwnTable = kLevel + 4;
inline constexpr uint32_t kObjectSize = kLevel + 12;
inline constexpr uint32_t kSlotTableSize = kGetLiveParticles + 4;
inline constexpr uint32_t kParticleCount = 16;  // made by each start

inline constexpr uint32_t kStreamVersion = 1;

// Modes (SetModes).
inline constexpr uint32_t kBlendAlpha = 1;
inline constexpr uint32_t kBlendAdd = 2;
inline constexpr uint32_t kSpaceWorld = 1;
inline constexpr uint32_t kSpaceNode = 2;
// States (SetState).
inline constexpr uint32_t kIdle = 0;
inline constexpr uint32_t kRunning = 1;

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
// Parses a definition text (null: empty) into a handle of the system's; refused with a message
// naming the line.
inline RTSuccess ParseText(RTInstance p, const char* text, uint32_t* handle) {
  return CallMethod(p, kLevel, kParseText, text, handle);
}
// The emitter (refused: a handle the system did not give, or one with look words); the pool is
// sized here. A definition without emitter words leaves the system undefined.
inline RTSuccess SetPrimaryText(RTInstance p, uint32_t handle) {
  return CallMethod(p, kLevel, kSetPrimaryText, handle);
}
// The look (refused: an unknown handle, or one with emitter words).
inline RTSuccess SetSecondaryText(RTInstance p, uint32_t handle) {
  return CallMethod(p, kLevel, kSetSecondaryText, handle);
}
// Held with a reference (null: none); refused when it is no RTImage.
inline RTSuccess SetImage(RTInstance p, RTInstance image) { return CallMethod(p, kLevel, kSetImage, image); }
// Refused: a mode other than 1 or 2.
inline RTSuccess SetModes(RTInstance p, uint32_t blend, uint32_t space) {
  return CallMethod(p, kLevel, kSetModes, blend, space);
}
// kIdle stops and empties the system; kRunning lets it emit again from where it stands.
inline RTSuccess SetState(RTInstance p, uint32_t state) { return CallMethod(p, kLevel, kSetState, state); }
// The scene node particles are born at, held with a reference (null: the node that carries the
// system).
inline RTSuccess SetSourceNode(RTInstance p, RTInstance node) { return CallMethod(p, kLevel, kSetSourceNode, node); }
// Starts a defined system at the time (milliseconds): its particles anew, its generator seeded.
inline RTSuccess StartAt(RTInstance p, uint32_t milliseconds) { return CallMethod(p, kLevel, kStartAt, milliseconds); }
// Advances a defined system to the time; *live := 1 while it emits or a particle lives.
inline RTSuccess Advance(RTInstance p, uint32_t milliseconds, RTBool* live) {
  return CallMethod(p, kLevel, kAdvance, milliseconds, live);
}
// The particles of a defined system now, valid until it next changes.
inline RTSuccess GetLiveParticles(RTInstance p, const RTLiveParticle** particles, uint32_t* count) {
  return CallMethod(p, kLevel, kGetLiveParticles, particles, count);
}

}  // namespace kivo::particle_system
