#include "gui_clock.h"

#include "gui_skin.h"
#include "kivo/support/module_core.h"
#include "tesk/game_slots.h"

namespace tesk::game::gui {

namespace {

bool GameClock(float* seconds) {
  const RTInstance game = SkinGame();
  return game && call::GetCurrentTimeC(game, seconds);
}

uint32_t CoreClock() {
  uint32_t now = 0;
  kivo::ModuleCore()->GetTime(nullptr, &now);
  return now;
}

GuiClock gClock = {GameClock, CoreClock};

}  // namespace

bool GameSeconds(float* seconds) { return gClock.gameSeconds(seconds); }

uint32_t CoreMilliseconds() { return gClock.coreMilliseconds(); }

void SetGuiClock(const GuiClock& clock) {
  gClock.gameSeconds = clock.gameSeconds ? clock.gameSeconds : GameClock;
  gClock.coreMilliseconds = clock.coreMilliseconds ? clock.coreMilliseconds : CoreClock;
}

}  // namespace tesk::game::gui
