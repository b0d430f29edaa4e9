#include "world_lists.h"

#include "kivo/actor/actor_calls.h"
#include "kivo/support/module_core.h"
#include "patient_entry.h"

namespace tesk::game {

using kivo::List;

namespace {

const char kRemovedActor = 0;

}  // namespace

std::span<List*, kWorldListCount> WorldListSlots(GamePrivateData& game) {
  return std::span<List*, kWorldListCount>(&game.lists.actorList, kWorldListCount);
}

bool CreateMissingWorldLists(GamePrivateData& game) {
  for (List*& list : WorldListSlots(game))
    if (!list && !kivo::ListCreate(&list)) return false;
  return true;
}

RTTeskActorWrapper* PatientWrapper(const void* entry) {
  return entry ? *static_cast<RTTeskActorWrapper* const*>(entry) : nullptr;
}

void ClearPatients(GamePrivateData& game) {
  for (PatientListEntry* entry : kivo::ListItems<PatientListEntry>(game.lists.patientList))
    ReleasePatientEntry(entry);
  kivo::ListClear(game.lists.patientList);
}

void RemovePatientsOf(GamePrivateData& game, const RTTeskActorWrapper* wrapper) {
  List* patients = game.lists.patientList;
  if (!patients) return;
  for (kivo::ListLink* link = patients->first; link;) {
    kivo::ListLink* next = link->next;
    if (PatientWrapper(link->data) == wrapper) {
      ReleasePatientEntry(static_cast<PatientListEntry*>(link->data));
      kivo::ListRemoveLink(patients, link);
    }
    link = next;
  }
}

void MarkActorRemoved(RTTeskActorWrapper* wrapper) { wrapper->ScriptObject = const_cast<char*>(&kRemovedActor); }

bool ActorRemoved(const RTTeskActorWrapper* wrapper) { return wrapper->ScriptObject == &kRemovedActor; }

void DestroyWorldLists(GamePrivateData& game) {
  if (game.lists.patientList) ClearPatients(game);
  for (void* name : kivo::ListItems<void>(game.lists.rosterList)) kivo::ModuleCore()->ArrayFree(nullptr, name);
  for (List*& list : WorldListSlots(game)) {
    kivo::ListDestroy(list);
    list = nullptr;
  }
}

}  // namespace tesk::game
