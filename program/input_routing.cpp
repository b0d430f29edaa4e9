#include "input_routing.h"

#include "game_calls.h"
#include "host_record.h"

namespace tesk {

namespace {

struct MousePosition {
  int32_t x = 0;
  int32_t y = 0;
};
MousePosition gLastMouse;

RTInstance Game() { return Host() ? Host()->game : nullptr; }

}  // namespace

int32_t ForwardResize(uint32_t width, uint32_t height) {
  if (RTInstance game = Game()) game::ResizeMainWindow(game, width, height);
  return 1;
}

int32_t ForwardMouseDown(bool left, bool right, int32_t x, int32_t y) {
  if (RTInstance game = Game()) {
    game::SetInitialMousePos(game, x, y);
    game::MouseClick(game, left ? 1 : 0, right ? 1 : 0, x, y);
  }
  return 1;
}

int32_t ForwardMouseMove(bool left, bool right, int32_t x, int32_t y) {
  if (RTInstance game = Game()) game::MouseMove(game, left ? 1 : 0, right ? 1 : 0, x, y);
  gLastMouse = {x, y};
  return 1;
}

int32_t ForwardDblClick() {
  if (RTInstance game = Game()) game::MouseDblClick(game, gLastMouse.x, gLastMouse.y);
  return 1;
}

int32_t ForwardKeyDown(uint32_t virtualKey, bool shift) {
  if (RTInstance game = Game()) game::KeyDown(game, virtualKey, shift ? 1 : 0);
  return 1;
}

int32_t ForwardMouseWheel(int32_t x, int32_t y, int32_t delta) {
  if (RTInstance game = Game()) game::MouseWheel(game, x, y, delta);
  return 1;
}

}  // namespace tesk
