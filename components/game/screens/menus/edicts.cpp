// The edict list: each entry owns its texts and its copy of the edict box's "EDICT_NOFIRE_PNL".
// Open edicts stand first by expiry (an equal expiry after the earlier one), closed ones after.
#include "game_context.h"
#include "game_methods.h"
#include "kivo/support/format.h"
#include "kivo/support/numeric.h"
#include "kivo/support/wide_string.h"
#include "method_arguments.h"
#include "notices.h"
#include "screen_controls.h"
#include "widget_stream.h"
#include "widget_tree.h"

namespace tesk::game {

namespace {

constexpr gui::Colour kFireableColour = {1.0f, 0.5f, 0.0f, 0.0f};
constexpr gui::Colour kNotFireableColour = {1.0f, 1.0f, 0.0f, 0.0f};
constexpr char16_t kNoStatusMarker[] = u".!p@@p!.";

bool Closed(const EdictEntry& edict) { return edict.finished || edict.finishTime > 0.0f; }

char16_t* Copy(const char16_t* text) {
  char16_t* copy = nullptr;
  kivo::WideStrDup(text, &copy);
  return copy;
}

void Replace(char16_t*& text, const char16_t* with) {
  Core().ArrayFree(nullptr, text);
  text = Copy(with);
}

EdictEntry* At(const kivo::ListLink* link) { return static_cast<EdictEntry*>(link->data); }

kivo::List* EdictList(GamePrivateData& game) {
  if (!game.edictList) kivo::ListCreate(&game.edictList);
  return game.edictList;
}

// The entry's copy of the template, its three result panels hidden and its labels filled; null
// when the edict box lacks the template or the copy cannot be made.
gui::TeskPanel* MakeEdictPanel(const GamePrivateData& game, const EdictEntry& edict) {
  const gui::TeskPanel* templatePanel = Control<gui::TeskPanel>(game.forms.edict, u"EDICT_NOFIRE_PNL");
  gui::TeskIWidget* copy = nullptr;
  if (!templatePanel || !gui::CloneWidget(templatePanel, &copy)) return nullptr;
  gui::TeskPanel* panel = OfKind<gui::TeskPanel>(copy);
  if (!panel) {
    gui::DestroyWidgetTree(copy);
    return nullptr;
  }
  for (const char16_t* name : {u"EDICT_DESC_PNL", u"EDICT_FAIL_PNL", u"EDICT_COMP_PNL"})
    if (gui::TeskPanel* part = Control<gui::TeskPanel>(panel, name)) part->Hide();
  if (gui::TeskLabel* title = Control<gui::TeskLabel>(panel, u"EDICT_NOFIRE")) title->SetText(edict.title);
  if (gui::TeskLabel* text = Control<gui::TeskLabel>(panel, u"EDICT_DESC")) text->SetText(edict.description);
  if (gui::TeskLabel* state = Control<gui::TeskLabel>(panel, u"EDICT_FIRE_STATE"))
    state->SetText(edict.fireable ? u"Fireable? Yes" : u"Fireable? No");
  if (gui::TeskLabel* colour = Control<gui::TeskLabel>(panel, u"EDICT_NOFIRE_COLOR"))
    colour->SetBackground(colour->HasBackground(), edict.fireable ? kFireableColour : kNotFireableColour);
  if (gui::TeskLabel* remaining = Control<gui::TeskLabel>(panel, u"EDICT_NOFIRE_EXP"))
    remaining->SetText(EdictRemainingText(edict.expiry, game.gameClock).c_str());
  return panel;
}

void InsertEdict(kivo::List* list, EdictEntry* edict) {
  for (kivo::ListLink* link = list->first; link; link = link->next) {
    if (At(link)->expiry > edict->expiry || Closed(*At(link))) {
      kivo::ListInsertBefore(list, link, edict);
      return;
    }
  }
  kivo::ListAppend(list, edict);
}

void FreeEdict(EdictEntry* edict) {
  for (char16_t* text : {edict->description, edict->title, edict->statusText, edict->failReason})
    Core().ArrayFree(nullptr, text);
  gui::DestroyWidgetTree(edict->panel);
  Core().MemFree(nullptr, edict);
}

}  // namespace

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

namespace method {

TESK_GAME_SCRIPT_METHOD(AddEdict) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTSuccess;
  EdictEntry* edict = nullptr;
  if (!Core().MemAlloc(nullptr, sizeof(EdictEntry), reinterpret_cast<void**>(&edict), 1) || !edict) return kRTSuccess;
  *edict = EdictEntry{};
  edict->expiry = RealArgument(count, arguments, 2);
  edict->title = Copy(TextArgument(count, arguments, 0));
  edict->description = Copy(TextArgument(count, arguments, 1));
  edict->fireable = NumberArgument(count, arguments, 3) != 0 ? 1 : 0;
  edict->extraValue = static_cast<uint32_t>(NumberArgument(count, arguments, 4));
  edict->statusText = Copy(u"");
  edict->failReason = Copy(u"");
  edict->finishTime = -1.0f;
  edict->panel = MakeEdictPanel(*game, *edict);
  InsertEdict(EdictList(*game), edict);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(RemoveEdict) {
  GamePrivateData* game = RecordOf(self);
  EdictEntry* edict = game ? FindEdict(*game, TextArgument(count, arguments, 0)) : nullptr;
  if (!edict) return kRTSuccess;
  const bool succeeded = NumberArgument(count, arguments, 1) != 0;
  edict->failed = succeeded ? 0 : 1;
  Replace(edict->failReason, u"Time Expired");
  edict->finishTime = static_cast<float>(game->gameClock);
  if (gui::TeskPanel* result =
          Control<gui::TeskPanel>(edict->panel, succeeded ? u"EDICT_COMP_PNL" : u"EDICT_FAIL_PNL"))
    result->Show();
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(UpdateEdictStatus) {
  GamePrivateData* game = RecordOf(self);
  EdictEntry* edict = game ? FindEdict(*game, TextArgument(count, arguments, 0)) : nullptr;
  if (!edict) return kRTSuccess;
  const char16_t* status = TextArgument(count, arguments, 1);
  Replace(edict->statusText, status && kivo::WideStrCompare(status, kNoStatusMarker) == 0 ? u"" : status);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(SetEdictFailReason) {
  GamePrivateData* game = RecordOf(self);
  EdictEntry* edict = game ? FindEdict(*game, TextArgument(count, arguments, 0)) : nullptr;
  if (edict) Replace(edict->failReason, TextArgument(count, arguments, 1));
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::game
