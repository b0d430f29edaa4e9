// Forwarding the main form's input to the game component's fixed method slots. Each forwarder
// returns 1; it does nothing when there is no host record or no game instance yet. The form's
// handlers (not these) test the start flag first where the input must wait for the game.
#pragma once

#include <cstdint>

namespace tesk {

int32_t ForwardResize(uint32_t width, uint32_t height);
// SetInitialMousePos, then MouseClick.
int32_t ForwardMouseDown(bool left, bool right, int32_t x, int32_t y);
// MouseMove; the position is then kept as the last one.
int32_t ForwardMouseMove(bool left, bool right, int32_t x, int32_t y);
// MouseDblClick at the last position.
int32_t ForwardDblClick();
int32_t ForwardKeyDown(uint32_t virtualKey, bool shift);
int32_t ForwardMouseWheel(int32_t x, int32_t y, int32_t delta);

}  // namespace tesk
