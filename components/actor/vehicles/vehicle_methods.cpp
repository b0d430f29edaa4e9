#include "vehicle_methods.h"

#include <cmath>

#include "actor_frame.h"
#include "actor_state.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/matrix.h"
#include "kivo/support/raise.h"
#include "kivo/support/vector.h"
#include "tesk/game_slots.h"
#include "vehicle_pool.h"
#include "wrapper_lookup.h"

namespace tesk::actor {

namespace {

using namespace kivo;

constexpr long double kPi = 3.14159265L;

// The root's world matrix; null (reported under the method's name) for a null vehicle.
const RTFMatrix4x4* WorldOf(VehicleRecord* vehicle, const char16_t* method) {
  const RTFMatrix4x4* world = nullptr;
  if (vehicle && scene_node::GetWorldMatrix(vehicle->root, &world) && world) return world;
  if (!vehicle) RaiseFormatted(kLevelError, u"RTTeskActor::%s(): NULL vehicle.", method);
  return nullptr;
}

RTSuccess WriteRow(VehicleRecord* vehicle, const char16_t* method, FrameRow row, RTFVector3D* out) {
  const RTFMatrix4x4* world = WorldOf(vehicle, method);
  if (!world || !out) return kRTFailure;
  *out = Row(*world, row);
  return kRTSuccess;
}

}  // namespace

RTSuccess GetVehiclePositionC(RTInstance, VehicleRecord* vehicle, RTFVector3D* position) {
  return WriteRow(vehicle, u"GetVehiclePositionC", kPositionRow, position);
}

RTSuccess GetVehicleAheadVectorC(RTInstance, VehicleRecord* vehicle, RTFVector3D* ahead) {
  return WriteRow(vehicle, u"GetVehicleAheadVectorC", kForwardRow, ahead);
}

RTSuccess GetVehicleRightVectorC(RTInstance, VehicleRecord* vehicle, RTFVector3D* right) {
  return WriteRow(vehicle, u"GetVehicleRightVectorC", kSideRow, right);
}

RTSuccess SetVehiclePositionC(RTInstance, VehicleRecord* vehicle, const RTFVector3D* position) {
  if (!vehicle) {
    RaiseFormatted(kLevelError, u"RTTeskActor::SetVehiclePositionC(): NULL vehicle.");
    return kRTFailure;
  }
  return position ? scene_node::SetTranslation(vehicle->root, position) : kRTFailure;
}

RTSuccess VehicleLocalToWorldC(RTInstance, VehicleRecord* vehicle, const RTFVector3D* local, RTFVector3D* world) {
  const RTFMatrix4x4* placed = WorldOf(vehicle, u"VehicleLocalToWorldC");
  if (!placed || !local || !world) return kRTFailure;
  Mat4TransformPoint(*placed, *local, world);
  return kRTSuccess;
}

RTSuccess SetVehicleOrientationC(RTInstance, VehicleRecord* vehicle, float degrees) {
  const RTFMatrix4x4* local = nullptr;
  if (!vehicle) {
    RaiseFormatted(kLevelError, u"RTTeskActor::SetVehicleOrientationC(): NULL vehicle.");
    return kRTFailure;
  }
  if (!scene_node::GetLocalMatrix(vehicle->root, &local) || !local) return kRTFailure;
  const auto a = static_cast<float>(static_cast<long double>(degrees) * kPi / 180.0L);
  RTFMatrix4x4 m = *local;
  RTFVector3D forward{std::sin(a), 0.0f, std::cos(a), 0.0f};
  Vec3Normalize(&forward);
  forward.w = 0.0f;
  const RTFVector3D up{0.0f, 1.0f, 0.0f, 0.0f};
  RTFVector3D side{};
  Vec3Cross(up, forward, &side);
  SetRow(&m, kSideRow, side);
  SetRow(&m, kUpRow, up);
  SetRow(&m, kForwardRow, forward);
  return scene_node::SetLocalMatrix(vehicle->root, &m);
}

RTSuccess GetVehicleN(RTInstance self, uint32_t handle, VehicleRecord** vehicle) {
  if (!vehicle) return kRTFailure;
  *vehicle = nullptr;
  const ActorControllerData* actor = StateOf(self);
  *vehicle = actor ? PooledVehicle(*actor, handle) : nullptr;
  return *vehicle ? kRTSuccess : kRTFailure;
}

RTSuccess GetVehicleIndex(RTInstance self, VehicleRecord* vehicle, uint32_t* index) {
  if (!index) return kRTFailure;
  *index = kivo::actor::kNoVehicle;
  const ActorControllerData* actor = StateOf(self);
  const std::optional<uint32_t> at = actor ? PoolIndexOf(*actor, vehicle) : std::nullopt;
  if (!at) return kRTFailure;
  *index = *at;
  return kRTSuccess;
}

RTSuccess GetVehicle(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell* result, VM) {
  const ActorControllerData* actor = StateOf(self);
  return OnWrapper(self, object, [&](RTTeskActorWrapper& w) {
    const std::optional<uint32_t> at = actor ? PoolIndexOf(*actor, w.Vehicle) : std::nullopt;
    if (result) result->value.number = at ? static_cast<int32_t>(*at) : -1;
  });
}

RTSuccess GetVehicleNode(RTInstance self, ScriptObject, uint32_t count, Cell* arguments, Cell* result, VM) {
  const ActorControllerData* actor = StateOf(self);
  const std::optional<int32_t> handle = ScriptArguments(count, arguments).Integer(0);
  VehicleRecord* vehicle = nullptr;
  if (!actor || !actor->game || !handle || !result ||
      !CallMethod(self, kivo::actor::kLevel, kivo::actor::kGetVehicleN, static_cast<uint32_t>(*handle), &vehicle))
    return kRTSuccess;
  uint32_t node = kNoHandle;
  if (game::call::IssueSceneHandle(actor->game, vehicle->root, &node)) result->value.word = node;
  return kRTSuccess;
}

}  // namespace tesk::actor
