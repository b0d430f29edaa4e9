// The patient list behind the HUD's patient bar: who is on it, in which order, and the two small
// readings the other HUD pieces share (a patient's problem and severity, a severity's colour). The
// script adds, removes and times entries through the game's methods (patient_methods.cpp); the
// bar's drawing (patient_bar.h) plays their animations and ends their removal.
#pragma once

#include <cstdint>

#include "game_record.h"
#include "kivo/support/list.h"
#include "kivo/support/math_types.h"
#include "patient_entry.h"

namespace tesk::game {

inline constexpr int32_t kNoSeverity = -1;
inline constexpr int32_t kSeveralProblems = 10;

// Red, green and blue of severities 0 to 10 (the 32-bit floats nearest n/255); any other severity
// keeps the caller's. Alpha is always 0.5.
void SeverityColour(int32_t severity, RTFColorRGB* colour);
// The patient's problem code and severity from its script members: a null patient leaves both;
// one not diagnosed gets severity -1. Code 10 (several problems) takes both from element
// "highestProbIndex" of "problemList" and "problemSeverityList"; an index outside the lists leaves
// severity -1 and problem 10. A member the patient lacks reads 0 (false).
void GetPatientProblem(GamePrivateData& game, ScriptObject patient, int32_t* problem, int32_t* severity);
// A stable bubble sort, highest key first (severity, less 20 for a patient whom the player does not
// attend), then the sweep: the player's dead patients and the patients of doctors other than the
// player and the newbies leave (not those already leaving), and the player's script hears
// "RemoveFromPatList" for each; the newbies' patients are counted. Script calls may change the
// list: the sweep walks it by position and re-reads its count.
void SortPatientList(GamePrivateData& game);
// Puts the patient on the bar: refused with a report when no registered actor has it as its
// script object; nothing when it has an entry that is not leaving. A new entry starts its arrival
// animation at the tail, and the list is sorted. True when the patient is on the bar afterwards.
bool AddPatientEntry(GamePrivateData& game, ScriptObject patient);
// The end of the leaving animation of the entry at the position: without "readdOnRemoved" the
// entry goes; with it the patient passes from its doctor to the player (both scripts hear of it,
// the two members are rewritten) and comes back as a new entry, while the old one goes when the
// drawing reaches it next.
void FinishPatientRemoval(GamePrivateData& game, uint32_t index);
// The count-down's phase flips, its state becomes 1 and its stamp now.
void StampCountDown(GamePrivateData& game);
// The first entry (lowest position) that the test accepts, or null.
template <class Test>
PatientListEntry* FindPatientEntry(const GamePrivateData& game, Test test) {
  for (PatientListEntry* entry : kivo::ListItems<PatientListEntry>(game.lists.patientList))
    if (test(*entry)) return entry;
  return nullptr;
}
// The script object of the entry's patient; null for an actor the game has let go of.
ScriptObject PatientObject(const PatientListEntry& entry);
// An animation starts over: frame 1, stamped now.
void StartPatientAnimation(PatientListEntry& entry);

}  // namespace tesk::game
