// The game's methods built so far, as the definition record registers them. Script methods take
// (instance, calling script object, argument count, argument cells, result cell, VM); native ones
// their plain arguments.
#pragma once

#include <cstdint>

#include "game_record.h"
#include "varno/call_cells.h"

namespace tesk::game {

using Cell = varno::RTVarnoConstantValue;

#define TESK_GAME_SCRIPT_METHOD(name)                                                                              \
  RTSuccess name([[maybe_unused]] RTInstance self, [[maybe_unused]] ScriptObject object,                           \
                 [[maybe_unused]] uint32_t count, [[maybe_unused]] Cell* arguments, [[maybe_unused]] Cell* result, \
                 [[maybe_unused]] VM vm)

// The argument cells' values, with 0.0 or null for a missing one (and null for a cell that holds no
// text).
inline float RealArgument(uint32_t count, const Cell* arguments, uint32_t index) {
  return index < count ? arguments[index].value.real : 0.0f;
}
inline const char16_t* TextArgument(uint32_t count, const Cell* arguments, uint32_t index) {
  return index < count && arguments[index].type == varno::kTypeString ? arguments[index].value.text : nullptr;
}
inline int32_t NumberArgument(uint32_t count, const Cell* arguments, uint32_t index) {
  return index < count ? arguments[index].value.number : 0;
}
inline ScriptObject ObjectArgument(uint32_t count, const Cell* arguments, uint32_t index) {
  return index < count ? static_cast<ScriptObject>(arguments[index].value.pointer) : nullptr;
}
// The scene node or room of the script handle in the argument cell; null for a missing argument, for
// no node (0 and 0xFFFFFFFF) and for a handle whose object is gone. No reference is added.
inline RTInstance NodeArgument(const GamePrivateData& game, uint32_t count, const Cell* arguments, uint32_t index) {
  if (index >= count || !game.sceneHandles) return nullptr;
  return static_cast<RTInstance>(game.sceneHandles->Resolve(arguments[index].value.word));
}
// A text to print: null prints as empty.
inline const char16_t* OrEmpty(const char16_t* text) { return text ? text : u""; }

namespace method {

// Lifecycle.
TESK_GAME_SCRIPT_METHOD(Create);
TESK_GAME_SCRIPT_METHOD(Destroy);
TESK_GAME_SCRIPT_METHOD(ShutDown);
TESK_GAME_SCRIPT_METHOD(ResetWorld);
TESK_GAME_SCRIPT_METHOD(Startup);
// The world teardown shared by ShutDown, ResetWorld and the saved-game loader.
RTSuccess FreeWorld(RTInstance self);

// Clock and frame.
TESK_GAME_SCRIPT_METHOD(Main);
TESK_GAME_SCRIPT_METHOD(ResetGameTime);
TESK_GAME_SCRIPT_METHOD(GetCurrentTime);
TESK_GAME_SCRIPT_METHOD(GetGameTime);
TESK_GAME_SCRIPT_METHOD(SetGameTime);
TESK_GAME_SCRIPT_METHOD(SetTimeDilation);
TESK_GAME_SCRIPT_METHOD(SetRelativeTimeDilation);
TESK_GAME_SCRIPT_METHOD(GetTimeDilation);
RTSuccess GetCurrentTimeC(RTInstance self, float* time);
RTSuccess GetGameTimeC(RTInstance self, float* time);
RTSuccess PauseC(RTInstance self);
RTSuccess UnPauseC(RTInstance self);
RTSuccess ResetC(RTInstance self);
// Internal: last tick := now, clock := 0; a set from native code; the per-frame advance.
void ResetGameClock(GamePrivateData& game);
void SetGameTimeNative(GamePrivateData& game, float gameTime);
void AdvanceGameClock(GamePrivateData& game);

// Frame render and the script camera.
RTSuccess RenderC(RTInstance self);
TESK_GAME_SCRIPT_METHOD(ScreenFadeToColor);
TESK_GAME_SCRIPT_METHOD(CameraShake);
TESK_GAME_SCRIPT_METHOD(CameraGetPosition);
TESK_GAME_SCRIPT_METHOD(CameraSetPosition);
TESK_GAME_SCRIPT_METHOD(CameraLerpToPosition);
TESK_GAME_SCRIPT_METHOD(CameraAttachToUser);
TESK_GAME_SCRIPT_METHOD(CameraDetachFromUser);
TESK_GAME_SCRIPT_METHOD(CameraAttachToActor);
TESK_GAME_SCRIPT_METHOD(CameraGetPitch);
TESK_GAME_SCRIPT_METHOD(CameraGetYaw);
TESK_GAME_SCRIPT_METHOD(CameraSetPitch);
TESK_GAME_SCRIPT_METHOD(CameraSetYaw);
TESK_GAME_SCRIPT_METHOD(CameraLerpToPitch);
TESK_GAME_SCRIPT_METHOD(CameraLerpToYaw);
TESK_GAME_SCRIPT_METHOD(CameraGetZoom);
TESK_GAME_SCRIPT_METHOD(CameraSetZoom);
TESK_GAME_SCRIPT_METHOD(CameraLerpToZoom);

// Host entries and properties.
RTSuccess SetOptionCallbacks(RTInstance self, OptionSetter setter, OptionGetter getter);
RTSuccess SetMouseCursorCallback(RTInstance self, CursorCallback callback);
RTSuccess SetMouseCursorC(RTInstance self, uint32_t cursor);
TESK_GAME_SCRIPT_METHOD(SetMouseCursor);
RTSuccess SetIdleCallback(RTInstance self, IdleCallback callback);
RTSuccess SetRegistryCallbacks(RTInstance self, RegistryReader reader, uintptr_t unused);
TESK_GAME_SCRIPT_METHOD(PumpLoadingScreen);
TESK_GAME_SCRIPT_METHOD(UnlockMovieSkip);
RTSuccess SetMainWindowHandle(RTInstance self, void* window, uint32_t width, uint32_t height);
RTSuccess ResizeMainWindow(RTInstance self, uint32_t width, uint32_t height);
RTSuccess SetInitialMousePos(RTInstance self, uint32_t x, uint32_t y);
RTSuccess MouseDblClick(RTInstance self, uint32_t x, uint32_t y);
// Keys and the wheel (screens/input/).
RTSuccess KeyDown(RTInstance self, uint32_t key, uint32_t shiftState);
RTSuccess MouseWheel(RTInstance self, int32_t x, int32_t y, int32_t delta);
RTSuccess GetScreenSize(RTInstance self, uint32_t* width, uint32_t* height);
// Reads an option through the host's getter; 0 when the getter fails.
int32_t OptionValue(GamePrivateData& game, int32_t id);

// World registries.
RTSuccess GetGame(RTInstance self, ScriptObject* game);
RTSuccess GetActorList(RTInstance self, kivo::List** list);
RTSuccess GetVM(RTInstance self, VM* vm);
RTSuccess GetSceneTree(RTInstance self, RTInstance* tree);
RTSuccess GetRootNode(RTInstance self, RTInstance* node);
RTSuccess GetPathfindingObject(RTInstance self, uint32_t index, RTInstance* planner);
RTSuccess AddNode(RTInstance self, RTInstance node);
RTSuccess AttachEnvironmentNode(RTInstance self, RTInstance node);
RTSuccess RemoveNode(RTInstance self, RTInstance node);
RTSuccess AddActor(RTInstance self, RTTeskActorWrapper* wrapper);
RTSuccess RemoveActor(RTInstance self, RTTeskActorWrapper* wrapper);
RTSuccess SystemMessageC(RTInstance self, const char16_t* text);
RTSuccess ResolveSceneHandle(RTInstance self, uint32_t handle, RTInstance* object);
TESK_GAME_SCRIPT_METHOD(GetSpawnpointByName);
TESK_GAME_SCRIPT_METHOD(AddDoctor);
TESK_GAME_SCRIPT_METHOD(AddNewbie);
TESK_GAME_SCRIPT_METHOD(RemoveDoctor);
TESK_GAME_SCRIPT_METHOD(RemoveNewbie);
TESK_GAME_SCRIPT_METHOD(AddStaff);
TESK_GAME_SCRIPT_METHOD(AddToRoster);
TESK_GAME_SCRIPT_METHOD(ClearRoster);
TESK_GAME_SCRIPT_METHOD(EnableRoom);
TESK_GAME_SCRIPT_METHOD(DisableGenderedRooms);
TESK_GAME_SCRIPT_METHOD(StartFaucet);
TESK_GAME_SCRIPT_METHOD(StopFaucet);
TESK_GAME_SCRIPT_METHOD(GetRoomNameByPoint);
TESK_GAME_SCRIPT_METHOD(NodeLocalToWorld);
TESK_GAME_SCRIPT_METHOD(Page);
TESK_GAME_SCRIPT_METHOD(SystemMessage);
TESK_GAME_SCRIPT_METHOD(SetPerkRecieveTime);
TESK_GAME_SCRIPT_METHOD(UpdatePerks);
TESK_GAME_SCRIPT_METHOD(SetBedObject);
TESK_GAME_SCRIPT_METHOD(SetHandsOff);
TESK_GAME_SCRIPT_METHOD(SetFitnessBoost);
TESK_GAME_SCRIPT_METHOD(SetUnFitnessBoost);
TESK_GAME_SCRIPT_METHOD(SetGamersBoost);
TESK_GAME_SCRIPT_METHOD(SetProximityIcon);
TESK_GAME_SCRIPT_METHOD(CloseMenus);

// Environment, rooms and room props.
TESK_GAME_SCRIPT_METHOD(SetEnvironment);
TESK_GAME_SCRIPT_METHOD(AddLocation);
TESK_GAME_SCRIPT_METHOD(SetPlayer);
TESK_GAME_SCRIPT_METHOD(GetPlayerObject);
TESK_GAME_SCRIPT_METHOD(DropRoomLights);
TESK_GAME_SCRIPT_METHOD(RestoreRoomLights);
TESK_GAME_SCRIPT_METHOD(ToggleWreckingBall);
TESK_GAME_SCRIPT_METHOD(IsWreckingBallShown);
TESK_GAME_SCRIPT_METHOD(GetRoomCenter);
TESK_GAME_SCRIPT_METHOD(EnableGlueTruck);
TESK_GAME_SCRIPT_METHOD(EnableCeilingChunk);
TESK_GAME_SCRIPT_METHOD(PlayCeilingChunk);
TESK_GAME_SCRIPT_METHOD(GetPlayerRoomAmbientString);
TESK_GAME_SCRIPT_METHOD(GetElevatorMatCount);
TESK_GAME_SCRIPT_METHOD(GetElevatorMatNodeN);
TESK_GAME_SCRIPT_METHOD(GetElevatorMatFloorN);
TESK_GAME_SCRIPT_METHOD(TurnOnGymOutlines);
TESK_GAME_SCRIPT_METHOD(TurnOffGymOutlines);
TESK_GAME_SCRIPT_METHOD(TurnOnPropOutline);
TESK_GAME_SCRIPT_METHOD(TurnOffPropOutline);

// Prop queries: each count method and node method of a prop list (the node method sets the result's
// type code to number, but for beds), then the single props and the questions on one node.
#define TESK_GAME_PROP_LISTS(PAIR)                                                    \
  PAIR(GetSinkCount, GetSinkNodeN, sinks, true)                                       \
  PAIR(GetChairCount, GetChairNodeN, waitingChairs, true)                             \
  PAIR(GetSigChairCount, GetSigChairNodeN, sigChairs, true)                           \
  PAIR(GetPediaChairCount, GetPediaChairNodeN, pediatricChairs, true)                 \
  PAIR(GetCafeteriaChairCount, GetCafeteriaChairNodeN, cafeteriaChairs, true)         \
  PAIR(GetCafeteriaTrayCount, GetCafeteriaTrayNodeN, cafeteriaTrays, true)            \
  PAIR(GetVendingMachineCount, GetVendingNodeN, vendingMachines, true)                \
  PAIR(GetSecurityCameraCount, GetSecurityCameraNodeN, securityCameras, true)         \
  PAIR(GetEllipticalCount, GetEllipticalNodeN, ellipticals, true)                     \
  PAIR(GetBenchCount, GetBenchNodeN, benches, true)                                   \
  PAIR(GetShoulderPressCount, GetShoulderPressNodeN, shoulderPresses, true)           \
  PAIR(GetRowingMachineCount, GetRowingMachineNodeN, rowingMachines, true)            \
  PAIR(GetYogaMatCount, GetYogaMatNodeN, yogaMats, true)                              \
  PAIR(GetGameMachineCount, GetGameMachineNodeN, gameMachines, true)                  \
  PAIR(GetShowerCount, GetShowerNodeN, showers, true)                                 \
  PAIR(GetCotCount, GetCotNodeN, cots, true)                                          \
  PAIR(GetBedCount, GetBedNodeN, beds, false)
#define TESK_GAME_PROP_DECLARATIONS(countName, nodeName, list, typed) \
  TESK_GAME_SCRIPT_METHOD(countName);                                 \
  TESK_GAME_SCRIPT_METHOD(nodeName);
TESK_GAME_PROP_LISTS(TESK_GAME_PROP_DECLARATIONS)
#undef TESK_GAME_PROP_DECLARATIONS
TESK_GAME_SCRIPT_METHOD(GetBasketballNode);
TESK_GAME_SCRIPT_METHOD(GetDeconChamberNode);
TESK_GAME_SCRIPT_METHOD(GetLinenCartNode);
TESK_GAME_SCRIPT_METHOD(GetVendingNodeNType);
TESK_GAME_SCRIPT_METHOD(GetBedMaxSevByName);
TESK_GAME_SCRIPT_METHOD(GetBedNameN);
TESK_GAME_SCRIPT_METHOD(GetNodeRight);
TESK_GAME_SCRIPT_METHOD(GetNodeUp);
TESK_GAME_SCRIPT_METHOD(GetNodeAhead);
TESK_GAME_SCRIPT_METHOD(GetNodePosition);
TESK_GAME_SCRIPT_METHOD(SetNodeObject);
TESK_GAME_SCRIPT_METHOD(PlayNodeAnimation);

// Animated doors: the shower and stall doors the script swings.
TESK_GAME_SCRIPT_METHOD(OpenShowerDoor);
TESK_GAME_SCRIPT_METHOD(CloseShowerDoor);
TESK_GAME_SCRIPT_METHOD(BathroomStallDoorOpen);
TESK_GAME_SCRIPT_METHOD(BathroomStallDoorClose);

// Sound effects (audio/sound_effects.h holds their native operations).
TESK_GAME_SCRIPT_METHOD(SFXAddBuffer);
TESK_GAME_SCRIPT_METHOD(SFXPlay);
TESK_GAME_SCRIPT_METHOD(SFXPlayAtPosition);
TESK_GAME_SCRIPT_METHOD(SFXStop);

// The screens the script opens.
TESK_GAME_SCRIPT_METHOD(OpenGameOverScreen);
TESK_GAME_SCRIPT_METHOD(SetGameOverReason);
TESK_GAME_SCRIPT_METHOD(OpenHestlowFireScreen);
TESK_GAME_SCRIPT_METHOD(OpenBetweenEpScreen);
TESK_GAME_SCRIPT_METHOD(OpenAntidoteScreen);
TESK_GAME_SCRIPT_METHOD(OpenGenericDialogScreen);
TESK_GAME_SCRIPT_METHOD(OpenGenericOKScreen);
TESK_GAME_SCRIPT_METHOD(OpenPickStaffScreen);
TESK_GAME_SCRIPT_METHOD(OpenStaffManagementScreen1);
TESK_GAME_SCRIPT_METHOD(OpenStaffManagementScreen2);
TESK_GAME_SCRIPT_METHOD(OpenStaffManagementScreen3);
TESK_GAME_SCRIPT_METHOD(OpenCurbsideScreen);
TESK_GAME_SCRIPT_METHOD(OpenTutorialContScreen);
TESK_GAME_SCRIPT_METHOD(OpenEpilogueScreen);
TESK_GAME_SCRIPT_METHOD(OpenWarningScreen);

// Notices: edicts, active perks, curbside requests and replies, hints, perk targeting.
TESK_GAME_SCRIPT_METHOD(AddEdict);
TESK_GAME_SCRIPT_METHOD(RemoveEdict);
TESK_GAME_SCRIPT_METHOD(UpdateEdictStatus);
TESK_GAME_SCRIPT_METHOD(SetEdictFailReason);
TESK_GAME_SCRIPT_METHOD(AddActivePerk);
TESK_GAME_SCRIPT_METHOD(UpdateActivePerk);
TESK_GAME_SCRIPT_METHOD(RemoveActivePerk);
TESK_GAME_SCRIPT_METHOD(AddIncomingCurbside);
TESK_GAME_SCRIPT_METHOD(RemoveIncomingCurbside);
TESK_GAME_SCRIPT_METHOD(SetCurbsideResponse);
TESK_GAME_SCRIPT_METHOD(AddGameHint);
TESK_GAME_SCRIPT_METHOD(DoPerkTargetting);

// HUD state: subtitles, the log, prestige, skill numbers, portals, stats, the conversation HUD,
// the target object and the pop-ups the frame draws.
TESK_GAME_SCRIPT_METHOD(SetupSubtitleBox);
TESK_GAME_SCRIPT_METHOD(EndSubtitles);
TESK_GAME_SCRIPT_METHOD(AddSubtitleText);
TESK_GAME_SCRIPT_METHOD(AddTextToLog);
TESK_GAME_SCRIPT_METHOD(SetPrestige);
TESK_GAME_SCRIPT_METHOD(GetNumNewbiePatients);
TESK_GAME_SCRIPT_METHOD(SetSkillNumbers);
TESK_GAME_SCRIPT_METHOD(SetPortalNumber);
TESK_GAME_SCRIPT_METHOD(ChangeWedge);
TESK_GAME_SCRIPT_METHOD(SetWedge);
TESK_GAME_SCRIPT_METHOD(SetProblem);
TESK_GAME_SCRIPT_METHOD(SetNumProblems);
TESK_GAME_SCRIPT_METHOD(SetStats);
TESK_GAME_SCRIPT_METHOD(ResetStats);
TESK_GAME_SCRIPT_METHOD(SetDisposition);
TESK_GAME_SCRIPT_METHOD(SetInitialDisposition);
TESK_GAME_SCRIPT_METHOD(ShowCaptureDogPanel);
TESK_GAME_SCRIPT_METHOD(HideCaptureDogPanel);
TESK_GAME_SCRIPT_METHOD(FadeConversationHUD);
TESK_GAME_SCRIPT_METHOD(GetTargetObject);
TESK_GAME_SCRIPT_METHOD(ClearTargetObject);
RTSuccess SetPatientObject(RTInstance self, ScriptObject patient);
// The patient list (patient_methods.cpp).
TESK_GAME_SCRIPT_METHOD(AddPatient);
TESK_GAME_SCRIPT_METHOD(RemovePatient);
TESK_GAME_SCRIPT_METHOD(StartCountDown);
TESK_GAME_SCRIPT_METHOD(ReSortPatientList);
TESK_GAME_SCRIPT_METHOD(SetBackFromTesting);
TESK_GAME_SCRIPT_METHOD(UpdateNurseETA);
TESK_GAME_SCRIPT_METHOD(UnreservePatients);
// The actor component's call before it destroys an actor: its entry starts leaving.
RTSuccess RemovePatientC(RTInstance self, RTTeskActorWrapper* wrapper);
RTSuccess DrawMasterIcon(RTInstance self, const char16_t* name, int32_t x, int32_t y, int32_t width, int32_t height);
// 0 when the doctor's hygiene, energy or composure cannot be read (nothing is drawn).
RTSuccess DrawDoctorToolTip(RTInstance self, RTTeskActorWrapper* wrapper, int32_t x, int32_t y);
RTSuccess DrawPatientToolTip(RTInstance self, RTTeskActorWrapper* wrapper, int32_t x, int32_t y);

// Speech, the listener gain and the audio update; music and ambience.
TESK_GAME_SCRIPT_METHOD(ProcessAudio);
TESK_GAME_SCRIPT_METHOD(ListenerSetGain);
TESK_GAME_SCRIPT_METHOD(ListenerSetGainLerp);
TESK_GAME_SCRIPT_METHOD(ListenerGetGain);
TESK_GAME_SCRIPT_METHOD(ListenerGetGainFromOptions);
TESK_GAME_SCRIPT_METHOD(IsSpeechPlaying);
TESK_GAME_SCRIPT_METHOD(PlaySpeech);
TESK_GAME_SCRIPT_METHOD(MusicSetSourceBuffer);
TESK_GAME_SCRIPT_METHOD(MusicTransition);
TESK_GAME_SCRIPT_METHOD(MusicTransitionToSource);
TESK_GAME_SCRIPT_METHOD(MusicStart);
TESK_GAME_SCRIPT_METHOD(MusicStop);
TESK_GAME_SCRIPT_METHOD(MusicCanStop);
TESK_GAME_SCRIPT_METHOD(AmbientTransitionToBufferVarno);

// Area-of-interest rings and the front end's frames.
RTSuccess RenderAOI(RTInstance self, RTInstance rasterizer);
TESK_GAME_SCRIPT_METHOD(GetAOIRadius);
TESK_GAME_SCRIPT_METHOD(PresentStartup);
TESK_GAME_SCRIPT_METHOD(PresentEpisodeSelection);
RTSuccess DrawMOPopUp(RTInstance self, int32_t x, int32_t y, int32_t width, const char16_t* text);

// Internal: heap statistics to the debug output, with the differences since the last call.
void LogHeapStats(RTInstance self, const char16_t* tag);
// Internal: the start-up's textures, tuning numbers and fonts; false at the first that fails
// (after its message, where it has one).
bool LoadStartupResources(GamePrivateData& game);
// The screen width option (option 1), 0 counting as 1024.
int32_t ScreenWidthOption(GamePrivateData& game);
// Fills the library's area-of-interest cell table; 1.
RTSuccess BuildIconAtlasTable();

}  // namespace method

}  // namespace tesk::game
