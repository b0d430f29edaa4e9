// The load and save screens' presses.
#include "character_screen.h"
#include "game_context.h"
#include "game_methods.h"
#include "kivo/support/wide_string.h"
#include "menu_screens.h"
#include "save_slots.h"
#include "screen_controls.h"

namespace tesk::game {

namespace {

constexpr char16_t kDeleteQuestion[] = u"Are you sure you want to delete this saved game?";

void EnableSaveControls(GamePrivateData& game, bool enabled) {
  EnableControls(game.forms.save, {u"SS_SSG_LISTBOX", u"SS_SSG_DEL_BTN", u"SS_SAVE", u"SS_CANCEL"}, enabled);
}

void AskOnSaveScreen(GamePrivateData& game, const char16_t* question) {
  PlayInterfaceSound(game, u"INTERFACE_MAINCLICK");
  SetTextBox(game.forms.save, u"CONFIRM_TEXT", question);
  ShowPanel(game.forms.save, u"CONFIRM_PANEL", true);
  EnableSaveControls(game, false);
}

// A failed save keeps whatever the slot held before: the save replaces a slot only when complete.
void Save(RTInstance self, GamePrivateData& game, int32_t slot, const char16_t* failure) {
  const gui::TeskEditBox* box = Control<gui::TeskEditBox>(game.forms.save, u"SS_SSG_EDIT_BOX");
  RestoreCharacterPreview(game);
  if (game.menus.saves.SaveC(game, slot, box ? box->GetText() : u"")) {
    PlayInterfaceSound(game, u"INTERFACE_OK");
    game.ScreenMode = game.previousScreenMode;
    return;
  }
  Report(u"Couldn't save game!");
  SetPreviewHook(game, game.forms.save, u"SS_DBX_PNL", false);
  game.menus.saveReturnScreenMode = game.previousScreenMode;
  OpenConfirmationScreenC(self, game, failure);
}

// Deletes the selected slot; the row reads "Empty" after a deletion.
bool DeleteSelected(GamePrivateData& game, const SlotScreen& screen) {
  const int32_t slot = SelectedSlot(game, screen);
  if (slot < 0 || !game.menus.saves.DeleteSaveSlot(game, slot)) return false;
  MarkSlotEmpty(game, screen, slot);
  if (gui::TeskListBox* list = SlotList(game, screen)) list->DeselectAll();
  SetPreviewHook(game, game.forms.*screen.form, screen.previewPanel, false);
  return true;
}

void AskToDelete(GamePrivateData& game, const SlotScreen& screen) {
  gui::TeskForm* form = game.forms.*screen.form;
  const int32_t slot = SelectedSlot(game, screen);
  if (slot < 0 || !SlotUsed(game, screen, slot)) {
    SetPreviewHook(game, form, screen.previewPanel, false);
    return;
  }
  if (&screen == &kSaveSlots) {
    AskOnSaveScreen(game, kDeleteQuestion);
    return;
  }
  PlayInterfaceSound(game, u"INTERFACE_MAINCLICK");
  ShowPanel(form, u"CONFIRM_PANEL", true);
  EnableControls(form, {screen.list}, false);
}

RTSuccess Load(RTInstance self, GamePrivateData& game) {
  const int32_t slot = SelectedSlot(game, kLoadSlots);
  if (slot < 0) return kRTSuccess;
  if (!SlotUsed(game, kLoadSlots, slot)) {
    SetPreviewHook(game, game.forms.load, u"LS_DBX_PNL", false);
    return kRTFailure;
  }
  if (game.menus.saves.LoadC(game, slot)) {
    PlayInterfaceSound(game, u"INTERFACE_OK");
    method::UnPauseC(self);
    game.menus.characterScreen.previewPanel = nullptr;
    return kRTSuccess;
  }
  SetPreviewHook(game, game.forms.load, u"LS_DBX_PNL", false);
  game.menus.saveReturnScreenMode = game.previousScreenMode;
  OpenConfirmationScreenC(self, game, u"Load Game failed!");
  Report(u"Couldn't load game!");
  return kRTSuccess;
}

}  // namespace

RTSuccess ClickLoadScreen(RTInstance self, GamePrivateData& game, const ClickPress& press) {
  gui::TeskForm* form = game.forms.load;
  const std::u16string hit = HitControl(form, press.x, press.y);
  if (Is(hit, u"LS_SSG_LISTBOX")) return ShowSlotDetails(game, kLoadSlots);
  if (Is(hit, u"LS_LOAD")) return Load(self, game);
  if (Is(hit, u"LS_CANCEL")) {
    PlayInterfaceSound(game, u"INTERFACE_CANCEL");
    game.ScreenMode = game.previousScreenMode;
    SnapshotCharacterPreview(game);
    game.menus.characterScreen.previewPanel = nullptr;
  } else if (Is(hit, u"LS_SSG_DEL_BTN")) {
    AskToDelete(game, kLoadSlots);
  } else if (Is(hit, u"CONFIRM_YES")) {
    PlayInterfaceSound(game, u"INTERFACE_OK");
    if (!DeleteSelected(game, kLoadSlots)) Core().DebugPrint(nullptr, u"Deletion failed");
    ShowPanel(form, u"CONFIRM_PANEL", false);
    EnableControls(form, {u"LS_SSG_LISTBOX"}, true);
    game.menus.characterScreen.previewPanel = Control<gui::TeskPanel>(form, u"LS_DBX_PNL");
  } else if (Is(hit, u"CONFIRM_NO")) {
    PlayInterfaceSound(game, u"INTERFACE_CANCEL");
    ShowPanel(form, u"CONFIRM_PANEL", false);
    EnableControls(form, {u"LS_SSG_LISTBOX"}, true);
  } else if (Is(hit, u"LS_SSG_EDN_BTN")) {
    PlayInterfaceSound(game, u"INTERFACE_MAINCLICK");
  }
  return kRTSuccess;
}

RTSuccess ClickSaveScreen(RTInstance self, GamePrivateData& game, const ClickPress& press) {
  gui::TeskForm* form = game.forms.save;
  const std::u16string hit = HitControl(form, press.x, press.y);
  if (Is(hit, u"SS_SSG_LISTBOX")) return ShowSlotDetails(game, kSaveSlots);
  if (Is(hit, u"SS_SAVE")) {
    const int32_t slot = SelectedSlot(game, kSaveSlots);
    SaveHeader header{};
    if (slot < 0) {
      game.menus.saveReturnScreenMode = game.previousScreenMode;
      OpenConfirmationScreenC(self, game, u"You must select a save slot in order to save.");
    } else if (game.menus.saves.ReadSaveHeader(game, slot, &header, 0)) {
      AskOnSaveScreen(game, u"This will overwrite a saved game.  Do you want to continue?");
    } else {
      Save(self, game, slot, u"Save Game has failed!");
    }
  } else if (Is(hit, u"CONFIRM_YES")) {
    PlayInterfaceSound(game, u"INTERFACE_OK");
    const gui::TeskTextBox* question = Control<gui::TeskTextBox>(form, u"CONFIRM_TEXT");
    const char16_t* text = question ? question->GetText() : nullptr;
    if (text && kivo::WideStrEqualNoCase(text, kDeleteQuestion) == 0) {
      if (!DeleteSelected(game, kSaveSlots)) Report(u"Deletion failed");
    } else if (const int32_t slot = SelectedSlot(game, kSaveSlots); slot >= 0) {
      Save(self, game, slot, u"Save Game failed!");
    }
    ShowPanel(form, u"CONFIRM_PANEL", false);
    EnableSaveControls(game, true);
    game.menus.characterScreen.previewPanel = nullptr;
  } else if (Is(hit, u"SS_CANCEL")) {
    PlayInterfaceSound(game, u"INTERFACE_CANCEL");
    game.ScreenMode = game.previousScreenMode;
    game.menus.characterScreen.previewPanel = nullptr;
    RestoreCharacterPreview(game);
  } else if (Is(hit, u"SS_SSG_DEL_BTN")) {
    AskToDelete(game, kSaveSlots);
  } else if (Is(hit, u"CONFIRM_NO")) {
    PlayInterfaceSound(game, u"INTERFACE_CANCEL");
    ShowPanel(form, u"CONFIRM_PANEL", false);
    EnableSaveControls(game, true);
  } else if (Is(hit, u"SS_SSG_EDN_BTN")) {
    PlayInterfaceSound(game, u"INTERFACE_MAINCLICK");
  }
  return kRTSuccess;
}

}  // namespace tesk::game
