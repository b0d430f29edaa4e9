#include "platform/injected_input.h"

#include <SDL.h>

namespace platform {

namespace {

void Push(SDL_Event& event) {
  event.common.timestamp = SDL_GetTicks();
  SDL_PushEvent(&event);
}

}  // namespace

void InjectMouseMove(const Window& window, int x, int y, bool leftHeld, bool rightHeld) {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.windowID = window.sdlWindowId();
  event.motion.x = x;
  event.motion.y = y;
  event.motion.state = (leftHeld ? SDL_BUTTON_LMASK : 0u) | (rightHeld ? SDL_BUTTON_RMASK : 0u);
  Push(event);
}

void InjectMouseButton(const Window& window, MouseButton button, bool pressed, int x, int y) {
  SDL_Event event{};
  event.type = pressed ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  event.button.windowID = window.sdlWindowId();
  event.button.button = button == MouseButton::kRight ? SDL_BUTTON_RIGHT
                        : button == MouseButton::kLeft ? SDL_BUTTON_LEFT
                                                       : SDL_BUTTON_MIDDLE;
  event.button.state = pressed ? SDL_PRESSED : SDL_RELEASED;
  event.button.clicks = 1;
  event.button.x = x;
  event.button.y = y;
  Push(event);
}

void InjectKey(const Window& window, int32_t sdlKey, bool shift) {
  for (const bool pressed : {true, false}) {
    SDL_Event event{};
    event.type = pressed ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = window.sdlWindowId();
    event.key.state = pressed ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = sdlKey;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(sdlKey);
    event.key.keysym.mod = shift ? KMOD_LSHIFT : KMOD_NONE;
    Push(event);
  }
}

void InjectWheel(const Window& window, int x, int y, int notches) {
  SDL_Event event{};
  event.type = SDL_MOUSEWHEEL;
  event.wheel.windowID = window.sdlWindowId();
  event.wheel.y = notches;
  event.wheel.preciseY = static_cast<float>(notches);
  event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
  event.wheel.mouseX = x;
  event.wheel.mouseY = y;
  Push(event);
}

}  // namespace platform
