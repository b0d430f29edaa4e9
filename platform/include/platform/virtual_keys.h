// Key codes as the system's keyboard handlers expect them: Windows virtual-key codes (US layout).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

inline constexpr uint32_t kVkBack = 0x08;
inline constexpr uint32_t kVkTab = 0x09;
inline constexpr uint32_t kVkReturn = 0x0D;
inline constexpr uint32_t kVkShift = 0x10;
inline constexpr uint32_t kVkControl = 0x11;
inline constexpr uint32_t kVkMenu = 0x12;
inline constexpr uint32_t kVkEscape = 0x1B;
inline constexpr uint32_t kVkSpace = 0x20;
inline constexpr uint32_t kVkLeft = 0x25;
inline constexpr uint32_t kVkUp = 0x26;
inline constexpr uint32_t kVkRight = 0x27;
inline constexpr uint32_t kVkDown = 0x28;
inline constexpr uint32_t kVkF1 = 0x70;

// The virtual-key code of an SDL key code (SDL_Keycode); 0 for a key without one.
uint32_t VirtualKeyFromSdl(int32_t sdlKey);

// The SDL key code an SDL key name names ("Escape", "Return", "F1", "a"; any case), or 0 when the
// name names no key or a key without a virtual-key code.
int32_t SdlKeyFromName(std::string_view name);

// The key that types a character on a US keyboard: capitals are their letter with shift; 0 for a
// character no key with a virtual-key code types alone or with shift on its letter.
struct TypedKey {
  int32_t sdlKey = 0;
  bool shift = false;
};
TypedKey SdlKeyForCharacter(char character);

}  // namespace platform
