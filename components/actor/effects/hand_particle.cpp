#include "hand_particle.h"

#include "actor_random.h"
#include "kivo/support/numeric.h"
#include "kivo/support/random.h"

namespace tesk::actor {

namespace {

constexpr double kStartSteps = 1000;
constexpr float kMaxSize = 0.05f;
constexpr float kFall = 9.8e-6f;

}  // namespace

void InitHandParticle(RTParticle* particle) {
  particle->start = kivo::FloatToInt<int32_t>(kivo::RandomReal() * kStartSteps);
  const float tint = static_cast<float>(kivo::RandomReal());
  particle->colour.r = 0.04f + 0.16f * tint;
  particle->colour.g = 0.08f + 0.32f * tint;
  particle->colour.b = 0.2f + 0.8f * tint;
  RandomUnitVector(&particle->velocity);
  particle->velocity.x *= 0.5f;
  particle->velocity.y = 0.0f;
  particle->velocity.z *= 0.5f;
  particle->size = static_cast<float>(kivo::RandomReal()) * kMaxSize;
  particle->position.x = particle->position.y = particle->position.z = 0.0f;
  particle->gravity[0] = 0.0f;
  particle->gravity[1] = kFall;
  particle->gravity[2] = 0.0f;
}

}  // namespace tesk::actor
