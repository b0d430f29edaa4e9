// The generic yes/no dialog and the confirmation message that overlays another screen.
#include "game_methods.h"
#include "menu_screens.h"
#include "screen_controls.h"

namespace tesk::game {

void OpenConfirmationScreenC(RTInstance self, GamePrivateData& game, const char16_t* text) {
  game.previousScreenMode = game.ScreenMode;
  game.ScreenMode = ScreenConfirmation;
  method::PauseC(self);
  SetTextBox(game.forms.confirmation, u"TEXT_BOX", text);
}

RTSuccess ClickGenericDialog(RTInstance self, GamePrivateData& game, const ClickPress& press) {
  const std::u16string hit = HitControl(game.forms.generic, press.x, press.y);
  const bool ok = Is(hit, u"OK");
  if (!ok && !Is(hit, u"CANCEL")) return kRTSuccess;
  RaisePlayerEvent(game, u"GenericDialogInput", {ok ? 1 : 0});
  PlayInterfaceSound(game, ok ? u"INTERFACE_OK" : u"INTERFACE_CANCEL");
  method::UnPauseC(self);
  game.ScreenMode = ScreenWorld;
  return kRTSuccess;
}

// OK returns to the screen below; a message over the options or the load screen returns to the
// world, one over the save screen gives it back its own previous mode and keeps the game paused.
RTSuccess ClickConfirmation(RTInstance self, GamePrivateData& game, const ClickPress& press) {
  if (!Is(HitControl(game.forms.confirmation, press.x, press.y), u"OK")) return kRTSuccess;
  const uint8_t below = game.previousScreenMode;
  game.ScreenMode = below != game.ScreenMode ? below : uint8_t{ScreenWorld};
  if (below == ScreenOptions || below == ScreenLoad) game.ScreenMode = ScreenWorld;
  if (below == ScreenSave)
    game.previousScreenMode = game.menus.saveReturnScreenMode;
  else if (below != ScreenInfo && below != ScreenSpecials)
    method::UnPauseC(self);
  PlayInterfaceSound(game, u"INTERFACE_OK");
  RaisePlayerEvent(game, u"GenericConfirmationInput");
  return kRTSuccess;
}

}  // namespace tesk::game
