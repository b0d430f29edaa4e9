// The in-game menu (the first copy of "MENU_MAIN"): options, save, load, resume and the two ways
// out, behind the "CONFIRM_PANEL" or "TQ_DROP" question.
#include "character_screen.h"
#include "game_context.h"
#include "game_methods.h"
#include "menu_screens.h"
#include "screen_controls.h"

namespace tesk::game {

namespace {

void HideQuestions(const gui::TeskForm* form) {
  ShowPanel(form, u"CONFIRM_PANEL", false);
  ShowPanel(form, u"TQ_DROP", false);
}

// The question for leaving: "TQ_DROP" in scenario 0 (of the game's "Persistents"), else
// "CONFIRM_PANEL"; none when the scenario cannot be read.
const char16_t* QuitQuestion(GamePrivateData& game) {
  varno::RTVarnoConstantValue value{};
  if (!ReadAttribute(game, game.gameObject, u"Persistents.scenario", varno::kTypeNumber, &value)) return nullptr;
  return value.value.number == 0 ? u"TQ_DROP" : u"CONFIRM_PANEL";
}

}  // namespace

void EnableGameMenuEntries(const gui::TeskForm* form, bool enabled) {
  EnableControls(form, {u"MM_SEL_GMO_ICN", u"SL_SEL_SVG_ICN", u"SL_SEL_LDG_ICN"}, enabled);
}

RTSuccess ClickGameMenu(RTInstance self, GamePrivateData& game, const ClickPress& press) {
  const gui::TeskForm* form = game.forms.mainMenu;
  const std::u16string hit = HitControl(game.forms.mainMenu, press.x, press.y);
  if (PanelShown(form, u"CONFIRM_PANEL") && !IsAny(hit, {u"CONFIRM_YES", u"CONFIRM_NO"})) return kRTSuccess;
  if (PanelShown(form, u"TQ_DROP") && !IsAny(hit, {u"TQ_CANCEL", u"TQ_START", u"TQ_EXIT"})) return kRTSuccess;
  if (IsAny(hit, {u"MM_SEL_GMO_ICN", u"MM_SEL_GMO_LBL_ICN"})) {
    PlayInterfaceSound(game, u"INTERFACE_MAINCLICK");
    game.previousScreenMode = game.ScreenMode;
    game.ScreenMode = ScreenOptions;
    FillGameOptionsScreen(game);
  } else if (IsAny(hit, {u"MM_SEL_EXG_ICN", u"MM_SEL_EXG_LBL_ICN"})) {
    PlayInterfaceSound(game, u"INTERFACE_MAINCLICK");
    EnableGameMenuEntries(form, false);
    if (const char16_t* question = QuitQuestion(game)) ShowPanel(form, question, true);
  } else if (IsAny(hit, {u"SL_SEL_SVG_ICN", u"SL_SEL_SVG_LBL_ICN"})) {
    game.menus.saveOrigin = 0;
    OpenSaveScreenC(self, game);
  } else if (IsAny(hit, {u"SL_SEL_LDG_ICN", u"SL_SEL_LDG_LBL_ICN"})) {
    SnapshotCharacterPreview(game);
    OpenLoadScreen(game);
  } else if (Is(hit, u"MM_RES")) {
    PlayInterfaceSound(game, u"INTERFACE_MAINCLICK");
    ShowPanel(form, u"CONFIRM_PANEL", false);
    game.ScreenMode = game.menuReturnScreenMode;
    method::UnPauseC(self);
  } else if (IsAny(hit, {u"CONFIRM_YES", u"TQ_EXIT"})) {
    PlayInterfaceSound(game, u"INTERFACE_OK");
    method::UnPauseC(self);
    HideQuestions(form);
    RaiseGameEvent(game, u"DoReturnToMain");
    for (SuperPowerSlot& slot : game.superPowerSlots) slot.sprite = -1;
  } else if (IsAny(hit, {u"CONFIRM_NO", u"TQ_CANCEL"})) {
    PlayInterfaceSound(game, u"INTERFACE_CANCEL");
    HideQuestions(form);
    EnableGameMenuEntries(form, true);
  } else if (Is(hit, u"TQ_START")) {
    PlayInterfaceSound(game, u"INTERFACE_OK");
    HideQuestions(form);
    EnableGameMenuEntries(form, true);
    RaiseGameEvent(game, u"DoNextEpisode");
    game.ScreenMode = ScreenWorld;
    game.previousScreenMode = ScreenWorld;
    method::UnPauseC(self);
  }
  return kRTSuccess;
}

}  // namespace tesk::game
