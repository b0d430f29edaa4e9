#include "vehicle_steps.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "actor_frame.h"
#include "kivo/support/vector.h"
#include "path_geometry.h"
#include "steering.h"

namespace tesk::actor {

namespace {

using namespace kivo;

constexpr float kAtEnd = 0.02f;
constexpr float kTurnGain = 3.0f;

// What tells the variants apart.
struct Variant {
  float predictionTime;
  float wheelBlend;                 // the share of the way to the wanted angle the wheel turns per step
  std::optional<float> speedFloor;  // none: the ambulance's own desired speed
  float steeringScale;
  bool storesSpeed;
};

// The ambulance's wheel follows at 3 per second of the step, at most all the way.
float AmbulanceBlend(float dt) { return std::min(dt * 3.0f, 1.0f); }

RTSuccess Drive(RTTeskActorWrapper& w, const Variant& v) {
  const RTFVector3D position = Row(w.Frame, kPositionRow);
  RTFVector3D back{};
  ComputeFuturePosition(w, v.predictionTime, &back);
  const float lookAhead = Vec3Distance(back, position);
  const float now = MapPointToPathDistance(w, position);
  RTFVector3D target{};
  MapPathDistanceToPoint(w, now + lookAhead, &target);
  const float remaining = w.PathLength - now;
  if (remaining < kAtEnd) {
    w.Moving = 0;
    w.LookAtPointPending = 0;
    w.MoveAnimation = 0;
    return kRTSuccess;
  }
  const RTFVector3D forward = Row(w.Frame, kForwardRow);
  RTFVector3D d = Vec3Subtract(target, position);
  Vec3Normalize(&d);
  const float along = Vec3Dot(d, forward);
  const RTFVector3D q{d.x - forward.x * along, d.y - forward.y * along, d.z - forward.z * along, 0.0f};
  const float sign = Vec3Dot(q, Row(w.Frame, kSideRow)) > 0.0f ? 1.0f : -1.0f;
  const float largest = w.SteeringConstraint;
  const float turn = std::clamp(Vec3Length(q) * kTurnGain * sign * largest, -std::abs(largest), std::abs(largest));
  w.WheelAngle += (turn - w.WheelAngle) * v.wheelBlend;
  float desired = 0.0f;
  if (v.speedFloor) {
    // A largest angle of 0 (set by a script) leaves the wheel no share of it.
    const float share = largest != 0.0f ? w.WheelAngle / largest : 0.0f;
    float factor = sign >= 0.0f ? 1.0f - share : 1.0f + share;
    if (factor <= *v.speedFloor) factor = *v.speedFloor;
    const float speed = w.MaxSpeed * factor;
    desired = std::min(speed, remaining / w.SlowingDistance * speed);
  } else {
    desired = std::min(w.MaxSpeed, 0.1f * remaining * w.MaxSpeed);
  }
  const float scale = w.MaxSteering * v.steeringScale;
  w.Steering.x = (forward.x * desired - w.Velocity.x) * scale;
  w.Steering.y = (forward.y * desired - w.Velocity.y) * scale;
  w.Steering.z = (forward.z * desired - w.Velocity.z) * scale;
  if (v.storesSpeed) w.DesiredVehicleSpeed = desired;
  return kRTSuccess;
}

}  // namespace

RTSuccess ProcessNavigationWheelchair(RTTeskActorWrapper& w, float) {
  return Drive(w, Variant{-1.5f, 0.2f, 0.4f, 0.2f, true});
}

RTSuccess ProcessNavigationGurney(RTTeskActorWrapper& w, float) {
  return Drive(w, Variant{1.5f, 0.18f, 0.2f, 0.2f, true});
}

RTSuccess ProcessNavigationAmbulance(RTTeskActorWrapper& w, float dt) {
  return Drive(w, Variant{-1.0f, AmbulanceBlend(dt), std::nullopt, 1.0f, false});
}

}  // namespace tesk::actor
