// The swinging doors: the five shower doors, which the script opens by their stall's handle, and
// the two bathroom stall doors, opened by index. A door swings about the vertical: its node's yaw.
#include "doors.h"
#include "environment.h"
#include "game_context.h"
#include "game_methods.h"
#include "kivo/scene/scene_node_calls.h"

namespace tesk::game {

namespace {

constexpr float kShowerOpening = 2.9670597250000004f;  // 170 degrees
constexpr float kStallOpening = 1.5707963249999999f;   // 90 degrees
constexpr float kSwingRate = 1.0f;                     // one second from start to target

float Now(RTInstance self) {
  float now = 0.0f;
  method::GetCurrentTimeC(self, &now);
  return now;
}

void StartSwing(DoorSwing& swing, float target, float now) {
  swing.startTime = now;
  swing.targetAngle = target;
  swing.startAngle = swing.currentAngle;
}

void StepSwing(DoorSwing& swing, RTInstance door, float now) {
  const float t = (now - swing.startTime) * kSwingRate;
  swing.currentAngle = EasedDoor(swing.startAngle, swing.targetAngle, t);
  kivo::scene_node::SetEulerAngles(door, 0.0f, swing.currentAngle, 0.0f);
}

StallDoor* StallDoorAt(GamePrivateData* game, uint32_t index) {
  return game && index < kStallDoorCount ? &game->environment.stallDoors[index] : nullptr;
}

// The shower stall keyed by the handle in the first argument; null for a node that is none.
ShowerStall* StallOfHandle(GamePrivateData& game, uint32_t count, const Cell* arguments) {
  void* stall = nullptr;
  if (count < 1 || !game.environment.showerTable ||
      !kivo::HashTableLookup(game.environment.showerTable, static_cast<uint32_t>(arguments[0].value.number), &stall))
    return nullptr;
  return static_cast<ShowerStall*>(stall);
}

}  // namespace

// The door's closed angle is its yaw.
RTSuccess DoorSwingSetup(GamePrivateData&, ShowerStall* stall) {
  if (!stall || !stall->door) return kRTFailure;
  float pitch = 0.0f, yaw = 0.0f, roll = 0.0f;
  kivo::scene_node::GetEulerAngles(stall->door, &pitch, &yaw, &roll);
  stall->swing = DoorSwing{yaw, yaw, yaw, yaw, 0.0f, 0};
  return kRTSuccess;
}

RTSuccess DoorSwingReset(GamePrivateData&, ShowerStall* stall) {
  if (!stall) return kRTFailure;
  DoorSwing& swing = stall->swing;
  swing.currentAngle = swing.closedAngle;
  swing.targetAngle = swing.startAngle = swing.currentAngle;
  swing.startTime = 0.0f;
  swing.last = 0;
  return kRTSuccess;
}

RTSuccess ShowerDoorOpen(RTInstance self, ShowerStall* stall) {
  if (!stall || !stall->door) return kRTFailure;
  StartSwing(stall->swing, stall->swing.closedAngle - kShowerOpening, Now(self));
  return kRTSuccess;
}

RTSuccess ShowerDoorClose(RTInstance self, ShowerStall* stall) {
  if (!stall || !stall->door) return kRTFailure;
  StartSwing(stall->swing, stall->swing.closedAngle, Now(self));
  return kRTSuccess;
}

RTSuccess StallDoorOpen(RTInstance self, uint32_t index) {
  StallDoor* door = StallDoorAt(RecordOf(self), index);
  if (!door) return kRTFailure;
  StartSwing(door->swing, door->swing.closedAngle - kStallOpening, Now(self));
  return kRTSuccess;
}

RTSuccess StallDoorClose(RTInstance self, uint32_t index) {
  StallDoor* door = StallDoorAt(RecordOf(self), index);
  if (!door) return kRTFailure;
  StartSwing(door->swing, door->swing.closedAngle, Now(self));
  return kRTSuccess;
}

void StallDoorsStartup(GamePrivateData& game) {
  EnvironmentState& environment = game.environment;
  Hold(environment.stallDoors[0].door, environment.nodes.maleStallDoor);
  Hold(environment.stallDoors[1].door, environment.nodes.femaleStallDoor);
}

void StallDoorsUpdate(RTInstance self) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return;
  const float now = Now(self);
  for (StallDoor& door : game->environment.stallDoors)
    if (door.door) StepSwing(door.swing, door.door, now);
}

void UpdateDoorSwing(RTInstance self, ShowerStall* stall) {
  if (stall && stall->door) StepSwing(stall->swing, stall->door, Now(self));
}

void UpdateDoors(RTInstance self) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return;
  MainEntranceDoorsUpdate(self);
  StallDoorsUpdate(self);
  for (ShowerStall& stall : game->environment.showers) UpdateDoorSwing(self, &stall);
}

namespace method {

// A node that is no shower stall changes nothing; success either way.
TESK_GAME_SCRIPT_METHOD(OpenShowerDoor) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  ShowerDoorOpen(self, StallOfHandle(*game, count, arguments));
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(CloseShowerDoor) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  ShowerDoorClose(self, StallOfHandle(*game, count, arguments));
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(BathroomStallDoorOpen) {
  return count < 1 ? kRTFailure : StallDoorOpen(self, static_cast<uint32_t>(NumberArgument(count, arguments, 0)));
}

TESK_GAME_SCRIPT_METHOD(BathroomStallDoorClose) {
  return count < 1 ? kRTFailure : StallDoorClose(self, static_cast<uint32_t>(NumberArgument(count, arguments, 0)));
}

}  // namespace method

}  // namespace tesk::game
