#include "particle_pool.h"

#include <algorithm>
#include <cmath>

#include "kivo/support/matrix.h"
#include "kivo/support/vector.h"

namespace kivo::particles {

namespace {

constexpr float kLongestStep = 0.1f;
constexpr float kTwoPi = 6.2831853f;
constexpr float kRadiansPerDegree = 3.14159265f / 180.0f;

RTFVector3D Scaled(const RTFVector3D& v, float k) { return RTFVector3D{v.x * k, v.y * k, v.z * k, 0.0f}; }
RTFVector3D Sum(const RTFVector3D& a, const RTFVector3D& b) {
  return RTFVector3D{a.x + b.x, a.y + b.y, a.z + b.z, 0.0f};
}

}  // namespace

void ParticlePool::Prepare(const ParticleDefinition& definition) {
  definition_ = definition;
  particles_.clear();
  particles_.shrink_to_fit();
  particles_.reserve(definition.pool);
  running_ = false;
}

float ParticlePool::Between(float low, float high) {
  return low + (high - low) * static_cast<float>(RandomReal(&random_));
}

// A unit vector in the cone of the spread around the direction.
RTFVector3D ParticlePool::Heading() {
  RTFVector3D axis = definition_.direction;
  Vec3Normalize(&axis);
  const float cosLimit = std::cos(definition_.spreadDegrees * kRadiansPerDegree);
  const float cosAngle = Between(cosLimit, 1.0f);
  const float sinAngle = std::sqrt(std::max(0.0f, 1.0f - cosAngle * cosAngle));
  const float turn = Between(0.0f, kTwoPi);
  const RTFVector3D helper = std::fabs(axis.y) < 0.9f ? RTFVector3D{0, 1, 0, 0} : RTFVector3D{1, 0, 0, 0};
  RTFVector3D side{}, up{};
  Vec3Cross(axis, helper, &side);
  Vec3Normalize(&side);
  Vec3Cross(side, axis, &up);
  return Sum(Scaled(axis, cosAngle),
             Sum(Scaled(side, sinAngle * std::cos(turn)), Scaled(up, sinAngle * std::sin(turn))));
}

void ParticlePool::Emit(uint32_t count, const RTFMatrix4x4* source) {
  for (uint32_t i = 0; i < count && particles_.size() < particles_.capacity(); ++i) {
    const RTFVector3D& box = definition_.box;
    Particle p{};
    p.position = RTFVector3D{Between(-0.5f, 0.5f) * box.x, Between(-0.5f, 0.5f) * box.y,
                             Between(-0.5f, 0.5f) * box.z, 0.0f};
    // One draw after another: the order of a call's arguments is the compiler's choice.
    const RTFVector3D heading = Heading();
    p.velocity = Scaled(heading, Between(definition_.speedMin, definition_.speedMax));
    p.life = Between(definition_.lifeMin, definition_.lifeMax);
    if (source) {
      Mat4TransformPoint(*source, p.position, &p.position);
      Mat4RotateVector(*source, p.velocity, &p.velocity);
      p.anchored = true;
    }
    particles_.push_back(p);
  }
}

void ParticlePool::Start(uint32_t milliseconds, const RTFMatrix4x4* source) {
  particles_.clear();
  random_ = RandomInitialState();
  running_ = true;
  lastMilliseconds_ = milliseconds;
  time_ = 0.0f;
  owed_ = 0.0f;
  Emit(static_cast<uint32_t>(definition_.burst), source);
}

bool ParticlePool::Emitting() const {
  return running_ && definition_.rate > 0.0f && (definition_.emitSeconds == 0.0f || time_ < definition_.emitSeconds);
}

void ParticlePool::Step(float seconds, const RTFMatrix4x4* source) {
  const float keep = std::max(0.0f, 1.0f - definition_.drag * seconds);
  for (size_t i = 0; i < particles_.size();) {
    Particle& p = particles_[i];
    p.age += seconds;
    if (p.age >= p.life) {
      p = particles_.back();
      particles_.pop_back();
      continue;
    }
    p.velocity = Scaled(Sum(p.velocity, Scaled(definition_.gravity, seconds)), keep);
    p.position = Sum(p.position, Scaled(p.velocity, seconds));
    ++i;
  }
  if (Emitting()) {
    const float emitting =
        definition_.emitSeconds == 0.0f ? seconds : std::min(seconds, definition_.emitSeconds - time_);
    owed_ += definition_.rate * emitting;
    const auto due = static_cast<uint32_t>(owed_);
    owed_ -= static_cast<float>(due);
    Emit(due, source);
  }
  time_ += seconds;
}

void ParticlePool::Advance(uint32_t milliseconds, const RTFMatrix4x4* source) {
  if (!running_ && particles_.empty()) return;
  const uint32_t elapsed = milliseconds > lastMilliseconds_ ? milliseconds - lastMilliseconds_ : 0;
  lastMilliseconds_ = std::max(milliseconds, lastMilliseconds_);
  for (float left = static_cast<float>(elapsed) * 0.001f; left > 0.0f; left -= kLongestStep)
    Step(std::min(left, kLongestStep), source);
}

void ParticlePool::Stop() {
  running_ = false;
  particles_.clear();
}

void ParticlePool::Anchor(const RTFMatrix4x4& world) {
  for (Particle& p : particles_) {
    if (p.anchored) continue;
    Mat4TransformPoint(world, p.position, &p.position);
    Mat4RotateVector(world, p.velocity, &p.velocity);
    p.anchored = true;
  }
}

}  // namespace kivo::particles
