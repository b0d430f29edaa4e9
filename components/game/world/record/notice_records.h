// The notices the script posts and the HUD shows: edicts (orders with a deadline), active perks,
// incoming curbside requests and hints, the curbside reply pop-up and the perk-targeting state.
// Entries are core blocks owned by their lists in the game record; every text is the entry's own
// core array copy.
#pragma once

#include <cstdint>

namespace varno {
struct RTVarnoSymbol;
}  // namespace varno

namespace tesk::game {

namespace gui {
class TeskIcon;
class TeskPanel;
}  // namespace gui

struct EdictEntry {
  float expiry;           // game time (clock x 0.5) at which the edict runs out
  char16_t* description;  // the key of the other edict methods (ASCII case ignored); "" for none
  char16_t* title;
  uint32_t fireable;
  uint32_t finished;  // moved behind the open edicts by SortEdictList
  uint32_t extraValue;
  uint32_t failed;
  char16_t* statusText;
  char16_t* failReason;
  gui::TeskPanel* panel;  // the entry's own copy of "EDICT_NOFIRE_PNL", or null without the template
  float finishTime;       // clock seconds when the edict was closed; -1.0 while open
};

struct ActivePerkEntry {
  gui::TeskIcon* icon;  // the perk's icon of the master icons form, or null
  uint32_t startValue;
  char16_t* name;  // the key (ASCII case ignored)
  uint32_t currentValue;
};

struct IncomingCurbsideEntry {
  varno::RTVarnoSymbol* requester;  // the requesting staff member's script object: the key
  uint32_t secondValue;
};

struct HintEntry {
  char16_t* text;
  float createdAt;  // clock seconds
};

// The reply pop-up of a curbside request: shown for 8 seconds of clock time.
struct CurbsideReply {
  uint32_t shown;
  float shownAt;                 // clock seconds
  varno::RTVarnoSymbol* doctor;  // who replied; the request of that requester goes when it ends
};

// What DoPerkTargetting hands to the world clicks: two active flags, the script's four arguments
// (their value words, pointer-sized: they may be objects) and a word it clears.
struct PerkTargeting {
  uint32_t active;
  uint32_t pending;
  void* arguments[4];
  uint32_t cleared;
};

}  // namespace tesk::game
