// The front-end and menu screens: the click handlers the dispatcher's table names (each takes a
// left press on its screen and returns the dispatcher's result), the openers the handlers and the
// script share, and the lists they fill.
#pragma once

#include <cstdint>
#include <string>

#include "game_record.h"
#include "kivo/support/format.h"

namespace tesk::game {

struct ClickPress {
  int32_t x;
  int32_t y;
};

// Handlers of the screens, by screen mode.
RTSuccess ClickGenericDialog(RTInstance self, GamePrivateData& game, const ClickPress& press);  // 20
RTSuccess ClickConfirmation(RTInstance self, GamePrivateData& game, const ClickPress& press);   // 21
RTSuccess ClickLoadScreen(RTInstance self, GamePrivateData& game, const ClickPress& press);     // 5
RTSuccess ClickSaveScreen(RTInstance self, GamePrivateData& game, const ClickPress& press);     // 6
RTSuccess ClickMainMenu(RTInstance self, GamePrivateData& game, const ClickPress& press);       // 3
RTSuccess ClickOptions(RTInstance self, GamePrivateData& game, const ClickPress& press);        // 8
RTSuccess ClickStartGame(RTInstance self, GamePrivateData& game, const ClickPress& press);      // 9
RTSuccess ClickCharacterCreation(RTInstance self, GamePrivateData& game, const ClickPress& press);  // 10
RTSuccess ClickGameMenu(RTInstance self, GamePrivateData& game, const ClickPress& press);       // 11

// The in-game menu's options, save and load entries made active (or inactive behind a question).
void EnableGameMenuEntries(const gui::TeskForm* form, bool enabled);

// Overlays the confirmation message: previous mode := mode, mode := 21, the game paused, the
// text in its "TEXT_BOX".
void OpenConfirmationScreenC(RTInstance self, GamePrivateData& game, const char16_t* text);
// The between-episodes screen, filled from the player's and the game's script objects; the edict
// list and the text log are emptied.
void OpenBetweenEpisodeScreenC(RTInstance self, GamePrivateData& game);
// A change of prestige between episodes as shown: "%+d%" below 100, whole levels from 100 on.
inline std::u16string PrestigeChangeText(int32_t change) {
  if (change < 100) return kivo::Format(u"%+d%%", change);
  const int32_t levels = change / 100;
  return kivo::Format(levels == 1 ? u"%d level" : u"%d levels", levels);
}
// The topics screen with nothing chosen; the mode becomes the topics screen's (no pause).
void ResetTopicsScreen(GamePrivateData& game);
// Opens the save screen over the current one with its slot list filled.
void OpenSaveScreenC(RTInstance self, GamePrivateData& game);
// Highlights the options' choices and sets its sliders from the host's options; a pair that
// already has a lit button keeps it.
void FillGameOptionsScreen(GamePrivateData& game);
// Ten rows, slot N at row N: the save's name, or "Empty"; each row's data says whether the slot
// holds a game. The save screen's name box is preset with the local date and time.
void FillSaveSlotList(GamePrivateData& game, bool load);
// The list and its screen the load screen (true) or the save screen uses.
void OpenLoadScreen(GamePrivateData& game);

// The topics screen's "TM_STAFFLIST": a row for each name of the staff roster with its head render
// (32 x 32) when the actor component has one for the player's gender; rows 48 high, indented 32.
void FillStaffTopicList(GamePrivateData& game);
// A new 32 x 32 icon showing a head render's texture (inset to hide its edge), or null.
gui::TeskIcon* HeadPicture(uint32_t texture);

// The character creation screen's affinity score: base + (a - 100) * 3 / 4 + (b - 100) / 2 +
// (c - 100) / 4, each part truncated toward zero, at most 200.
constexpr int32_t AffinityScore(int32_t base, int32_t a, int32_t b, int32_t c) {
  const int32_t score = base + (a - 100) * 3 / 4 + (b - 100) / 2 + (c - 100) / 4;
  return score > 200 ? 200 : score;
}

}  // namespace tesk::game
