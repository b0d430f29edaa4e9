// The command table of KeyDown outside text entry, with the ESC and Q steps. A key whose target is
// missing (no camera node, player object, actor component or inspector) does nothing.
#include "key_commands.h"

#include <initializer_list>

#include "form.h"
#include "free_camera.h"
#include "game_context.h"
#include "game_methods.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/inspector/inspector_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/format.h"
#include "kivo/support/raise.h"
#include "menu_screens.h"
#include "screen_forms.h"
#include "screen_mode.h"
#include "speech.h"

namespace tesk::game {

namespace {

constexpr int32_t kOptionMovieSkip = 7;
constexpr float kFadeLimit = 0.2f;       // ENTER and ESC wait while the fade's alpha is this or more
constexpr float kArrowPerMs = 0.1f;      // an arrow turns by the last frame's milliseconds times this
constexpr float kPanForce = 4.0f;        // W, A, S, D
constexpr char16_t kQaLine[] = u"<<<<<<<<<<<<<<<<<<<<<<<<<  QA FLAG - GAME TIME = %.4f  >>>>>>>>>>>>>>>>>>>>>>>>>>>>";

bool Fading(const GamePrivateData& game) {
  return static_cast<double>(game.fadeColor[3]) >= static_cast<double>(kFadeLimit);
}

bool DebugKeys() { return Library().debugKeys != 0; }

bool Detached(const GamePrivateData& game) { return game.cameraReleased != 0; }

bool In(uint8_t mode, std::initializer_list<uint8_t> modes) {
  for (const uint8_t m : modes)
    if (m == mode) return true;
  return false;
}

void Hook(KeyHooks::Call call, RTInstance self) {
  if (call) call(self);
}

// The player is not hands-off: its "bHandsOff" reads 0. False without a player object.
bool PlayerHasHands(GamePrivateData& game) {
  varno::RTVarnoConstantValue value{};
  return game.playerObject && ReadAttribute(game, game.playerObject, u"bHandsOff", varno::kTypeBool, &value) &&
         value.value.word == 0;
}

void EnterKey(RTInstance self, GamePrivateData& game) {
  const uint8_t mode = game.ScreenMode;
  if ((mode != ScreenWorld && mode != ScreenInfo) || Fading(game) || !PlayerHasHands(game)) return;
  float time = 0.0f;
  method::GetGameTimeC(self, &time);
  kivo::RaiseFormatted(kivo::kLevelError, kQaLine, time);
  if (mode == ScreenWorld) {
    Hook(game.keyHooks.OpenInfoScreenC, self);
    return;
  }
  game.ScreenMode = game.previousScreenMode;
  if (game.ScreenMode == ScreenWorld) method::UnPauseC(self);
}

void SpaceKey(RTInstance self, GamePrivateData& game) {
  if (game.moviePlaying && method::OptionValue(game, kOptionMovieSkip) != 0) Hook(game.keyHooks.SetVideoSkip, self);
  game.pictureAdvance = 1;
}

// END: the inspector is made once and writes the instance tree.
void EndKey(GamePrivateData& game) {
  if (game.inspector) return;
  RTInstance inspector = nullptr;
  if (!Core().GetFirstInstanceByString(nullptr, kivo::inspector::kClassName, &inspector, 1, nullptr) || !inspector)
    return;
  game.inspector = inspector;
  kivo::inspector::ShowInstanceTree(inspector);
}

void HomeKey(GamePrivateData& game) {
  if (!game.actorComponent) return;
  game.debugInfo = game.debugInfo ? 0 : 1;
  kivo::actor::ToggleDebuggingInfo(game.actorComponent);
}

// Q: the free camera leaves the player where the eye looked, or follows the player again.
void QKey(RTInstance self, GamePrivateData& game) {
  const RTInstance node = game.environment.cameraNode;
  const RTFMatrix4x4* m = nullptr;
  if (!node || !kivo::scene_node::GetLocalMatrix(node, &m) || !m) return;
  game.cameraReleased = game.cameraReleased ? 0 : 1;
  if (!game.cameraReleased) {
    method::SystemMessageC(self, u"Attaching Camera");
    return;
  }
  RTFVector3D& at = game.freeCameraPosition;
  at = RTFVector3D{m->m[3][0], m->m[3][1], m->m[3][2], m->m[3][3]};
  at.x -= game.cameraZoom * m->m[2][0];
  at.z -= game.cameraZoom * m->m[2][2];
  for (const FreeCameraAxisIndex axis : {kSideAxis, kForwardAxis}) {
    game.freeCamera.axes[axis].velocity = 0.0f;
    game.freeCamera.axes[axis].acceleration = 0.0f;
  }
  method::SystemMessageC(self, u"Detaching Camera");
}

void DigitKey(RTInstance self, GamePrivateData& game, uint32_t key) {
  game.timeDilation = static_cast<double>(key - '0');
  method::SystemMessageC(self, kivo::Format(u"Time dilation set to: %f", game.timeDilation).c_str());
}

}  // namespace

void EscapeKey(RTInstance self, GamePrivateData& game) {
  const uint8_t mode = game.ScreenMode;
  if (In(mode, {ScreenMainMenu, ScreenCurbside, ScreenPerkSwap, ScreenBetweenEpisodes, ScreenGameOver,
                ScreenConfirmation, ScreenTopics, ScreenTutorialCont, ScreenEpilogue}) ||
      game.perkSwapBusy || Fading(game))
    return;
  if ((mode == ScreenLoad || mode == ScreenOptions) && game.previousScreenMode == ScreenMainMenu) {
    game.ScreenMode = ScreenMainMenu;
    return;
  }
  if (mode == ScreenStartGame) return;
  if (mode == ScreenGameMenu) {
    game.ScreenMode = game.menuReturnScreenMode;
    if (game.ScreenMode != ScreenConfirmation) method::UnPauseC(self);
    return;
  }
  if (SpeechStillPlaying(game)) return;
  if (mode == ScreenWorld || mode == ScreenConversation) game.menuReturnScreenMode = mode;
  game.ScreenMode = ScreenGameMenu;
  EnableGameMenuEntries(game.forms.mainMenu, true);
  game.frontEndActive = 0;
  method::PauseC(self);
}

void KeyCommand(RTInstance self, GamePrivateData& game, uint32_t key) {
  const float frame = static_cast<float>(game.lastFrameDuration);
  FreeCamera* camera = &game.freeCamera;
  switch (key) {
    case kKeyReturn:
      EnterKey(self, game);
      break;
    case kKeyEscape:
      EscapeKey(self, game);
      break;
    case kKeySpace:
      SpaceKey(self, game);
      break;
    case 0x23:  // END
      if (DebugKeys()) EndKey(game);
      break;
    case 0x24:  // HOME
      if (DebugKeys()) HomeKey(game);
      break;
    case 0x25:  // LEFT
      if (!Detached(game)) FreeCameraPushYaw(camera, frame * kArrowPerMs);
      break;
    case 0x26:  // UP
      if (DebugKeys() && !Detached(game)) FreeCameraPushPitch(camera, frame * kArrowPerMs);
      break;
    case 0x27:  // RIGHT
      if (!Detached(game)) FreeCameraPushYaw(camera, frame * -kArrowPerMs);
      break;
    case 0x28:  // DOWN
      if (DebugKeys() && !Detached(game)) FreeCameraPushPitch(camera, frame * -kArrowPerMs);
      break;
    case 'A':
    case 'a':
      if (Detached(game)) FreeCameraPushSide(camera, -kPanForce);
      break;
    case 'B':
    case 'b':
      method::SystemMessageC(self, u"Moving heads is disabled");
      break;
    case 'C':
    case 'c':
      if (DebugKeys() && game.ScreenMode == ScreenWorld) Hook(game.keyHooks.OpenCheatPanel, self);
      break;
    case 'D':
    case 'd':
      if (Detached(game)) FreeCameraPushSide(camera, kPanForce);
      break;
    case 0x0F:
    case 'Q':
    case 'q':
      if (DebugKeys()) QKey(self, game);
      break;
    case 'S':
    case 's':
      if (Detached(game)) FreeCameraPushForward(camera, kPanForce);
      break;
    case 'W':
    case 'w':
      if (Detached(game)) FreeCameraPushForward(camera, -kPanForce);
      break;
    default:
      if (key >= '0' && key <= '9' && DebugKeys()) DigitKey(self, game, key);
      break;
  }
}

}  // namespace tesk::game
