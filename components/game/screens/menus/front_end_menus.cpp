// The front end's start menu, the start-game and difficulty screen and the hand-over to and from
// the character creation screen.
#include <cstdlib>
#include <string>

#include "character_screen.h"
#include "game_context.h"
#include "kivo/support/wide_string.h"
#include "menu_screens.h"
#include "screen_controls.h"

namespace tesk::game {

namespace {

void OpenScreen(GamePrivateData& game, uint8_t mode) {
  game.previousScreenMode = game.ScreenMode;
  game.ScreenMode = mode;
}

// Episode `number` starts: the world's screen takes over from the front end.
void StartEpisode(GamePrivateData& game, int32_t number) {
  RaiseGameEvent(game, u"StartEpisode", {number});
  game.ScreenMode = ScreenWorld;
  game.frontEndActive = 0;
}

// The row's text as a decimal number (a row that is none counts as 0).
int32_t RowNumber(const gui::TeskListBox& list) {
  const gui::TeskListBoxItem* row = list.ItemAt(static_cast<uint32_t>(list.GetSelectedIndex()));
  return row && row->GetText() ? kivo::WideStrToInt(row->GetText()) : 0;
}

void SetDifficulty(GamePrivateData& game, const char16_t* chosen, const char16_t* other, const char16_t* text,
                   int32_t level) {
  gui::TeskForm* form = game.forms.startGame;
  SelectOfPair(form, chosen, other);
  SetLabel(form, u"SG_DIF_DES", text);
  if (!game.varno || !game.vm || !game.gameObject) return;
  varno::scripting::ArgPushNumber(game.varno, game.vm, level);
  varno::scripting::RunMethodByName(game.varno, game.vm, game.gameObject, u"SetDifficulty", 1);
  varno::scripting::ArgPopStack(game.varno, game.vm);
}

}  // namespace

RTSuccess ClickMainMenu(RTInstance, GamePrivateData& game, const ClickPress& press) {
  gui::TeskForm* form = game.forms.mainIcons;
  const std::u16string hit = HitControl(form, press.x, press.y);
  if (PanelShown(form, u"CONFIRM_PANEL") && !IsAny(hit, {u"CONFIRM_YES", u"CONFIRM_NO"})) return kRTSuccess;
  if (IsAny(hit, {u"MS_NG_ICN", u"MS_NG_BTN"})) {
    PlayInterfaceSound(game, u"INTERFACE_MAINCLICK");
    OpenScreen(game, ScreenCharCreate);
    ResetCharacterScreen(game);
  } else if (IsAny(hit, {u"MS_LG_ICN", u"MS_LG_BTN"})) {
    OpenLoadScreen(game);
  } else if (IsAny(hit, {u"MS_GO_ICN", u"MS_GO_BTN"})) {
    PlayInterfaceSound(game, u"INTERFACE_MAINCLICK");
    OpenScreen(game, ScreenOptions);
    FillGameOptionsScreen(game);
  } else if (IsAny(hit, {u"MS_CR_ICN", u"MS_CR_BTN"})) {
    RaiseGameEvent(game, u"DoPlayCredits");
  } else if (IsAny(hit, {u"MS_EG_ICN", u"MS_EG_BTN"})) {
    PlayInterfaceSound(game, u"INTERFACE_MAINCLICK");
    ShowPanel(form, u"CONFIRM_PANEL", true);
  } else if (Is(hit, u"CONFIRM_YES")) {
    RaiseGameEvent(game, u"DoExit");
  } else if (Is(hit, u"CONFIRM_NO")) {
    ShowPanel(form, u"CONFIRM_PANEL", false);
  } else if (IsAny(hit, {u"MS_SN_BTN", u"MS_SN_ICN"})) {
    PlayInterfaceSound(game, u"INTERFACE_MAINCLICK");
    ShowPanel(form, u"SCENARIO_PANEL", true);
  } else if (Is(hit, u"SCENARIO_LIST")) {
    const gui::TeskListBox* list = Control<gui::TeskListBox>(form, u"SCENARIO_LIST");
    if (!list || list->GetSelectedIndex() < 0) return kRTSuccess;
    StartEpisode(game, RowNumber(*list));
    ShowPanel(form, u"SCENARIO_PANEL", false);
  }
  return kRTSuccess;
}

RTSuccess ClickStartGame(RTInstance, GamePrivateData& game, const ClickPress& press) {
  const std::u16string hit = HitControl(game.forms.startGame, press.x, press.y);
  if (IsAny(hit, {u"SG_GO", u"SG_SEL_SG_ICN", u"SG_SEL_PT_ICN"})) {
    PlayInterfaceSound(game, u"INTERFACE_OK");
    StartEpisode(game, Is(hit, u"SG_SEL_PT_ICN") ? 0 : 1);
    if (!Is(hit, u"SG_GO")) game.previousScreenMode = ScreenWorld;
  } else if (Is(hit, u"SG_CANCEL")) {
    PlayInterfaceSound(game, u"INTERFACE_CANCEL");
    game.ScreenMode = game.previousScreenMode;
  } else if (Is(hit, u"SG_DIF_NORM_BTN")) {
    SetDifficulty(game, u"SG_DIF_NORM_BTN", u"SG_DIF_HARD_BTN",
                  u"The normal setting for balanced play and a measured but not overpowering challenge.", 1);
  } else if (Is(hit, u"SG_DIF_HARD_BTN")) {
    SetDifficulty(game, u"SG_DIF_HARD_BTN", u"SG_DIF_NORM_BTN",
                  u"This setting offers significant challenges fit for attending doctors.  Are you up to it?", 2);
  }
  return kRTSuccess;
}

RTSuccess ClickCharacterCreation(RTInstance, GamePrivateData& game, const ClickPress& press) {
  const int32_t result = CharacterScreenClick(game, press.x, press.y);
  if (result == 1) OpenScreen(game, ScreenStartGame);
  if (result == -1) OpenScreen(game, ScreenMainMenu);
  return kRTSuccess;
}

}  // namespace tesk::game
