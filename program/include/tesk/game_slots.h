// Every method of the game component (class RTTeskGame, parent RTVarnoGame) by its byte offset in
// the slot table of the game's own class level, whose table pointers are the object words 0x58 and
// 0x5C. The program, the other components and the game's own code call by these offsets, and the
// game's definition record gives each method it has built a record at its offset. An offset whose
// method is not built yet is an empty slot: calls through it fail.
//
// Two calling forms. Script methods (most of them) take (instance, calling script object, argument
// count, argument cells, result cell, VM): see ScriptSlot. Native methods take the instance and
// the plain arguments the list gives them.
#pragma once

#include <cstdint>

#include "kivo/slots.h"
#include "tesk/host_callbacks.h"
#include "varno/call_cells.h"

struct RTTeskActorWrapper;  // the actor component's record of a character (kivo/actor/actor_calls.h)
namespace kivo {
struct List;
}  // namespace kivo

namespace tesk::game {

inline constexpr char16_t kClassName[] = u"RTTeskGame";

// The signatures of the list below: a method given no parameter types is a script method; `void`
// stands for a native method that takes the instance alone.
using ScriptSlot = varno::NativeMethodSlot;

// Every method of the game's level with its byte offset and, for a native method, its parameter
// types, in offset order (336 methods in the 355 entries of the table). A PUBLISHED offset is
// fixed: the program, the scripts and the other components call the method there. An OWN offset is this project's choice for a method no caller
// reaches by a fixed number; it takes one of the entries the published ones leave.
#define TESK_GAME_METHODS(PUBLISHED, OWN)                            \
  PUBLISHED(Create, 0x000)                                           \
  PUBLISHED(Destroy, 0x004)                                          \
  PUBLISHED(Startup, 0x008)                                          \
  PUBLISHED(ShutDown, 0x00c)                                         \
  PUBLISHED(Main, 0x010)                                             \
  OWN(PresentStartup, 0x014)                                         \
  OWN(GetBasketballNode, 0x018)                                      \
  OWN(GetBedCount, 0x01c)                                            \
  PUBLISHED(SetMainWindowHandle, 0x020, void*, uint32_t, uint32_t)   \
  PUBLISHED(ResizeMainWindow, 0x024, uint32_t, uint32_t)             \
  PUBLISHED(MouseMove, 0x028, uint32_t, uint32_t, int32_t, int32_t)  \
  PUBLISHED(SetInitialMousePos, 0x02c, uint32_t, uint32_t)           \
  OWN(GetBedNameN, 0x030)                                            \
  OWN(GetBedNodeN, 0x034)                                            \
  OWN(GetBenchCount, 0x038)                                          \
  PUBLISHED(MouseClick, 0x03c, uint32_t, uint32_t, int32_t, int32_t) \
  OWN(GetBenchNodeN, 0x040)                                          \
  PUBLISHED(GetCurrentTime, 0x044)                                   \
  PUBLISHED(SetPlayer, 0x048)                                        \
  PUBLISHED(AddActor, 0x04c, RTTeskActorWrapper*)                    \
  OWN(GetCafeteriaChairCount, 0x050)                                 \
  OWN(GetCafeteriaChairNodeN, 0x054)                                 \
  PUBLISHED(GetCurrentTimeC, 0x058, float*)                          \
  OWN(GetCafeteriaTrayCount, 0x05c)                                  \
  OWN(GetCafeteriaTrayNodeN, 0x060)                                  \
  OWN(GetChairCount, 0x064)                                          \
  OWN(GetChairNodeN, 0x068)                                          \
  PUBLISHED(GetPathfindingObject, 0x06c, uint32_t, RTInstance*)      \
  OWN(GetCotCount, 0x070)                                            \
  PUBLISHED(GetActorList, 0x074, kivo::List**)                       \
  OWN(GetCotNodeN, 0x078)                                            \
  OWN(GetDeconChamberNode, 0x07c)                                    \
  OWN(GetEllipticalCount, 0x080)                                     \
  OWN(GetEllipticalNodeN, 0x084)                                     \
  OWN(GetGameMachineCount, 0x088)                                    \
  OWN(GetGameMachineNodeN, 0x08c)                                    \
  OWN(GetLinenCartNode, 0x090)                                       \
  PUBLISHED(GetVM, 0x094, varno::RTVarnoVM**)                        \
  PUBLISHED(GetSceneTree, 0x098, RTInstance*)                        \
  OWN(GetPediaChairCount, 0x09c)                                     \
  OWN(GetPediaChairNodeN, 0x0a0)                                     \
  OWN(GetRowingMachineCount, 0x0a4)                                  \
  OWN(GetRowingMachineNodeN, 0x0a8)                                  \
  OWN(GetSecurityCameraCount, 0x0ac)                                 \
  OWN(GetSecurityCameraNodeN, 0x0b0)                                 \
  OWN(GetShoulderPressCount, 0x0b4)                                  \
  OWN(GetShoulderPressNodeN, 0x0b8)                                  \
  OWN(GetShowerCount, 0x0bc)                                         \
  PUBLISHED(RenderAOI, 0x0c0, RTInstance)                            \
  PUBLISHED(GetGameTime, 0x0c4)                                      \
  OWN(GetShowerNodeN, 0x0c8)                                         \
  OWN(GetSigChairCount, 0x0cc)                                       \
  OWN(GetSigChairNodeN, 0x0d0)                                       \
  OWN(GetSinkCount, 0x0d4)                                           \
  OWN(GetSinkNodeN, 0x0d8)                                           \
  OWN(GetVendingMachineCount, 0x0dc)                                 \
  OWN(GetVendingNodeN, 0x0e0)                                        \
  PUBLISHED(KeyDown, 0x0e4, uint32_t, uint32_t)                      \
  OWN(GetYogaMatCount, 0x0e8)                                        \
  OWN(GetYogaMatNodeN, 0x0ec)                                        \
  PUBLISHED(GetGameTimeC, 0x0f0, float*)                             \
  OWN(PlayNodeAnimation, 0x0f4)                                      \
  OWN(GetVendingNodeNType, 0x0f8)                                    \
  OWN(GetBedMaxSevByName, 0x0fc)                                     \
  OWN(GetNodeRight, 0x100)                                           \
  OWN(GetNodeUp, 0x104)                                              \
  OWN(GetNodeAhead, 0x108)                                           \
  OWN(GetNodePosition, 0x10c)                                        \
  PUBLISHED(ResetGameTime, 0x110)                                    \
  OWN(SetMouseCursor, 0x114)                                         \
  OWN(UnlockMovieSkip, 0x118)                                        \
  OWN(PumpLoadingScreen, 0x11c)                                      \
  OWN(FormatGameTime, 0x120)                                         \
  OWN(PauseC, 0x124, void)                                           \
  OWN(ResetC, 0x128, void)                                           \
  OWN(SetTimeDilation, 0x12c)                                        \
  OWN(UnPauseC, 0x130, void)                                         \
  OWN(AddDoctor, 0x134)                                              \
  OWN(AddNewbie, 0x138)                                              \
  OWN(AddNode, 0x13c, RTInstance)                                    \
  OWN(AddStaff, 0x140)                                               \
  OWN(AddToRoster, 0x144)                                            \
  OWN(AttachEnvironmentNode, 0x148, RTInstance)                      \
  OWN(ClearRoster, 0x14c)                                            \
  OWN(DisableGenderedRooms, 0x150)                                   \
  OWN(EnableRoom, 0x154)                                             \
  OWN(GetGame, 0x158, varno::RTVarnoSymbol**)                        \
  OWN(GetRoomNameByPoint, 0x15c)                                     \
  OWN(GetRootNode, 0x160, RTInstance*)                               \
  OWN(GetSpawnpointByName, 0x164)                                    \
  OWN(NodeLocalToWorld, 0x168)                                       \
  OWN(Page, 0x16c)                                                   \
  OWN(RemoveActor, 0x170, RTTeskActorWrapper*)                       \
  PUBLISHED(ResetWorld, 0x174)                                       \
  OWN(RemoveDoctor, 0x178)                                           \
  OWN(RemoveNewbie, 0x17c)                                           \
  OWN(RemoveNode, 0x180, RTInstance)                                 \
  OWN(SetBedObject, 0x184)                                           \
  OWN(SetFitnessBoost, 0x188)                                        \
  OWN(SetGamersBoost, 0x18c)                                         \
  OWN(SetHandsOff, 0x190)                                            \
  OWN(SetPerkRecieveTime, 0x194)                                     \
  OWN(SetProximityIcon, 0x198)                                       \
  OWN(SetUnFitnessBoost, 0x19c)                                      \
  OWN(StartFaucet, 0x1a0)                                            \
  OWN(StopFaucet, 0x1a4)                                             \
  OWN(SystemMessage, 0x1a8)                                          \
  OWN(SystemMessageC, 0x1ac, const char16_t*)                        \
  OWN(UpdatePerks, 0x1b0)                                            \
  OWN(AddGurney, 0x1b4)                                              \
  PUBLISHED(SetGameTime, 0x1b8)                                      \
  OWN(AddWheelchair, 0x1bc)                                          \
  OWN(GetVehicleAheadVector, 0x1c0)                                  \
  OWN(GetVehiclePosition, 0x1c4)                                     \
  OWN(GetVehicleRightVector, 0x1c8)                                  \
  OWN(GetVehicleType, 0x1cc)                                         \
  OWN(HideAmbulance, 0x1d0)                                          \
  OWN(RemoveVehicle, 0x1d4)                                          \
  PUBLISHED(StartPerkSwap, 0x1d8)                                    \
  PUBLISHED(SetPerkSwapReaction, 0x1dc)                              \
  PUBLISHED(GetScreenSize, 0x1e0, uint32_t*, uint32_t*)              \
  OWN(SetVehiclePosition, 0x1e4)                                     \
  OWN(ShowAmbulance, 0x1e8)                                          \
  OWN(VehicleLocalToWorld, 0x1ec)                                    \
  OWN(DisplayGambitIcon, 0x1f0)                                      \
  OWN(DisplayGossip, 0x1f4)                                          \
  OWN(DisplayHeadShot, 0x1f8)                                        \
  OWN(DrawTitleText, 0x1fc)                                          \
  OWN(EnableMiniMapFlash, 0x200)                                     \
  OWN(EndTitleText, 0x204)                                           \
  OWN(SetMiniMapLevel, 0x208)                                        \
  OWN(ToggleMaps, 0x20c)                                             \
  OWN(CameraAttachToActor, 0x210)                                    \
  OWN(CameraAttachToUser, 0x214)                                     \
  OWN(CameraDetachFromUser, 0x218)                                   \
  OWN(CameraLerpToPitch, 0x21c)                                      \
  OWN(CameraLerpToPosition, 0x220)                                   \
  PUBLISHED(MouseDblClick, 0x224, uint32_t, uint32_t)                \
  OWN(CameraLerpToYaw, 0x228)                                        \
  OWN(CameraLerpToZoom, 0x22c)                                       \
  OWN(CameraShake, 0x230)                                            \
  OWN(RenderC, 0x234, void)                                          \
  OWN(DrawMOPopUp, 0x238, int32_t, int32_t, int32_t, const char16_t*) \
  OWN(GetAOIRadius, 0x23c)                                           \
  OWN(PresentEpisodeSelection, 0x240)                                \
  OWN(BMEndSave, 0x244)                                              \
  OWN(BMLoad, 0x248)                                                 \
  OWN(BMSetDispo, 0x24c)                                             \
  OWN(BMSetDispoCount, 0x250)                                        \
  OWN(BMSetPlayerAttributes, 0x254)                                  \
  OWN(BMSetPlayerExp, 0x258)                                         \
  OWN(BMSetPlayerPrestige, 0x25c)                                    \
  OWN(BMSetPlayerSkills, 0x260)                                      \
  OWN(BMStartSave, 0x264)                                            \
  OWN(SFXAddBuffer, 0x268)                                           \
  OWN(SFXPlay, 0x26c)                                                \
  OWN(SFXPlayAtPosition, 0x270)                                      \
  OWN(SFXStop, 0x274)                                                \
  OWN(IsSpeechPlaying, 0x278)                                        \
  OWN(ListenerGetGain, 0x27c)                                        \
  OWN(ListenerGetGainFromOptions, 0x280)                             \
  OWN(ListenerSetGain, 0x284)                                        \
  OWN(ListenerSetGainLerp, 0x288)                                    \
  OWN(PlaySpeech, 0x28c)                                             \
  OWN(ProcessAudio, 0x290)                                           \
  OWN(AmbientTransitionToBufferVarno, 0x294)                         \
  OWN(MusicCanStop, 0x298)                                           \
  OWN(MusicSetSourceBuffer, 0x29c)                                   \
  OWN(MusicStart, 0x2a0)                                             \
  OWN(MusicStop, 0x2a4)                                              \
  OWN(MusicTransition, 0x2a8)                                        \
  OWN(MusicTransitionToSource, 0x2ac)                                \
  OWN(FXActorRemove, 0x2b0, RTTeskActorWrapper*)                     \
  OWN(FXAttachActor, 0x2b4)                                          \
  OWN(FXAttachNode, 0x2b8)                                           \
  OWN(FXClearRotation, 0x2bc)                                        \
  OWN(FXPitch, 0x2c0)                                                \
  OWN(FXPlay, 0x2c4)                                                 \
  OWN(FXRoll, 0x2c8)                                                 \
  OWN(FXSetActive, 0x2cc)                                            \
  OWN(FXSetSourceActor, 0x2d0)                                       \
  OWN(FXStop, 0x2d4)                                                 \
  OWN(FXYaw, 0x2d8)                                                  \
  OWN(AddLocation, 0x2dc)                                            \
  OWN(DropRoomLights, 0x2e0)                                         \
  OWN(EnableCeilingChunk, 0x2e4)                                     \
  OWN(EnableGlueTruck, 0x2e8)                                        \
  OWN(GetElevatorMatCount, 0x2ec)                                    \
  PUBLISHED(ScreenFadeToColor, 0x2f0)                                \
  OWN(GetElevatorMatFloorN, 0x2f4)                                   \
  OWN(GetElevatorMatNodeN, 0x2f8)                                    \
  OWN(GetPlayerObject, 0x2fc)                                        \
  OWN(GetPlayerRoomAmbientString, 0x300)                             \
  OWN(GetRoomCenter, 0x304)                                          \
  OWN(IsWreckingBallShown, 0x308)                                    \
  OWN(PlayCeilingChunk, 0x30c)                                       \
  OWN(RestoreRoomLights, 0x310)                                      \
  OWN(SetEnvironment, 0x314)                                         \
  OWN(ToggleWreckingBall, 0x318)                                     \
  OWN(TurnOffGymOutlines, 0x31c)                                     \
  OWN(TurnOffPropOutline, 0x320)                                     \
  OWN(TurnOnGymOutlines, 0x324)                                      \
  OWN(TurnOnPropOutline, 0x328)                                      \
  OWN(BathroomStallDoorClose, 0x32c)                                 \
  OWN(BathroomStallDoorOpen, 0x330)                                  \
  OWN(CloseShowerDoor, 0x334)                                        \
  OWN(OpenShowerDoor, 0x338)                                         \
  OWN(CameraGetPitch, 0x33c)                                         \
  OWN(CameraGetPosition, 0x340)                                      \
  OWN(CameraGetYaw, 0x344)                                           \
  OWN(CameraGetZoom, 0x348)                                          \
  OWN(CameraSetPitch, 0x34c)                                         \
  OWN(CameraSetPosition, 0x350)                                      \
  OWN(CameraSetYaw, 0x354)                                           \
  OWN(CameraSetZoom, 0x358)                                          \
  OWN(BBallGetNumShotPositions, 0x35c)                               \
  OWN(BBallGetShotPositionI, 0x360)                                  \
  OWN(BBallShootBad, 0x364)                                          \
  OWN(BBallShootGreat, 0x368)                                        \
  OWN(BBallShootMade, 0x36c)                                         \
  OWN(BBallShootMiss, 0x370)                                         \
  OWN(CloseBBallShot, 0x374)                                         \
  OWN(EnterBBallMode, 0x378)                                         \
  PUBLISHED(PlayBink, 0x37c)                                         \
  OWN(ExitBBallMode, 0x380)                                          \
  OWN(HideBBallScoreboard, 0x384)                                    \
  OWN(PresentBBallShot, 0x388)                                       \
  OWN(SetBBallShotNumber, 0x38c)                                     \
  PUBLISHED(StartRecievePerk, 0x390)                                 \
  OWN(SetPlayerBBallScore, 0x394)                                    \
  OWN(ShootBall, 0x398)                                              \
  PUBLISHED(SetMouseCursorCallback, 0x39c, CursorCallback)           \
  OWN(ShowBBallScoreboard, 0x3a0)                                    \
  OWN(InSoftware, 0x3a4)                                             \
  OWN(LockSecurityScreen, 0x3a8)                                     \
  OWN(SetActiveCamera, 0x3ac)                                        \
  OWN(UnlockSecurityScreen, 0x3b0)                                   \
  OWN(VarnoAssert, 0x3b4)                                            \
  OWN(OpenAntidoteScreen, 0x3b8)                                     \
  OWN(OpenPickStaffScreen, 0x3bc)                                    \
  OWN(OpenStaffManagementScreen1, 0x3c0)                             \
  OWN(OpenStaffManagementScreen2, 0x3c4)                             \
  OWN(OpenStaffManagementScreen3, 0x3c8)                             \
  OWN(DoPerkTargetting, 0x3cc)                                       \
  OWN(OpenPatientMenu, 0x3d0)                                        \
  OWN(AddSubtitleText, 0x3d8)                                        \
  OWN(AddTextToLog, 0x3dc)                                           \
  OWN(ChangeWedge, 0x3e0)                                            \
  OWN(ClearTargetObject, 0x3e4)                                      \
  OWN(DrawDoctorToolTip, 0x3e8, RTTeskActorWrapper*, int32_t, int32_t) \
  OWN(DrawMasterIcon, 0x3ec, const char16_t*, int32_t, int32_t, int32_t, int32_t) \
  OWN(DrawPatientToolTip, 0x3f0, RTTeskActorWrapper*, int32_t, int32_t) \
  OWN(EndSubtitles, 0x3f4)                                           \
  OWN(FadeConversationHUD, 0x3f8)                                    \
  OWN(GetNumNewbiePatients, 0x3fc)                                   \
  OWN(GetTargetObject, 0x400)                                        \
  OWN(HideCaptureDogPanel, 0x404)                                    \
  PUBLISHED(SetOptionCallbacks, 0x408, OptionSetter, OptionGetter)   \
  PUBLISHED(SetRegistryCallbacks, 0x40c, RegistryReader, uintptr_t)  \
  OWN(ResetStats, 0x410)                                             \
  PUBLISHED(MouseWheel, 0x414, int32_t, int32_t, int32_t)            \
  PUBLISHED(BinkPlaying, 0x418)                                      \
  OWN(SetDisposition, 0x41c)                                         \
  PUBLISHED(SetIdleCallback, 0x420, IdleCallback)                    \
  OWN(SetInitialDisposition, 0x424)                                  \
  OWN(SetNumProblems, 0x428)                                         \
  OWN(SetPatientObject, 0x42c, varno::RTVarnoSymbol*)                \
  PUBLISHED(ShowHud, 0x430)                                          \
  OWN(SetPortalNumber, 0x434)                                        \
  OWN(SetPrestige, 0x438)                                            \
  OWN(SetProblem, 0x43c)                                             \
  PUBLISHED(GetPerkSwapPartner, 0x440)                               \
  OWN(SetStats, 0x444)                                               \
  OWN(SetWedge, 0x448)                                               \
  OWN(SetupSubtitleBox, 0x44c)                                       \
  OWN(ShowCaptureDogPanel, 0x450)                                    \
  OWN(AddActivePerk, 0x454)                                          \
  OWN(AddEdict, 0x458)                                               \
  OWN(AddGameHint, 0x45c)                                            \
  OWN(AddIncomingCurbside, 0x460)                                    \
  OWN(OpenBetweenEpScreen, 0x464)                                    \
  OWN(OpenCurbsideScreen, 0x468)                                     \
  OWN(OpenEpilogueScreen, 0x46c)                                     \
  OWN(OpenGameOverScreen, 0x470)                                     \
  OWN(OpenGenericDialogScreen, 0x474)                                \
  OWN(OpenGenericOKScreen, 0x478)                                    \
  OWN(OpenHestlowFireScreen, 0x47c)                                  \
  OWN(OpenTutorialContScreen, 0x480)                                 \
  OWN(OpenWarningScreen, 0x484)                                      \
  OWN(RemoveActivePerk, 0x488)                                       \
  OWN(RemoveEdict, 0x48c)                                            \
  OWN(RemoveIncomingCurbside, 0x490)                                 \
  OWN(SetCurbsideResponse, 0x494)                                    \
  OWN(SetEdictFailReason, 0x498)                                     \
  OWN(SetGameOverReason, 0x49c)                                      \
  OWN(UpdateActivePerk, 0x4a0)                                       \
  OWN(UpdateEdictStatus, 0x4a4)                                      \
  OWN(GetPlayerEntity, 0x4a8, RTInstance*)                           \
  OWN(UnreservePatients, 0x4ac)                                      \
  OWN(ShowExpScreenHint, 0x4b0)                                      \
  OWN(OpenInfoScreen, 0x4b4)                                         \
  OWN(SetOpeningInfoTab, 0x4b8)                                      \
  OWN(RecheckSPRequirements, 0x4bc)                                  \
  OWN(UpdatePowersC, 0x4c0)                                          \
  OWN(SetNodeObject, 0x4c4)                                          \
  OWN(CloseMenus, 0x4c8)                                             \
  OWN(ShowTalkMenu, 0x4cc)                                           \
  OWN(TurnOffMarkerMenus, 0x4d0)                                     \
  OWN(SetToxicOption, 0x4d4)                                         \
  OWN(SetClickOnActor, 0x4d8)                                        \
  OWN(ResetAmbulance, 0x4dc)                                         \
  OWN(SetVehicleOrientation, 0x4e0)                                  \
  OWN(SetOpponentBBallScore, 0x4e4)                                  \
  OWN(SetSkillNumbers, 0x4e8)                                        \
  OWN(DrawNumber, 0x4ec, int32_t, int32_t, int32_t, int32_t, int32_t) \
  OWN(RemovePatient, 0x4f0)                                          \
  PUBLISHED(ShowPerkSwapHint, 0x4f4)                                 \
  OWN(RenderTextBubble, 0x4f8)                                       \
  OWN(AddPatient, 0x4fc)                                             \
  OWN(ReSortPatientList, 0x500)                                      \
  PUBLISHED(RefreshSuperPowersC, 0x504)                              \
  OWN(RemovePatientC, 0x508, RTTeskActorWrapper*)                    \
  OWN(SetBackFromTesting, 0x50c)                                     \
  OWN(StartCountDown, 0x510)                                         \
  PUBLISHED(SetPendingPerkSwapMode, 0x514)                           \
  OWN(UpdateNurseETA, 0x518)                                         \
  OWN(Set24HourClock, 0x51c)                                         \
  OWN(DrawMiniWedge, 0x520)                                          \
  OWN(RenderPortalNumber, 0x524)                                     \
  OWN(DrawBorderedCircle, 0x528, uint32_t, uint32_t, int32_t, float, float, float) \
  OWN(SetGeneralExp, 0x52c)                                          \
  OWN(GetTimeDilation, 0x530)                                        \
  OWN(SetMouseCursorC, 0x534, uint32_t)                              \
  OWN(SetRelativeTimeDilation, 0x538)                                \
  PUBLISHED(ShowPerkSwapHint2, 0x554)                                \
  PUBLISHED(DisplayBMPList, 0x588)

#define TESK_GAME_SLOT(name, offset, ...) \
  inline constexpr kivo::ListedSlot<ScriptSlot __VA_OPT__(, ) __VA_ARGS__> k##name{offset};
TESK_GAME_METHODS(TESK_GAME_SLOT, TESK_GAME_SLOT)
#undef TESK_GAME_SLOT
inline constexpr uint32_t kMethodCount = 336;
// The game's own method after the published ones: the scene node or room of a script handle.
inline constexpr kivo::MethodSlot<uint32_t, RTInstance*> kResolveSceneHandle{0x58c};
// And the number a script sees for a scene node or room.
inline constexpr kivo::MethodSlot<RTInstance, uint32_t*> kIssueSceneHandle{0x590};

inline constexpr uint32_t kLevel = 0x58;     // the game level's first slot table
inline constexpr uint32_t kOwnTable = 0x5C;  // its second table: the game's own functions
inline constexpr uint32_t kStateWord = 0x60;  // the GamePrivateData record
inline constexpr uint32_t kObjectSize = 112;  // published bytes
inline constexpr uint32_t kSlotTableSize = kIssueSceneHandle + 4;  // 1428 bytes: 357 entries


// The game's script VM (null when it has none); no reference is taken.
inline RTSuccess GetVM(RTInstance game, varno::RTVarnoVM** vm) { return kivo::CallMethod(game, kLevel, kGetVM, vm); }
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
// The number a script sees for the scene node or room: the one it has, or a new one (the game's
// table then holds a reference on it). Fails for a null object.
inline RTSuccess IssueSceneHandle(RTInstance game, RTInstance object, uint32_t* handle) {
  return kivo::CallMethod(game, kLevel, kIssueSceneHandle, object, handle);
}

}  // namespace call

}  // namespace tesk::game
