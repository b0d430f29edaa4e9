#include "patient_entry.h"

#include <new>

#include "kivo/support/list.h"
#include "kivo/support/module_core.h"
#include "percent_bar.h"

namespace tesk::game {

PatientListEntry* NewPatientEntry(RTTeskActorWrapper* wrapper, bool withNurseBar) {
  void* block = nullptr;
  if (!kivo::ModuleCore()->MemAlloc(nullptr, sizeof(PatientListEntry), &block, 1) || !block) return nullptr;
  auto* entry = new (block) PatientListEntry{};
  entry->actor = wrapper;
  if (!withNurseBar) return entry;
  entry->nurseBar = new gui::TeskPercentBar();
  entry->nurseBar->SetWidth(kNurseBarWidth);
  entry->nurseBar->SetHeight(kNurseBarHeight);
  entry->nurseBar->SetColor(0.0f, 1.0f, 0.0f);
  return entry;
}

void ReleasePatientEntry(PatientListEntry* entry) {
  if (!entry) return;
  delete entry->nurseBar;
  kivo::ModuleCore()->MemFree(nullptr, entry);
}

PatientListEntry* PatientEntryAt(const GamePrivateData& game, uint32_t index) {
  void* data = nullptr;
  return kivo::ListDataAt(game.lists.patientList, index, &data) ? static_cast<PatientListEntry*>(data) : nullptr;
}

uint32_t PatientCount(const GamePrivateData& game) {
  return game.lists.patientList ? game.lists.patientList->count : 0;
}

void DropPatientEntry(GamePrivateData& game, uint32_t index) {
  kivo::ListLink* link = nullptr;
  if (!game.lists.patientList || !kivo::ListElementAt(game.lists.patientList, index, &link) || !link) return;
  ReleasePatientEntry(static_cast<PatientListEntry*>(link->data));
  kivo::ListRemoveLink(game.lists.patientList, link);
}

}  // namespace tesk::game
