// The edict list: its order, its count-down text and its release. The order: open edicts first by expiry (an equal
// expiry after the earlier one), closed ones after them, those finished earliest last.
#include "game_context.h"
#include "kivo/support/format.h"
#include "kivo/support/numeric.h"
#include "kivo/support/wide_string.h"
#include "notices.h"
#include "panel.h"
#include "widget_tree.h"

namespace tesk::game {

namespace {

bool Closed(const EdictEntry& edict) { return edict.finished || edict.finishTime > 0.0f; }

EdictEntry* At(const kivo::ListLink* link) { return static_cast<EdictEntry*>(link->data); }

void FreeEdict(EdictEntry* edict) {
  for (char16_t* text : {edict->description, edict->title, edict->statusText, edict->failReason})
    Core().ArrayFree(nullptr, text);
  gui::DestroyWidgetTree(edict->panel);
  Core().MemFree(nullptr, edict);
}

}  // namespace

void InsertEdict(kivo::List* list, EdictEntry* edict) {
  for (kivo::ListLink* link = list->first; link; link = link->next) {
    if (At(link)->expiry > edict->expiry || Closed(*At(link))) {
      kivo::ListInsertBefore(list, link, edict);
      return;
    }
  }
  kivo::ListAppend(list, edict);
}

std::u16string EdictRemainingText(float expiry, double clock) {
  const double remaining = static_cast<double>(expiry) - clock * 0.5;
  const int32_t minutes = kivo::FloatToInt<int32_t>(remaining / 60.0);
  const int32_t seconds = kivo::FloatToInt<int32_t>(remaining) % 60;
  return kivo::Format(u"Remaining: %d:%02d", minutes, seconds);
}

EdictEntry* FindEdict(const GamePrivateData& game, const char16_t* description) {
  for (EdictEntry* edict : kivo::ListItems<EdictEntry>(game.edictList)) {
    const bool match = description ? kivo::WideStrEqualNoCase(edict->description, description) == 0
                                   : !edict->description || !*edict->description;
    if (match) return edict;
  }
  return nullptr;
}

void SortEdictList(GamePrivateData& game) {
  kivo::List* list = game.edictList;
  if (!list) return;
  uint32_t index = 0;
  kivo::ListLink* link = nullptr;
  while (kivo::ListElementAt(list, index, &link) && link) {
    EdictEntry* edict = At(link);
    if (edict->finished || !(edict->finishTime > 0.0f)) {
      ++index;
      continue;
    }
    kivo::ListRemoveLink(list, link);
    edict->finished = 1;
    kivo::ListLink* firstFinished = list->first;
    while (firstFinished && !At(firstFinished)->finished) firstFinished = firstFinished->next;
    if (firstFinished)
      kivo::ListInsertBefore(list, firstFinished, edict);
    else
      kivo::ListAppend(list, edict);
  }
}

void ClearEdictList(GamePrivateData& game) {
  for (EdictEntry* edict : kivo::ListItems<EdictEntry>(game.edictList)) FreeEdict(edict);
  if (game.edictList) kivo::ListClear(game.edictList);
}

}  // namespace tesk::game
