// Active perks, incoming curbside requests and hints: unbounded lists in arrival order that the HUD
// draws as notification icons; the curbside reply pop-up and the start of perk targeting.
#include <algorithm>

#include "form_drawing.h"
#include "game_context.h"
#include "game_methods.h"
#include "gui_skin.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/support/format.h"
#include "kivo/support/wide_string.h"
#include "notices.h"
#include "screen_controls.h"

namespace tesk::game {

namespace {

constexpr int32_t kReplyMinimumHeight = 50;
constexpr int32_t kReplyMinimumHeight800 = 39;

kivo::List* Ensure(kivo::List*& list) {
  if (!list) kivo::ListCreate(&list);
  return list;
}

// A zeroed core block for an entry of the list, appended; null when memory runs out.
template <class Entry>
Entry* AppendEntry(kivo::List*& list) {
  Entry* entry = nullptr;
  if (!Core().MemAlloc(nullptr, sizeof(Entry), reinterpret_cast<void**>(&entry), 1) || !entry) return nullptr;
  *entry = Entry{};
  if (!Ensure(list) || !kivo::ListAppend(list, entry)) {
    Core().MemFree(nullptr, entry);
    return nullptr;
  }
  return entry;
}

kivo::ListLink* PerkLink(const GamePrivateData& game, const char16_t* name) {
  for (kivo::ListLink* link = game.activePerkList ? game.activePerkList->first : nullptr; link; link = link->next)
    if (name && kivo::WideStrEqualNoCase(static_cast<ActivePerkEntry*>(link->data)->name, name) == 0) return link;
  return nullptr;
}

void FreePerk(ActivePerkEntry* perk) {
  Core().ArrayFree(nullptr, perk->name);
  Core().MemFree(nullptr, perk);
}

void FreeHint(HintEntry* hint) {
  Core().ArrayFree(nullptr, hint->text);
  Core().MemFree(nullptr, hint);
}

template <class Entry>
void DestroyList(kivo::List*& list, void (*release)(Entry*)) {
  for (Entry* entry : kivo::ListItems<Entry>(list)) release(entry);
  kivo::ListDestroy(list);
  list = nullptr;
}

void FreeBlock(IncomingCurbsideEntry* entry) { Core().MemFree(nullptr, entry); }

// The staff member's head texture, when the doctor is on the staff list.
void ShowReplyHead(GamePrivateData& game, ScriptObject doctor) {
  gui::TeskIcon* head = Control<gui::TeskIcon>(game.forms.curbsidePopup, u"CURB_ACK_HEAD");
  if (!head) return;
  for (RTTeskActorWrapper* wrapper : kivo::ListItems<RTTeskActorWrapper>(game.lists.staffList)) {
    if (wrapper->ScriptObject != doctor) continue;
    head->SetTexture(wrapper->HeadTexture);
    return;
  }
}

}  // namespace

void RemoveIncomingCurbsideC(GamePrivateData& game, ScriptObject requester) {
  for (kivo::ListLink* link = game.curbsideList ? game.curbsideList->first : nullptr; link; link = link->next) {
    auto* request = static_cast<IncomingCurbsideEntry*>(link->data);
    if (request->requester != requester) continue;
    kivo::ListRemoveLink(game.curbsideList, link);
    FreeBlock(request);
    return;
  }
}

void DestroyNoticeLists(GamePrivateData& game) {
  ClearEdictList(game);
  kivo::ListDestroy(game.edictList);
  game.edictList = nullptr;
  DestroyList<ActivePerkEntry>(game.activePerkList, FreePerk);
  DestroyList<IncomingCurbsideEntry>(game.curbsideList, FreeBlock);
  DestroyList<HintEntry>(game.hintList, FreeHint);
}

namespace method {

TESK_GAME_SCRIPT_METHOD(AddActivePerk) {
  GamePrivateData* game = RecordOf(self);
  ActivePerkEntry* perk = game ? AppendEntry<ActivePerkEntry>(game->activePerkList) : nullptr;
  if (!perk) return kRTSuccess;
  kivo::WideStrDup(TextArgument(count, arguments, 0), &perk->name);
  perk->startValue = static_cast<uint32_t>(NumberArgument(count, arguments, 1));
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(UpdateActivePerk) {
  GamePrivateData* game = RecordOf(self);
  kivo::ListLink* link = game ? PerkLink(*game, TextArgument(count, arguments, 0)) : nullptr;
  if (link) static_cast<ActivePerkEntry*>(link->data)->currentValue = NumberArgument(count, arguments, 1);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(RemoveActivePerk) {
  GamePrivateData* game = RecordOf(self);
  kivo::ListLink* link = game ? PerkLink(*game, TextArgument(count, arguments, 0)) : nullptr;
  if (!link) return kRTSuccess;
  auto* perk = static_cast<ActivePerkEntry*>(link->data);
  kivo::ListRemoveLink(game->activePerkList, link);
  FreePerk(perk);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(AddIncomingCurbside) {
  GamePrivateData* game = RecordOf(self);
  IncomingCurbsideEntry* request = game ? AppendEntry<IncomingCurbsideEntry>(game->curbsideList) : nullptr;
  if (!request) return kRTSuccess;
  request->requester = ObjectArgument(count, arguments, 0);
  request->secondValue = static_cast<uint32_t>(NumberArgument(count, arguments, 1));
  PlayInterfaceSound(*game, u"INTERFACE_CURBSIDE");
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(RemoveIncomingCurbside) {
  if (GamePrivateData* game = RecordOf(self)) RemoveIncomingCurbsideC(*game, ObjectArgument(count, arguments, 0));
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(AddGameHint) {
  GamePrivateData* game = RecordOf(self);
  HintEntry* hint = game ? AppendEntry<HintEntry>(game->hintList) : nullptr;
  if (!hint) return kRTSuccess;
  kivo::WideStrDup(TextArgument(count, arguments, 0), &hint->text);
  hint->createdAt = static_cast<float>(game->gameClock);
  PlayInterfaceSound(*game, u"INTERFACE_INFO");
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(SetCurbsideResponse) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTSuccess;
  const ScriptObject doctor = ObjectArgument(count, arguments, 0);
  const std::u16string text = kivo::Format(u"Dr. %s: %s", ReadText(*game, doctor, u"lastName").c_str(),
                                           OrEmpty(TextArgument(count, arguments, 1)));
  gui::TeskForm* popup = game->forms.curbsidePopup;
  gui::TeskLabel* label = Control<gui::TeskLabel>(popup, u"CURB_ACK_TXT");
  if (label) {
    label->SetText(text.c_str());
    label->FitHeightToText();
  }
  gui::TeskPanel* panel = Control<gui::TeskPanel>(popup, u"CURB_ACK_PNL");
  const int8_t variant = gui::GetSkinVariant();
  if (panel && label && (variant == kSkinVariant1024 || variant == kSkinVariant800))
    panel->SetHeight(std::max(variant == kSkinVariant800 ? kReplyMinimumHeight800 : kReplyMinimumHeight,
                              label->GetHeight() + 2));
  ShowReplyHead(*game, doctor);
  game->curbsideReply = {1, static_cast<float>(game->gameClock), doctor};
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(DoPerkTargetting) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTSuccess;
  PerkTargeting& targeting = game->perkTargeting;
  for (uint32_t i = 0; i < std::size(targeting.arguments); ++i)
    targeting.arguments[i] = i < count ? arguments[i].value.pointer : nullptr;
  targeting.cleared = 0;
  targeting.active = 1;
  targeting.pending = 1;
  PauseC(self);
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::game
