// The screens the script opens: each sets the screen mode (an overlay first keeps the one below),
// mostly pauses the game and fills its form. The clicks on them close them.
#include "game_context.h"
#include "game_methods.h"
#include "menu_screens.h"
#include "screen_controls.h"

namespace tesk::game {

namespace {

void Open(RTInstance self, GamePrivateData& game, ScreenModeId mode, bool pause) {
  game.ScreenMode = mode;
  if (pause) method::PauseC(self);
}

void ClearHighlight(const gui::TeskForm* form, const char16_t* name) {
  if (gui::TeskButton* button = Control<gui::TeskButton>(form, name)) button->SetHighlighted(0);
}

void SetCaption(const gui::TeskForm* form, const char16_t* name, const char16_t* caption) {
  if (gui::TeskButton* button = Control<gui::TeskButton>(form, name)) button->SetCaption(caption);
}

}  // namespace

void ResetTopicsScreen(GamePrivateData& game) {
  const gui::TeskForm* form = game.forms.topics;
  for (const char16_t* name : {u"TM_TV", u"TM_CULTURE", u"TM_SPORTS", u"TM_POLITICS", u"TM_TRAVEL",
                               u"TM_LIKE_BUTTON", u"TM_DISLIKE_BUTTON", u"TM_PERSON"})
    ClearHighlight(form, name);
  SetCaption(form, u"TM_PERSON", u" ");
  EnableControls(form, {u"TM_PERSON", u"TM_HOT_TOPICS_PANEL", u"TM_DROPDOWN"}, true);
  ShowPanel(form, u"TM_LISTBOX_PANEL", false);
  if (gui::TeskListBox* staff = Control<gui::TeskListBox>(form, u"TM_STAFFLIST")) staff->DeselectAll();
  game.ScreenMode = ScreenTopics;
}

namespace method {

TESK_GAME_SCRIPT_METHOD(OpenGameOverScreen) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTSuccess;
  Open(self, *game, ScreenGameOver, false);
  PlayInterfaceSound(*game, u"INTERFACE_GAMEOVER");
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(SetGameOverReason) {
  if (GamePrivateData* game = RecordOf(self))
    SetTextBox(game->forms.gameOver, u"GAME_OVER_TXT", TextArgument(count, arguments, 0));
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(OpenHestlowFireScreen) {
  if (GamePrivateData* game = RecordOf(self)) Open(self, *game, ScreenFire, true);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(OpenBetweenEpScreen) {
  if (GamePrivateData* game = RecordOf(self)) OpenBetweenEpisodeScreenC(self, *game);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(OpenAntidoteScreen) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTSuccess;
  game->antidoteOpen = 1;
  for (const char16_t* cure : {u"VL_CURE_1", u"VL_CURE_2", u"VL_CURE_3"}) ClearHighlight(game->forms.antidote, cure);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(OpenGenericDialogScreen) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTSuccess;
  Open(self, *game, ScreenGenericDialog, true);
  SetTextBox(game->forms.generic, u"TEXT_BOX", TextArgument(count, arguments, 0));
  SetCaption(game->forms.generic, u"OK", TextArgument(count, arguments, 1));
  SetCaption(game->forms.generic, u"CANCEL", TextArgument(count, arguments, 2));
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(OpenGenericOKScreen) {
  if (GamePrivateData* game = RecordOf(self)) OpenConfirmationScreenC(self, *game, TextArgument(count, arguments, 0));
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(OpenTutorialContScreen) {
  if (GamePrivateData* game = RecordOf(self)) Open(self, *game, ScreenTutorialCont, true);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(OpenEpilogueScreen) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTSuccess;
  Open(self, *game, ScreenEpilogue, true);
  SetTextBox(game->forms.epilogue, u"TEXT_BOX", TextArgument(count, arguments, 0));
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(OpenWarningScreen) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTSuccess;
  SetTextBox(game->forms.warning, u"TEXT", TextArgument(count, arguments, 0));
  game->previousScreenMode = game->ScreenMode;
  Open(self, *game, ScreenWarning, true);
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::game
