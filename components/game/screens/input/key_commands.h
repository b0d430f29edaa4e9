// The keys of the game: text entry into the save and character screens, and the command table
// (ENTER, ESC, SPACE, END, HOME, the arrows, the digits and the letters) in every other mode.
#pragma once

#include <cstdint>

#include "game_record.h"

namespace tesk::game {

// Virtual-key codes of the keys the game knows.
inline constexpr uint32_t kKeyBackspace = 0x08;
inline constexpr uint32_t kKeyReturn = 0x0D;
inline constexpr uint32_t kKeyEscape = 0x1B;
inline constexpr uint32_t kKeySpace = 0x20;
inline constexpr uint32_t kKeyComma = 0xBC;
inline constexpr uint32_t kKeyFullStop = 0xBE;

// The character a key types in a text-entry screen, or 0 when it types none (ESC is not typed).
char16_t TypedCharacter(uint32_t key, uint32_t shiftState);

// ESC outside text entry: closes or opens the in-game menu.
void EscapeKey(RTInstance self, GamePrivateData& game);

// The command of a key outside text entry; unknown keys do nothing.
void KeyCommand(RTInstance self, GamePrivateData& game, uint32_t key);

}  // namespace tesk::game
