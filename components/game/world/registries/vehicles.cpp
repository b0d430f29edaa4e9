// The vehicle methods of the game's script: each forwards to the actor component, where vehicles
// live, turning the script's handle into the vehicle record first (GetVehicleN). A handle cell that
// is missing or not a number stands for no vehicle: the adds then answer -1, and the accessors hand
// the actor component a null vehicle, which it reports.
#include "game_context.h"
#include "game_methods.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/actor/vehicle_record.h"

namespace tesk::game::method {

namespace {

namespace actor = kivo::actor;

// The vehicle record of the handle in the argument cell; null for none.
VehicleRecord* VehicleArgument(const GamePrivateData& game, uint32_t count, const Cell* arguments, uint32_t index) {
  VehicleRecord* vehicle = nullptr;
  const bool number = index < count && arguments[index].type == varno::kTypeNumber;
  if (game.actorComponent && number)
    actor::GetVehicleN(game.actorComponent, arguments[index].value.word, &vehicle);
  return vehicle;
}

using Add = RTSuccess (*)(RTInstance, const RTFVector3D*, uint32_t*);

RTSuccess AddVehicle(RTInstance self, uint32_t count, Cell* arguments, Cell* result, Add add) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !result) return kRTFailure;
  uint32_t handle = actor::kNoVehicle;
  const RTFVector3D* at = VectorArgument(count, arguments, 0);
  if (!game->actorComponent || !at || !add(game->actorComponent, at, &handle)) handle = actor::kNoVehicle;
  result->value.word = handle;
  return kRTSuccess;
}

using Read = RTSuccess (*)(RTInstance, VehicleRecord*, RTFVector3D*);

// A vector of the vehicle into the result's block.
RTSuccess ReadVector(RTInstance self, uint32_t count, Cell* arguments, Cell* result, Read read) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !game->actorComponent || !result || !result->value.vector) return kRTFailure;
  return read(game->actorComponent, VehicleArgument(*game, count, arguments, 0), result->value.vector);
}

}  // namespace

TESK_GAME_SCRIPT_METHOD(AddWheelchair) { return AddVehicle(self, count, arguments, result, actor::AddWheelchair); }

TESK_GAME_SCRIPT_METHOD(AddGurney) { return AddVehicle(self, count, arguments, result, actor::AddGurney); }

TESK_GAME_SCRIPT_METHOD(GetVehiclePosition) {
  return ReadVector(self, count, arguments, result, actor::GetVehiclePositionC);
}

TESK_GAME_SCRIPT_METHOD(GetVehicleAheadVector) {
  return ReadVector(self, count, arguments, result, actor::GetVehicleAheadVectorC);
}

TESK_GAME_SCRIPT_METHOD(GetVehicleRightVector) {
  return ReadVector(self, count, arguments, result, actor::GetVehicleRightVectorC);
}

TESK_GAME_SCRIPT_METHOD(SetVehiclePosition) {
  GamePrivateData* game = RecordOf(self);
  const RTFVector3D* at = VectorArgument(count, arguments, 1);
  if (!game || !game->actorComponent || !at) return kRTFailure;
  return actor::SetVehiclePositionC(game->actorComponent, VehicleArgument(*game, count, arguments, 0), at);
}

TESK_GAME_SCRIPT_METHOD(VehicleLocalToWorld) {
  GamePrivateData* game = RecordOf(self);
  const RTFVector3D* local = VectorArgument(count, arguments, 1);
  if (!game || !game->actorComponent || !local || !result || !result->value.vector) return kRTFailure;
  return actor::VehicleLocalToWorldC(game->actorComponent, VehicleArgument(*game, count, arguments, 0), local,
                                     result->value.vector);
}

TESK_GAME_SCRIPT_METHOD(SetVehicleOrientation) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !game->actorComponent) return kRTFailure;
  return actor::SetVehicleOrientationC(game->actorComponent, VehicleArgument(*game, count, arguments, 0),
                                       RealArgument(count, arguments, 1));
}

// The kind is the record's first byte, signed; the result is left as it was without a vehicle.
TESK_GAME_SCRIPT_METHOD(GetVehicleType) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !result) return kRTFailure;
  if (const VehicleRecord* vehicle = VehicleArgument(*game, count, arguments, 0))
    result->value.number = static_cast<int8_t>(vehicle->kind);
  return kRTSuccess;
}

}  // namespace tesk::game::method
