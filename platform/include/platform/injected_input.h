// Input the program makes in place of the user: SDL events pushed on SDL's own queue with a
// window's id, so that the next processing of messages hands them to that window's handlers as it
// does the user's.
#pragma once

#include <cstdint>

#include "platform/window.h"

namespace platform {

// The pointer moved to (x, y) with the given buttons held.
void InjectMouseMove(const Window& window, int x, int y, bool leftHeld, bool rightHeld);
// A left or right button pressed or released at (x, y).
void InjectMouseButton(const Window& window, MouseButton button, bool pressed, int x, int y);
// A key (SDL key code) pressed and released, shift held when asked.
void InjectKey(const Window& window, int32_t sdlKey, bool shift);
// `notches` turns of the wheel (positive: away from the user) with the pointer at (x, y).
void InjectWheel(const Window& window, int x, int y, int notches);

}  // namespace platform
