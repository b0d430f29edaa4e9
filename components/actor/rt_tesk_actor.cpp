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
#define KIVO_ACTOR_PUBLISHED(name, offset) {u"" #name, offset},
    KIVO_ACTOR_METHODS(KIVO_ACTOR_PUBLISHED)
#undef KIVO_ACTOR_PUBLISHED
};
static_assert(std::size(kPublished) == calls::kMethodCount);

RTSuccess RetrieveHead(RTInstance self, const char16_t* key, RTBool alternate, uint32_t* texture) {
  if (texture) *texture = 0;
  return StateOf(self) ? Shared().heads.Retrieve(key, alternate, texture) : kRTFailure;
}

// The methods built so far.
struct Built {
  uint32_t offset;
  RTMethodFunc function;
};
template <class F>
Built Function(uint32_t offset, F* function) {
  return Built{offset, reinterpret_cast<RTMethodFunc>(function)};
}
const Built kBuilt[] = {
    Function(calls::kCreate, Create),
    Function(calls::kDestroy, Destroy),
    Function(calls::kInitPlayer, InitPlayer),
    Function(calls::kInitPlayerC, InitPlayerC),
    Function(calls::kSay, Say),
    Function(calls::kAddMotion, AddMotion),
    Function(calls::kPlayAnimation, PlayAnimation),
    Function(calls::kAddCustomAnimation, AddCustomAnimation),
    Function(calls::kReplaceAnimation, ReplaceAnimation),
    Function(calls::kPlayOneShotAnimation, PlayOneShotAnimation),
    Function(calls::kStopAnimation, StopAnimation),
    Function(calls::kIsAnimationPlaying, IsAnimationPlaying),
    Function(calls::kSetAnimationTweenTime, SetAnimationTweenTime),
    Function(calls::kGetAnimationTweenTime, GetAnimationTweenTime),
    Function(calls::kSetAnimationPosition, SetAnimationPosition),
    Function(calls::kGetAnimationPosition, GetAnimationPosition),
    Function(calls::kSetAnimationRate, SetAnimationRate),
    Function(calls::kGetAnimationRate, GetAnimationRate),
    Function(calls::kSetIconColor, SetIconColor),
    Function(calls::kSetIconRadius, SetIconRadius),
    Function(calls::kActorWrapperFactory, ActorWrapperFactory),
    Function(calls::kReset, Reset),
    Function(calls::kResetStates, ResetStates),
    Function(calls::kRetrieveHead, RetrieveHead),
    // Hit tests.
    Function(calls::kFindIntersection, FindIntersection),
    Function(calls::kCheckRayHitTest, CheckRayHitTest),
    Function(calls::kCheckCapsuleIntersection, CheckCapsuleIntersection),
    Function(calls::kSetWedgeData, SetWedgeData),
    Function(calls::kChangeWedgeData, SetWedgeData),
    // Placement, path and steering.
    Function(calls::kSetPosition, SetPosition),
    Function(calls::kGetPosition, GetPosition),
    Function(calls::kGetForwardVector, GetForwardVector),
    Function(calls::kGetSideVector, GetSideVector),
    Function(calls::kGetTargetVector, GetTargetVector),
    Function(calls::kSetViewDirection, SetViewDirection),
    Function(calls::kMoveTo, MoveTo),
    Function(calls::kFinalizePath, FinalizePath),
    Function(calls::kStartMoving, StartMoving),
    Function(calls::kStopMoving, StopMoving),
    Function(calls::kMoving, Moving),
    Function(calls::kGetNumPathNodes, GetNumPathNodes),
    Function(calls::kGetPathNodeN, GetPathNodeN),
    Function(calls::kGetNextPathNode, NoEffect),
    Function(calls::kGetIntersectingNode, NoEffect),
    Function(calls::kCloserToGoalThanProp, CloserToGoalThanProp),
    Function(calls::kSetMovementSpeed, SetMovementSpeed),
    Function(calls::kGetMovementSpeed, GetMovementSpeed),
    Function(calls::kSetMaxSteeringMagnitude, SetMaxSteeringMagnitude),
    Function(calls::kGetMaxSteeringMagnitude, GetMaxSteeringMagnitude),
    Function(calls::kSetSteeringConstraint, SetSteeringConstraint),
    Function(calls::kGetSteeringConstraint, GetSteeringConstraint),
    Function(calls::kSetSteeringVector, NoEffect),
    Function(calls::kSetVehicleMode, NoEffect),
    Function(calls::kGetFuturePosition, GetFuturePosition),
    Function(calls::kSteerToArrive, SteerToArrive),
    Function(calls::kSteerToSeek, SteerToSeek),
    Function(calls::kSteerToFlee, SteerToNothing),
    Function(calls::kSteerToPursue, SteerToNothing),
    Function(calls::kSteerToFollowPath, SteerToFollowPath),
    Function(calls::kLookAtPoint, LookAtPoint),
    Function(calls::kLookAtClosest, LookAtClosest),
    Function(calls::kLookAtNothing, LookAtNothing),
    Function(calls::kAuraAnimate, AuraAnimate),
    Function(calls::kGetLastSteeringState, GetLastSteeringState),
    // Planning and avoidance.
    Function(calls::kReplanPath, ReplanPath),
    Function(calls::kSteerToAvoidObstacles, SteerToAvoidObstacles),
    Function(calls::kSteerToAvoidActors, SteerToAvoidActors),
    // The frame.
    Function(calls::kProcessC, ProcessC),
    Function(calls::kProcess, Process),
    Function(calls::kSignal, Signal),
    Function(calls::kClearSignal, ClearSignal),
    Function(calls::kEnableCanMove, EnableCanMove),
    Function(calls::kCanMove, CanMove),
};

RTMethodRecord RecordOf(const Published& method) {
  const bool drawing = method.offset == calls::kActorDrawing || method.offset == calls::kActorTextDrawing;
  RTMethodRecord record = DeclaredMethod(method.name, method.offset, kResult, drawing ? kDrawingParameters : u"");
  for (const Built& built : kBuilt)
    if (built.offset == method.offset) record.function = built.function;
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
