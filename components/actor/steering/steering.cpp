#include "steering.h"

#include <algorithm>
#include <cmath>

#include "actor_frame.h"
#include "kivo/support/vector.h"
#include "path_geometry.h"

namespace tesk::actor {

namespace {

using kivo::Vec3Dot;

constexpr double kPi = 3.14159265;  // the constant of the system's degree conversions
constexpr float kShortest = 0.001f;

float CosineOfDegrees(float degrees) { return static_cast<float>(std::cos(degrees * kPi / 180.0)); }

void WriteXYZ(RTFVector3D* out, float x, float y, float z) {
  out->x = x;
  out->y = y;
  out->z = z;
}

}  // namespace

void ComputeFuturePosition(const RTTeskActorWrapper& w, float t, RTFVector3D* out) {
  const RTFVector3D position = Row(w.Frame, kPositionRow);
  WriteXYZ(out, position.x + w.Velocity.x * t, position.y + w.Velocity.y * t, position.z + w.Velocity.z * t);
}

void SteerForSeek(const RTTeskActorWrapper& w, const RTFVector3D& target, float weight, RTFVector3D* out) {
  RTFVector3D direction = kivo::Vec3Subtract(target, Row(w.Frame, kPositionRow));
  kivo::Vec3Normalize(&direction);
  const float scale = weight * w.MaxSteering;
  WriteXYZ(out, (direction.x * w.MaxSpeed - w.Velocity.x) * scale, (direction.y * w.MaxSpeed - w.Velocity.y) * scale,
           (direction.z * w.MaxSpeed - w.Velocity.z) * scale);
}

void SteerForArrive(const RTTeskActorWrapper& w, const RTFVector3D& target, float slowingDistance, RTFVector3D* out) {
  const RTFVector3D offset = kivo::Vec3Subtract(target, Row(w.Frame, kPositionRow));
  const float distance = kivo::Vec3Length(offset);
  const float speed =
      slowingDistance > 0.0f ? std::min(w.MaxSpeed * distance / slowingDistance, w.MaxSpeed) : w.MaxSpeed;
  const float scale = speed * 1.0f * w.MaxSteering;
  WriteXYZ(out, offset.x * scale - w.Velocity.x, offset.y * scale - w.Velocity.y, offset.z * scale - w.Velocity.z);
}

void SteerForBrake(const RTTeskActorWrapper& w, const ActorProperties& properties, const RTFVector3D& target,
                   float slowingDistance, RTFVector3D* out) {
  const RTFVector3D position = Row(w.Frame, kPositionRow);
  const RTFVector3D forward = Row(w.Frame, kForwardRow);
  const RTFVector3D offset{target.x - position.x, 0.0f, target.z - position.z, 0.0f};
  const float distance = kivo::Vec3Length(offset);
  const float along = Vec3Dot(offset, forward);
  const RTFVector3D lateral{offset.x - forward.x * along, 0.0f, offset.z - forward.z * along, 0.0f};
  float slowing = slowingDistance > 0.0f ? distance / slowingDistance : properties.lateralSlowingMax;
  slowing = std::max(std::min(slowing, properties.lateralSlowingMax), properties.lateralSlowingMin);
  const float lateralScale = w.MaxSteering * properties.lateralGain * slowing;
  RTFVector3D seek{};
  SteerForSeek(w, target, 1.0f, &seek);
  WriteXYZ(out, lateral.x * lateralScale + seek.x * properties.brakingGain, 0.0f,
           lateral.z * lateralScale + seek.z * properties.brakingGain);
}

void SteerForFollowPath(const RTTeskActorWrapper& w, float t, RTFVector3D* out) {
  if (!HasPathSegment(w)) return;
  RTFVector3D future{};
  ComputeFuturePosition(w, t, &future);
  const float lookAhead = w.Speed * t;
  const float now = MapPointToPathDistance(w, Row(w.Frame, kPositionRow));
  float outside = 0.0f;
  RTFVector3D nearest{};
  uint32_t segmentEnd = 0;
  MapPointToPath(w, future, &outside, &nearest, &segmentEnd);
  if (outside <= 0.0f) return;
  RTFVector3D target{};
  MapPathDistanceToPoint(w, now + lookAhead, &target);
  SteerForSeek(w, target, 1.0f, out);
}

bool ApplySteeringConstraint(const RTTeskActorWrapper& w, float degrees, RTFVector3D* steering) {
  RTFVector3D unit = *steering;
  const float length = kivo::Vec3Normalize(&unit);
  if (length < kShortest) return false;
  const RTFVector3D forward = Row(w.Frame, kForwardRow);
  const float cosine = CosineOfDegrees(degrees);
  const float along = Vec3Dot(unit, forward);
  if (along >= cosine) return true;
  RTFVector3D across{unit.x - forward.x * along, unit.y - forward.y * along, unit.z - forward.z * along, 0.0f};
  kivo::Vec3Normalize(&across);
  // The product of the cosine and the heading's part (not the cosine squared), held at 0 so that
  // rounding cannot take the root of a negative.
  const float sine = std::sqrt(std::max(0.0f, 1.0f - cosine * along));
  WriteXYZ(steering, (forward.x * cosine + across.x * sine) * length, (forward.y * cosine + across.y * sine) * length,
           (forward.z * cosine + across.z * sine) * length);
  return true;
}

bool IsWithinSteeringCone(const RTTeskActorWrapper& w, float degrees, const RTFVector3D& point) {
  RTFVector3D direction = kivo::Vec3Subtract(point, Row(w.Frame, kPositionRow));
  if (kivo::Vec3Normalize(&direction) < kShortest) return true;
  return !(Vec3Dot(direction, Row(w.Frame, kForwardRow)) < CosineOfDegrees(degrees));
}

}  // namespace tesk::actor
