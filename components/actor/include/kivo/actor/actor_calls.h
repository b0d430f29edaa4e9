// Calls on the actor component (class RTTeskActor, parent RTVarnoController): the one controller
// that serves every character of the game. Every method takes the controller instance first and
// returns 1 on success and 0 on failure; a controller whose construction failed answers 0 to all.
//
// The slot table of the actor's level holds 175 methods at fixed byte offsets (the highest 0x2e4).
// Scripts bind them by name; native callers use the offsets and wrappers here. Most methods are
// called by the script with (instance, calling script object, argument count, argument cells,
// result cell, VM): see ScriptSlot. The others take the native arguments the list gives them.
// A method whose behaviour is not built yet has its record with no function: calls through it
// fail.
#pragma once

#include "kivo/slots.h"
#include "kivo/support/list.h"
#include "kivo/support/math_types.h"
#include "kivo/varno_controller/varno_controller_calls.h"
#include "varno/call_cells.h"

struct VehicleRecord;  // a wheelchair, gurney, carry or the ambulance (defined with the vehicles)
struct RTBoneNode;     // a bone of a skinned mesh (kivo/scene/bone_model_calls.h)
namespace kivo {
struct PathPoint;  // a point of a planned path (kivo/navigation/navigation_calls.h)
}  // namespace kivo

namespace kivo::actor {

// The vehicle mode of an actor that walks free of any vehicle.
inline constexpr uint32_t kOnFoot = 10;

// What an actor touched in a contact pass.
enum ContactType : uint32_t {
  kContactActors = 0,          // a swept contact, or this actor's vehicle segment against one on foot
  kContactScene = 1,           // a scene obstacle
  kContactSceneSphere = 2,     // a scene obstacle the sphere test marked
  kContactVehicleSegment = 3,  // this actor on foot against the segment of one that is not
};
inline constexpr uint32_t kMaxContacts = 16;

}  // namespace kivo::actor

// One contact of a pass; an actor's list is refilled from empty on every pass.
struct ActorContact {
  void* party;            // the other actor's wrapper, or the scene node hit (held with a reference)
  uint32_t type;          // kivo::actor::ContactType
  float squaredDistance;  // segment contacts only
  RTFVector3D normal;
  RTFVector3D relativeVelocity;
};

// The native record that the actor component keeps for each script actor, attached to the script
// object through the controller's native-record table and registered with the game (AddActor).
// Fields in record order; words between them that the movement and vehicle code use come with
// that code.
struct RTTeskActorWrapper {
  int32_t AvoidPriority;  // 0 the player, 1 doctors and newbies, 2 patients, -1 every other actor
  uint32_t VehicleMode;   // kivo::actor::kOnFoot when free
  RTBool Visible;
  RTInstance RootNode;  // placement: position and orientation
  RTInstance BodyNode;  // its object is the skin
  RTInstance MountNode;
  RTInstance CarryNode;
  RTInstance Skin;  // one reference held
  VehicleRecord* Vehicle;
  VehicleRecord* Ambulance;
  int32_t AmbulanceSeat;
  RTInstance HeadRender;   // the head image, or null; one reference held
  uint32_t HeadTexture;    // the rasterizer's texture of HeadRender that the game makes in AddActor; 0 for none
  RTBool CustomHead;       // the game made the head
  void* ScriptObject;      // the actor's script object; events are raised on it
  kivo::List* SpeechList;  // SpeechText records, newest first
  RTInstance Animator;
  uint32_t ShowName;
  float ShowNameTime;
  uint32_t ShowDoctorToolTip;
  uint32_t ShowPatientToolTip;
  float ToolTipTime;
  uint32_t ToolTipFollowsActor;
  int32_t ToolTipX;
  int32_t ToolTipY;
  RTBool ShowExclamation;
  RTBool ShowTalk;
  RTBool PatientMenuRequest;
  RTBool ShowPerk;
  uint32_t MotionWalk;
  uint32_t MotionIdle;
  uint32_t MotionDie;
  uint32_t MotionWheelchair;
  uint32_t MotionWheelchairB;
  uint32_t MotionSignal;
  uint32_t MotionCarry;
  uint32_t MotionWalk2;
  RTBool MoveAnimation;
  RTBoneNode* SpineBone;  // of the skin, or null
  int32_t LeftArmChain;   // an IK chain of the skin; kNoChain for none
  int32_t RightArmChain;
  RTBool Moving;
  RTFVector3D TargetVector;
  RTTeskActorWrapper* TargetActor;
  int32_t TargetActorIndex;  // read from a save, until the references are bound; -1 for none
  RTInstance TargetNode;
  uint32_t Serial;
  int32_t SaveIndex;  // the position in the game's actor list while saving and loading
  RTBool LookAtEnabled;
  RTFVector3D LookAtPoint;
  RTBool LookAtPointPending;
  RTBool LookAtClosestPending;
  RTBool CanMove;
  RTBool BrakeAtGoal;
  uint32_t SteeringState;
  RTBool ExtendedBV;
  RTInstance ExtendedBVNode;  // one reference held
  RTFVector3D Goal;
  RTBool GoalInCorner;
  RTBool GoalTooCloseToWall;
  uint32_t PathPointCount;
  kivo::PathPoint* PathPoints;
  uint32_t PathSegment;
  uint32_t PathNode;
  float PathLength;
  float DistanceOnPath;
  float ArrivalTolerance;
  float SlowingDistance;
  float PredictionDistance;
  float MoveStartTime;            // game time in seconds
  RTFVector3D MoveStartPosition;  // the root's translation when the move started
  RTFVector3D MoveStartHeading;   // and its forward row
  RTBool MoveReverse;             // a vehicle is pushed backwards
  uint32_t PlanPathOption;        // handed to path planning by MoveTo
  RTBool ViewDirectionSet;
  RTFMatrix4x4 Frame;  // rows: side, up, forward, position
  RTFMatrix4x4 SpeechFrame;
  float Mass;
  float InverseMass;
  float Damping;
  RTFVector3D Velocity;
  RTFVector3D AngularVelocity;  // y: the yaw rate in radians per second
  float Speed;
  float MaxSpeed;
  float PreviousMaxSpeed;
  float VehicleAnimationRate;
  RTFVector3D Acceleration;      // the integrator's lagged acceleration
  RTFVector3D SmoothedSteering;  // the steering the integrators apply, lagged toward Steering
  RTFVector3D Force;
  RTFVector3D Steering;
  float MaxSteering;
  float SteeringConstraint;
  float WheelAngle;  // degrees
  float DesiredVehicleSpeed;  // of the last wheelchair or gurney driving step
  float PathStartTime;
  RTFVector3D AvoidanceVectors[2];
  float Radius;
  float PaddedRadius;
  uint32_t SignalFlags[2];
  uint32_t ContactCount;
  ActorContact Contacts[kivo::actor::kMaxContacts];
  float NeighbourhoodRadius;
  kivo::List* NeighbourQueryList;  // the nearby wrappers, the controller's (see UpdateNeighborhood)
  kivo::List* NeighbourList;      // wrappers that rank above this actor
  kivo::List* FreeNeighbourList;  // wrappers that rank below it
  kivo::List* SpareNeighbourLinks;  // links of the two lists above, kept between refills
  int32_t CarriedActorIndex;  // read from a save, until the references are bound; -1 for none
  uint32_t Floor;
  uint32_t Staffer;
  RTBool GambitActive;
  RTBool AssembledBody;
  char16_t* SkinName;
  RTInstance LeftHandNode;
  RTInstance RightHandNode;
  RTInstance HandEmitterNode;     // the node of the hand effect's particles, or null
  RTInstance HandParticleSystem;  // its particle system
  float IdleSwitchTime;
  RTBool IdlesDisabled;
  uint32_t IdleMotion;
  RTBool IdleVariation;
  float SubStep;
  float LastSubStep;
};

namespace kivo::actor {

inline constexpr char16_t kClassName[] = u"RTTeskActor";
inline constexpr int32_t kNoChain = -1;  // chains are numbered from 0

// Every method of the actor's level with its byte offset, in offset order.
#define KIVO_ACTOR_METHODS(X)                                                             \
  X(Create, 0x000)                                                                        \
  X(Destroy, 0x004, void*)                                                                \
  X(InitPlayer, 0x008, void*)                                                             \
  X(InitPlayerC, 0x00c, RTTeskActorWrapper*)                                              \
  X(MoveTo, 0x010)                                                                        \
  X(CreateVezarE, 0x014)                                                                  \
  X(FindIntersection, 0x018)                                                              \
  X(CheckRayHitTest, 0x01c)                                                               \
  X(CheckCapsuleIntersection, 0x020)                                                      \
  X(SetWedgeData, 0x024)                                                                  \
  X(ChangeWedgeData, 0x028)                                                               \
  X(ActorDrawing, 0x02c, RTInstance, RTTeskActorWrapper*)                                 \
  X(Say, 0x030)                                                                           \
  X(AddMotion, 0x034)                                                                     \
  X(PlayAnimation, 0x038)                                                                 \
  X(AddCustomAnimation, 0x03c)                                                            \
  X(ReplaceAnimation, 0x040)                                                              \
  X(PlayOneShotAnimation, 0x044)                                                          \
  X(StopAnimation, 0x048)                                                                 \
  X(IsAnimationPlaying, 0x04c)                                                            \
  X(SetAnimationTweenTime, 0x050)                                                         \
  X(GetAnimationTweenTime, 0x054)                                                         \
  X(SetAnimationPosition, 0x058)                                                          \
  X(GetAnimationPosition, 0x05c)                                                          \
  X(SetAnimationRate, 0x060)                                                              \
  X(GetAnimationRate, 0x064)                                                              \
  X(SetIconColor, 0x068)                                                                  \
  X(SetIconRadius, 0x06c)                                                                 \
  X(SetPosition, 0x070)                                                                   \
  X(GetPosition, 0x074)                                                                   \
  X(GetForwardVector, 0x078)                                                              \
  X(GetSideVector, 0x07c)                                                                 \
  X(GetTargetVector, 0x080)                                                               \
  X(GetDistanceToGoal, 0x084)                                                             \
  X(SetViewDirection, 0x088)                                                              \
  X(StartMoving, 0x08c)                                                                   \
  X(StopMoving, 0x090)                                                                    \
  X(Moving, 0x094)                                                                        \
  X(GetNumPathNodes, 0x098)                                                               \
  X(GetPathNodeN, 0x09c)                                                                  \
  X(StartWonder, 0x0a0)                                                                   \
  X(StopWonder, 0x0a4)                                                                    \
  X(GetNextPathNode, 0x0a8)                                                               \
  X(GetIntersectingNode, 0x0ac)                                                           \
  X(CloserToGoalThanProp, 0x0b0)                                                          \
  X(SetMovementSpeed, 0x0b4)                                                              \
  X(GetMovementSpeed, 0x0b8)                                                              \
  X(SetFloor, 0x0bc)                                                                      \
  X(FinalizePath, 0x0c0)                                                                  \
  X(SetMaxSteeringMagnitude, 0x0c4)                                                       \
  X(GetMaxSteeringMagnitude, 0x0c8)                                                       \
  X(SetSteeringConstraint, 0x0cc)                                                         \
  X(GetSteeringConstraint, 0x0d0)                                                         \
  X(GetFuturePosition, 0x0d4)                                                             \
  X(SteerToArrive, 0x0d8)                                                                 \
  X(SteerToSeek, 0x0dc)                                                                   \
  X(SteerToFlee, 0x0e0)                                                                   \
  X(SteerToPursue, 0x0e4)                                                                 \
  X(SteerToFollowPath, 0x0e8)                                                             \
  X(SteerToAvoidObstacles, 0x0ec)                                                         \
  X(SteerToAvoidActors, 0x0f0)                                                            \
  X(SetSteeringVector, 0x0f4)                                                             \
  X(AddWheelchair, 0x0f8, const RTFVector3D*, uint32_t*)                                  \
  X(SetVehicleMode, 0x0fc)                                                                \
  X(LookAtPoint, 0x100)                                                                   \
  X(AddGurney, 0x104, const RTFVector3D*, uint32_t*)                                      \
  X(LookAtClosest, 0x108)                                                                 \
  X(LookAtNothing, 0x10c)                                                                 \
  X(FindWheelchairClicked, 0x110, const RTFVector3D*, const RTFVector3D*, uint32_t*)      \
  X(FindGurneyClicked, 0x114, const RTFVector3D*, const RTFVector3D*, uint32_t*)          \
  X(CanUseWheelchairN, 0x118)                                                             \
  X(UseWheelchairN, 0x11c)                                                                \
  X(CanUseGurneyN, 0x120)                                                                 \
  X(UseGurneyN, 0x124)                                                                    \
  X(ReleaseVehicle, 0x128)                                                                \
  X(SetStaffer, 0x12c)                                                                    \
  X(ReplanPath, 0x130)                                                                    \
  X(SendGambit, 0x134)                                                                    \
  X(AddPlusFloatie, 0x138)                                                                \
  X(ActorWrapperStreamOut, 0x13c, RTTeskActorWrapper*, RTInstance)                        \
  X(ActorWrapperStreamIn, 0x140, RTTeskActorWrapper*, RTInstance, void*)                  \
  X(ActorWrapperFactory, 0x144, RTTeskActorWrapper**, const char16_t*, RTInstance, void*) \
  X(ProcessC, 0x148, void)                                                                \
  X(LevelUp, 0x14c)                                                                       \
  X(Signal, 0x150, RTTeskActorWrapper*, RTTeskActorWrapper*, uint32_t, uint32_t*)         \
  X(AuraAnimate, 0x154)                                                                   \
  X(AttachLHObject, 0x158)                                                                \
  X(AttachRHObject, 0x15c)                                                                \
  X(Process, 0x160)                                                                       \
  X(EnableCanMove, 0x164)                                                                 \
  X(LocalToWorld, 0x168)                                                                  \
  X(FixPosition, 0x16c)                                                                   \
  X(CanMove, 0x170)                                                                       \
  X(UseAmbulance, 0x174)                                                                  \
  X(ShowAmbulance, 0x178, const RTFVector3D*)                                             \
  X(HideAmbulance, 0x17c, void)                                                           \
  X(GetAmbulancePosition, 0x180)                                                          \
  X(SetAmbulancePosition, 0x184)                                                          \
  X(GetAmbulanceAheadVector, 0x188)                                                       \
  X(GetAmbulanceSideVector, 0x18c)                                                        \
  X(SetDriverInAmbulance, 0x190)                                                          \
  X(GetNeighborhood, 0x19c)                                                               \
  X(EnableExtendedBV, 0x1a0)                                                              \
  X(ClearSignal, 0x1a4)                                                                   \
  X(GetVehiclePositionC, 0x1a8, VehicleRecord*, RTFVector3D*)                             \
  X(SetVehiclePositionC, 0x1ac, VehicleRecord*, const RTFVector3D*)                       \
  X(GetVehicleAheadVectorC, 0x1b0, VehicleRecord*, RTFVector3D*)                          \
  X(GetVehicleRightVectorC, 0x1b4, VehicleRecord*, RTFVector3D*)                          \
  X(VehicleLocalToWorldC, 0x1b8, VehicleRecord*, const RTFVector3D*, RTFVector3D*)        \
  X(SetTargetActor, 0x1bc)                                                                \
  X(ClearTargetActor, 0x1c0)                                                              \
  X(SetBoundingRadius, 0x1c4)                                                             \
  X(GetBoundingRadius, 0x1c8)                                                             \
  X(CheckLocationForActors, 0x1cc)                                                        \
  X(IsGoalInCorner, 0x1d0)                                                                \
  X(IsGoalTooCloseToWall, 0x1d4)                                                          \
  X(ToggleDebuggingInfo, 0x1d8, void)                                                     \
  X(Carry, 0x1dc)                                                                         \
  X(LetGo, 0x1e0)                                                                         \
  X(GetDistanceOnPathToGoal, 0x1ec)                                                       \
  X(SetVehicleOrientationC, 0x1f0, VehicleRecord*, float)                                 \
  X(RemoveVehicle, 0x1f4, uint32_t)                                                       \
  X(GetLastSteeringState, 0x1fc)                                                          \
  X(TranslateToAnim, 0x200)                                                               \
  X(ShowExclamationIcon, 0x204)                                                           \
  X(EnableUFG, 0x208)                                                                     \
  X(GetVehicle, 0x20c)                                                                    \
  X(SetAmbulanceOrientation, 0x210)                                                       \
  X(AmbulanceLocalToWorld, 0x214)                                                         \
  X(OpenActorPatientMenu, 0x218)                                                          \
  X(ReleaseGambit, 0x21c)                                                                 \
  X(SetSlowingDistance, 0x220)                                                            \
  X(GetSlowingDistance, 0x224)                                                            \
  X(ShowTalkIcon, 0x228)                                                                  \
  X(GetMass, 0x22c)                                                                       \
  X(SetMass, 0x230)                                                                       \
  X(GetPathfollowingPredictionDistance, 0x234)                                            \
  X(SetPathfollowingPredictionDistance, 0x238)                                            \
  X(GetVehicleType, 0x23c)                                                                \
  X(OpenPatientToolTip, 0x240)                                                            \
  X(SetTargetNode, 0x244)                                                                 \
  X(EnableIdles, 0x248)                                                                   \
  X(IdlesEnabled, 0x24c)                                                                  \
  X(ActorTextDrawing, 0x250, RTInstance, RTTeskActorWrapper*)                             \
  X(StreamVehiclesOut, 0x254, RTInstance)                                                 \
  X(StreamVehiclesIn, 0x258, RTInstance)                                                  \
  X(RemoveAllVehicles, 0x25c, void)                                                       \
  X(GetVehicleN, 0x260, uint32_t, VehicleRecord**)                                        \
  X(GetVehicleIndex, 0x264, VehicleRecord*, uint32_t*)                                    \
  X(ActorWrapperStreamInBind, 0x268, RTTeskActorWrapper*)                                 \
  X(RetrieveHead, 0x26c, const char16_t*, RTBool, uint32_t*)                              \
  X(SendGossip, 0x270)                                                                    \
  X(SetVehicleObject, 0x284)                                                              \
  X(CreateAmbulance, 0x288, void)                                                         \
  X(SetVM, 0x28c, void*)                                                                  \
  X(GetVehicleMovementState, 0x290)                                                       \
  X(CaptureVehicleMovementState, 0x294)                                                   \
  X(ReleaseVehicleMovementState, 0x298)                                                   \
  X(ShowPerkIcon, 0x29c)                                                                  \
  X(SetPlayer, 0x2a0, void*)                                                              \
  X(SetVehicleZone, 0x2a4)                                                                \
  X(Hide, 0x2a8)                                                                          \
  X(Show, 0x2ac)                                                                          \
  X(IsVisible, 0x2b0)                                                                     \
  X(GetFloor, 0x2b4)                                                                      \
  X(ResetAmbulance, 0x2b8, void)                                                          \
  X(UnhookAttachments, 0x2bc)                                                             \
  X(HookAttachments, 0x2c0)                                                               \
  X(Reset, 0x2c8, RTTeskActorWrapper*)                                                    \
  X(ResetStates, 0x2cc, void)                                                             \
  X(GetVehicleNode, 0x2d0)                                                                \
  X(ResetGurneyLocalSpace, 0x2d4)                                                         \
  X(SetDriverOutAmbulance, 0x2d8)                                                         \
  X(GetLookAtPoint, 0x2e0)                                                                \
  X(EnableLookAt, 0x2e4)

// The form of the script-called methods: (instance, calling script object, argument count, argument
// cells, result cell, VM). A row of the list that gives no parameter types is one of them.
using ScriptSlot = varno::NativeMethodSlot;
#define KIVO_ACTOR_SLOT(name, offset, ...) \
  inline constexpr ListedSlot<ScriptSlot __VA_OPT__(, ) __VA_ARGS__> k##name{offset};
KIVO_ACTOR_METHODS(KIVO_ACTOR_SLOT)
#undef KIVO_ACTOR_SLOT
inline constexpr uint32_t kLevel = varno_controller::kObjectSize;  // 0x14: the actor's own slot table
inline constexpr uint32_t kOwnTable = kLevel + 4;
inline constexpr uint32_t kStateWord = kLevel + 8;  // the ActorControllerData record
inline constexpr uint32_t kObjectSize = 88;         // published bytes
inline constexpr uint32_t kSlotTableSize = kEnableLookAt + 4;
inline constexpr uint32_t kMethodCount = 175;


// Properties (name, packed type word 0x70404: a float each): copied in and out, no range checked.
inline constexpr uint32_t kFloatPropertyType = 0x70404;
inline constexpr char16_t kLateralGain[] = u"LateralGain";                    // 0.0
inline constexpr char16_t kBrakingGain[] = u"BrakingGain";                    // 0.2
inline constexpr char16_t kLateralSlowingMin[] = u"LateralSlowingMin";        // 0.0
inline constexpr char16_t kLateralSlowingMax[] = u"LateralSlowingMax";        // 1.0
inline constexpr char16_t kWheelchairWheelBlend[] = u"WheelchairWheelBlend";  // 0.2, stored only
inline constexpr char16_t kGurneyWheelBlend[] = u"GurneyWheelBlend";          // 0.18, stored only
inline constexpr char16_t kActorAvoidanceGain[] = u"ActorAvoidanceGain";      // 1.5

// --- Native methods -----------------------------------------------------------------------------
// Vehicle handles are 32-bit numbers that a script or a save file may hold; kNoVehicle is none.

inline constexpr uint32_t kNoVehicle = 0xFFFFFFFFu;

// A new wrapper for the script object: with the skin of that name, or the assembled body given.
inline RTSuccess ActorWrapperFactory(RTInstance a, RTTeskActorWrapper** wrapper, const char16_t* skinName,
                                     RTInstance body, void* object) {
  return CallMethod(a, kLevel, kActorWrapperFactory, wrapper, skinName, body, object);
}
// The per-frame entry for every wrapper.
inline RTSuccess ProcessC(RTInstance a) { return CallMethod(a, kLevel, kProcessC); }
inline RTSuccess Signal(RTInstance a, RTTeskActorWrapper* target, RTTeskActorWrapper* source, uint32_t type,
                        uint32_t* answer) {
  return CallMethod(a, kLevel, kSignal, target, source, type, answer);
}
inline RTSuccess ActorDrawing(RTInstance a, RTInstance cameraNode, RTTeskActorWrapper* wrapper) {
  return CallMethod(a, kLevel, kActorDrawing, cameraNode, wrapper);
}
inline RTSuccess ActorTextDrawing(RTInstance a, RTInstance cameraNode, RTTeskActorWrapper* wrapper) {
  return CallMethod(a, kLevel, kActorTextDrawing, cameraNode, wrapper);
}
inline RTSuccess InitPlayerC(RTInstance a, RTTeskActorWrapper* wrapper) {
  return CallMethod(a, kLevel, kInitPlayerC, wrapper);
}
// Makes the actor leave its vehicle.
inline RTSuccess Reset(RTInstance a, RTTeskActorWrapper* wrapper) { return CallMethod(a, kLevel, kReset, wrapper); }
inline RTSuccess ResetStates(RTInstance a) { return CallMethod(a, kLevel, kResetStates); }
inline RTSuccess ToggleDebuggingInfo(RTInstance a) { return CallMethod(a, kLevel, kToggleDebuggingInfo); }
inline RTSuccess SetVM(RTInstance a, void* vm) { return CallMethod(a, kLevel, kSetVM, vm); }
inline RTSuccess SetPlayer(RTInstance a, void* playerObject) { return CallMethod(a, kLevel, kSetPlayer, playerObject); }

// Save games: one wrapper's section; then, after every wrapper is read, the references between them.
inline RTSuccess ActorWrapperStreamOut(RTInstance a, RTTeskActorWrapper* wrapper, RTInstance stream) {
  return CallMethod(a, kLevel, kActorWrapperStreamOut, wrapper, stream);
}
inline RTSuccess ActorWrapperStreamIn(RTInstance a, RTTeskActorWrapper* wrapper, RTInstance stream, void* vm) {
  return CallMethod(a, kLevel, kActorWrapperStreamIn, wrapper, stream, vm);
}
inline RTSuccess ActorWrapperStreamInBind(RTInstance a, RTTeskActorWrapper* wrapper) {
  return CallMethod(a, kLevel, kActorWrapperStreamInBind, wrapper);
}
inline RTSuccess StreamVehiclesOut(RTInstance a, RTInstance stream) {
  return CallMethod(a, kLevel, kStreamVehiclesOut, stream);
}
inline RTSuccess StreamVehiclesIn(RTInstance a, RTInstance stream) {
  return CallMethod(a, kLevel, kStreamVehiclesIn, stream);
}

// Vehicles.
inline RTSuccess AddWheelchair(RTInstance a, const RTFVector3D* at, uint32_t* handle) {
  return CallMethod(a, kLevel, kAddWheelchair, at, handle);
}
inline RTSuccess AddGurney(RTInstance a, const RTFVector3D* at, uint32_t* handle) {
  return CallMethod(a, kLevel, kAddGurney, at, handle);
}
inline RTSuccess FindWheelchairClicked(RTInstance a, const RTFVector3D* origin, const RTFVector3D* direction,
                                       uint32_t* handle) {
  return CallMethod(a, kLevel, kFindWheelchairClicked, origin, direction, handle);
}
inline RTSuccess FindGurneyClicked(RTInstance a, const RTFVector3D* origin, const RTFVector3D* direction,
                                   uint32_t* index) {
  return CallMethod(a, kLevel, kFindGurneyClicked, origin, direction, index);
}
inline RTSuccess GetVehicleN(RTInstance a, uint32_t handle, VehicleRecord** vehicle) {
  return CallMethod(a, kLevel, kGetVehicleN, handle, vehicle);
}
inline RTSuccess GetVehicleIndex(RTInstance a, VehicleRecord* vehicle, uint32_t* index) {
  return CallMethod(a, kLevel, kGetVehicleIndex, vehicle, index);
}
inline RTSuccess RemoveVehicle(RTInstance a, uint32_t handle) { return CallMethod(a, kLevel, kRemoveVehicle, handle); }
inline RTSuccess RemoveAllVehicles(RTInstance a) { return CallMethod(a, kLevel, kRemoveAllVehicles); }
inline RTSuccess GetVehiclePositionC(RTInstance a, VehicleRecord* vehicle, RTFVector3D* position) {
  return CallMethod(a, kLevel, kGetVehiclePositionC, vehicle, position);
}
inline RTSuccess SetVehiclePositionC(RTInstance a, VehicleRecord* vehicle, const RTFVector3D* position) {
  return CallMethod(a, kLevel, kSetVehiclePositionC, vehicle, position);
}
inline RTSuccess GetVehicleAheadVectorC(RTInstance a, VehicleRecord* vehicle, RTFVector3D* ahead) {
  return CallMethod(a, kLevel, kGetVehicleAheadVectorC, vehicle, ahead);
}
inline RTSuccess GetVehicleRightVectorC(RTInstance a, VehicleRecord* vehicle, RTFVector3D* right) {
  return CallMethod(a, kLevel, kGetVehicleRightVectorC, vehicle, right);
}
inline RTSuccess VehicleLocalToWorldC(RTInstance a, VehicleRecord* vehicle, const RTFVector3D* local,
                                      RTFVector3D* world) {
  return CallMethod(a, kLevel, kVehicleLocalToWorldC, vehicle, local, world);
}
inline RTSuccess SetVehicleOrientationC(RTInstance a, VehicleRecord* vehicle, float degrees) {
  return CallMethod(a, kLevel, kSetVehicleOrientationC, vehicle, degrees);
}
inline RTSuccess CreateAmbulance(RTInstance a) { return CallMethod(a, kLevel, kCreateAmbulance); }
inline RTSuccess ShowAmbulance(RTInstance a, const RTFVector3D* at) {
  return CallMethod(a, kLevel, kShowAmbulance, at);
}
inline RTSuccess HideAmbulance(RTInstance a) { return CallMethod(a, kLevel, kHideAmbulance); }
inline RTSuccess ResetAmbulance(RTInstance a) { return CallMethod(a, kLevel, kResetAmbulance); }

// The rasterizer texture of the head render stored under the key (upper-cased before the look-up;
// at most 127 units): the alternate head when asked for and there is one, else the primary. 0 with
// *texture 0 when there is no entry (nothing is loaded) or the key is too long.
inline RTSuccess RetrieveHead(RTInstance a, const char16_t* key, RTBool alternate, uint32_t* texture) {
  return CallMethod(a, kLevel, kRetrieveHead, key, alternate, texture);
}

}  // namespace kivo::actor
