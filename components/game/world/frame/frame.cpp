// The frame (Main), pause and resume, and the episode reset (ResetC). Calls into owners that are
// not built yet (the frame render, the actors' frame, vehicles) go through their slots and fail
// harmlessly on empty ones; their results are not used.
#include "doors.h"
#include "environment.h"
#include "form_drawing.h"
#include "form_loading.h"
#include "game_context.h"
#include "game_methods.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/audio/audio_service_calls.h"
#include "kivo/font/font_calls.h"
#include "kivo/timer/timer_calls.h"
#include "list_box.h"
#include "music.h"
#include "sound_effects.h"
#include "tab_panel.h"
#include "tesk/game_slots.h"
#include "varno/scripting_calls.h"
#include "widget_kind.h"
#include "world_lists.h"

namespace tesk::game::method {

namespace scripting = varno::scripting;
namespace source = kivo::audio_source;

TESK_GAME_SCRIPT_METHOD(Main) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  game->vm = vm;
  if (count != 0) {
    Report(u"RTTeskGame::Main()... Too many parameters sent in");
    return kRTFailure;
  }
  if (!game->gameObject) return kRTSuccess;
  // A movie's frame leaves the world alone; the video code steps the movie.
  if (game->moviePlaying) return kRTSuccess;
  AdvanceGameClock(*game);
  if (game->timer) kivo::timer::Tick(game->timer, vm);
  if (game->actorComponent) kivo::actor::ProcessC(game->actorComponent);
  UpdateDoors(self);
  kivo::CallMethod(self, kLevel, kRenderC);
  return kRTSuccess;
}

RTSuccess PauseC(RTInstance self) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  if (game->paused || !game->speechSource) return kRTSuccess;
  uint32_t state = source::kStopped;
  if (source::GetSourceState(game->speechSource, &state) && state == source::kPlaying)
    source::PauseSource(game->speechSource);
  kivo::audio_service::PauseAllSounds(game->audioService);
  game->paused = 1;
  if (game->varno && game->vm) scripting::ArgPopStack(game->varno, game->vm);
  RaiseGameEvent(*game, u"OnPause");
  return kRTSuccess;
}

RTSuccess UnPauseC(RTInstance self) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  if (!game->paused || !game->speechSource) return kRTSuccess;
  uint32_t state = source::kStopped;
  if (source::GetSourceState(game->speechSource, &state) && state == source::kPaused) source::Play(game->speechSource);
  kivo::audio_service::ResumeAllSounds(game->audioService);
  game->paused = 0;
  RaiseGameEvent(*game, u"OnUnPause");
  return kRTSuccess;
}

namespace {

// The information screen opens on its first tab with an empty log.
void ResetInformationLog(GamePrivateData& game) {
  if (auto* tabs = gui::OfKind<gui::TeskTabPanel>(FormWidget(game.forms.info, u"IN_TAB"))) tabs->SelectPage(0);
  if (auto* log = gui::OfKind<gui::TeskListBox>(FormWidget(game.forms.info, u"IN_TAB_LOG_LOG_LIST"))) log->Clear();
}

// The portals, the number of problems and the stat bars' step and blink times.
void ResetHudCounters(GamePrivateData& game) {
  for (PortalRecord& portal : game.portals) portal = PortalRecord{};
  game.problemCount = 0;
  for (StatMarker& marker : game.stats.markers) marker.stepTime = marker.changeTime = 0.0f;
}

}  // namespace

// The steps of the episode reset in their order; the steps of the effects and minimap join with
// their code.
RTSuccess ResetC(RTInstance self) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  ResetWreckingBall(self);
  for (ShowerStall& stall : game->environment.showers) DoorSwingReset(*game, &stall);
  ResetGameClock(*game);
  WorldLists& lists = game->lists;
  if (lists.patientList) ClearPatients(*game);
  for (kivo::List* list : {lists.doctorList, lists.newbieList, lists.staffList, lists.episodeLists[0],
                           lists.episodeLists[1], lists.episodeLists[2], lists.episodeLists[3], lists.episodeList})
    if (list) kivo::ListClear(list);
  game->perkReceiveTime = -40.0f;
  ResetHudCounters(*game);
  ResetInformationLog(*game);
  game->curbsideReply.shown = 0;
  game->curbsideReply.shownAt = -10.0f;
  game->doctorMenuOpen = 0;
  game->patientMenuOpen = 0;
  game->subtitleActive = 0;
  if (game->subtitleFont) kivo::font::ClearQueuedLines(game->subtitleFont);
  FillBoostIcons(*game);
  if (game->returnToFrontEnd) game->frontEndActive = -1;
  game->scenarioIndex = -1;
  game->targetObject = nullptr;
  if (game->timer) kivo::timer::Reset(game->timer);
  MusicReset(*game);
  SFXStopAll(*game);
  AmbientStop(*game);
  if (game->speechSource) source::StopSource(game->speechSource);
  if (game->actorComponent) kivo::actor::RemoveAllVehicles(game->actorComponent);
  game->shakeEndTime = 0.0f;
  game->shakeAmplitude = 0.0f;
  game->fadeEndTime = 0.0f;
  game->fadeLastTime = 0.0f;
  game->timeDilation = 1.0;
  if (game->varno && game->vm) scripting::VMStopAllButFirstContext(game->varno, game->vm);
  return kRTSuccess;
}

}  // namespace tesk::game::method
