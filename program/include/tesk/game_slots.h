// Every method of the game component (class RTTeskGame, parent RTVarnoGame) by its byte offset in
// the slot table of the game's own class level, whose table pointers are the object words 0x58 and
// 0x5C. The program, the other components and the game's own code call by these offsets, and the
// game's definition record gives each method it has built a record at its offset. An offset whose
// method is not built yet is an empty slot: calls through it fail.
//
// Two calling forms. Script methods (most of them) take (instance, calling script object, argument
// count, argument cells, result cell, VM): see ScriptMethod. Native methods take the instance and
// the plain arguments their wrappers here show.
#pragma once

#include <cstdint>

#include "kivo/slots.h"

struct RTTeskActorWrapper;  // the actor component's record of a character (kivo/actor/actor_calls.h)
namespace kivo {
struct List;
}  // namespace kivo

namespace varno {
struct RTVarnoConstantValue;  // an argument or result cell (varno/call_cells.h)
struct RTVarnoSymbol;
struct RTVarnoVM;
}  // namespace varno

namespace tesk::game {

inline constexpr char16_t kClassName[] = u"RTTeskGame";

// Every method of the game's level with its byte offset, in offset order (336 methods in the 355
// entries of the table).
#define TESK_GAME_METHODS(X) \
  X(Create, 0x000)                                \
  X(Destroy, 0x004)                               \
  X(Startup, 0x008)                               \
  X(ShutDown, 0x00c)                              \
  X(Main, 0x010)                                  \
  X(PresentStartup, 0x014)                        \
  X(GetBasketballNode, 0x018)                     \
  X(GetBedCount, 0x01c)                           \
  X(SetMainWindowHandle, 0x020)                   \
  X(ResizeMainWindow, 0x024)                      \
  X(MouseMove, 0x028)                             \
  X(SetInitialMousePos, 0x02c)                    \
  X(GetBedNameN, 0x030)                           \
  X(GetBedNodeN, 0x034)                           \
  X(GetBenchCount, 0x038)                         \
  X(MouseClick, 0x03c)                            \
  X(GetBenchNodeN, 0x040)                         \
  X(GetCurrentTime, 0x044)                        \
  X(SetPlayer, 0x048)                             \
  X(AddActor, 0x04c)                              \
  X(GetCafeteriaChairCount, 0x050)                \
  X(GetCafeteriaChairNodeN, 0x054)                \
  X(GetCurrentTimeC, 0x058)                       \
  X(GetCafeteriaTrayCount, 0x05c)                 \
  X(GetCafeteriaTrayNodeN, 0x060)                 \
  X(GetChairCount, 0x064)                         \
  X(GetChairNodeN, 0x068)                         \
  X(GetPathfindingObject, 0x06c)                  \
  X(GetCotCount, 0x070)                           \
  X(GetActorList, 0x074)                          \
  X(GetCotNodeN, 0x078)                           \
  X(GetDeconChamberNode, 0x07c)                   \
  X(GetEllipticalCount, 0x080)                    \
  X(GetEllipticalNodeN, 0x084)                    \
  X(GetGameMachineCount, 0x088)                   \
  X(GetGameMachineNodeN, 0x08c)                   \
  X(GetLinenCartNode, 0x090)                      \
  X(GetVM, 0x094)                                 \
  X(GetSceneTree, 0x098)                          \
  X(GetPediaChairCount, 0x09c)                    \
  X(GetPediaChairNodeN, 0x0a0)                    \
  X(GetRowingMachineCount, 0x0a4)                 \
  X(GetRowingMachineNodeN, 0x0a8)                 \
  X(GetSecurityCameraCount, 0x0ac)                \
  X(GetSecurityCameraNodeN, 0x0b0)                \
  X(GetShoulderPressCount, 0x0b4)                 \
  X(GetShoulderPressNodeN, 0x0b8)                 \
  X(GetShowerCount, 0x0bc)                        \
  X(RenderAOI, 0x0c0)                             \
  X(GetGameTime, 0x0c4)                           \
  X(GetShowerNodeN, 0x0c8)                        \
  X(GetSigChairCount, 0x0cc)                      \
  X(GetSigChairNodeN, 0x0d0)                      \
  X(GetSinkCount, 0x0d4)                          \
  X(GetSinkNodeN, 0x0d8)                          \
  X(GetVendingMachineCount, 0x0dc)                \
  X(GetVendingNodeN, 0x0e0)                       \
  X(KeyDown, 0x0e4)                               \
  X(GetYogaMatCount, 0x0e8)                       \
  X(GetYogaMatNodeN, 0x0ec)                       \
  X(GetGameTimeC, 0x0f0)                          \
  X(PlayNodeAnimation, 0x0f4)                     \
  X(GetVendingNodeNType, 0x0f8)                   \
  X(GetBedMaxSevByName, 0x0fc)                    \
  X(GetNodeRight, 0x100)                          \
  X(GetNodeUp, 0x104)                             \
  X(GetNodeAhead, 0x108)                          \
  X(GetNodePosition, 0x10c)                       \
  X(ResetGameTime, 0x110)                         \
  X(SetMouseCursor, 0x114)                        \
  X(UnlockMovieSkip, 0x118)                       \
  X(PumpLoadingScreen, 0x11c)                     \
  X(FormatGameTime, 0x120)                        \
  X(PauseC, 0x124)                                \
  X(ResetC, 0x128)                                \
  X(SetTimeDilation, 0x12c)                       \
  X(UnPauseC, 0x130)                              \
  X(AddDoctor, 0x134)                             \
  X(AddNewbie, 0x138)                             \
  X(AddNode, 0x13c)                               \
  X(AddStaff, 0x140)                              \
  X(AddToRoster, 0x144)                           \
  X(AttachEnvironmentNode, 0x148)                 \
  X(ClearRoster, 0x14c)                           \
  X(DisableGenderedRooms, 0x150)                  \
  X(EnableRoom, 0x154)                            \
  X(GetGame, 0x158)                               \
  X(GetRoomNameByPoint, 0x15c)                    \
  X(GetRootNode, 0x160)                           \
  X(GetSpawnpointByName, 0x164)                   \
  X(NodeLocalToWorld, 0x168)                      \
  X(Page, 0x16c)                                  \
  X(RemoveActor, 0x170)                           \
  X(ResetWorld, 0x174)                            \
  X(RemoveDoctor, 0x178)                          \
  X(RemoveNewbie, 0x17c)                          \
  X(RemoveNode, 0x180)                            \
  X(SetBedObject, 0x184)                          \
  X(SetFitnessBoost, 0x188)                       \
  X(SetGamersBoost, 0x18c)                        \
  X(SetHandsOff, 0x190)                           \
  X(SetPerkRecieveTime, 0x194)                    \
  X(SetProximityIcon, 0x198)                      \
  X(SetUnFitnessBoost, 0x19c)                     \
  X(StartFaucet, 0x1a0)                           \
  X(StopFaucet, 0x1a4)                            \
  X(SystemMessage, 0x1a8)                         \
  X(SystemMessageC, 0x1ac)                        \
  X(UpdatePerks, 0x1b0)                           \
  X(AddGurney, 0x1b4)                             \
  X(SetGameTime, 0x1b8)                           \
  X(AddWheelchair, 0x1bc)                         \
  X(GetVehicleAheadVector, 0x1c0)                 \
  X(GetVehiclePosition, 0x1c4)                    \
  X(GetVehicleRightVector, 0x1c8)                 \
  X(GetVehicleType, 0x1cc)                        \
  X(HideAmbulance, 0x1d0)                         \
  X(RemoveVehicle, 0x1d4)                         \
  X(ResetAmbulance, 0x1d8)                        \
  X(SetVehicleOrientation, 0x1dc)                 \
  X(GetScreenSize, 0x1e0)                         \
  X(SetVehiclePosition, 0x1e4)                    \
  X(ShowAmbulance, 0x1e8)                         \
  X(VehicleLocalToWorld, 0x1ec)                   \
  X(DisplayGambitIcon, 0x1f0)                     \
  X(DisplayGossip, 0x1f4)                         \
  X(DisplayHeadShot, 0x1f8)                       \
  X(DrawTitleText, 0x1fc)                         \
  X(EnableMiniMapFlash, 0x200)                    \
  X(EndTitleText, 0x204)                          \
  X(SetMiniMapLevel, 0x208)                       \
  X(ToggleMaps, 0x20c)                            \
  X(CameraAttachToActor, 0x210)                   \
  X(CameraAttachToUser, 0x214)                    \
  X(CameraDetachFromUser, 0x218)                  \
  X(CameraLerpToPitch, 0x21c)                     \
  X(CameraLerpToPosition, 0x220)                  \
  X(MouseDblClick, 0x224)                         \
  X(CameraLerpToYaw, 0x228)                       \
  X(CameraLerpToZoom, 0x22c)                      \
  X(CameraShake, 0x230)                           \
  X(RenderC, 0x234)                               \
  X(DrawMOPopUp, 0x238)                           \
  X(GetAOIRadius, 0x23c)                          \
  X(PresentEpisodeSelection, 0x240)               \
  X(BMEndSave, 0x244)                             \
  X(BMLoad, 0x248)                                \
  X(BMSetDispo, 0x24c)                            \
  X(BMSetDispoCount, 0x250)                       \
  X(BMSetPlayerAttributes, 0x254)                 \
  X(BMSetPlayerExp, 0x258)                        \
  X(BMSetPlayerPrestige, 0x25c)                   \
  X(BMSetPlayerSkills, 0x260)                     \
  X(BMStartSave, 0x264)                           \
  X(SFXAddBuffer, 0x268)                          \
  X(SFXPlay, 0x26c)                               \
  X(SFXPlayAtPosition, 0x270)                     \
  X(SFXStop, 0x274)                               \
  X(IsSpeechPlaying, 0x278)                       \
  X(ListenerGetGain, 0x27c)                       \
  X(ListenerGetGainFromOptions, 0x280)            \
  X(ListenerSetGain, 0x284)                       \
  X(ListenerSetGainLerp, 0x288)                   \
  X(PlaySpeech, 0x28c)                            \
  X(ProcessAudio, 0x290)                          \
  X(AmbientTransitionToBufferVarno, 0x294)        \
  X(MusicCanStop, 0x298)                          \
  X(MusicSetSourceBuffer, 0x29c)                  \
  X(MusicStart, 0x2a0)                            \
  X(MusicStop, 0x2a4)                             \
  X(MusicTransition, 0x2a8)                       \
  X(MusicTransitionToSource, 0x2ac)               \
  X(FXActorRemove, 0x2b0)                         \
  X(FXAttachActor, 0x2b4)                         \
  X(FXAttachNode, 0x2b8)                          \
  X(FXClearRotation, 0x2bc)                       \
  X(FXPitch, 0x2c0)                               \
  X(FXPlay, 0x2c4)                                \
  X(FXRoll, 0x2c8)                                \
  X(FXSetActive, 0x2cc)                           \
  X(FXSetSourceActor, 0x2d0)                      \
  X(FXStop, 0x2d4)                                \
  X(FXYaw, 0x2d8)                                 \
  X(AddLocation, 0x2dc)                           \
  X(DropRoomLights, 0x2e0)                        \
  X(EnableCeilingChunk, 0x2e4)                    \
  X(EnableGlueTruck, 0x2e8)                       \
  X(GetElevatorMatCount, 0x2ec)                   \
  X(ScreenFadeToColor, 0x2f0)                     \
  X(GetElevatorMatFloorN, 0x2f4)                  \
  X(GetElevatorMatNodeN, 0x2f8)                   \
  X(GetPlayerObject, 0x2fc)                       \
  X(GetPlayerRoomAmbientString, 0x300)            \
  X(GetRoomCenter, 0x304)                         \
  X(IsWreckingBallShown, 0x308)                   \
  X(PlayCeilingChunk, 0x30c)                      \
  X(RestoreRoomLights, 0x310)                     \
  X(SetEnvironment, 0x314)                        \
  X(ToggleWreckingBall, 0x318)                    \
  X(TurnOffGymOutlines, 0x31c)                    \
  X(TurnOffPropOutline, 0x320)                    \
  X(TurnOnGymOutlines, 0x324)                     \
  X(TurnOnPropOutline, 0x328)                     \
  X(BathroomStallDoorClose, 0x32c)                \
  X(BathroomStallDoorOpen, 0x330)                 \
  X(CloseShowerDoor, 0x334)                       \
  X(OpenShowerDoor, 0x338)                        \
  X(CameraGetPitch, 0x33c)                        \
  X(CameraGetPosition, 0x340)                     \
  X(CameraGetYaw, 0x344)                          \
  X(CameraGetZoom, 0x348)                         \
  X(CameraSetPitch, 0x34c)                        \
  X(CameraSetPosition, 0x350)                     \
  X(CameraSetYaw, 0x354)                          \
  X(CameraSetZoom, 0x358)                         \
  X(BBallGetNumShotPositions, 0x35c)              \
  X(BBallGetShotPositionI, 0x360)                 \
  X(BBallShootBad, 0x364)                         \
  X(BBallShootGreat, 0x368)                       \
  X(BBallShootMade, 0x36c)                        \
  X(BBallShootMiss, 0x370)                        \
  X(CloseBBallShot, 0x374)                        \
  X(EnterBBallMode, 0x378)                        \
  X(PlayBink, 0x37c)                              \
  X(ExitBBallMode, 0x380)                         \
  X(HideBBallScoreboard, 0x384)                   \
  X(PresentBBallShot, 0x388)                      \
  X(SetBBallShotNumber, 0x38c)                    \
  X(SetOpponentBBallScore, 0x390)                 \
  X(SetPlayerBBallScore, 0x394)                   \
  X(ShootBall, 0x398)                             \
  X(SetMouseCursorCallback, 0x39c)                \
  X(ShowBBallScoreboard, 0x3a0)                   \
  X(InSoftware, 0x3a4)                            \
  X(LockSecurityScreen, 0x3a8)                    \
  X(SetActiveCamera, 0x3ac)                       \
  X(UnlockSecurityScreen, 0x3b0)                  \
  X(VarnoAssert, 0x3b4)                           \
  X(OpenAntidoteScreen, 0x3b8)                    \
  X(OpenPickStaffScreen, 0x3bc)                   \
  X(OpenStaffManagementScreen1, 0x3c0)            \
  X(OpenStaffManagementScreen2, 0x3c4)            \
  X(OpenStaffManagementScreen3, 0x3c8)            \
  X(DoPerkTargetting, 0x3cc)                      \
  X(OpenPatientMenu, 0x3d0)                       \
  X(SetPendingPerkSwapMode, 0x3d4)                \
  X(AddSubtitleText, 0x3d8)                       \
  X(AddTextToLog, 0x3dc)                          \
  X(ChangeWedge, 0x3e0)                           \
  X(ClearTargetObject, 0x3e4)                     \
  X(DrawDoctorToolTip, 0x3e8)                     \
  X(DrawMasterIcon, 0x3ec)                        \
  X(DrawPatientToolTip, 0x3f0)                    \
  X(EndSubtitles, 0x3f4)                          \
  X(FadeConversationHUD, 0x3f8)                   \
  X(GetNumNewbiePatients, 0x3fc)                  \
  X(GetTargetObject, 0x400)                       \
  X(HideCaptureDogPanel, 0x404)                   \
  X(SetOptionCallbacks, 0x408)                    \
  X(SetRegistryCallbacks, 0x40c)                  \
  X(ResetStats, 0x410)                            \
  X(MouseWheel, 0x414)                            \
  X(BinkPlaying, 0x418)                           \
  X(SetDisposition, 0x41c)                        \
  X(SetIdleCallback, 0x420)                       \
  X(SetInitialDisposition, 0x424)                 \
  X(SetNumProblems, 0x428)                        \
  X(SetPatientObject, 0x42c)                      \
  X(ShowHud, 0x430)                               \
  X(SetPortalNumber, 0x434)                       \
  X(SetPrestige, 0x438)                           \
  X(SetProblem, 0x43c)                            \
  X(SetSkillNumbers, 0x440)                       \
  X(SetStats, 0x444)                              \
  X(SetWedge, 0x448)                              \
  X(SetupSubtitleBox, 0x44c)                      \
  X(ShowCaptureDogPanel, 0x450)                   \
  X(AddActivePerk, 0x454)                         \
  X(AddEdict, 0x458)                              \
  X(AddGameHint, 0x45c)                           \
  X(AddIncomingCurbside, 0x460)                   \
  X(OpenBetweenEpScreen, 0x464)                   \
  X(OpenCurbsideScreen, 0x468)                    \
  X(OpenEpilogueScreen, 0x46c)                    \
  X(OpenGameOverScreen, 0x470)                    \
  X(OpenGenericDialogScreen, 0x474)               \
  X(OpenGenericOKScreen, 0x478)                   \
  X(OpenHestlowFireScreen, 0x47c)                 \
  X(OpenTutorialContScreen, 0x480)                \
  X(OpenWarningScreen, 0x484)                     \
  X(RemoveActivePerk, 0x488)                      \
  X(RemoveEdict, 0x48c)                           \
  X(RemoveIncomingCurbside, 0x490)                \
  X(SetCurbsideResponse, 0x494)                   \
  X(SetEdictFailReason, 0x498)                    \
  X(SetGameOverReason, 0x49c)                     \
  X(UpdateActivePerk, 0x4a0)                      \
  X(UpdateEdictStatus, 0x4a4)                     \
  X(GetPlayerEntity, 0x4a8)                       \
  X(RefreshSuperPowersC, 0x4ac)                   \
  X(ShowExpScreenHint, 0x4b0)                     \
  X(OpenInfoScreen, 0x4b4)                        \
  X(SetOpeningInfoTab, 0x4b8)                     \
  X(RecheckSPRequirements, 0x4bc)                 \
  X(UpdatePowersC, 0x4c0)                         \
  X(SetNodeObject, 0x4c4)                         \
  X(CloseMenus, 0x4c8)                            \
  X(ShowTalkMenu, 0x4cc)                          \
  X(TurnOffMarkerMenus, 0x4d0)                    \
  X(SetToxicOption, 0x4d4)                        \
  X(SetClickOnActor, 0x4d8)                       \
  X(GetPerkSwapPartner, 0x4dc)                    \
  X(SetPerkSwapReaction, 0x4e0)                   \
  X(ShowPerkSwapHint, 0x4e4)                      \
  X(ShowPerkSwapHint2, 0x4e8)                     \
  X(StartPerkSwap, 0x4ec)                         \
  X(StartRecievePerk, 0x4f0)                      \
  X(DrawNumber, 0x4f4)                            \
  X(RenderTextBubble, 0x4f8)                      \
  X(AddPatient, 0x4fc)                            \
  X(ReSortPatientList, 0x500)                     \
  X(RemovePatient, 0x504)                         \
  X(RemovePatientC, 0x508)                        \
  X(SetBackFromTesting, 0x50c)                    \
  X(StartCountDown, 0x510)                        \
  X(UnreservePatients, 0x514)                     \
  X(UpdateNurseETA, 0x518)                        \
  X(Set24HourClock, 0x51c)                        \
  X(DrawMiniWedge, 0x520)                         \
  X(RenderPortalNumber, 0x524)                    \
  X(DrawBorderedCircle, 0x528)                    \
  X(SetGeneralExp, 0x52c)                         \
  X(GetTimeDilation, 0x530)                       \
  X(SetMouseCursorC, 0x534)                       \
  X(SetRelativeTimeDilation, 0x538)               \
  X(DisplayBMPList, 0x588)

enum Slot : uint32_t {
#define TESK_GAME_SLOT(name, offset) k##name = offset,
  TESK_GAME_METHODS(TESK_GAME_SLOT)
#undef TESK_GAME_SLOT
};
inline constexpr uint32_t kMethodCount = 336;
// The game's own method after the published ones: the scene node or room of a script handle.
inline constexpr uint32_t kResolveSceneHandle = 0x58c;

inline constexpr uint32_t kLevel = 0x58;     // the game level's first slot table
inline constexpr uint32_t kOwnTable = 0x5C;  // its second table: the game's own functions
inline constexpr uint32_t kStateWord = 0x60;  // the GamePrivateData record
inline constexpr uint32_t kObjectSize = 112;  // published bytes
inline constexpr uint32_t kSlotTableSize = kResolveSceneHandle + 4;  // 1424 bytes: 356 entries

using ScriptMethod = RTSuccess (*)(RTInstance game, varno::RTVarnoSymbol* object, uint32_t argumentCount,
                                   varno::RTVarnoConstantValue* arguments, varno::RTVarnoConstantValue* result,
                                   varno::RTVarnoVM* vm);

// The game's script VM (null when it has none); no reference is taken.
inline RTSuccess GetVM(RTInstance game, void** vm) { return kivo::CallMethod(game, kLevel, kGetVM, vm); }
// The scene tree with a reference for the caller; null when the game has none.
inline RTSuccess GetSceneTree(RTInstance game, RTInstance* tree) {
  return kivo::CallMethod(game, kLevel, kGetSceneTree, tree);
}
// The window's size in pixels, as the host last gave it.
inline RTSuccess GetScreenSize(RTInstance game, uint32_t* width, uint32_t* height) {
  return kivo::CallMethod(game, kLevel, kGetScreenSize, width, height);
}

// What the actor component calls, in a namespace of their own: the game's own functions bear the
// same names.
namespace call {

// The game's list of actor wrappers, the game's own.
inline RTSuccess GetActorList(RTInstance game, kivo::List** actors) {
  return kivo::CallMethod(game, kLevel, kGetActorList, actors);
}
inline RTSuccess AddActor(RTInstance game, RTTeskActorWrapper* wrapper) {
  return kivo::CallMethod(game, kLevel, kAddActor, wrapper);
}
inline RTSuccess RemoveActor(RTInstance game, RTTeskActorWrapper* wrapper) {
  return kivo::CallMethod(game, kLevel, kRemoveActor, wrapper);
}
// A node of the world room, which names itself its container.
inline RTSuccess AddNode(RTInstance game, RTInstance node) { return kivo::CallMethod(game, kLevel, kAddNode, node); }
// A child node of the environment's root node.
inline RTSuccess AttachEnvironmentNode(RTInstance game, RTInstance node) {
  return kivo::CallMethod(game, kLevel, kAttachEnvironmentNode, node);
}
inline RTSuccess RemoveNode(RTInstance game, RTInstance node) {
  return kivo::CallMethod(game, kLevel, kRemoveNode, node);
}
// The script form: the game clock in seconds, a real in the result cell.
inline RTSuccess GetCurrentTime(RTInstance game, varno::RTVarnoConstantValue* result) {
  return kivo::CallMethod(game, kLevel, kGetCurrentTime, static_cast<varno::RTVarnoSymbol*>(nullptr), 0u,
                          static_cast<varno::RTVarnoConstantValue*>(nullptr), result,
                          static_cast<varno::RTVarnoVM*>(nullptr));
}
inline RTSuccess GetCurrentTimeC(RTInstance game, float* seconds) {
  return kivo::CallMethod(game, kLevel, kGetCurrentTimeC, seconds);
}
// The route planner of a pathfinding kind (an index into the environment's graphs), with a
// reference for the caller; fails with null for a kind the game has no graph of.
inline RTSuccess GetPathfindingObject(RTInstance game, int32_t kind, RTInstance* planner) {
  return kivo::CallMethod(game, kLevel, kGetPathfindingObject, static_cast<uint32_t>(kind), planner);
}
// The game clock times 0.5.
inline RTSuccess GetGameTimeC(RTInstance game, float* seconds) {
  return kivo::CallMethod(game, kLevel, kGetGameTimeC, seconds);
}
// Lets go of the effects attached to the actor.
inline RTSuccess FXActorRemove(RTInstance game, RTTeskActorWrapper* wrapper) {
  return kivo::CallMethod(game, kLevel, kFXActorRemove, wrapper);
}
// Marks the actor's entry of the patient display as leaving.
inline RTSuccess RemovePatientC(RTInstance game, RTTeskActorWrapper* wrapper) {
  return kivo::CallMethod(game, kLevel, kRemovePatientC, wrapper);
}
// The player's body, with a reference for the caller.
inline RTSuccess GetPlayerEntity(RTInstance game, RTInstance* body) {
  return kivo::CallMethod(game, kLevel, kGetPlayerEntity, body);
}
// The scene node or room that a script sees as the number `handle`, with a reference for the
// caller; fails with null for a handle the game has not issued or whose object is gone.
inline RTSuccess ResolveSceneHandle(RTInstance game, uint32_t handle, RTInstance* object) {
  return kivo::CallMethod(game, kLevel, kResolveSceneHandle, handle, object);
}

}  // namespace call

}  // namespace tesk::game
