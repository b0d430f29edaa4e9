#include "patient_list.h"

#include <utility>
#include <vector>

#include "game_context.h"
#include "kivo/actor/actor_calls.h"
#include "percent_bar.h"
#include "patient_script.h"
#include "world_lists.h"

namespace tesk::game {

namespace {

namespace scripting = varno::scripting;

constexpr int32_t kOthersPatientPenalty = 20;
constexpr float kSeverityAlpha = 0.5f;

// Red, green and blue of severities 0 to 10 in 255ths.
constexpr int32_t kSeverityColours[][3] = {
    {0, 255, 0},   {0, 255, 0},    {126, 255, 0}, {182, 255, 0}, {210, 255, 0}, {255, 255, 31},
    {255, 212, 31}, {255, 182, 0}, {255, 151, 0}, {255, 86, 0},  {255, 0, 0}};

RTTeskActorWrapper* RegisteredWrapper(const GamePrivateData& game, ScriptObject patient) {
  if (!patient) return nullptr;
  for (RTTeskActorWrapper* wrapper : kivo::ListItems<RTTeskActorWrapper>(game.lists.actorList))
    if (wrapper->ScriptObject == patient) return wrapper;
  return nullptr;
}

bool AttendedByNewbie(const GamePrivateData& game, ScriptObject doctor) {
  if (!doctor) return false;
  for (const RTTeskActorWrapper* newbie : kivo::ListItems<RTTeskActorWrapper>(game.lists.newbieList))
    if (newbie->ScriptObject == doctor) return true;
  return false;
}

int32_t SortKey(GamePrivateData& game, const PatientListEntry& entry) {
  const ScriptObject patient = PatientObject(entry);
  int32_t problem = kNoSeverity, severity = kNoSeverity;
  GetPatientProblem(game, patient, &problem, &severity);
  return AttendedByPlayer(game, patient) ? severity : severity - kOthersPatientPenalty;
}

// Whether the sweep takes the entry off the bar; counts the newbies' patients.
bool SweptAway(GamePrivateData& game, const PatientListEntry& entry) {
  const ScriptObject patient = PatientObject(entry);
  const ScriptObject doctor = ReadObject(game, patient, u"attendingDoc");
  if (doctor && doctor == game.playerObject) return Flag(game, patient, u"bIsDead");
  if (AttendedByNewbie(game, doctor)) {
    ++game.newbiePatientCount;
    return false;
  }
  return !entry.isRemoved;
}

void Sweep(GamePrivateData& game) {
  game.newbiePatientCount = 0;
  for (uint32_t k = 0; k < PatientCount(game); ++k) {
    const PatientListEntry* entry = PatientEntryAt(game, k);
    if (!entry || !SweptAway(game, *entry)) continue;
    const ScriptObject patient = PatientObject(*entry);
    DropPatientEntry(game, k--);
    RunPatientMethod(game, game.playerObject, u"RemoveFromPatList", patient);
  }
}

}  // namespace

ScriptObject PatientObject(const PatientListEntry& entry) {
  return entry.actor && !ActorRemoved(entry.actor) ? static_cast<ScriptObject>(entry.actor->ScriptObject) : nullptr;
}

void StartPatientAnimation(PatientListEntry& entry) {
  entry.animFrame = 1;
  entry.animStamp = Now();
}

void SeverityColour(int32_t severity, RTFColorRGB* colour) {
  if (severity >= 0 && severity < static_cast<int32_t>(std::size(kSeverityColours))) {
    const int32_t(&row)[3] = kSeverityColours[severity];
    colour->r = static_cast<float>(row[0]) / 255.0f;
    colour->g = static_cast<float>(row[1]) / 255.0f;
    colour->b = static_cast<float>(row[2]) / 255.0f;
  }
  colour->a = kSeverityAlpha;
}

void GetPatientProblem(GamePrivateData& game, ScriptObject patient, int32_t* problem, int32_t* severity) {
  if (!patient) return;
  if (!Flag(game, patient, u"bDiagnosed")) {
    *severity = kNoSeverity;
    return;
  }
  *problem = Number(game, patient, u"problem");
  if (*problem != kSeveralProblems) {
    *severity = Number(game, patient, u"problem_severity");
    return;
  }
  const auto index = static_cast<uint32_t>(Number(game, patient, u"highestProbIndex"));
  int32_t worst = 0, code = 0;
  if (ReadWholeNumber(game, patient, u"problemSeverityList", index, &worst) &&
      ReadWholeNumber(game, patient, u"problemList", index, &code)) {
    *severity = worst;
    *problem = code;
  } else {
    *severity = kNoSeverity;
  }
}

void SortPatientList(GamePrivateData& game) {
  kivo::List* list = game.lists.patientList;
  if (!list) return;
  // Keys are read once: no script runs while the entries change places.
  std::vector<kivo::ListLink*> links;
  std::vector<int32_t> keys;
  for (kivo::ListLink* link = list->first; link; link = link->next) {
    links.push_back(link);
    keys.push_back(SortKey(game, *static_cast<const PatientListEntry*>(link->data)));
  }
  const size_t n = links.size();
  for (size_t i = 0; i + 1 < n; ++i)
    for (size_t j = 0; j + 1 < n - i; ++j)
      if (keys[j] < keys[j + 1]) {
        std::swap(keys[j], keys[j + 1]);
        kivo::ListSwapData(list, links[j], links[j + 1]);
      }
  Sweep(game);
}

bool AddPatientEntry(GamePrivateData& game, ScriptObject patient) {
  RTTeskActorWrapper* wrapper = RegisteredWrapper(game, patient);
  if (!wrapper || !game.lists.patientList) {
    Report(u"Trying to add a patient who doesn't exist in the actor list.");
    return false;
  }
  if (FindPatientEntry(game, [wrapper](const PatientListEntry& e) { return e.actor == wrapper && !e.isRemoved; }))
    return true;
  wrapper->AvoidPriority = kPatientRole;
  PatientListEntry* entry = NewPatientEntry(wrapper, true);
  if (!entry) return false;
  entry->isNew = 1;
  StartPatientAnimation(*entry);
  if (!kivo::ListAppend(game.lists.patientList, entry)) {
    ReleasePatientEntry(entry);
    return false;
  }
  SortPatientList(game);
  return true;
}

void FinishPatientRemoval(GamePrivateData& game, uint32_t index) {
  const PatientListEntry* entry = PatientEntryAt(game, index);
  if (!entry) return;
  const ScriptObject patient = PatientObject(*entry);
  if (!Flag(game, patient, u"readdOnRemoved")) {
    DropPatientEntry(game, index);
    SortPatientList(game);
    return;
  }
  // The entry is not touched again: the scripts may change the list.
  RunPatientMethod(game, ReadObject(game, patient, u"attendingDoc"), u"RemoveFromPatList", patient);
  RunPatientMethod(game, game.playerObject, u"AddToPatList", patient);
  WriteFlag(game, patient, u"readdOnRemoved", false);
  WriteObject(game, patient, u"attendingDoc", game.playerObject);
  AddPatientEntry(game, patient);
}

void StampCountDown(GamePrivateData& game) {
  CountDown& countDown = game.countDown;
  countDown.phase = countDown.phase == 0 ? 1 : 0;
  countDown.state = 1;
  countDown.stamp = Now();
}

}  // namespace tesk::game
