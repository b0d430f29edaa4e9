// The script's edicts: each entry owns its texts and its copy of the edict box's
// "EDICT_NOFIRE_PNL" template, whose labels show its title, description, fireability and count-down.
#include "game_context.h"
#include "game_methods.h"
#include "kivo/support/format.h"
#include "kivo/support/wide_string.h"
#include "notices.h"
#include "screen_controls.h"
#include "widget_stream.h"
#include "widget_tree.h"

namespace tesk::game {

namespace {

constexpr gui::Colour kFireableColour = {1.0f, 0.5f, 0.0f, 0.0f};
constexpr gui::Colour kNotFireableColour = {1.0f, 1.0f, 0.0f, 0.0f};
constexpr char16_t kNoStatusMarker[] = u".!p@@p!.";

char16_t* Copy(const char16_t* text) {
  char16_t* copy = nullptr;
  kivo::WideStrDup(text, &copy);
  return copy;
}

void Replace(char16_t*& text, const char16_t* with) {
  Core().ArrayFree(nullptr, text);
  text = Copy(with);
}

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
  gui::TeskPanel* panel = gui::OfKind<gui::TeskPanel>(copy);
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

}  // namespace

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
