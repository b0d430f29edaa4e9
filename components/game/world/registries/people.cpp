// The people of the world: doctors, newbies, staff sorted by last name, the roster of names, the
// last page and system message, the small state words the script sets, the boost icons and the
// closing of the menus.
#include "form_loading.h"
#include "game_context.h"
#include "game_methods.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/support/format.h"
#include "kivo/support/wide_string.h"
#include "patient_entry.h"
#include "varno/scripting_calls.h"
#include "world_lists.h"

namespace tesk::game::method {

namespace {

constexpr uint32_t kPageUnits = 512;
constexpr int32_t kDoctorPriority = 1;

ScriptObject ObjectArgument(uint32_t count, const Cell* arguments, uint32_t index) {
  return index < count ? static_cast<ScriptObject>(arguments[index].value.pointer) : nullptr;
}

const char16_t* TextArgument(uint32_t count, const Cell* arguments, uint32_t index) {
  return index < count ? arguments[index].value.text : nullptr;
}

// The registered wrapper of a script object, or null.
RTTeskActorWrapper* WrapperOf(GamePrivateData& game, const void* object) {
  if (!object) return nullptr;
  for (RTTeskActorWrapper* wrapper : kivo::ListItems<RTTeskActorWrapper>(game.lists.actorList))
    if (wrapper->ScriptObject == object) return wrapper;
  return nullptr;
}

kivo::ListLink* LinkOfObject(kivo::List* list, const void* object) {
  for (kivo::ListLink* link = list ? list->first : nullptr; link; link = link->next)
    if (static_cast<RTTeskActorWrapper*>(link->data)->ScriptObject == object) return link;
  return nullptr;
}

RTSuccess AddPerson(RTInstance self, ScriptObject object, kivo::List* WorldLists::*list) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  RTTeskActorWrapper* wrapper = WrapperOf(*game, object);
  if (!wrapper || !(game->lists.*list)) return kRTSuccess;
  kivo::ListAppend(game->lists.*list, wrapper);
  wrapper->AvoidPriority = kDoctorPriority;
  return kRTSuccess;
}

// A string attribute as a core copy; null when the object has none.
char16_t* TextAttribute(GamePrivateData& game, void* object, const char16_t* name) {
  varno::RTVarnoConstantValue value{};
  if (!ReadAttribute(game, static_cast<ScriptObject>(object), name, varno::kTypeString, &value)) return nullptr;
  return value.value.text;
}

void FreeText(char16_t*& text) {
  Core().ArrayFree(nullptr, text);
  text = nullptr;
}

// A patient whose attending doctor is someone other than the player.
bool AttendedByOther(GamePrivateData& game, const void* entry) {
  const RTTeskActorWrapper* wrapper = PatientWrapper(entry);
  varno::RTVarnoConstantValue doctor{};
  return wrapper &&
         ReadAttribute(game, static_cast<ScriptObject>(wrapper->ScriptObject), u"attendingDoc", varno::kFirstClassType,
                       &doctor) &&
         doctor.value.pointer != game.playerObject;
}

uint32_t ClockSeconds(const GamePrivateData& game) {
  return static_cast<uint32_t>(static_cast<int64_t>(game.gameClock));
}

RTSuccess NothingWithoutHud(RTInstance self) { return RecordOf(self) ? kRTSuccess : kRTFailure; }

}  // namespace

TESK_GAME_SCRIPT_METHOD(AddDoctor) {
  return AddPerson(self, ObjectArgument(count, arguments, 0), &WorldLists::doctorList);
}

TESK_GAME_SCRIPT_METHOD(AddNewbie) {
  return AddPerson(self, ObjectArgument(count, arguments, 0), &WorldLists::newbieList);
}

TESK_GAME_SCRIPT_METHOD(RemoveDoctor) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  if (kivo::ListLink* link = LinkOfObject(game->lists.doctorList, ObjectArgument(count, arguments, 0)))
    kivo::ListRemoveLink(game->lists.doctorList, link);
  return kRTSuccess;
}

// The first newbie of the object leaves; without one, every patient whom someone other than the
// player attends leaves the patient list, its entry freed.
TESK_GAME_SCRIPT_METHOD(RemoveNewbie) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  if (kivo::ListLink* link = LinkOfObject(game->lists.newbieList, ObjectArgument(count, arguments, 0))) {
    kivo::ListRemoveLink(game->lists.newbieList, link);
    return kRTSuccess;
  }
  kivo::List* patients = game->lists.patientList;
  for (kivo::ListLink* link = patients ? patients->first : nullptr; link;) {
    kivo::ListLink* next = link->next;
    if (AttendedByOther(*game, link->data)) {
      ReleasePatientEntry(static_cast<PatientListEntry*>(link->data));
      kivo::ListRemoveLink(patients, link);
    }
    link = next;
  }
  return kRTSuccess;
}

// Inserted before the first member whose last name sorts after the new one's (UTF-16 unit order),
// so equal names keep the order they came in.
TESK_GAME_SCRIPT_METHOD(AddStaff) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  kivo::List* staff = game->lists.staffList;
  ScriptObject added = ObjectArgument(count, arguments, 0);
  RTTeskActorWrapper* wrapper = WrapperOf(*game, added);
  if (!staff || !wrapper || LinkOfObject(staff, added)) return kRTSuccess;
  char16_t* name = TextAttribute(*game, added, u"lastName");
  kivo::ListLink* before = nullptr;
  for (kivo::ListLink* link = staff->first; link && !before; link = link->next) {
    char16_t* other = TextAttribute(*game, static_cast<RTTeskActorWrapper*>(link->data)->ScriptObject, u"lastName");
    if (kivo::WideStrCompare(other ? other : u"", name ? name : u"") > 0) before = link;
    FreeText(other);
  }
  FreeText(name);
  return before ? kivo::ListInsertBefore(staff, before, wrapper) : kivo::ListAppend(staff, wrapper);
}

// Names are kept sorted, each once whatever its letter case; "Unnamed Actor" is never kept.
TESK_GAME_SCRIPT_METHOD(AddToRoster) {
  GamePrivateData* game = RecordOf(self);
  const char16_t* name = TextArgument(count, arguments, 0);
  if (!game || !game->lists.rosterList || !name) return kRTFailure;
  kivo::List* roster = game->lists.rosterList;
  if (kivo::WideStrEqualNoCase(name, u"Unnamed Actor") == 0) return kRTSuccess;
  kivo::ListLink* before = nullptr;
  for (kivo::ListLink* link = roster->first; link; link = link->next) {
    const auto* listed = static_cast<const char16_t*>(link->data);
    if (kivo::WideStrEqualNoCase(listed, name) == 0) return kRTSuccess;
    if (!before && kivo::WideStrCompare(listed, name) > 0) before = link;
  }
  char16_t* copy = nullptr;
  if (!kivo::WideStrDup(name, &copy)) return kRTFailure;
  if (before ? kivo::ListInsertBefore(roster, before, copy) : kivo::ListAppend(roster, copy)) return kRTSuccess;
  FreeText(copy);
  return kRTFailure;
}

TESK_GAME_SCRIPT_METHOD(ClearRoster) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !game->lists.rosterList) return kRTFailure;
  for (void* name : kivo::ListItems<void>(game->lists.rosterList)) Core().ArrayFree(nullptr, name);
  return kivo::ListClear(game->lists.rosterList);
}

TESK_GAME_SCRIPT_METHOD(Page) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  FreeText(game->pageText);
  char16_t* name = TextAttribute(*game, ObjectArgument(count, arguments, 0), u"name");
  if (!name) return kRTFailure;
  char16_t page[kPageUnits];
  kivo::FormatTo(page, kPageUnits, u"%s: %s", name, TextArgument(count, arguments, 1));
  FreeText(name);
  kivo::WideStrDup(page, &game->pageText);
  game->pageTime = ClockSeconds(*game);
  // The game's messages also go to the debug output, where a log or scripted input reads them.
  Core().DebugPrint(nullptr, page);
  return kRTSuccess;
}

RTSuccess SystemMessageC(RTInstance self, const char16_t* text) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  FreeText(game->systemMessageText);
  if (text) kivo::WideStrDup(text, &game->systemMessageText);
  game->systemMessageTime = ClockSeconds(*game);
  if (text) Core().DebugPrint(nullptr, text);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(SystemMessage) { return SystemMessageC(self, TextArgument(count, arguments, 0)); }

TESK_GAME_SCRIPT_METHOD(SetPerkRecieveTime) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  game->perkReceiveTime = static_cast<float>(game->gameClock);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(SetBedObject) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  game->bedObject = ObjectArgument(count, arguments, 0);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(SetHandsOff) {
  GamePrivateData* game = RecordOf(self);
  if (!game || count < 1) return kRTFailure;
  game->handsOff = arguments[0].value.word;
  return kRTSuccess;
}

// The perk list panel is the HUD's; until its drawing comes there is nothing to redraw.
TESK_GAME_SCRIPT_METHOD(UpdatePerks) { return NothingWithoutHud(self); }

namespace {

// Entry `index` of the boost list shown for a non-zero flag, hidden for 0.
RTSuccess SetBoost(RTInstance self, uint32_t count, const Cell* arguments, uint32_t index) {
  GamePrivateData* game = RecordOf(self);
  if (!game || count < 1) return kRTFailure;
  ShowBoostIcon(*game, index, arguments[0].value.word);
  return kRTSuccess;
}

}  // namespace

TESK_GAME_SCRIPT_METHOD(SetFitnessBoost) { return SetBoost(self, count, arguments, 0); }
TESK_GAME_SCRIPT_METHOD(SetUnFitnessBoost) { return SetBoost(self, count, arguments, 1); }
TESK_GAME_SCRIPT_METHOD(SetGamersBoost) { return SetBoost(self, count, arguments, 2); }
TESK_GAME_SCRIPT_METHOD(SetProximityIcon) { return SetBoost(self, count, arguments, 3); }

// Every menu closes: the world's screen.
TESK_GAME_SCRIPT_METHOD(CloseMenus) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  game->ScreenMode = 0;
  return kRTSuccess;
}

}  // namespace tesk::game::method
