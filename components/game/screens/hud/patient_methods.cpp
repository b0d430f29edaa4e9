// The game's script methods of the patient list. Each answers 1 whatever happens; a patient without
// an entry is no error.
#include "game_context.h"
#include "game_methods.h"
#include "kivo/actor/actor_calls.h"
#include "patient_list.h"
#include "patient_script.h"
#include "percent_bar.h"

namespace tesk::game::method {

namespace {

constexpr uint32_t kLongestCountDownShown = 60;
constexpr float kEtaToPercent = 100.0f;

PatientListEntry* EntryOfObject(const GamePrivateData& game, ScriptObject patient) {
  if (!patient) return nullptr;
  return FindPatientEntry(game, [patient](const PatientListEntry& e) { return PatientObject(e) == patient; });
}

// The leaving animation starts.
void StartLeaving(PatientListEntry* entry) {
  if (!entry) return;
  StartPatientAnimation(*entry);
  entry->isRemoved = 1;
}

// A real argument; a number is taken as its value.
float RealOrNumber(uint32_t count, const Cell* arguments, uint32_t index) {
  if (index >= count) return 0.0f;
  return arguments[index].type == varno::kTypeNumber ? static_cast<float>(arguments[index].value.number)
                                                     : arguments[index].value.real;
}

}  // namespace

TESK_GAME_SCRIPT_METHOD(AddPatient) {
  if (GamePrivateData* game = RecordOf(self)) AddPatientEntry(*game, ObjectArgument(count, arguments, 0));
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(RemovePatient) {
  if (GamePrivateData* game = RecordOf(self))
    StartLeaving(EntryOfObject(*game, ObjectArgument(count, arguments, 0)));
  return kRTSuccess;
}

RTSuccess RemovePatientC(RTInstance self, RTTeskActorWrapper* wrapper) {
  GamePrivateData* game = RecordOf(self);
  if (game && wrapper)
    StartLeaving(FindPatientEntry(*game, [wrapper](const PatientListEntry& e) { return e.actor == wrapper; }));
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(StartCountDown) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTSuccess;
  const auto seconds = static_cast<uint32_t>(NumberArgument(count, arguments, 0));
  game->countDown.seconds = seconds;
  game->countDown.shown = seconds < kLongestCountDownShown ? seconds : kLongestCountDownShown;
  game->countDown.start = static_cast<float>(game->gameClock);
  StampCountDown(*game);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(ReSortPatientList) {
  if (GamePrivateData* game = RecordOf(self)) SortPatientList(*game);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(SetBackFromTesting) {
  GamePrivateData* game = RecordOf(self);
  if (PatientListEntry* entry = game ? EntryOfObject(*game, ObjectArgument(count, arguments, 0)) : nullptr) {
    StartPatientAnimation(*entry);
    entry->isBackFromTesting = 1;
  }
  return kRTSuccess;
}

// Arguments: the patient, the ETA, a number the bar does not use, the alert.
TESK_GAME_SCRIPT_METHOD(UpdateNurseETA) {
  GamePrivateData* game = RecordOf(self);
  PatientListEntry* entry = game ? EntryOfObject(*game, ObjectArgument(count, arguments, 0)) : nullptr;
  if (!entry) return kRTSuccess;
  entry->nurseEta = RealOrNumber(count, arguments, 1) * kEtaToPercent;
  entry->nurseAlert = static_cast<uint32_t>(NumberArgument(count, arguments, 3));
  if (entry->nurseBar) {
    if (entry->nurseAlert)
      entry->nurseBar->SetColor(1.0f, 0.0f, 0.0f);
    else
      entry->nurseBar->SetColor(0.0f, 1.0f, 0.0f);
  }
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(UnreservePatients) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTSuccess;
  // By position: a script may hold the list while members are written.
  for (uint32_t i = 0; const PatientListEntry* entry = PatientEntryAt(*game, i); ++i) {
    const ScriptObject patient = PatientObject(*entry);
    if (patient && !Flag(*game, patient, u"bSigPatient")) WriteFlag(*game, patient, u"bIsReserved", false);
  }
  return kRTSuccess;
}

}  // namespace tesk::game::method
