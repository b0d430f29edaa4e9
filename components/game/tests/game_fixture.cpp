#include "game_fixture.h"

#include <cstdlib>
#include <sstream>

#include "host/temp_dir.h"
#include "platform/clock.h"
#include "platform/utf.h"
#include "tesk/game_slots.h"

namespace gametest {

namespace {

constexpr std::string_view kComponents[] = {"RTVarno",        "RTVarnoController",  "RTVarnoGame",
                                            "RTTeskTimer",    "RTFMODAudioService", "RTAudioSource",
                                            "RTRoutePlanner", "RTPathfinding",      "RTTeskGame"};

constexpr char kThingSource[] =
    "Thing is nothing;\n\nattributes\n{\n  name is string;\n}\n\nmethod constructor()\n{\n}\n";

constexpr char kProbeSource[] = R"(Probe is Thing;

attributes
{
  lastName is string;
  pauses is number;
  resumes is number;
  attendingDoc is Probe;
  step is number;
}

method Pause() implemented "RTTeskGame.PauseC";
method UnPause() implemented "RTTeskGame.UnPauseC";

event OnPause()
{
  pauses = pauses + 1;
}

event OnUnPause()
{
  resumes = resumes + 1;
}

state Switchboard
{
  if (step == 1) Pause();
  if (step == 2) UnPause();
  step = 0;
}
)";

// Ends the run when the scheduler comes back to the first context the second time: one whole pass.
int gCallbacks = 0;
int32_t EndAfterOnePass(RTInstance) { return ++gCallbacks % 2 == 1 ? 1 : 0; }

}  // namespace

void GameTest::InstallMore(tesk::testing::CoreHost& host) {
  const std::vector<std::string> leftOut = LeftOut();
  for (std::string_view name : kComponents)
    if (std::find(leftOut.begin(), leftOut.end(), name) == leftOut.end())
      host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
  host.InstallComponent(RECORDING_ACTOR);
}

void GameTest::SetUp() {
  setenv("ALSOFT_DRIVERS", "null", 0);
  platform::SetManualClock(1'000'000'000);
  SoftwareRasterizer::SetUp();
  ASSERT_TRUE(core().GetFirstInstanceByString(nullptr, scripting::kClassName, &varno_, 1, nullptr));
  const std::filesystem::path file = host_.root() / "classes/Probe.varno";
  tesk::testing::WriteFile(host_.root() / "classes/Thing.varno", kThingSource);
  tesk::testing::WriteFile(file, kProbeSource);
  const std::u16string folder = platform::FromUtf8((host_.root() / "classes/").string());
  ASSERT_TRUE(scripting::AddSearchPath(varno_, folder.c_str()));
  const std::u16string wide = platform::FromUtf8(file.string());
  uint32_t parsedType = 0;
  ASSERT_TRUE(scripting::VarnoParseBrellinAnsiFile(varno_, wide.c_str(), &parsedType, &table_, nullptr))
      << host_.DebugLog();
  ASSERT_TRUE(scripting::TypeTableGenerateCode(varno_, table_));
  ASSERT_TRUE(scripting::TypeTableRetrieveTypeIdxByName(varno_, table_, u"Probe", &probeType_));
  ASSERT_TRUE(scripting::VarnoVMFactory(varno_, &vm_));
  ASSERT_TRUE(scripting::VarnoVMSetTypeTable(varno_, vm_, table_));
  ASSERT_TRUE(scripting::VarnoVMSetHostCallback(varno_, vm_, EndAfterOnePass, nullptr));
  core().GetFirstInstanceByString(nullptr, tesk::game::kClassName, game_.out(), 1, nullptr);
  ASSERT_NE(game_.get(), nullptr);
}

void GameTest::TearDown() {
  game_.Reset();
  if (varno_) {
    scripting::VarnoVMDestructor(varno_, vm_);
    scripting::TypeTableDestructor(varno_, table_);
    core().ReleaseInstance(nullptr, varno_);
  }
  SoftwareRasterizer::TearDown();
  platform::UseRealClock();
}

scripting::Symbol GameTest::NewProbe() {
  scripting::Symbol object = nullptr;
  EXPECT_TRUE(scripting::VarnoVMConstructObject(varno_, vm_, probeType_, &object));
  return object;
}

RTSuccess GameTest::CallScript(uint32_t slot, std::vector<Cell> arguments, Cell* result, scripting::Symbol object) {
  Cell ignored{};
  return kivo::CallMethod(game(), tesk::game::kLevel, slot, object, static_cast<uint32_t>(arguments.size()),
                          arguments.empty() ? nullptr : arguments.data(), result ? result : &ignored, vm_);
}

void GameTest::RunOnePass(scripting::Symbol object) {
  gCallbacks = 0;
  ASSERT_TRUE(scripting::VarnoVMSetNewContext(varno_, vm_, object, u"Switchboard", 0));
  scripting::VarnoVMRun(varno_, vm_);
}

void GameTest::SetText(scripting::Symbol object, const char16_t* name, const char16_t* text) {
  Cell value{};
  value.type = varno::kTypeString;
  value.value.text = const_cast<char16_t*>(text);
  ASSERT_TRUE(scripting::SymbolWriteAttribute(varno_, vm_, object, name, scripting::kWholeAttribute, &value));
}

void GameTest::SetNumber(scripting::Symbol object, const char16_t* name, int32_t number) {
  const Cell value = NumberCell(number);
  ASSERT_TRUE(scripting::SymbolWriteAttribute(varno_, vm_, object, name, scripting::kWholeAttribute, &value));
}

int32_t GameTest::Number(scripting::Symbol object, const char16_t* name) {
  Cell value{};
  EXPECT_TRUE(scripting::SymbolReadAttribute(varno_, vm_, object, name, scripting::kWholeAttribute, varno::kTypeNumber,
                                             &value));
  return value.value.number;
}

std::vector<std::string> GameTest::LogLines() const {
  std::vector<std::string> lines;
  std::istringstream log(host_.DebugLog());
  for (std::string line; std::getline(log, line);) lines.push_back(line);
  return lines;
}

size_t GameTest::Logged(const std::string& text) const {
  size_t count = 0;
  for (const std::string& line : LogLines()) count += line.find(text) != std::string::npos;
  return count;
}

Cell GameTest::NumberCell(int32_t n) {
  Cell cell{};
  cell.type = varno::kTypeNumber;
  cell.value.number = n;
  return cell;
}

Cell GameTest::RealCell(float r) {
  Cell cell{};
  cell.type = varno::kTypeReal;
  cell.value.real = r;
  return cell;
}

Cell GameTest::PointerCell(void* p) {
  Cell cell{};
  cell.value.pointer = p;
  return cell;
}

}  // namespace gametest
