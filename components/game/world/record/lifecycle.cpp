// The game object's lifecycle methods and the world teardown that ShutDown, ResetWorld and the
// saved-game loader share.
#include <algorithm>
#include <bit>
#include <iterator>

#include "environment.h"
#include "game_context.h"
#include "game_methods.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/varno_controller/varno_controller_calls.h"
#include "tesk/game_slots.h"
#include "varno/scripting_calls.h"

namespace tesk::game::method {

namespace scripting = varno::scripting;

TESK_GAME_SCRIPT_METHOD(Create) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  game->gameObject = object;
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(Destroy) { return kRTSuccess; }

TESK_GAME_SCRIPT_METHOD(ShutDown) {
  FreeWorld(self);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(ResetWorld) {
  GamePrivateData* game = RecordOf(self);
  if (!game || count < 1) return kRTFailure;
  game->returnToFrontEnd = arguments[0].value.word;
  FreeWorld(self);
  return kRTSuccess;
}

namespace {

// The actors leave the world: the VM's native reference to each script object goes, and each
// actor's node leaves its room; then the list goes and the actor component is told.
void ReleaseActors(RTInstance self, GamePrivateData& game) {
  kivo::List* actors = game.lists.actorList;
  if (!actors) return;
  for (RTTeskActorWrapper* wrapper : kivo::ListItems<RTTeskActorWrapper>(actors)) {
    if (game.varno) scripting::CollectorReleaseObjectC(game.varno, static_cast<ScriptObject>(wrapper->ScriptObject));
    if (wrapper->RootNode) kivo::CallMethod(self, kLevel, kRemoveNode, wrapper->RootNode);
  }
  kivo::ListDestroy(actors);
  game.lists.actorList = nullptr;
  if (game.actorComponent) kivo::varno_controller::FreeWorld(game.actorComponent);
}

void ResetSingletonEvents(GamePrivateData& game) {
  scripting::TypeTable table = nullptr;
  if (game.varno && game.vm && scripting::VMGetTypeTable(game.varno, game.vm, &table) && table)
    scripting::TypeTableResetSingletonEvents(game.varno, game.vm, table);
}

}  // namespace

RTSuccess FreeWorld(RTInstance self) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  SetGymOutlines(self, 1);
  for (RTInstance node : kivo::ListItems<RTInstanceRecord>(game->highlightProps))
    if (node) kivo::tesk_scene_node::SetScriptObject(node, nullptr);
  ReleaseActors(self, *game);
  kivo::ListCreate(&game->lists.actorList);
  kivo::CallMethod(self, kLevel, kResetC);
  game->hudState = 0;
  if (game->returnToFrontEnd && game->ScreenMode != ScreenStartGame) {
    game->ScreenMode = ScreenMainMenu;
    game->frontEndActive = -1;
  }
  game->returnToFrontEnd = 1;
  game->miniMapScale = std::bit_cast<float>(kMiniMapScaleBits);
  game->miniMapCenter[0] = -1.0f;
  game->miniMapCenter[1] = -10.0f;
  std::copy(std::begin(game->fadeColor), std::end(game->fadeColor), game->fadeTarget);
  game->freeCameraMode = 1;
  ResetSingletonEvents(*game);
  game->freeCameraMode = 1;
  game->zoomLerp.active = game->yawLerp.active = game->pitchLerp.active = 0;
  RestoreDroppedRooms(self, *game);
  game->cameraAttachActor = 0;
  game->cameraAttachWrapper = nullptr;
  game->cameraReleased = 0;
  game->freeCamera.axes[kZoomAxis].position = kFreeCameraZoom;
  game->freeCamera.axes[kPitchAxis].position = kFreeCameraPitch;
  if (game->actorComponent) kivo::actor::ResetStates(game->actorComponent);
  return kRTSuccess;
}

}  // namespace tesk::game::method
