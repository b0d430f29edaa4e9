// RTTeskActor: the definition record of the actor component. It has a record for each of the 175
// methods of actor_calls.h at its offset (CheckLocationForActors stands twice, as published: 176
// records), each returning "RTSuccess" with an empty parameter text but the two drawing methods';
// a method not built yet has a record with no function. The seven float properties copy one float
// in and out of the controller's record.
#include <array>
#include <iterator>

#include "animation/animation_methods.h"
#include "construction.h"
#include "frame/process_frame.h"
#include "frame/signals.h"
#include "hit_tests/hit_test_methods.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/support/component_kit.h"
#include "movement/path_methods.h"
#include "movement/placement_methods.h"
#include "movement/steering_methods.h"
#include "navigation/avoidance.h"
#include "navigation/path_planning.h"
#include "navigation/walking_step.h"
#include "vehicles/vehicle_methods.h"
#include "vehicles/vehicle_pooling.h"
#include "vehicles/vehicle_seats.h"
#include "wrapper/speech_text.h"
#include "wrapper/wrapper_factory.h"
#include "wrapper/wrapper_methods.h"

namespace tesk::actor {

namespace {

using namespace kivo;
namespace calls = kivo::actor;

constexpr char16_t kResult[] = u"RTSuccess";
constexpr char16_t kDrawingParameters[] = u"RTInstance ahCameraNode, RTTeskActorWrapper in apWrapper";

struct Published {
  const char16_t* name;
  uint32_t offset;
};

constexpr Published kPublished[] = {
#define KIVO_ACTOR_PUBLISHED(name, offset, ...) {u"" #name, offset},
    KIVO_ACTOR_METHODS(KIVO_ACTOR_PUBLISHED)
#undef KIVO_ACTOR_PUBLISHED
};
static_assert(std::size(kPublished) == calls::kMethodCount);

RTSuccess RetrieveHead(RTInstance self, const char16_t* key, RTBool alternate, uint32_t* texture) {
  if (texture) *texture = 0;
  return StateOf(self) ? Shared().heads.Retrieve(key, alternate, texture) : kRTFailure;
}

// The methods built so far.
const BuiltMethod kBuilt[] = {
    Built(calls::kCreate, Create),
    Built(calls::kDestroy, Destroy, DestroyFromScript),
    Built(calls::kInitPlayer, InitPlayer, InitPlayerFromScript),
    Built(calls::kInitPlayerC, InitPlayerC),
    Built(calls::kSay, Say),
    Built(calls::kAddMotion, AddMotion),
    Built(calls::kPlayAnimation, PlayAnimation),
    Built(calls::kAddCustomAnimation, AddCustomAnimation),
    Built(calls::kReplaceAnimation, ReplaceAnimation),
    Built(calls::kPlayOneShotAnimation, PlayOneShotAnimation),
    Built(calls::kStopAnimation, StopAnimation),
    Built(calls::kIsAnimationPlaying, IsAnimationPlaying),
    Built(calls::kSetAnimationTweenTime, SetAnimationTweenTime),
    Built(calls::kGetAnimationTweenTime, GetAnimationTweenTime),
    Built(calls::kSetAnimationPosition, SetAnimationPosition),
    Built(calls::kGetAnimationPosition, GetAnimationPosition),
    Built(calls::kSetAnimationRate, SetAnimationRate),
    Built(calls::kGetAnimationRate, GetAnimationRate),
    Built(calls::kSetIconColor, SetIconColor),
    Built(calls::kSetIconRadius, SetIconRadius),
    Built(calls::kActorWrapperFactory, ActorWrapperFactory),
    Built(calls::kReset, Reset),
    Built(calls::kResetStates, ResetStates, ResetStatesFromScript),
    Built(calls::kRetrieveHead, RetrieveHead),
    // Hit tests.
    Built(calls::kFindIntersection, FindIntersection),
    Built(calls::kCheckRayHitTest, CheckRayHitTest),
    Built(calls::kCheckCapsuleIntersection, CheckCapsuleIntersection),
    Built(calls::kSetWedgeData, SetWedgeData),
    Built(calls::kChangeWedgeData, SetWedgeData),
    // Placement, path and steering.
    Built(calls::kSetPosition, SetPosition),
    Built(calls::kGetPosition, GetPosition),
    Built(calls::kGetForwardVector, GetForwardVector),
    Built(calls::kGetSideVector, GetSideVector),
    Built(calls::kGetTargetVector, GetTargetVector),
    Built(calls::kSetViewDirection, SetViewDirection),
    Built(calls::kMoveTo, MoveTo),
    Built(calls::kFinalizePath, FinalizePath),
    Built(calls::kStartMoving, StartMoving),
    Built(calls::kStopMoving, StopMoving),
    Built(calls::kMoving, Moving),
    Built(calls::kGetNumPathNodes, GetNumPathNodes),
    Built(calls::kGetPathNodeN, GetPathNodeN),
    Built(calls::kGetNextPathNode, NoEffect),
    Built(calls::kGetIntersectingNode, NoEffect),
    Built(calls::kCloserToGoalThanProp, CloserToGoalThanProp),
    Built(calls::kSetMovementSpeed, SetMovementSpeed),
    Built(calls::kGetMovementSpeed, GetMovementSpeed),
    Built(calls::kSetMaxSteeringMagnitude, SetMaxSteeringMagnitude),
    Built(calls::kGetMaxSteeringMagnitude, GetMaxSteeringMagnitude),
    Built(calls::kSetSteeringConstraint, SetSteeringConstraint),
    Built(calls::kGetSteeringConstraint, GetSteeringConstraint),
    Built(calls::kSetSteeringVector, NoEffect),
    Built(calls::kSetVehicleMode, NoEffect),
    Built(calls::kGetFuturePosition, GetFuturePosition),
    Built(calls::kSteerToArrive, SteerToArrive),
    Built(calls::kSteerToSeek, SteerToSeek),
    Built(calls::kSteerToFlee, SteerToNothing),
    Built(calls::kSteerToPursue, SteerToNothing),
    Built(calls::kSteerToFollowPath, SteerToFollowPath),
    Built(calls::kLookAtPoint, LookAtPoint),
    Built(calls::kLookAtClosest, LookAtClosest),
    Built(calls::kLookAtNothing, LookAtNothing),
    Built(calls::kAuraAnimate, AuraAnimate),
    Built(calls::kGetLastSteeringState, GetLastSteeringState),
    // Planning and avoidance.
    Built(calls::kReplanPath, ReplanPath),
    Built(calls::kSteerToAvoidObstacles, SteerToAvoidObstacles),
    Built(calls::kSteerToAvoidActors, SteerToAvoidActors),
    // The frame.
    Built(calls::kProcessC, ProcessC),
    Built(calls::kProcess, Process),
    Built(calls::kSignal, Signal),
    Built(calls::kClearSignal, ClearSignal),
    Built(calls::kEnableCanMove, EnableCanMove),
    Built(calls::kCanMove, CanMove),
    // Vehicles.
    Built(calls::kAddWheelchair, AddWheelchair),
    Built(calls::kAddGurney, AddGurney),
    Built(calls::kFindWheelchairClicked, FindWheelchairClicked),
    Built(calls::kFindGurneyClicked, FindGurneyClicked),
    Built(calls::kCanUseWheelchairN, CanUseWheelchairN),
    Built(calls::kUseWheelchairN, UseWheelchairN),
    Built(calls::kCanUseGurneyN, CanUseGurneyN),
    Built(calls::kUseGurneyN, UseGurneyN),
    Built(calls::kResetGurneyLocalSpace, ResetGurneyLocalSpace),
    Built(calls::kRemoveVehicle, RemoveVehicle),
    Built(calls::kRemoveAllVehicles, RemoveAllVehicles),
    Built(calls::kGetVehiclePositionC, GetVehiclePositionC),
    Built(calls::kSetVehiclePositionC, SetVehiclePositionC),
    Built(calls::kGetVehicleAheadVectorC, GetVehicleAheadVectorC),
    Built(calls::kGetVehicleRightVectorC, GetVehicleRightVectorC),
    Built(calls::kVehicleLocalToWorldC, VehicleLocalToWorldC),
    Built(calls::kSetVehicleOrientationC, SetVehicleOrientationC),
    Built(calls::kGetVehicle, GetVehicle),
    Built(calls::kGetVehicleN, GetVehicleN),
    Built(calls::kGetVehicleIndex, GetVehicleIndex),
    Built(calls::kGetVehicleNode, GetVehicleNode),
};

RTMethodRecord RecordOf(const Published& method) {
  const bool drawing = method.offset == calls::kActorDrawing || method.offset == calls::kActorTextDrawing;
  RTMethodRecord record = DeclaredMethod(method.name, method.offset, kResult, drawing ? kDrawingParameters : u"");
  for (const BuiltMethod& built : kBuilt)
    if (built.offset == method.offset) Fill(record, built);
  return record;
}

// The published records, CheckLocationForActors twice, then the end of the table.
constexpr size_t kRecordCount = calls::kMethodCount + 1;
std::array<RTMethodRecord, kRecordCount + 1> MakeRecords() {
  std::array<RTMethodRecord, kRecordCount + 1> records{};
  size_t next = 0;
  for (const Published& method : kPublished) {
    records[next++] = RecordOf(method);
    if (method.offset == calls::kCheckLocationForActors) records[next++] = RecordOf(method);
  }
  records[next] = kEndOfMethods;
  return records;
}
std::array<RTMethodRecord, kRecordCount + 1> gMethods = MakeRecords();

template <float ActorProperties::*Field>
RTSuccess SetProperty(RTInstance self, const float* value) {
  ActorControllerData* actor = StateOf(self);
  if (!actor || !value) return kRTFailure;
  actor->properties.*Field = *value;
  return kRTSuccess;
}

template <float ActorProperties::*Field>
RTSuccess GetProperty(RTInstance self, float* value) {
  ActorControllerData* actor = StateOf(self);
  if (!actor || !value) return kRTFailure;
  *value = actor->properties.*Field;
  return kRTSuccess;
}

template <float ActorProperties::*Field>
RTPropertyRecord Property(const char16_t* name) {
  return RTPropertyRecord{name, calls::kFloatPropertyType, reinterpret_cast<RTMethodFunc>(SetProperty<Field>),
                          reinterpret_cast<RTMethodFunc>(GetProperty<Field>)};
}

RTPropertyRecord gProperties[] = {
    Property<&ActorProperties::lateralGain>(calls::kLateralGain),
    Property<&ActorProperties::brakingGain>(calls::kBrakingGain),
    Property<&ActorProperties::lateralSlowingMin>(calls::kLateralSlowingMin),
    Property<&ActorProperties::lateralSlowingMax>(calls::kLateralSlowingMax),
    Property<&ActorProperties::wheelchairWheelBlend>(calls::kWheelchairWheelBlend),
    Property<&ActorProperties::gurneyWheelBlend>(calls::kGurneyWheelBlend),
    Property<&ActorProperties::actorAvoidanceGain>(calls::kActorAvoidanceGain),
    {},
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = calls::kClassName,
    .parentClassName = varno_controller::kClassName,
    .componentName = calls::kClassName,
    .description = u"Contains the base functionality that all TeskActors inherit.",
    .objectSize = calls::kObjectSize,
    .slotTableSize = calls::kSlotTableSize,
    .firstSlotTableOffset = calls::kLevel,
    .secondSlotTableOffset = calls::kOwnTable,
    .methods = gMethods.data(),
    .properties = gProperties,
    .construct = CreateActorInstance,
    .destroy = DestroyActorInstance,
});

}  // namespace

}  // namespace tesk::actor

KIVO_COMPONENT(tesk::actor::gDefinition)
