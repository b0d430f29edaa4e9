// What the front-end and menu screens keep in the game record beyond the screen modes: the
// stand-ins for the save calls and the character screen until their own code comes, the local
// clock the save box's preset reads, and the slot and origin words of the save screens.
#pragma once

#include <cstdint>

#include "kivo/types.h"

namespace tesk::game {

struct GamePrivateData;

namespace gui {
class TeskPanel;
}  // namespace gui

// What a saved game's header tells the load and save screens.
struct SaveHeader {
  float clockTime;             // the saved game clock
  char16_t doctorName[64];
  char16_t episodeName[64];
  char16_t saveName[64];       // the description given to SaveC
};

// The saved-game calls the screens make, by slot 0..9. The stand-ins know no saved game: every
// header read fails and the three others report failure.
struct SaveCalls {
  RTSuccess (*ReadSaveHeader)(GamePrivateData& game, int32_t slot, SaveHeader* header, uint32_t flag);
  RTSuccess (*LoadC)(GamePrivateData& game, int32_t slot);
  RTSuccess (*SaveC)(GamePrivateData& game, int32_t slot, const char16_t* name);
  RTSuccess (*DeleteSaveSlot)(GamePrivateData& game, int32_t slot);
};
SaveCalls StandInSaveCalls();

// The local date and time the save box is preset with.
struct LocalTime {
  int32_t year;  // e.g. 2003
  int32_t month;  // 1..12
  int32_t day;
  int32_t hour;
  int32_t minute;
};
using LocalTimeSource = LocalTime (*)();
// The system's local time.
LocalTime SystemLocalTime();

// The character screen's object as the menus see it: its preview panel and entry flag.
struct CharacterScreenState {
  gui::TeskPanel* previewPanel;  // the panel the preview draws into, or null
  uint32_t entryFlag;
};

struct MenuState {
  uint8_t saveReturnScreenMode;  // the save screen's own previous mode while a message covers it
  uint32_t handOff;              // one-shot: read and cleared by every press
  int32_t selectedSaveSlot;      // -1: none
  uint32_t saveOrigin;           // 0: the in-game menu opened the save screen
  SaveCalls saves;
  LocalTimeSource localTime;
  CharacterScreenState characterScreen;
};

// The menu state of a new game record.
void InitMenuState(MenuState& menus);

}  // namespace tesk::game
