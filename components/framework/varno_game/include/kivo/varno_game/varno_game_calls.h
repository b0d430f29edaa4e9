// Calls on the RTVarnoGame level: the parent class of the game component. It declares the methods
// that a game overrides (the frame, start-up and shutdown, the host's window and input entries,
// reset, pause and render); its own versions succeed without effect. A call through this level
// reaches the game's override, which the core writes into this level's first table. Its level
// follows RTComponent's and ends before the game's level (object word 0x58).
#pragma once

#include "kivo/slots.h"
#include "varno/call_cells.h"

namespace kivo::varno_game {

inline constexpr char16_t kClassName[] = u"RTVarnoGame";

// The overridable methods, in slot order, with the parameter types of the native ones (the others
// are script methods); each has the signature and the parameter text of the game's method.
#define KIVO_VARNO_GAME_METHODS(X)                          \
  X(Main, 0x00)                                             \
  X(Startup, 0x04)                                          \
  X(ShutDown, 0x08)                                         \
  X(SetMainWindowHandle, 0x0C, void*, uint32_t, uint32_t)   \
  X(ResizeMainWindow, 0x10, uint32_t, uint32_t)             \
  X(MouseMove, 0x14, uint32_t, uint32_t, int32_t, int32_t)  \
  X(MouseWheel, 0x18, int32_t, int32_t, int32_t)            \
  X(SetInitialMousePos, 0x1C, uint32_t, uint32_t)           \
  X(MouseClick, 0x20, uint32_t, uint32_t, int32_t, int32_t) \
  X(MouseDblClick, 0x24, uint32_t, uint32_t)                \
  X(ResetC, 0x28, void)                                     \
  X(PauseC, 0x2C, void)                                     \
  X(UnPauseC, 0x30, void)                                   \
  X(RenderC, 0x34, void)                                    \
  X(KeyDown, 0x38, uint32_t, uint32_t)

#define KIVO_VARNO_GAME_SLOT(name, offset, ...) \
  inline constexpr ListedSlot<varno::NativeMethodSlot __VA_OPT__(, ) __VA_ARGS__> k##name{offset};
KIVO_VARNO_GAME_METHODS(KIVO_VARNO_GAME_SLOT)
#undef KIVO_VARNO_GAME_SLOT
inline constexpr uint32_t kMethodCount = 15;
inline constexpr uint32_t kLevel = 0x08;
inline constexpr uint32_t kOwnTable = 0x0C;
inline constexpr uint32_t kObjectSize = 0x10;  // published bytes: a derived level starts here or later
inline constexpr uint32_t kSlotTableSize = kKeyDown + 4;

}  // namespace kivo::varno_game
