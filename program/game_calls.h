// Calls on the game component through the slot table of its own class level.
#pragma once

#include "kivo/slots.h"
#include "tesk/game_slots.h"
#include "tesk/host_callbacks.h"

namespace tesk::game {

inline RTSuccess SetOptionCallbacks(RTInstance g, OptionSetter setter, OptionGetter getter) {
  return kivo::CallMethod(g, kLevel, kSetOptionCallbacks, setter, getter);
}
inline RTSuccess SetMainWindowHandle(RTInstance g, void* window, uint32_t width, uint32_t height) {
  return kivo::CallMethod(g, kLevel, kSetMainWindowHandle, window, width, height);
}
inline RTSuccess SetMouseCursorCallback(RTInstance g, CursorCallback callback) {
  return kivo::CallMethod(g, kLevel, kSetMouseCursorCallback, callback);
}
inline RTSuccess SetRegistryCallbacks(RTInstance g, RegistryReader reader) {
  return kivo::CallMethod(g, kLevel, kSetRegistryCallbacks, reader, uintptr_t{0});
}
inline RTSuccess SetIdleCallback(RTInstance g, IdleCallback callback) {
  return kivo::CallMethod(g, kLevel, kSetIdleCallback, callback);
}
inline RTSuccess ResizeMainWindow(RTInstance g, uint32_t width, uint32_t height) {
  return kivo::CallMethod(g, kLevel, kResizeMainWindow, width, height);
}
inline RTSuccess SetInitialMousePos(RTInstance g, int32_t x, int32_t y) {
  return kivo::CallMethod(g, kLevel, kSetInitialMousePos, static_cast<uint32_t>(x), static_cast<uint32_t>(y));
}
inline RTSuccess MouseClick(RTInstance g, uint32_t left, uint32_t right, int32_t x, int32_t y) {
  return kivo::CallMethod(g, kLevel, kMouseClick, left, right, x, y);
}
inline RTSuccess MouseMove(RTInstance g, uint32_t left, uint32_t right, int32_t x, int32_t y) {
  return kivo::CallMethod(g, kLevel, kMouseMove, left, right, x, y);
}
inline RTSuccess MouseDblClick(RTInstance g, int32_t x, int32_t y) {
  return kivo::CallMethod(g, kLevel, kMouseDblClick, static_cast<uint32_t>(x), static_cast<uint32_t>(y));
}
inline RTSuccess KeyDown(RTInstance g, uint32_t virtualKey, uint32_t shift) {
  return kivo::CallMethod(g, kLevel, kKeyDown, virtualKey, shift);
}
inline RTSuccess MouseWheel(RTInstance g, int32_t x, int32_t y, int32_t delta) {
  return kivo::CallMethod(g, kLevel, kMouseWheel, x, y, delta);
}

}  // namespace tesk::game
