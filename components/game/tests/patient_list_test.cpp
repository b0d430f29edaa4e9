// The patient list: severity colours, a patient's problem, the sort and its sweep, adding,
// removing and finishing a removal, the count-down, the nurse's ETA, the actor's removal and the
// list's save section.
#include <gtest/gtest.h>

#include <cmath>

#include "kivo/support/instance_ref.h"
#include "kivo/support/list.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_values.h"
#include "patient_fixture.h"
#include "patient_list.h"
#include "patient_section.h"
#include "percent_bar.h"
#include "tesk/game_slots.h"
#include "world_lists.h"

namespace gametest {
namespace {

namespace game = tesk::game;

TEST(PatientColours, SeveritiesZeroToTenHaveTheirColoursAndEveryOtherKeepsTheCallers) {
  const float n = 1.0f / 255.0f;
  const float table[11][3] = {{0, 1, 0},           {0, 1, 0},          {126 * n, 1, 0},   {182 * n, 1, 0},
                              {210 * n, 1, 0},     {1, 1, 31 * n},     {1, 212 * n, 31 * n}, {1, 182 * n, 0},
                              {1, 151 * n, 0},     {1, 86 * n, 0},     {1, 0, 0}};
  for (int32_t severity = -1; severity <= 11; ++severity) {
    RTFColorRGB colour = {0.25f, 0.5f, 0.75f, 1.0f};
    game::SeverityColour(severity, &colour);
    EXPECT_EQ(colour.a, 0.5f);
    if (severity < 0 || severity > 10) {
      EXPECT_EQ(colour.r, 0.25f);
      EXPECT_EQ(colour.g, 0.5f);
      EXPECT_EQ(colour.b, 0.75f);
      continue;
    }
    // The floats nearest n/255.
    for (int i = 0; i < 3; ++i) {
      const float channel = i == 0 ? colour.r : i == 1 ? colour.g : colour.b;
      const double exact = table[severity][i] == 0 || table[severity][i] == 1
                               ? table[severity][i]
                               : std::round(table[severity][i] * 255.0) / 255.0;
      EXPECT_EQ(channel, static_cast<float>(exact)) << severity << " " << i;
    }
  }
}

class PatientList : public PatientBarTest {};

TEST_F(PatientList, AProblemIsReadFromThePatientsMembers) {
  const scripting::Symbol undiagnosed = Patient(u"U", player_, -1);
  const scripting::Symbol single = Patient(u"S", player_, 7, 3);
  const scripting::Symbol several = Patient(u"M", player_, 0, 10);
  for (int32_t k = 0; k < 3; ++k) {
    SetElement(several, u"problemList", static_cast<uint32_t>(k), std::vector<int32_t>{4, 9, 3}[k]);
    SetElement(several, u"problemSeverityList", static_cast<uint32_t>(k), std::vector<int32_t>{2, 5, 1}[k]);
  }
  SetNumber(several, u"highestProbIndex", 1);
  struct Case {
    scripting::Symbol patient;
    int32_t problem, severity;
  } cases[] = {{nullptr, 77, 88}, {undiagnosed, 77, -1}, {single, 3, 7}, {several, 9, 5}};
  for (const Case& c : cases) {
    int32_t problem = 77, severity = 88;
    game::GetPatientProblem(record(), c.patient, &problem, &severity);
    EXPECT_EQ(problem, c.problem);
    EXPECT_EQ(severity, c.severity);
  }
  // An index past the lists: severity -1, problem 10.
  SetNumber(several, u"highestProbIndex", 9);
  int32_t problem = 0, severity = 0;
  game::GetPatientProblem(record(), several, &problem, &severity);
  EXPECT_EQ(problem, 10);
  EXPECT_EQ(severity, -1);
}

TEST_F(PatientList, TheSortPutsThePlayersPatientsFirstMostSevereFirstAndKeepsEqualKeysInOrder) {
  const scripting::Symbol other = Actor(u"Other");
  const scripting::Symbol newbie = Actor(u"Newbie");
  MakeNewbie(newbie);
  const scripting::Symbol patients[] = {Patient(u"P5a", player_, 5), Patient(u"O10", other, 10),
                                        Patient(u"PU", player_, -1), Patient(u"N7", newbie, 7),
                                        Patient(u"P5b", player_, 5)};
  for (scripting::Symbol patient : patients) Script(game::kAddPatient, {ObjectCell(patient)});
  // Another doctor's patient stays only while it is leaving.
  EXPECT_EQ(Order(), (std::vector<std::string>{"P5a", "P5b", "PU", "N7"}));
  game::PatientListEntry* leaving = game::NewPatientEntry(&WrapperOf(patients[1]), false);
  leaving->isRemoved = 1;
  kivo::ListAppend(record().lists.patientList, leaving);
  for (int round = 0; round < 11; ++round) {
    game::SortPatientList(record());
    EXPECT_EQ(Order(), (std::vector<std::string>{"P5a", "P5b", "PU", "O10", "N7"}));
  }
  EXPECT_EQ(record().newbiePatientCount, 1);
  // Dropped when it was added, and only then.
  EXPECT_EQ(Heard(player_), "RemoveFromPatList O10;");
}

TEST_F(PatientList, TheSweepDropsThePlayersDeadAndOtherDoctorsPatientsAndCountsTheNewbies) {
  const scripting::Symbol newbie = Actor(u"Newbie");
  const scripting::Symbol other = Actor(u"Other");
  MakeNewbie(newbie);
  const scripting::Symbol mine = Patient(u"Mine", player_, 3);
  const scripting::Symbol hers = Patient(u"Hers", newbie, 4);
  const scripting::Symbol theirs = Patient(u"Theirs", player_, 2);
  for (scripting::Symbol patient : {mine, hers, theirs}) Script(game::kAddPatient, {ObjectCell(patient)});
  SetFlag(mine, u"bIsDead", true);
  SetFlag(hers, u"bIsDead", true);
  Bind(theirs, u"attendingDoc", other);
  Script(game::kReSortPatientList);
  EXPECT_EQ(Order(), (std::vector<std::string>{"Hers"}));
  EXPECT_EQ(Heard(player_), "RemoveFromPatList Mine;RemoveFromPatList Theirs;");
  Cell count{};
  ASSERT_TRUE(CallScript(game::kGetNumNewbiePatients, {}, &count));
  EXPECT_EQ(count.value.number, 1);
}

TEST_F(PatientList, AHandlerThatSortsAndAddsDuringTheSweepLeavesASoundList) {
  const scripting::Symbol dead = Patient(u"Dead", player_, 6);
  const scripting::Symbol alsoDead = Patient(u"AlsoDead", player_, 5);
  const scripting::Symbol late = Patient(u"Late", player_, 4);
  for (scripting::Symbol p : {dead, alsoDead}) {
    Script(game::kAddPatient, {ObjectCell(p)});
    SetFlag(p, u"bIsDead", true);
  }
  SetFlag(player_, u"bReenter", true);
  Bind(player_, u"other", late);
  Script(game::kReSortPatientList);
  EXPECT_EQ(Order(), (std::vector<std::string>{"Late"}));
  EXPECT_EQ(Heard(player_), "RemoveFromPatList Dead;RemoveFromPatList AlsoDead;");
}

TEST_F(PatientList, AddingRefusesStrangersAndKeepsOneEntryUnlessTheFirstIsLeaving) {
  const scripting::Symbol patient = Patient(u"Pat", player_, 5);
  Script(game::kAddPatient, {ObjectCell(patient)});
  Script(game::kAddPatient, {ObjectCell(patient)});
  ASSERT_EQ(Order().size(), 1u);
  EXPECT_EQ(WrapperOf(patient).AvoidPriority, 2);
  EXPECT_EQ(Entry(0).isNew, 1u);
  EXPECT_EQ(Entry(0).animFrame, 1);
  ASSERT_NE(Entry(0).nurseBar, nullptr);
  EXPECT_EQ(Entry(0).nurseBar->GetWidth(), 40);
  EXPECT_EQ(Entry(0).nurseBar->GetHeight(), 5);
  Script(game::kRemovePatient, {ObjectCell(patient)});
  EXPECT_EQ(Entry(0).isRemoved, 1u);
  Script(game::kAddPatient, {ObjectCell(patient)});
  EXPECT_EQ(Order().size(), 2u);
  Script(game::kAddPatient, {ObjectCell(NewObjectOf(u"Ward"))});
  EXPECT_EQ(Logged("Trying to add a patient who doesn't exist in the actor list."), 1u);
  EXPECT_EQ(Order().size(), 2u);
}

TEST_F(PatientList, FinishingARemovalWithReaddHandsThePatientToThePlayer) {
  const scripting::Symbol newbie = Actor(u"Newbie");
  MakeNewbie(newbie);
  const scripting::Symbol patient = Patient(u"Pat", newbie, 5);
  Script(game::kAddPatient, {ObjectCell(patient)});
  Script(game::kRemovePatient, {ObjectCell(patient)});
  SetFlag(patient, u"readdOnRemoved", true);
  game::FinishPatientRemoval(record(), 0);
  EXPECT_EQ(Heard(newbie), "RemoveFromPatList Pat;");
  EXPECT_EQ(Heard(player_), "AddToPatList Pat;");
  EXPECT_EQ(Object(patient, u"attendingDoc"), player_);
  EXPECT_FALSE(FlagOf(patient, u"readdOnRemoved"));
  ASSERT_EQ(Order().size(), 2u);
  // The old entry goes the next time its removal ends.
  const uint32_t old = Entry(0).isRemoved ? 0 : 1;
  game::FinishPatientRemoval(record(), old);
  ASSERT_EQ(Order().size(), 1u);
  EXPECT_EQ(Entry(0).isRemoved, 0u);
  EXPECT_EQ(Entry(0).isNew, 1u);
}

TEST_F(PatientList, TheCountDownTheNurseAndTheReservations) {
  record().gameClock = 12.5;
  Script(game::kStartCountDown, {NumberCell(75)});
  EXPECT_EQ(record().countDown.seconds, 75u);
  EXPECT_EQ(record().countDown.shown, 60u);
  EXPECT_EQ(record().countDown.start, 12.5f);
  EXPECT_EQ(record().countDown.state, 1);
  EXPECT_EQ(record().countDown.phase, 1u);
  Script(game::kStartCountDown, {NumberCell(30)});
  EXPECT_EQ(record().countDown.shown, 30u);
  EXPECT_EQ(record().countDown.phase, 0u);

  const scripting::Symbol patient = Patient(u"Pat", player_, 5);
  const scripting::Symbol vip = Patient(u"Vip", player_, 4);
  for (scripting::Symbol p : {patient, vip}) {
    Script(game::kAddPatient, {ObjectCell(p)});
    SetFlag(p, u"bIsReserved", true);
  }
  SetFlag(vip, u"bSigPatient", true);
  Script(game::kUpdateNurseETA, {ObjectCell(patient), RealCell(0.37f), NumberCell(0), NumberCell(1)});
  const game::PatientListEntry& entry = Entry(0);
  EXPECT_EQ(entry.nurseEta, 37.0f);
  EXPECT_EQ(entry.nurseBar->GetColor().r, 1.0f);
  EXPECT_EQ(entry.nurseBar->GetColor().g, 0.0f);
  Script(game::kUpdateNurseETA, {ObjectCell(patient), RealCell(0.5f), NumberCell(0), NumberCell(0)});
  EXPECT_EQ(entry.nurseBar->GetColor().r, 0.0f);
  EXPECT_EQ(entry.nurseBar->GetColor().g, 1.0f);
  Script(game::kSetBackFromTesting, {ObjectCell(patient)});
  EXPECT_EQ(entry.isBackFromTesting, 1u);
  Script(game::kUnreservePatients);
  EXPECT_FALSE(FlagOf(patient, u"bIsReserved"));
  EXPECT_TRUE(FlagOf(vip, u"bIsReserved"));
}

TEST_F(PatientList, RemovingAnActorFreesItsEntriesAndTheActorComponentsCallFindsNone) {
  const scripting::Symbol patient = Patient(u"Pat", player_, 5);
  Script(game::kAddPatient, {ObjectCell(patient)});
  Script(game::kRemovePatient, {ObjectCell(patient)});
  Script(game::kAddPatient, {ObjectCell(patient)});
  ASSERT_EQ(Order().size(), 2u);
  RTTeskActorWrapper& wrapper = WrapperOf(patient);
  ASSERT_TRUE(kivo::CallMethod(game(), game::kLevel, game::kRemoveActor, &wrapper));
  EXPECT_EQ(record().lists.patientList->count, 0u);
  EXPECT_TRUE(game::call::RemovePatientC(game(), &wrapper));
}

class PatientSection : public PatientBarTest {
 protected:
  std::string Write() {
    kivo::InstanceRef stream = NewStream();
    EXPECT_TRUE(game::WritePatientSection(record(), stream.get()));
    return Bytes(stream.get());
  }
  kivo::InstanceRef NewStream() {
    kivo::InstanceRef stream;
    EXPECT_TRUE(kivo::memory_stream::Create(stream.out()));
    return stream;
  }
  std::string Bytes(RTInstance stream) {
    uint32_t size = 0;
    kivo::stream::GetSize(stream, &size);
    kivo::stream::Seek(stream, 0);
    std::string bytes(size, '\0');
    kivo::StreamReadBytes(stream, bytes.data(), size);
    return bytes;
  }
  RTSuccess Read(const std::string& bytes) {
    kivo::InstanceRef stream = NewStream();
    kivo::StreamWriteBytes(stream.get(), bytes.data(), static_cast<uint32_t>(bytes.size()));
    kivo::stream::Seek(stream.get(), 0);
    return game::ReadPatientSection(record(), stream.get());
  }
  static std::string U32(uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); }
};

TEST_F(PatientSection, EntriesRoundTripAndDamagedSectionsAddNothing) {
  const scripting::Symbol a = Patient(u"A", player_, 5);
  const scripting::Symbol b = Patient(u"B", player_, 4);
  const scripting::Symbol c = Patient(u"C", player_, 3);
  for (scripting::Symbol p : {a, b, c}) Script(game::kAddPatient, {ObjectCell(p)});
  Script(game::kRemovePatient, {ObjectCell(c)});
  delete Entry(1).nurseBar;
  Entry(1).nurseBar = nullptr;
  // The player is actor 0: A, B and C are actors 1, 2 and 3.
  const std::string saved = Write();
  EXPECT_EQ(saved, U32(3) + U32(1) + '\1' + U32(2) + '\0' + U32(0xFFFFFFFF));

  game::ClearPatients(record());
  ASSERT_TRUE(Read(saved));
  EXPECT_EQ(Order(), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(Entry(0).animFrame, -1);
  EXPECT_EQ(Entry(0).isNew, 0u);
  ASSERT_NE(Entry(0).nurseBar, nullptr);
  EXPECT_EQ(Entry(0).nurseBar->GetWidth(), 40);
  EXPECT_EQ(Entry(1).nurseBar, nullptr);
  EXPECT_EQ(Write(), U32(2) + U32(1) + '\1' + U32(2) + '\0');

  game::ClearPatients(record());
  for (size_t cut = 0; cut < saved.size(); ++cut) {
    EXPECT_FALSE(Read(saved.substr(0, cut))) << cut;
    EXPECT_EQ(record().lists.patientList->count, 0u) << cut;
  }
  EXPECT_FALSE(Read(U32(1) + U32(9) + '\0'));
  EXPECT_EQ(Logged("entry 0 names actor 9, which is not listed"), 1u);
  EXPECT_EQ(record().lists.patientList->count, 0u);
}

}  // namespace
}  // namespace gametest
