// The slot list of the load and save screens, the slot details beside it, and the save screen's
// opener. A row's data word says whether its slot holds a game: the handlers read that, never the
// row's text, so a save named "Empty" is still a save.
#include "character_screen.h"
#include "kivo/support/format.h"
#include "menu_screens.h"
#include "save_slots.h"
#include "screen_controls.h"

namespace tesk::game {

namespace {

constexpr int32_t kSlotCount = 10;
constexpr uintptr_t kSlotUsed = 1;

// The saved clock as the clock shows it: two units to a game minute, hours of the day.
std::u16string ShiftTime(const GamePrivateData& game, float clockTime) {
  const int32_t minutes = static_cast<int32_t>(clockTime / 2.0f);
  const int32_t hour = minutes / 60 % 24;
  const int32_t minute = minutes % 60;
  if (game.clockStyle) return kivo::Format(u"Shift Time: %d:%02d", hour, minute);
  const int32_t hour12 = hour % 12 == 0 ? 12 : hour % 12;
  return kivo::Format(u"Shift Time: %d:%02d%s", hour12, minute, hour < 12 ? u"am" : u"pm");
}

}  // namespace

const SlotScreen kLoadSlots{&ScreenForms::load, u"LS_SSG_LISTBOX", u"LS_DBX_PNL", u"LG_FILE_EPI_NUM",
                            u"LG_FILE_SHIFT_TIME", u"LG_FILE_DOC_NAME", u"LG_FILE_EPI_NAME"};
const SlotScreen kSaveSlots{&ScreenForms::save, u"SS_SSG_LISTBOX", u"SS_DBX_PNL", u"SG_FILE_EPI_NUM",
                            u"SG_FILE_SHIFT_TIME", u"SG_FILE_DOC_NAME", u"SG_FILE_EPI_NAME"};

gui::TeskListBox* SlotList(const GamePrivateData& game, const SlotScreen& screen) {
  return Control<gui::TeskListBox>(game.forms.*screen.form, screen.list);
}

int32_t SelectedSlot(const GamePrivateData& game, const SlotScreen& screen) {
  const gui::TeskListBox* list = SlotList(game, screen);
  const int32_t row = list ? list->GetSelectedIndex() : -1;
  return list && row >= 0 && static_cast<uint32_t>(row) < list->ItemCount() ? row : -1;
}

bool SlotUsed(const GamePrivateData& game, const SlotScreen& screen, int32_t slot) {
  const gui::TeskListBox* list = SlotList(game, screen);
  const gui::TeskListBoxItem* item = list && slot >= 0 ? list->ItemAt(static_cast<uint32_t>(slot)) : nullptr;
  return item && item->GetData() == kSlotUsed;
}

void MarkSlotEmpty(GamePrivateData& game, const SlotScreen& screen, int32_t slot) {
  gui::TeskListBox* list = SlotList(game, screen);
  gui::TeskListBoxItem* item = list && slot >= 0 ? list->ItemAt(static_cast<uint32_t>(slot)) : nullptr;
  if (!item) return;
  item->SetText(u"Empty");
  item->SetData(0);
}

RTSuccess ShowSlotDetails(GamePrivateData& game, const SlotScreen& screen) {
  gui::TeskForm* form = game.forms.*screen.form;
  const int32_t slot = SelectedSlot(game, screen);
  if (slot < 0) {
    SetPreviewHook(game, form, screen.previewPanel, false);
    return kRTFailure;
  }
  SetPreviewHook(game, form, screen.previewPanel, true);
  SaveHeader header{};
  if (!game.menus.saves.ReadSaveHeader(game, slot, &header, 1)) {
    SetPreviewHook(game, form, screen.previewPanel, false);
    for (const char16_t* label : {screen.episodeNumber, screen.shiftTime, screen.doctorName})
      SetLabel(form, label, u"");
    SetLabel(form, screen.episodeName, u"Empty Slot");
    return kRTSuccess;
  }
  PlayInterfaceSound(game, u"INTERFACE_CHECKBOX");
  SetLabel(form, screen.episodeNumber, u"Episode:");
  SetLabel(form, screen.shiftTime, ShiftTime(game, header.clockTime).c_str());
  SetLabel(form, screen.doctorName, kivo::Format(u"%s", header.doctorName).c_str());
  SetLabel(form, screen.episodeName, kivo::Format(u"%s", header.episodeName).c_str());
  game.menus.characterScreen.previewPanel = Control<gui::TeskPanel>(form, screen.previewPanel);
  return kRTSuccess;
}

void FillSaveSlotList(GamePrivateData& game, bool load) {
  const SlotScreen& screen = load ? kLoadSlots : kSaveSlots;
  game.menus.selectedSaveSlot = -1;
  gui::TeskListBox* list = SlotList(game, screen);
  if (!list) return;
  if (list->ItemCount()) list->Clear();
  list->Enable();
  if (!load) {
    const LocalTime now = game.menus.localTime();
    const std::u16string stamp =
        kivo::Format(u"%02d-%02d-%02d %02d:%02d", now.month, now.day, now.year % 100, now.hour, now.minute);
    if (gui::TeskEditBox* name = Control<gui::TeskEditBox>(game.forms.save, u"SS_SSG_EDIT_BOX"))
      name->SetText(stamp.c_str());
  }
  for (int32_t slot = 0; slot < kSlotCount; ++slot) {
    SaveHeader header{};
    const bool used = game.menus.saves.ReadSaveHeader(game, slot, &header, 0) != 0;
    gui::TeskListBoxItem* row = list->AddItem(used ? header.saveName : u"Empty");
    if (row) row->SetData(used ? kSlotUsed : 0);
  }
}

void OpenSaveScreenC(RTInstance, GamePrivateData& game) {
  PlayInterfaceSound(game, u"INTERFACE_MAINCLICK");
  game.previousScreenMode = game.ScreenMode;
  game.ScreenMode = ScreenSave;
  ShowPanel(game.forms.save, u"CONFIRM_PANEL", false);
  SnapshotCharacterPreview(game);
  game.menus.characterScreen.entryFlag = 0;
  SetPreviewHook(game, game.forms.save, u"SS_DBX_PNL", false);
  FillSaveSlotList(game, false);
  if (gui::TeskListBox* list = SlotList(game, kSaveSlots)) list->DeselectAll();
}

void OpenLoadScreen(GamePrivateData& game) {
  PlayInterfaceSound(game, u"INTERFACE_MAINCLICK");
  ShowPanel(game.forms.load, u"CONFIRM_PANEL", false);
  game.previousScreenMode = game.ScreenMode;
  game.ScreenMode = ScreenLoad;
  game.menus.characterScreen.previewPanel = nullptr;
  SetPreviewHook(game, game.forms.load, u"LS_DBX_PNL", false);
  FillSaveSlotList(game, true);
}

}  // namespace tesk::game
