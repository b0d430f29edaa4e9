#include "construction.h"

#include <algorithm>
#include <bit>
#include <iterator>
#include <cstdlib>
#include <ctime>

#include "environment.h"
#include "form_loading.h"
#include "game_context.h"
#include "game_record.h"
#include "game_methods.h"
#include "hud_numbers.h"
#include "hud_state.h"
#include "gui_skin.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/audio/audio_service_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/raise.h"
#include "kivo/support/wide_string.h"
#include "kivo/timer/timer_calls.h"
#include "mouse_over_popup.h"
#include "notices.h"
#include "patient_bar.h"
#include "room_ambience.h"
#include "music.h"
#include "sound_effects.h"
#include "talking_head.h"
#include "tesk/game_slots.h"
#include "varno/scripting_calls.h"
#include "world_lists.h"

namespace tesk::game {

namespace {

using namespace kivo;

int32_t DefaultSetOption(int32_t, int32_t) {
  Core().RaiseError(nullptr, u"**** SetOptionI() callback not set!!!", kLevelError);
  return 0;
}

int32_t DefaultGetOption(int32_t, int32_t* value) {
  Core().RaiseError(nullptr, u"**** GetOptionI() callback not set!!!", kLevelError);
  if (value) *value = 0;
  return 0;
}

bool TakeSingleton(const char16_t* report, const char16_t* className, RTInstance* out) {
  Core().RaiseError(nullptr, report, kLevelError);
  return Core().GetFirstInstanceByString(nullptr, className, out, 1, nullptr) && *out;
}

// Loads the instances the game reaches by path later, so that they come from the store now; no
// reference is kept.
void Preload(RTInstance self) {
  for (const char16_t* path : {u"Root:Heads:Assets:Motions", u"Root:Heads:Assets:Meshes:Skins", u"Root:TeskAudio"}) {
    RTInstance found = nullptr;
    if (Core().GetInstanceByName(self, path, &found, 0) && found) Core().ReleaseInstance(nullptr, found);
  }
}

void SetHudDefaults(GamePrivateData& game) {
  std::copy(std::begin(kHudIconTable), std::end(kHudIconTable), game.hudIcons);
  game.highlightedHudIcon = kNoHudIcon;
  DefaultSuperPowerLevels(game.superPowerLevels);
  game.ScreenMode = ScreenMainMenu;
  game.frontEndActive = -1;
  game.returnToFrontEnd = 1;
  game.prestige = 100;
  WideStrDup(u"Anonymous", &game.prestigeTitle);
  game.perkReceiveTime = -40.0f;
  game.skillHoverDistance = 9999.0f;
  game.disposition.current = game.disposition.previous = 1;
  for (StatMarker& marker : game.stats.markers) marker.level = 1.0f;
  game.stats.hands = game.stats.body = game.stats.rest = game.stats.food = 100;
  for (SuperPowerSlot& slot : game.superPowerSlots) {
    CopyTruncated(u"empty", slot.name, std::size(slot.name));
    slot.sprite = -1;
  }
  game.timerDial = TimerDial{99, 50, 50, 0};
  game.countDown.seconds = 60;
  game.countDown.state = -1;
  game.clickSelection = -1;
  game.endingMusicSource = -1;
  InitMenuState(game.menus);
}

void FreeText(char16_t*& text) {
  Core().ArrayFree(nullptr, text);
  text = nullptr;
}

}  // namespace

GameLibrary& Library() {
  static GameLibrary library{};
  return library;
}

RTSuccess CreateGamePrivateData(RTInstance self) {
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  GamePrivateData* made = MakeState<GamePrivateData>(self, kStateWord);
  if (!made) return kRTFailure;
  GamePrivateData& game = *made;
  game.setOptionCallback = DefaultSetOption;
  game.getOptionCallback = DefaultGetOption;
  game.gameClock = 0.0;
  game.timeDilation = 1.0;
  game.cameraZoom = 8.1f;
  game.cameraZoomMax = 12.1f;
  game.cameraZoomMin = 6.1f;
  game.cameraZoomClamp = 1;
  game.lastTick = Now();
  game.library = &Library();
  if (!TakeSingleton(u"Creating RTTeskActor", kivo::actor::kClassName, &game.actorComponent) ||
      !TakeSingleton(u"Creating RTVarno", varno::scripting::kClassName, &game.varno) ||
      !TakeSingleton(u"Creating RTTeskTimer", kivo::timer::kClassName, &game.timer))
    return kRTFailure;
  SetHudDefaults(game);
  ListCreate(&game.perkList);
  for (List*& list : game.hudLists) ListCreate(&list);
  Core().GetFirstInstanceByString(nullptr, kivo::audio_service::kClassName, &game.audioService, 1, nullptr);
  game.listenerGain.duration = 1.0f;
  CreateFreeCamera(&game.freeCamera);
  game.cameraHeight = 0.95f;
  game.fogColor[0] = game.fogColor[1] = game.fogColor[2] = 0.4f;
  game.fogEnd = 100.0f;
  game.fogStart = -50.0f;
  Core().RaiseError(nullptr, u"Done Creating Private Data", kLevelError);
  Preload(self);
  game.miniMapScale = std::bit_cast<float>(kMiniMapScaleBits);
  game.miniMapCenter[0] = -1.0f;
  game.miniMapCenter[1] = -10.0f;
  game.fadeColor[3] = 0.0f;
  std::copy(std::begin(game.fadeColor), std::end(game.fadeColor), game.fadeTarget);
  game.freeCameraMode = 1;
  game.hudHooks.DrawMouseOverPopUp = gui::DrawMouseOverPopUp;
  game.hudHooks.DrawTalkingHead = DrawTalkingHead;
  game.hudHooks.TalkingHeadActive = TalkingHeadActive;
  game.hudHooks.DrawNumber = DrawNumber;
  game.hudHooks.DrawSubtitleBox = DrawSubtitleBox;
  game.hudHooks.AddLogLine = AddLogLine;
  game.hudHooks.DrawDoctorToolTip = method::DrawDoctorToolTip;
  game.hudHooks.DrawPatientToolTip = method::DrawPatientToolTip;
  game.hudHooks.DrawPatientIcons = [](RTInstance self) { DrawPatientIcons(self); };
  game.cursorCallback = nullptr;
  game.pathfinderCount = 0;
  ListCreate(&game.environmentList);
  ListCreate(&game.droppedRoomList);
  game.environment.gymOutlinesOn = 1;
  SetUpGymRoomPairs(game.environment);
  game.sceneHandles = new HandleTable(HandleTable::Holds::kInstances);
  BuildRoomAmbienceMap(&game.roomAmbience);
  game.scenarioIndex = -1;
  return kRTSuccess;
}

RTSuccess DestroyGamePrivateData(RTInstance self) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTSuccess;
  ReleaseEnvironment(self, *game);
  DestroyForms(*game);
  MusicShutdown(*game);
  SFXShutdown(*game);
  DestroyWorldLists(*game);
  DestroyNoticeLists(*game);
  // The skin the start-up loaded, whole or in part, goes with the game.
  gui::ReleaseGuiSkin();
  for (List** list : {&game->perkList, &game->hudLists[0], &game->hudLists[1], &game->environmentList,
                      &game->droppedRoomList, &game->highlightProps, &game->spawnPoints}) {
    ListDestroy(*list);
    *list = nullptr;
  }
  delete game->sceneHandles;
  StrHashTableDestroy(game->roomAmbience);
  for (char16_t** text :
       {&game->dataRoot, &game->prestigeTitle, &game->pageText, &game->systemMessageText, &game->tooltipText})
    FreeText(*text);
  for (uint32_t i = 0; i < game->pathfinderCount; ++i) Release(game->pathfinders[i]);
  Core().ArrayFree(nullptr, game->pathfinders);
  for (RTInstance* held :
       {&game->audioService, &game->actorComponent, &game->varno, &game->timer, &game->rasterizer, &game->routePlanner,
        &game->sceneTree, &game->rootNode, &game->worldNode, &game->followNode, &game->speechSource,
        &game->subtitleFont, &game->outlineFont14, &game->outlineFont18, &game->titleFont, &game->inspector})
    Release(*held);
  EndState<GamePrivateData>(self, kStateWord);
  return kRTSuccess;
}

}  // namespace tesk::game
