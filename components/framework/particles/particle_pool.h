// The particles of a defined system: a pool sized once from the definition, emission (a burst at
// the start, then a rate for a time or until stopped) and motion (gravity, drag) in steps of at
// most 0.1 s. Each start seeds the pool's own generator alike, so a replay is identical.
//
// A particle is born at its source: in the world when the source's world matrix is known at birth
// (a source node), else in the emitter's own space, "unanchored" until the system is drawn and
// places it by the matrix of the node that carries it.
#pragma once

#include <cstdint>
#include <vector>

#include "kivo/particles/particle_system_calls.h"
#include "kivo/support/math_types.h"
#include "kivo/support/random.h"
#include "particle_definition.h"

namespace kivo::particles {

using Particle = RTLiveParticle;

class ParticlePool {
 public:
  // Sizes the pool for the definition: the only allocation.
  void Prepare(const ParticleDefinition& definition);
  // Clears the particles, seeds the generator, emits the burst; `source` (null: unknown) places it.
  void Start(uint32_t milliseconds, const RTFMatrix4x4* source);
  // Advances to the time (milliseconds; an earlier time advances nothing).
  void Advance(uint32_t milliseconds, const RTFMatrix4x4* source);
  // No more emission, no particles.
  void Stop();
  // Emits again (as the definition says) from where it stands.
  void Resume() { running_ = true; }
  // Whether the pool still emits or holds a living particle.
  bool Live() const { return Emitting() || !particles_.empty(); }
  // Places every unanchored particle by the matrix.
  void Anchor(const RTFMatrix4x4& world);

  const std::vector<Particle>& Particles() const { return particles_; }
  const ParticleDefinition& Definition() const { return definition_; }
  size_t Capacity() const { return particles_.capacity(); }

 private:
  bool Emitting() const;
  void Step(float seconds, const RTFMatrix4x4* source);
  void Emit(uint32_t count, const RTFMatrix4x4* source);
  float Between(float low, float high);
  RTFVector3D Heading();

  ParticleDefinition definition_;
  std::vector<Particle> particles_;
  RandomState random_{};
  bool running_ = false;
  uint32_t lastMilliseconds_ = 0;
  float time_ = 0.0f;      // seconds since the start
  float owed_ = 0.0f;      // particles the rate owes, fractions included
};

}  // namespace kivo::particles
