// The game component's methods that the program and the other components call, by their byte
// offsets in the slot table of the game's own class level (whose table pointer is at byte offset
// 0x58 of the component object).
#pragma once

#include <cstdint>

#include "kivo/slots.h"

namespace tesk::game {

inline constexpr char16_t kClassName[] = u"RTTeskGame";
inline constexpr uint32_t kLevel = 0x58;

enum Slot : uint32_t {
  kCreate = 0x00,   // script methods: (instance, object, argument count, cells, result, VM)
  kStartup = 0x08,
  kMain = 0x10,
  kSetMainWindowHandle = 0x20,   // (window handle, width, height)
  kResizeMainWindow = 0x24,      // (width, height)
  kMouseMove = 0x28,             // (left, right, x, y)
  kSetInitialMousePos = 0x2C,    // (x, y)
  kMouseClick = 0x3C,            // (left, right, x, y)
  kGetVM = 0x94,                 // (out VM): the game's script VM, no reference taken
  kGetSceneTree = 0x98,          // (out tree): the scene tree with a reference, null when none
  kRenderAOI = 0xC0,             // (rasterizer): draws the area-of-interest rings
  kKeyDown = 0xE4,               // (virtual key, shift)
  kMouseDblClick = 0x224,        // (x, y)
  kSetMouseCursorCallback = 0x39C,  // (CursorCallback)
  kSetOptionCallbacks = 0x408,   // (OptionSetter, OptionGetter)
  kSetRegistryCallbacks = 0x40C,  // (RegistryReader, 0)
  kMouseWheel = 0x414,           // (x, y, delta)
  kSetIdleCallback = 0x420,      // (IdleCallback)
};

// The game's script VM (null when it has none); no reference is taken.
inline RTSuccess GetVM(RTInstance game, void** vm) { return kivo::CallMethod(game, kLevel, kGetVM, vm); }
// The scene tree with a reference for the caller; null when the game has none.
inline RTSuccess GetSceneTree(RTInstance game, RTInstance* tree) {
  return kivo::CallMethod(game, kLevel, kGetSceneTree, tree);
}

}  // namespace tesk::game
