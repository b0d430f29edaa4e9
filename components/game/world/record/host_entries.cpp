// What the host program hands the game (option, cursor, registry and idle callbacks, the window
// and its size, the mouse) and the option reads. The loading-screen pump that calls the idle
// callback is in frame/loading_screen.cpp.
#include <algorithm>

#include "game_context.h"
#include "game_methods.h"
#include "kivo/support/wide_string.h"
#include "search_paths.h"
#include "varno/scripting_calls.h"

namespace tesk::game::method {

namespace {

constexpr uint32_t kRegistryUnits = 1024;
constexpr uint32_t kRegistryDataRoot = 0;
constexpr uint32_t kRegistrySearchPaths = 1;
constexpr int32_t kOptionMovieSkip = 7;

}  // namespace

int32_t OptionValue(GamePrivateData& game, int32_t id) {
  int32_t value = 0;
  if (!game.getOptionCallback(id, &value)) return 0;
  return value;
}

RTSuccess SetOptionCallbacks(RTInstance self, OptionSetter setter, OptionGetter getter) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !setter || !getter) return kRTFailure;
  game->setOptionCallback = setter;
  game->getOptionCallback = getter;
  return kRTSuccess;
}

RTSuccess SetMouseCursorCallback(RTInstance self, CursorCallback callback) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  game->cursorCallback = callback;
  return kRTSuccess;
}

RTSuccess SetMouseCursorC(RTInstance self, uint32_t cursor) {
  GamePrivateData* game = RecordOf(self);
  return game && game->cursorCallback ? game->cursorCallback(cursor) : kRTFailure;
}

TESK_GAME_SCRIPT_METHOD(SetMouseCursor) {
  if (count < 1) return kRTFailure;
  SetMouseCursorC(self, arguments[0].value.word);
  return kRTSuccess;
}

RTSuccess SetIdleCallback(RTInstance self, IdleCallback callback) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  game->idleCallback = callback;
  return kRTSuccess;
}

// The reader is called at once and not kept: the data root, then the Varno search paths, each
// handed to the scripting component.
RTSuccess SetRegistryCallbacks(RTInstance self, RegistryReader reader, uintptr_t) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  if (!reader) return kRTSuccess;
  char16_t buffer[kRegistryUnits] = {};
  if (reader(kRegistryDataRoot, buffer, kRegistryUnits)) {
    buffer[kRegistryUnits - 1] = 0;
    Core().ArrayFree(nullptr, game->dataRoot);
    game->dataRoot = nullptr;
    kivo::WideStrDup(buffer, &game->dataRoot);
  }
  std::fill(std::begin(buffer), std::end(buffer), u'\0');
  if (!reader(kRegistrySearchPaths, buffer, kRegistryUnits)) return kRTSuccess;
  buffer[kRegistryUnits - 1] = 0;
  for (const std::u16string& path : SplitSearchPaths(buffer))
    if (game->varno) varno::scripting::AddSearchPath(game->varno, path.c_str());
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(UnlockMovieSkip) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  game->setOptionCallback(kOptionMovieSkip, 1);
  return kRTSuccess;
}

RTSuccess SetMainWindowHandle(RTInstance self, void* window, uint32_t width, uint32_t height) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  game->windowHandle = window;
  game->screenWidth = width;
  game->screenHeight = height;
  game->resizePending = 0;
  game->highlightedHudIcon = kNoHudIcon;
  return kRTSuccess;
}

RTSuccess ResizeMainWindow(RTInstance self, uint32_t width, uint32_t height) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  game->screenWidth = width;
  game->screenHeight = height;
  game->resizePending = 1;
  return kRTSuccess;
}

RTSuccess SetInitialMousePos(RTInstance self, uint32_t x, uint32_t y) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  game->mouseX = x;
  game->mouseY = y;
  return kRTSuccess;
}

RTSuccess MouseDblClick(RTInstance, uint32_t, uint32_t) { return kRTSuccess; }

RTSuccess GetScreenSize(RTInstance self, uint32_t* width, uint32_t* height) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !width || !height) return kRTFailure;
  *width = game->screenWidth;
  *height = game->screenHeight;
  return kRTSuccess;
}

}  // namespace tesk::game::method
