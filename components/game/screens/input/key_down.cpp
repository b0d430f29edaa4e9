// KeyDown: text entry in the save and character screens, the command table elsewhere.
#include "game_methods.h"
#include "form.h"
#include "key_commands.h"
#include "screen_forms.h"
#include "screen_mode.h"

namespace tesk::game {

char16_t TypedCharacter(uint32_t key, uint32_t shiftState) {
  if (key >= 'A' && key <= 'Z') return static_cast<char16_t>(shiftState == 0 ? key + 0x20 : key);
  if ((key >= '0' && key <= '9') || key == kKeyBackspace || key == kKeySpace) return static_cast<char16_t>(key);
  if (shiftState != 0) return 0;
  if (key == kKeyComma) return u',';
  if (key == kKeyFullStop) return u'.';
  return 0;
}

namespace method {

RTSuccess KeyDown(RTInstance self, uint32_t key, uint32_t shiftState) {
  GamePrivateData* game = RecordOf(self);
  if (!game || Library().loading) return kRTSuccess;
  const uint8_t mode = game->ScreenMode;
  if (mode != ScreenCharCreate && mode != ScreenSave) {
    KeyCommand(self, *game, key);
    return kRTSuccess;
  }
  if (key == kKeyEscape) {
    // ESC closes the save screen; the character screen keeps it.
    if (mode == ScreenSave) game->ScreenMode = game->previousScreenMode;
    return kRTSuccess;
  }
  const char16_t typed = TypedCharacter(key, shiftState);
  gui::TeskForm* form = mode == ScreenCharCreate ? game->forms.characterScreen : game->forms.save;
  if (typed != 0 && form) form->CharEvent(typed);
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::game
