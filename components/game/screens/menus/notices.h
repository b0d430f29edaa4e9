// The notices the script posts: the edict list, active perks, incoming curbside requests and hints,
// the curbside reply pop-up and the start of perk targeting. The script's entries are game methods
// (game_methods.h); these are the operations other code of the game shares.
#pragma once

#include <string>

#include "game_record.h"

namespace tesk::game {

// The count-down of an edict: "Remaining: %d:%02d" of r = expiry - clock x 0.5, minutes and
// seconds truncated toward zero.
std::u16string EdictRemainingText(float expiry, double clock);
// The first edict whose description equals the text (ASCII case ignored); null finds the first
// with an empty description.
EdictEntry* FindEdict(const GamePrivateData& game, const char16_t* description);
// Before the first edict that expires later or is closed, or last.
void InsertEdict(kivo::List* list, EdictEntry* edict);
// Moves the edicts closed since the last call, in their order, behind the open ones and in front
// of those finished earlier, marking them finished.
void SortEdictList(GamePrivateData& game);
// Releases every edict with its texts and panel; the list stays, empty.
void ClearEdictList(GamePrivateData& game);
// Removes the first request of that requester (the whole object compared).
void RemoveIncomingCurbsideC(GamePrivateData& game, ScriptObject requester);
// Releases every notice list with its entries (the game's destruction).
void DestroyNoticeLists(GamePrivateData& game);

}  // namespace tesk::game
