// One patient on the HUD's patient bar: the record the patient list holds for it, made and freed
// here only, and the list walks every user of the list shares.
#pragma once

#include <cstddef>
#include <cstdint>

#include "game_record.h"

struct RTTeskActorWrapper;

namespace tesk::game {

// The avoidance priority a listed patient is given.
constexpr int32_t kPatientRole = 2;

namespace gui {
class TeskPercentBar;
}  // namespace gui

struct PatientListEntry {
  RTTeskActorWrapper* actor;  // the patient; its script object is the wrapper's
  int32_t animFrame;          // -1: no animation; else whole 50 ms steps since animStamp
  uint32_t animStamp;         // core milliseconds at the start of the running animation
  uint32_t isNew;             // the arrival animation is pending or running
  uint32_t isRemoved;         // the leaving animation runs; the entry goes when it ends
  uint32_t isBackFromTesting;  // the back-from-testing shake runs
  float flashEnd;             // clock seconds: the end of the severity flash's cycle
  float flashStart;
  uint32_t hasNurse;  // the patient's nurse flag as the drawing saw it last
  float nurseEta;     // the nurse's ETA times 100: the bar's percent
  uint32_t nurseAlert;
  gui::TeskPercentBar* nurseBar;  // owned; null when the entry has none
  uint32_t hoverLatched;          // the pointer rests on the entry
};
static_assert(offsetof(PatientListEntry, actor) == 0, "the world lists read the wrapper as the first word");

// The nurse bar of a new entry: 40 x 5, filled green.
inline constexpr int32_t kNurseBarWidth = 40;
inline constexpr int32_t kNurseBarHeight = 5;

// A new entry of the wrapper (a core block) with every field 0 and, when asked, its nurse bar;
// null when memory runs out.
PatientListEntry* NewPatientEntry(RTTeskActorWrapper* wrapper, bool withNurseBar);
// Frees the entry and its nurse bar; null is nothing.
void ReleasePatientEntry(PatientListEntry* entry);
// The entry at the 0-based position, or null.
PatientListEntry* PatientEntryAt(const GamePrivateData& game, uint32_t index);
// The number of entries (0 without a list).
uint32_t PatientCount(const GamePrivateData& game);
// Unlinks the entry at the position and frees it.
void DropPatientEntry(GamePrivateData& game, uint32_t index);

}  // namespace tesk::game
