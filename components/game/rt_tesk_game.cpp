// RTTeskGame: the game component's definition record. The game's level (object words 0x58 and
// 0x5C, the record at 0x60) has a record for each method built so far at its offset of
// tesk/game_slots.h; the methods of its parent RTVarnoGame that it replaces carry the override
// flag. Seven properties copy their value in and out of the game record.
#include <cstring>
#include <type_traits>

#include "click_routes.h"
#include "construction.h"
#include "game_methods.h"
#include "hud_numbers.h"
#include "hud_shapes.h"
#include "kivo/support/component_kit.h"
#include "kivo/varno_game/varno_game_calls.h"
#include "tesk/game_slots.h"

namespace tesk::game {

namespace {

using namespace kivo;
using namespace method;

constexpr bool kOverrides = true;
constexpr char16_t kResult[] = u"RTSuccess";

RTMethodRecord Script(const char16_t* name, ScriptSlot::Function function, ScriptSlot slot, bool overrides = false) {
  return Method(name, function, slot, kResult, u"", overrides);
}
template <class... Params>
RTMethodRecord Native(const char16_t* name, typename MethodSlot<Params...>::Function function,
                      MethodSlot<Params...> slot, const char16_t* parameters, bool overrides = false) {
  return Method(name, function, slot, kResult, parameters, overrides);
}

// The game's methods that replace RTVarnoGame's are called through RTVarnoGame's slots too.
#define TESK_GAME_SAME_SIGNATURE(name, ...)                                                 \
  static_assert(std::is_same_v<decltype(k##name), decltype(kivo::varno_game::k##name)>, \
                #name " must keep RTVarnoGame's signature");
KIVO_VARNO_GAME_METHODS(TESK_GAME_SAME_SIGNATURE)
#undef TESK_GAME_SAME_SIGNATURE

RTMethodRecord gMethods[] = {
    Script(u"Create", Create, kCreate),
    Script(u"Destroy", Destroy, kDestroy),
    Script(u"Startup", Startup, kStartup, kOverrides),
    Script(u"ShutDown", ShutDown, kShutDown, kOverrides),
    Script(u"Main", Main, kMain, kOverrides),
    Script(u"ResetWorld", ResetWorld, kResetWorld),
    Script(u"ResetGameTime", ResetGameTime, kResetGameTime),
    Script(u"GetCurrentTime", GetCurrentTime, kGetCurrentTime),
    Native(u"GetCurrentTimeC", GetCurrentTimeC, kGetCurrentTimeC, u"float out opTime"),
    Native(u"GetGameTimeC", GetGameTimeC, kGetGameTimeC, u"float out opTime"),
    Script(u"GetGameTime", GetGameTime, kGetGameTime),
    Script(u"SetGameTime", SetGameTime, kSetGameTime),
    Script(u"SetTimeDilation", SetTimeDilation, kSetTimeDilation),
    Script(u"SetRelativeTimeDilation", SetRelativeTimeDilation, kSetRelativeTimeDilation),
    Script(u"GetTimeDilation", GetTimeDilation, kGetTimeDilation),
    Native(u"PauseC", PauseC, kPauseC, u"", kOverrides),
    Native(u"UnPauseC", UnPauseC, kUnPauseC, u"", kOverrides),
    Native(u"ResetC", ResetC, kResetC, u"", kOverrides),
    Native(u"SetOptionCallbacks", SetOptionCallbacks, kSetOptionCallbacks,
           u"void* apSetOptionCallback, void* apGetOptionCallback"),
    Native(u"SetMouseCursorCallback", SetMouseCursorCallback, kSetMouseCursorCallback, u"void* apCallback"),
    Native(u"SetMouseCursorC", SetMouseCursorC, kSetMouseCursorC, u"uint aCursor"),
    Script(u"SetMouseCursor", SetMouseCursor, kSetMouseCursor),
    Native(u"SetIdleCallback", SetIdleCallback, kSetIdleCallback, u"void* apCallback"),
    Native(u"SetRegistryCallbacks", SetRegistryCallbacks, kSetRegistryCallbacks, u"void* apReader, uint aUnused"),
    Script(u"PumpLoadingScreen", PumpLoadingScreen, kPumpLoadingScreen),
    Script(u"UnlockMovieSkip", UnlockMovieSkip, kUnlockMovieSkip),
    Native(u"SetMainWindowHandle", SetMainWindowHandle, kSetMainWindowHandle,
           u"void* apWindowHandle, uint aWidth, uint aHeight", kOverrides),
    Native(u"ResizeMainWindow", ResizeMainWindow, kResizeMainWindow, u"uint aWidth, uint aHeight", kOverrides),
    Native(u"SetInitialMousePos", SetInitialMousePos, kSetInitialMousePos, u"uint aX, uint aY", kOverrides),
    Native(u"MouseDblClick", MouseDblClick, kMouseDblClick, u"uint aX, uint aY", kOverrides),
    Native(u"KeyDown", KeyDown, kKeyDown, u"uint aKey, uint aShiftState", kOverrides),
    Native(u"MouseWheel", MouseWheel, kMouseWheel, u"", kOverrides),
    Native(u"GetScreenSize", method::GetScreenSize, kGetScreenSize, u"uint out oWidth, uint out oHeight"),
    Native(u"GetGame", GetGame, kGetGame, u"VNobject out opGame"),
    Native(u"GetActorList", GetActorList, kGetActorList, u"void* out opList"),
    Native(u"GetVM", method::GetVM, kGetVM, u"void* out oppVM"),
    Native(u"GetSceneTree", method::GetSceneTree, kGetSceneTree, u"RTInstance out ophSceneTree"),
    Native(u"GetRootNode", GetRootNode, kGetRootNode, u"RTInstance out ophNode"),
    Native(u"GetPathfindingObject", GetPathfindingObject, kGetPathfindingObject,
           u"uint aIndex, RTInstance out ophPlanner"),
    Native(u"AddNode", method::AddNode, kAddNode, u"RTInstance ahNode"),
    Native(u"AttachEnvironmentNode", AttachEnvironmentNode, kAttachEnvironmentNode, u"RTInstance ahNode"),
    Native(u"RemoveNode", RemoveNode, kRemoveNode, u"RTInstance ahNode"),
    Native(u"AddActor", AddActor, kAddActor, u"RTTeskActorWrapper in apWrapper"),
    Native(u"RemoveActor", RemoveActor, kRemoveActor, u"RTTeskActorWrapper in apWrapper"),
    Native(u"SystemMessageC", SystemMessageC, kSystemMessageC, u"wchar[] apText"),
    Native(u"ResolveSceneHandle", ResolveSceneHandle, kResolveSceneHandle, u"uint aHandle, RTInstance out ophObject"),
    Script(u"GetSpawnpointByName", GetSpawnpointByName, kGetSpawnpointByName),
    Script(u"AddDoctor", AddDoctor, kAddDoctor),
    Script(u"AddNewbie", AddNewbie, kAddNewbie),
    Script(u"RemoveDoctor", RemoveDoctor, kRemoveDoctor),
    Script(u"RemoveNewbie", RemoveNewbie, kRemoveNewbie),
    Script(u"AddStaff", AddStaff, kAddStaff),
    Script(u"AddToRoster", AddToRoster, kAddToRoster),
    Script(u"ClearRoster", ClearRoster, kClearRoster),
    Script(u"EnableRoom", EnableRoom, kEnableRoom),
    Script(u"DisableGenderedRooms", DisableGenderedRooms, kDisableGenderedRooms),
    Script(u"StartFaucet", StartFaucet, kStartFaucet),
    Script(u"StopFaucet", StopFaucet, kStopFaucet),
    Script(u"GetRoomNameByPoint", GetRoomNameByPoint, kGetRoomNameByPoint),
    Script(u"NodeLocalToWorld", NodeLocalToWorld, kNodeLocalToWorld),
    Script(u"Page", Page, kPage),
    Script(u"SystemMessage", SystemMessage, kSystemMessage),
    Script(u"SetPerkRecieveTime", SetPerkRecieveTime, kSetPerkRecieveTime),
    Script(u"UpdatePerks", UpdatePerks, kUpdatePerks),
    Script(u"SetBedObject", SetBedObject, kSetBedObject),
    Script(u"SetHandsOff", SetHandsOff, kSetHandsOff),
    Script(u"SetFitnessBoost", SetFitnessBoost, kSetFitnessBoost),
    Script(u"SetUnFitnessBoost", SetUnFitnessBoost, kSetUnFitnessBoost),
    Script(u"SetGamersBoost", SetGamersBoost, kSetGamersBoost),
    Script(u"SetProximityIcon", SetProximityIcon, kSetProximityIcon),
    Script(u"CloseMenus", CloseMenus, kCloseMenus),
    Script(u"SetEnvironment", SetEnvironment, kSetEnvironment),
    Script(u"AddLocation", AddLocation, kAddLocation),
    Script(u"SetPlayer", SetPlayer, kSetPlayer),
    Script(u"GetPlayerObject", GetPlayerObject, kGetPlayerObject),
    Script(u"DropRoomLights", DropRoomLights, kDropRoomLights),
    Script(u"RestoreRoomLights", RestoreRoomLights, kRestoreRoomLights),
    Script(u"ToggleWreckingBall", ToggleWreckingBall, kToggleWreckingBall),
    Script(u"IsWreckingBallShown", IsWreckingBallShown, kIsWreckingBallShown),
    Script(u"GetRoomCenter", GetRoomCenter, kGetRoomCenter),
    Script(u"EnableGlueTruck", EnableGlueTruck, kEnableGlueTruck),
    Script(u"EnableCeilingChunk", EnableCeilingChunk, kEnableCeilingChunk),
    Script(u"PlayCeilingChunk", PlayCeilingChunk, kPlayCeilingChunk),
    Script(u"GetPlayerRoomAmbientString", GetPlayerRoomAmbientString, kGetPlayerRoomAmbientString),
    Script(u"GetElevatorMatCount", GetElevatorMatCount, kGetElevatorMatCount),
    Script(u"GetElevatorMatNodeN", GetElevatorMatNodeN, kGetElevatorMatNodeN),
    Script(u"GetElevatorMatFloorN", GetElevatorMatFloorN, kGetElevatorMatFloorN),
    Script(u"TurnOnGymOutlines", TurnOnGymOutlines, kTurnOnGymOutlines),
    Script(u"TurnOffGymOutlines", TurnOffGymOutlines, kTurnOffGymOutlines),
    Script(u"TurnOnPropOutline", TurnOnPropOutline, kTurnOnPropOutline),
    Script(u"TurnOffPropOutline", TurnOffPropOutline, kTurnOffPropOutline),
#define TESK_GAME_PROP_RECORDS(countName, nodeName, list, typed) \
  Script(u"" #countName, countName, k##countName), Script(u"" #nodeName, nodeName, k##nodeName),
    TESK_GAME_PROP_LISTS(TESK_GAME_PROP_RECORDS)
#undef TESK_GAME_PROP_RECORDS
    Script(u"GetBasketballNode", GetBasketballNode, kGetBasketballNode),
    Script(u"GetDeconChamberNode", GetDeconChamberNode, kGetDeconChamberNode),
    Script(u"GetLinenCartNode", GetLinenCartNode, kGetLinenCartNode),
    Script(u"GetVendingNodeNType", GetVendingNodeNType, kGetVendingNodeNType),
    Script(u"GetBedMaxSevByName", GetBedMaxSevByName, kGetBedMaxSevByName),
    Script(u"GetBedNameN", GetBedNameN, kGetBedNameN),
    Script(u"GetNodeRight", GetNodeRight, kGetNodeRight),
    Script(u"GetNodeUp", GetNodeUp, kGetNodeUp),
    Script(u"GetNodeAhead", GetNodeAhead, kGetNodeAhead),
    Script(u"GetNodePosition", GetNodePosition, kGetNodePosition),
    Script(u"SetNodeObject", SetNodeObject, kSetNodeObject),
    Script(u"PlayNodeAnimation", PlayNodeAnimation, kPlayNodeAnimation),
    Script(u"OpenShowerDoor", OpenShowerDoor, kOpenShowerDoor),
    Script(u"CloseShowerDoor", CloseShowerDoor, kCloseShowerDoor),
    Script(u"BathroomStallDoorOpen", BathroomStallDoorOpen, kBathroomStallDoorOpen),
    Script(u"BathroomStallDoorClose", BathroomStallDoorClose, kBathroomStallDoorClose),
    Native(u"RenderC", RenderC, kRenderC, u"", kOverrides),
    Native(u"DrawNumber", DrawNumber, kDrawNumber, u"int aNumber, int aType, int aX, int aY, int aOffset"),
    Native(u"DrawBorderedCircle", DrawBorderedCircle, kDrawBorderedCircle,
           u"uint aCenterX, uint aCenterY, int aRadius, float aRed, float aGreen, float aBlue"),
    Script(u"ScreenFadeToColor", ScreenFadeToColor, kScreenFadeToColor),
    Script(u"CameraShake", CameraShake, kCameraShake),
    Script(u"CameraGetPosition", CameraGetPosition, kCameraGetPosition),
    Script(u"CameraSetPosition", CameraSetPosition, kCameraSetPosition),
    Script(u"CameraLerpToPosition", CameraLerpToPosition, kCameraLerpToPosition),
    Script(u"CameraAttachToUser", CameraAttachToUser, kCameraAttachToUser),
    Script(u"CameraDetachFromUser", CameraDetachFromUser, kCameraDetachFromUser),
    Script(u"CameraAttachToActor", CameraAttachToActor, kCameraAttachToActor),
    Script(u"CameraGetPitch", CameraGetPitch, kCameraGetPitch),
    Script(u"CameraGetYaw", CameraGetYaw, kCameraGetYaw),
    Script(u"CameraSetPitch", CameraSetPitch, kCameraSetPitch),
    Script(u"CameraSetYaw", CameraSetYaw, kCameraSetYaw),
    Script(u"CameraLerpToPitch", CameraLerpToPitch, kCameraLerpToPitch),
    Script(u"CameraLerpToYaw", CameraLerpToYaw, kCameraLerpToYaw),
    Script(u"CameraGetZoom", CameraGetZoom, kCameraGetZoom),
    Script(u"CameraSetZoom", CameraSetZoom, kCameraSetZoom),
    Script(u"CameraLerpToZoom", CameraLerpToZoom, kCameraLerpToZoom),
    Script(u"SFXAddBuffer", SFXAddBuffer, kSFXAddBuffer),
    Script(u"SFXPlay", SFXPlay, kSFXPlay),
    Script(u"SFXPlayAtPosition", SFXPlayAtPosition, kSFXPlayAtPosition),
    Script(u"SFXStop", SFXStop, kSFXStop),
    Script(u"OpenGameOverScreen", OpenGameOverScreen, kOpenGameOverScreen),
    Script(u"SetGameOverReason", SetGameOverReason, kSetGameOverReason),
    Script(u"OpenHestlowFireScreen", OpenHestlowFireScreen, kOpenHestlowFireScreen),
    Script(u"OpenBetweenEpScreen", OpenBetweenEpScreen, kOpenBetweenEpScreen),
    Script(u"OpenAntidoteScreen", OpenAntidoteScreen, kOpenAntidoteScreen),
    Script(u"OpenGenericDialogScreen", OpenGenericDialogScreen, kOpenGenericDialogScreen),
    Script(u"OpenGenericOKScreen", OpenGenericOKScreen, kOpenGenericOKScreen),
    Script(u"OpenPickStaffScreen", OpenPickStaffScreen, kOpenPickStaffScreen),
    Script(u"OpenStaffManagementScreen1", OpenStaffManagementScreen1, kOpenStaffManagementScreen1),
    Script(u"OpenStaffManagementScreen2", OpenStaffManagementScreen2, kOpenStaffManagementScreen2),
    Script(u"OpenStaffManagementScreen3", OpenStaffManagementScreen3, kOpenStaffManagementScreen3),
    Script(u"OpenCurbsideScreen", OpenCurbsideScreen, kOpenCurbsideScreen),
    Script(u"OpenTutorialContScreen", OpenTutorialContScreen, kOpenTutorialContScreen),
    Script(u"OpenEpilogueScreen", OpenEpilogueScreen, kOpenEpilogueScreen),
    Script(u"OpenWarningScreen", OpenWarningScreen, kOpenWarningScreen),
    Script(u"AddEdict", AddEdict, kAddEdict),
    Script(u"RemoveEdict", RemoveEdict, kRemoveEdict),
    Script(u"UpdateEdictStatus", UpdateEdictStatus, kUpdateEdictStatus),
    Script(u"SetEdictFailReason", SetEdictFailReason, kSetEdictFailReason),
    Script(u"AddActivePerk", AddActivePerk, kAddActivePerk),
    Script(u"UpdateActivePerk", UpdateActivePerk, kUpdateActivePerk),
    Script(u"RemoveActivePerk", RemoveActivePerk, kRemoveActivePerk),
    Script(u"AddIncomingCurbside", AddIncomingCurbside, kAddIncomingCurbside),
    Script(u"RemoveIncomingCurbside", RemoveIncomingCurbside, kRemoveIncomingCurbside),
    Script(u"SetCurbsideResponse", SetCurbsideResponse, kSetCurbsideResponse),
    Script(u"AddGameHint", AddGameHint, kAddGameHint),
    Script(u"DoPerkTargetting", DoPerkTargetting, kDoPerkTargetting),
    Script(u"SetupSubtitleBox", SetupSubtitleBox, kSetupSubtitleBox),
    Script(u"EndSubtitles", EndSubtitles, kEndSubtitles),
    Script(u"AddSubtitleText", AddSubtitleText, kAddSubtitleText),
    Script(u"AddTextToLog", AddTextToLog, kAddTextToLog),
    Script(u"SetPrestige", SetPrestige, kSetPrestige),
    Script(u"GetNumNewbiePatients", GetNumNewbiePatients, kGetNumNewbiePatients),
    Script(u"SetSkillNumbers", SetSkillNumbers, kSetSkillNumbers),
    Script(u"SetPortalNumber", SetPortalNumber, kSetPortalNumber),
    Script(u"ChangeWedge", ChangeWedge, kChangeWedge),
    Script(u"SetWedge", SetWedge, kSetWedge),
    Script(u"SetProblem", SetProblem, kSetProblem),
    Script(u"SetNumProblems", SetNumProblems, kSetNumProblems),
    Script(u"SetStats", SetStats, kSetStats),
    Script(u"ResetStats", ResetStats, kResetStats),
    Script(u"SetDisposition", SetDisposition, kSetDisposition),
    Script(u"SetInitialDisposition", SetInitialDisposition, kSetInitialDisposition),
    Script(u"ShowCaptureDogPanel", ShowCaptureDogPanel, kShowCaptureDogPanel),
    Script(u"HideCaptureDogPanel", HideCaptureDogPanel, kHideCaptureDogPanel),
    Script(u"FadeConversationHUD", FadeConversationHUD, kFadeConversationHUD),
    Script(u"GetTargetObject", GetTargetObject, kGetTargetObject),
    Script(u"ClearTargetObject", ClearTargetObject, kClearTargetObject),
    Native(u"SetPatientObject", SetPatientObject, kSetPatientObject, u"VNobject apPatient"),
    Script(u"AddPatient", AddPatient, kAddPatient),
    Script(u"RemovePatient", RemovePatient, kRemovePatient),
    Native(u"RemovePatientC", RemovePatientC, kRemovePatientC, u"RTTeskActorWrapper in apWrapper"),
    Script(u"StartCountDown", StartCountDown, kStartCountDown),
    Script(u"ReSortPatientList", ReSortPatientList, kReSortPatientList),
    Script(u"SetBackFromTesting", SetBackFromTesting, kSetBackFromTesting),
    Script(u"UpdateNurseETA", UpdateNurseETA, kUpdateNurseETA),
    Script(u"UnreservePatients", UnreservePatients, kUnreservePatients),
    Native(u"DrawMasterIcon", DrawMasterIcon, kDrawMasterIcon,
           u"wchar[] apIconName, int aX, int aY, int aWidth, int aHeight"),
    Native(u"DrawDoctorToolTip", DrawDoctorToolTip, kDrawDoctorToolTip,
           u"RTTeskActorWrapper in apWrapper, int aX, int aY"),
    Native(u"DrawPatientToolTip", DrawPatientToolTip, kDrawPatientToolTip,
           u"RTTeskActorWrapper in apWrapper, int aX, int aY"),
    Script(u"IsSpeechPlaying", IsSpeechPlaying, kIsSpeechPlaying),
    Script(u"ListenerGetGain", ListenerGetGain, kListenerGetGain),
    Script(u"ListenerGetGainFromOptions", ListenerGetGainFromOptions, kListenerGetGainFromOptions),
    Script(u"ListenerSetGain", ListenerSetGain, kListenerSetGain),
    Script(u"ListenerSetGainLerp", ListenerSetGainLerp, kListenerSetGainLerp),
    Script(u"PlaySpeech", PlaySpeech, kPlaySpeech),
    Script(u"ProcessAudio", ProcessAudio, kProcessAudio),
    Script(u"AmbientTransitionToBufferVarno", AmbientTransitionToBufferVarno, kAmbientTransitionToBufferVarno),
    Script(u"MusicCanStop", MusicCanStop, kMusicCanStop),
    Script(u"MusicSetSourceBuffer", MusicSetSourceBuffer, kMusicSetSourceBuffer),
    Script(u"MusicStart", MusicStart, kMusicStart),
    Script(u"MusicStop", MusicStop, kMusicStop),
    Script(u"MusicTransition", MusicTransition, kMusicTransition),
    Script(u"MusicTransitionToSource", MusicTransitionToSource, kMusicTransitionToSource),
    Native(u"MouseClick", MouseClick, kMouseClick, u"RTBool abLeftButton, RTBool abRightButton, uint aX, uint aY",
           kOverrides),
    Native(u"RenderAOI", RenderAOI, kRenderAOI, u"RTInstance ahRasterizer"),
    Script(u"GetAOIRadius", GetAOIRadius, kGetAOIRadius),
    Script(u"PresentStartup", PresentStartup, kPresentStartup),
    Script(u"PresentEpisodeSelection", PresentEpisodeSelection, kPresentEpisodeSelection),
    Native(u"DrawMOPopUp", DrawMOPopUp, kDrawMOPopUp, u"int aX, int aY, int aWidth, wchar[] apText"),
    kEndOfMethods,
};

// A property's value copied into or out of its field: 4 bytes, 16 for a colour or vector.
template <auto Field>
RTSuccess SetProperty(RTInstance self, const void* value) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !value) return kRTFailure;
  std::memcpy(&(game->*Field), value, sizeof(game->*Field));
  return kRTSuccess;
}

template <auto Field>
RTSuccess GetProperty(RTInstance self, void* value) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !value) return kRTFailure;
  std::memcpy(value, &(game->*Field), sizeof(game->*Field));
  return kRTSuccess;
}

template <auto Field>
RTPropertyRecord Property(const char16_t* name, uint32_t type) {
  static_assert(sizeof(GamePrivateData{}.*Field) == 4 || sizeof(GamePrivateData{}.*Field) == 16);
  return RTPropertyRecord{name, type, reinterpret_cast<RTMethodFunc>(SetProperty<Field>),
                          reinterpret_cast<RTMethodFunc>(GetProperty<Field>)};
}

constexpr uint32_t kFloatType = 0x70404;
constexpr uint32_t kColourType = 0x800B0404;
constexpr uint32_t kBoolType = 0xA0404;
constexpr uint32_t kVectorType = 0x800D1004;

RTPropertyRecord gProperties[] = {
    Property<&GamePrivateData::fogStart>(u"FogStart", kFloatType),
    Property<&GamePrivateData::fogEnd>(u"FogEnd", kFloatType),
    Property<&GamePrivateData::fogColor>(u"FogColor", kColourType),
    Property<&GamePrivateData::miniMapOverride>(u"MiniMapOverride", kBoolType),
    Property<&GamePrivateData::miniMapScale>(u"MiniMapScale", kFloatType),
    Property<&GamePrivateData::miniMapCenter>(u"MiniMapCenter", kVectorType),
    Property<&GamePrivateData::cameraHeight>(u"CameraHeight", kFloatType),
    {},
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = kClassName,
    .parentClassName = kivo::varno_game::kClassName,
    .description = u"Contains the base functionality that all TeskGames inherit.",
    .singleton = true,
    .objectSize = kObjectSize,
    .slotTableSize = kSlotTableSize,
    .firstSlotTableOffset = kLevel,
    .secondSlotTableOffset = kOwnTable,
    .methods = gMethods,
    .properties = gProperties,
    .construct = CreateGamePrivateData,
    .destroy = DestroyGamePrivateData,
});

}  // namespace

}  // namespace tesk::game

KIVO_COMPONENT(tesk::game::gDefinition)
