#include "patient_fixture.h"

#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/utf.h"
#include "tesk/game_slots.h"
#include "world_lists.h"

namespace gametest {

namespace {

constexpr char kWardSource[] = R"(Ward is Thing;

attributes
{
  attendingDoc is Ward;
  currentPatient is Ward;
  seekedBed is Ward;
  bDiagnosed is bool;
  problem is number;
  problem_severity is number;
  highestProbIndex is number;
  problemList is list;
  problemSeverityList is list;
  numKnownProblems is number;
  bIsDead is bool;
  readdOnRemoved is bool;
  bSigPatient is bool;
  bIsReserved is bool;
  bIsInTesting is bool;
  bInTestingRoom is bool;
  bHeadingToBed is bool;
  bWaitingForTech is bool;
  bDocWaitingForNurse is bool;
  bHasNurse is bool;
  bPlayerMO is bool;
  heard is string;
  bReenter is bool;
  other is Ward;
}

method AddPatient(p is Ward) implemented "RTTeskGame.AddPatient";
method ReSortPatientList() implemented "RTTeskGame.ReSortPatientList";

method MakeLists()
{
  heard = "";
  problemList = [0, 0, 0, 0];
  problemSeverityList = [0, 0, 0, 0];
}

' With bReenter set, the first call sorts the list again and adds "other" from inside the sweep.
method RemoveFromPatList(p is Ward)
{
  heard = heard + "RemoveFromPatList " + p.name + ";";
  if (bReenter)
  {
    bReenter = false;
    ReSortPatientList();
    AddPatient(other);
  }
}

method AddToPatList(p is Ward)
{
  heard = heard + "AddToPatList " + p.name + ";";
}

state Switchboard
{
}
)";

RTInstance Font(CoreTable& core, const char16_t* name) {
  RTInstance root = nullptr, fonts = nullptr, font = nullptr;
  core.GetRoot(nullptr, &root);
  core.FindChild(nullptr, root, u"Fonts", &fonts);
  core.FindChild(nullptr, fonts, name, &font);
  core.ReleaseInstance(nullptr, fonts);
  core.ReleaseInstance(nullptr, root);
  return font;
}

}  // namespace

std::vector<Quad> Quads(const std::vector<Call>& calls) {
  std::vector<Quad> quads;
  double texture = 0, textured = 0;
  double colour[4] = {1, 1, 1, 1};
  std::vector<double> xs, ys;
  for (const Call& call : calls) {
    if (call.name == "BindTexture") texture = call.args.at(0);
    if (call.name == "EnableTexturing") textured = call.args.at(0);
    // Its arguments: the float count, then the floats.
    if (call.name == "SetColorRGBAArray")
      for (int i = 0; i < 4; ++i) colour[i] = call.args.at(i + 1);
    if (call.name == "BeginPrimitive") xs.clear(), ys.clear();
    if (call.name == "Vertex3") xs.push_back(call.args.at(0)), ys.push_back(call.args.at(1));
    if (call.name == "EndPrimitive" && xs.size() == 4) {
      Quad quad{xs[0], ys[0], xs[2] - xs[0], ys[2] - ys[0], textured ? texture : 0, {}};
      std::copy(colour, colour + 4, quad.colour);
      quads.push_back(quad);
    }
  }
  return quads;
}

std::vector<std::pair<std::string, std::string>> PatientBarTest::MoreClasses() const {
  return {{"Ward", kWardSource}};
}

void PatientBarTest::SetUp() {
  HudTest::SetUp();
  if (HasFatalFailure()) return;
  tesk::game::GamePrivateData& game = record();
  game.vm = vm();
  ASSERT_TRUE(tesk::game::CreateMissingWorldLists(game));
  game.screenWidth = 800;
  game.subtitleFont = Font(core(), u"Verdana");
  game.outlineFont14 = Font(core(), u"Verdana14o");
  player_ = Actor(u"Player");
  game.playerObject = player_;
}

scripting::Symbol PatientBarTest::Actor(const char16_t* name, uint32_t face) {
  const scripting::Symbol object = NewObjectOf(u"Ward");
  EXPECT_TRUE(scripting::VarnoVMSetNewContext(varno(), vm(), object, u"Switchboard", 0));
  EXPECT_TRUE(scripting::RunMethodByName(varno(), vm(), object, u"MakeLists", 1));
  SetText(object, u"name", name);
  RTTeskActorWrapper& wrapper = wrappers_.emplace_back();
  wrapper.ScriptObject = object;
  EXPECT_TRUE(tesk::game::call::AddActor(game(), &wrapper));
  wrapper.HeadTexture = face;
  return object;
}

scripting::Symbol PatientBarTest::Patient(const char16_t* name, scripting::Symbol doctor, int32_t severity,
                                          int32_t code) {
  const scripting::Symbol patient = Actor(name);
  Bind(patient, u"attendingDoc", doctor);
  SetFlag(patient, u"bDiagnosed", severity >= 0);
  SetNumber(patient, u"problem", code);
  SetNumber(patient, u"problem_severity", severity);
  return patient;
}

RTTeskActorWrapper& PatientBarTest::WrapperOf(scripting::Symbol object) {
  for (RTTeskActorWrapper& wrapper : wrappers_)
    if (wrapper.ScriptObject == object) return wrapper;
  ADD_FAILURE() << "no wrapper";
  return wrappers_.front();
}

void PatientBarTest::MakeNewbie(scripting::Symbol doctor) { Script(tesk::game::kAddNewbie, {ObjectCell(doctor)}); }

void PatientBarTest::SetFlag(scripting::Symbol object, const char16_t* name, bool flag) {
  Cell value{};
  value.type = varno::kTypeBool;
  value.value.number = flag ? 1 : 0;
  ASSERT_TRUE(scripting::SymbolWriteAttribute(varno(), vm(), object, name, scripting::kWholeAttribute, &value));
}

bool PatientBarTest::FlagOf(scripting::Symbol object, const char16_t* name) {
  Cell value{};
  EXPECT_TRUE(scripting::SymbolReadAttribute(varno(), vm(), object, name, scripting::kWholeAttribute, varno::kTypeBool,
                                             &value));
  return value.value.number != 0;
}

void PatientBarTest::Bind(scripting::Symbol object, const char16_t* name, scripting::Symbol value) {
  Cell cell{};
  cell.type = varno::kFirstClassType;
  cell.value.pointer = value;
  ASSERT_TRUE(scripting::SymbolWriteAttribute(varno(), vm(), object, name, scripting::kWholeAttribute, &cell));
}

scripting::Symbol PatientBarTest::Object(scripting::Symbol object, const char16_t* name) {
  Cell value{};
  EXPECT_TRUE(scripting::SymbolReadAttribute(varno(), vm(), object, name, scripting::kWholeAttribute,
                                             varno::kFirstClassType, &value));
  return static_cast<scripting::Symbol>(value.value.pointer);
}

std::string PatientBarTest::Heard(scripting::Symbol doctor) {
  Cell value{};
  EXPECT_TRUE(scripting::SymbolReadAttribute(varno(), vm(), doctor, u"heard", scripting::kWholeAttribute,
                                             varno::kTypeString, &value));
  const std::string heard = value.value.text ? platform::ToUtf8(value.value.text) : "";
  core().ArrayFree(nullptr, value.value.text);
  return heard;
}

void PatientBarTest::Script(varno::NativeMethodSlot slot, std::vector<Cell> arguments) {
  Cell result{};
  ASSERT_TRUE(CallScript(slot, std::move(arguments), &result));
}

Cell PatientBarTest::ObjectCell(scripting::Symbol object) {
  Cell cell{};
  cell.type = varno::kFirstClassType;
  cell.value.pointer = object;
  return cell;
}

std::vector<std::string> PatientBarTest::Order() {
  std::vector<std::string> names;
  for (auto* entry : kivo::ListItems<tesk::game::PatientListEntry>(record().lists.patientList)) {
    Cell value{};
    scripting::SymbolReadAttribute(varno(), vm(), static_cast<scripting::Symbol>(entry->actor->ScriptObject), u"name",
                                   scripting::kWholeAttribute, varno::kTypeString, &value);
    names.push_back(value.value.text ? platform::ToUtf8(value.value.text) : "?");
    core().ArrayFree(nullptr, value.value.text);
  }
  return names;
}

tesk::game::PatientListEntry& PatientBarTest::Entry(uint32_t index) {
  kivo::ListLink* link = nullptr;
  EXPECT_TRUE(kivo::ListElementAt(record().lists.patientList, index, &link));
  return *static_cast<tesk::game::PatientListEntry*>(link->data);
}

std::vector<Call> PatientBarTest::DrawBar() {
  return Calls([&] { record().hudHooks.DrawPatientIcons(game()); });
}

void PatientBarTest::AdvanceMs(uint64_t ms) { platform::AdvanceClock(ms * platform::kTicksPerSecond / 1000); }

}  // namespace gametest
