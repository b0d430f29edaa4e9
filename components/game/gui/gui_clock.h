// The two clocks the toolkit reads: the game clock in seconds (through the game the skin was
// loaded for, unknown while there is none) for the icons' hover, flash and pulse, and the core's
// millisecond clock for the edit box's caret. Tests put their own clock in place of both.
#pragma once

#include <cstdint>

namespace tesk::game::gui {

struct GuiClock {
  // The game clock's seconds into `seconds`; false when there is no game to ask.
  bool (*gameSeconds)(float* seconds);
  uint32_t (*coreMilliseconds)();
};

bool GameSeconds(float* seconds);
uint32_t CoreMilliseconds();

// Replaces the clocks; null fields put back the real ones.
void SetGuiClock(const GuiClock& clock);

}  // namespace tesk::game::gui
