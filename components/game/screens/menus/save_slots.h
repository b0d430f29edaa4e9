// The slot list and the details panel that the load and save screens share, by the names each
// screen gives them.
#pragma once

#include "game_record.h"
#include "list_box.h"

namespace tesk::game {

struct SlotScreen {
  gui::TeskForm* ScreenForms::*form;
  const char16_t* list;
  const char16_t* previewPanel;
  const char16_t* episodeNumber;
  const char16_t* shiftTime;
  const char16_t* doctorName;
  const char16_t* episodeName;
};
extern const SlotScreen kLoadSlots;
extern const SlotScreen kSaveSlots;

gui::TeskListBox* SlotList(const GamePrivateData& game, const SlotScreen& screen);
// The selected row (= slot), or -1.
int32_t SelectedSlot(const GamePrivateData& game, const SlotScreen& screen);
// Whether the row's slot holds a saved game (as the list was filled).
bool SlotUsed(const GamePrivateData& game, const SlotScreen& screen, int32_t slot);
// After a deletion: the row reads "Empty" and holds no game.
void MarkSlotEmpty(GamePrivateData& game, const SlotScreen& screen, int32_t slot);
// A row was pressed: its slot's header in the details labels, the preview on its panel. 0 when no
// row is selected.
RTSuccess ShowSlotDetails(GamePrivateData& game, const SlotScreen& screen);

}  // namespace tesk::game
