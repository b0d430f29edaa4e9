#include "steering_methods.h"

#include "actor_control.h"
#include "game_link.h"
#include "steering.h"
#include "tesk/game_slots.h"
#include "wrapper_lookup.h"

namespace tesk::actor {

namespace {

constexpr float kStep = 0.03f;
constexpr double kStepsPerSecond = 33.33333407839141;  // 1 / the single-precision 0.03

// Sets a float of the wrapper from real argument 0.
template <class Set>
RTSuccess SetReal(RTInstance self, void* object, uint32_t count, Cell* arguments, Set set) {
  const std::optional<float> value = ScriptArguments(count, arguments).Real(0);
  RTTeskActorWrapper* w = WrapperOf(self, object);
  if (!w || !value) return kRTFailure;
  set(*w, *value);
  return kRTSuccess;
}

template <class Get>
RTSuccess GetReal(RTInstance self, void* object, Cell* result, Get get) {
  return OnWrapper(self, object, [&](RTTeskActorWrapper& w) {
    if (result) result->value.real = get(w);
  });
}

// The steering query's vector, into the result block zeroed first.
template <class Behaviour>
RTSuccess Steer(RTInstance self, void* object, Cell* result, Behaviour steer) {
  return OnWrapper(self, object, [&](RTTeskActorWrapper& w) {
    RTFVector3D vector{};
    steer(w, &vector);
    WriteVectorResult(result, vector);
  });
}

}  // namespace

RTSuccess SetMovementSpeed(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell*, VM) {
  return SetReal(self, object, count, arguments, [](RTTeskActorWrapper& w, float speed) {
    w.PreviousMaxSpeed = w.MaxSpeed;
    w.MaxSpeed = speed;
  });
}

RTSuccess GetMovementSpeed(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell* result, VM) {
  return GetReal(self, object, result, [](const RTTeskActorWrapper& w) { return w.MaxSpeed; });
}

RTSuccess SetMaxSteeringMagnitude(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell*, VM) {
  return SetReal(self, object, count, arguments,
                 [](RTTeskActorWrapper& w, float magnitude) { w.MaxSteering = magnitude * kStep; });
}

RTSuccess GetMaxSteeringMagnitude(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell* result, VM) {
  return GetReal(self, object, result,
                 [](const RTTeskActorWrapper& w) { return static_cast<float>(w.MaxSteering * kStepsPerSecond); });
}

RTSuccess SetSteeringConstraint(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell*, VM) {
  return SetReal(self, object, count, arguments,
                 [](RTTeskActorWrapper& w, float degrees) { w.SteeringConstraint = degrees; });
}

RTSuccess GetSteeringConstraint(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell* result, VM) {
  return GetReal(self, object, result, [](const RTTeskActorWrapper& w) { return w.SteeringConstraint; });
}

RTSuccess GetFuturePosition(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM) {
  const std::optional<float> t = ScriptArguments(count, arguments).Real(0);
  if (!t) return kRTFailure;
  return Steer(self, object, result,
               [&](const RTTeskActorWrapper& w, RTFVector3D* out) { ComputeFuturePosition(w, *t, out); });
}

RTSuccess SteerToArrive(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM) {
  const RTFVector3D* target = ScriptArguments(count, arguments).Vector(0);
  if (!target) return kRTFailure;
  return Steer(self, object, result, [&](const RTTeskActorWrapper& w, RTFVector3D* out) {
    SteerForArrive(w, *target, w.SlowingDistance, out);
  });
}

RTSuccess SteerToSeek(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM) {
  const RTFVector3D* target = ScriptArguments(count, arguments).Vector(0);
  if (!target) return kRTFailure;
  return Steer(self, object, result,
               [&](const RTTeskActorWrapper& w, RTFVector3D* out) { SteerForSeek(w, *target, 1.0f, out); });
}

RTSuccess SteerToNothing(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell* result, VM) {
  return Steer(self, object, result, [](const RTTeskActorWrapper&, RTFVector3D*) {});
}

RTSuccess SteerToFollowPath(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM) {
  const std::optional<float> t = ScriptArguments(count, arguments).Real(0);
  if (!t) return kRTFailure;
  return Steer(self, object, result,
               [&](const RTTeskActorWrapper& w, RTFVector3D* out) { SteerForFollowPath(w, *t, out); });
}

RTSuccess LookAtPoint(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell*, VM) {
  return LookAtPointC(self, WrapperOf(self, object), ScriptArguments(count, arguments).Vector(0));
}

RTSuccess LookAtClosest(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell*, VM) {
  return OnWrapper(self, object, [](RTTeskActorWrapper& w) {
    w.LookAtPointPending = 0;
    w.LookAtClosestPending = 1;
  });
}

RTSuccess LookAtNothing(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell*, VM) {
  return OnWrapper(self, object, [](RTTeskActorWrapper& w) {
    w.LookAtPointPending = 0;
    w.LookAtClosestPending = 0;
  });
}

RTSuccess AuraAnimate(RTInstance self, ScriptObject, uint32_t count, Cell* arguments, Cell*, VM) {
  const ScriptArguments read(count, arguments);
  const RTFVector3D* start = read.Vector(0);
  const RTFVector3D* end = read.Vector(1);
  const std::optional<float> duration = read.Real(2);
  if (!start || !end || !duration) return kRTFailure;
  return StartAura(self, *start, *end, *duration, static_cast<uint32_t>(read.Integer(3).value_or(0)));
}

RTSuccess StartAura(RTInstance self, const RTFVector3D& start, const RTFVector3D& end, float duration,
                    uint32_t value) {
  ActorControllerData* actor = StateOf(self);
  if (!actor || !EnsureGame(*actor)) return kRTFailure;
  Aura& aura = actor->aura;
  aura.active = 1;
  game::call::GetCurrentTimeC(actor->game, &aura.startTime);
  aura.endTime = aura.startTime + duration;
  aura.velocity[0] = (end.x - start.x) / duration;
  aura.velocity[1] = (end.y - start.y) / duration;
  aura.velocity[2] = (end.z - start.z) / duration;
  aura.fadeRate = -1.0f / duration;
  aura.position[0] = start.x;
  aura.position[1] = start.y;
  aura.position[2] = start.z;
  aura.alpha = 1.0f;
  aura.further[0] = aura.further[1] = 0;
  aura.value = value;
  return kRTSuccess;
}

}  // namespace tesk::actor
