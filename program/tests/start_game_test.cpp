// The game start: the order of its steps and reports with every component in place, and the row
// of the failure ladder for each missing or failing step.
#include <cstdio>
#include <cstdlib>

#include "kivo_loader.h"
#include "program_test.h"
#include "rasterizer_module.h"
#include "platform/utf.h"
#include "start_game.h"

namespace tesk::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

int gPumps = 0;
void CountingPump() { ++gPumps; }

std::string Address(const void* function) {
  char text[32];
  std::snprintf(text, sizeof text, "%p", function);
  return text;
}

class StartGameTest : public ProgramTest {
 protected:
  // The core started as the main form starts it, with the software rasterizer chosen.
  void StartCore(const Layout& layout = {}) {
    Prepare(layout);
    CopyRasterizerModule(platform::FromUtf8(kivoRoot().string()), 0);
    ASSERT_EQ(StartKivo(), 1);
    cursors_.clear();
  }
  int32_t Start() { return StartGame(nullptr, 1024, 768, 32, 24, CountingPump); }
  std::string Game() const { return gameDir().string() + "/"; }
};

TEST_F(StartGameTest, RunsEveryStepInOrderAndReturnsTheRunsResult) {
  StartCore();
  setenv("PROGRAM_FIXTURE_RUN", "return:7", 1);
  EXPECT_EQ(Start(), 7);
  const std::string paths = Game() + "classes;" + Game() + "classes/tesk";
  EXPECT_THAT(From(Trace(), "raise: Setting callbacks..."),
              ElementsAre("raise: Setting callbacks...",
                          "RTTeskGame.SetOptionCallbacks(getter(9) -> 1 12, setter(9, 12) -> 1)",
                          "RTTeskGame.SetMainWindowHandle(null, 1024, 768)",
                          "RTTeskGame.SetMouseCursorCallback(callback(103) -> 0)", "raise: " + paths,
                          "RTTeskGame.SetRegistryCallbacks(reader(0) -> 1 " + Game() + ", reader(1) -> 1, 0)",
                          "RTVarno.AddSearchPath(" + Game() + "classes/)",
                          "RTVarno.AddSearchPath(" + Game() + "classes/tesk/)",
                          // The game's idle callback and the VM's host callback are the program's pump.
                          "RTTeskGame.SetIdleCallback(" + Address(reinterpret_cast<void*>(&PumpMessages)) + ")",
                          "raise: Past the callbacks...",
                          "RTVarno.VarnoVMFactory()", "raise: Past the registry...",
                          "raise: " + Game() + "classes/tesk/teskgame.varno",
                          "RTVarno.VarnoParseBrellinAnsiFile(" + Game() + "classes/tesk/teskgame.varno, null)",
                          "raise: Past the parse...", "RTVarno.TypeTableGenerateCode(table)",
                          "raise: Past the code generation...", "RTVarno.VarnoVMSetTypeTable(vm, table)",
                          "RTVarno.VarnoVMSetHostCallback(vm, " + Address(reinterpret_cast<void*>(&VarnoHostCallback)) + ", null)",
                          "RTVarno.VarnoVMSetPrintCallback(vm, callback)", "RTVarno.VarnoVMConstructObject(vm, 14)",
                          "RTVarno.VarnoVMSetNewContext(vm, object, Switchboard, 1)", "RTVarno.VarnoVMRun(vm)"));
  // The record keeps what the start made; the cursor stays as it was.
  ASSERT_NE(Host(), nullptr);
  EXPECT_EQ(Host()->allocated, 1u);
  EXPECT_NE(Host()->game, nullptr);
  EXPECT_NE(Host()->scripting, nullptr);
  EXPECT_NE(Host()->rasterizer, nullptr);
  EXPECT_NE(Host()->vm, nullptr);
  EXPECT_NE(Host()->typeTable, nullptr);
  EXPECT_EQ(Host()->pump, &CountingPump);
  EXPECT_THAT(cursors(), IsEmpty());
}

TEST_F(StartGameTest, HostCallbackPumpsUntilTheQuitFlagIsSet) {
  StartCore();
  // The run plays "while (true) Main();" and calls the host callback after each pass.
  gPumps = 0;
  HostRecord* host = Host();
  host->pump = nullptr;
  struct QuitAfter {
    static void Pump() {
      if (++gPumps == 3) RequestQuit();
    }
  };
  EXPECT_EQ(StartGame(nullptr, 1024, 768, 32, 24, QuitAfter::Pump), 1);
  EXPECT_EQ(gPumps, 3);
  EXPECT_THAT(From(Trace(), "RTVarno.VarnoVMRun(vm)"),
              ElementsAre("RTVarno.VarnoVMRun(vm)", "RTTeskGame.Main()", "RTVarno.HostCallback() -> 1",
                          "RTTeskGame.Main()", "RTVarno.HostCallback() -> 1", "RTTeskGame.Main()",
                          "RTVarno.HostCallback() -> 0"));
}

TEST_F(StartGameTest, FirstParseFailureTriesTheDevelopmentPathOnce) {
  StartCore();
  setenv("PROGRAM_FIXTURE_FAIL", "RTVarno.VarnoParseBrellinAnsiFile#1", 1);
  setenv("PROGRAM_FIXTURE_RUN", "return:1", 1);
  EXPECT_EQ(Start(), 1);
  const auto trace = Trace();
  EXPECT_TRUE(Contains(trace, "RTVarno.VarnoParseBrellinAnsiFile(" + Game() + "classes/tesk/teskgame.varno, null)"));
  EXPECT_TRUE(Contains(trace, "RTVarno.VarnoParseBrellinAnsiFile(c:/usr/brellin/varno/classes/tesk/teskgame.varno, null)"));
  EXPECT_TRUE(Contains(trace, "raise: Past the parse..."));
}

// A VM that takes no print callback keeps the prints in the debug output; the game runs.
TEST_F(StartGameTest, ARefusedPrintCallbackLeavesThePrintsInTheDebugOutput) {
  StartCore();
  setenv("PROGRAM_FIXTURE_FAIL", "RTVarno.VarnoVMSetPrintCallback", 1);
  setenv("PROGRAM_FIXTURE_RUN", "return:1", 1);
  EXPECT_EQ(Start(), 1);
  EXPECT_THAT(From(Trace(), "RTVarno.VarnoVMSetPrintCallback(vm, callback)"),
              ElementsAre("RTVarno.VarnoVMSetPrintCallback(vm, callback)",
                          "raise: The game's prints go to the debug output alone",
                          "RTVarno.VarnoVMConstructObject(vm, 14)",
                          "RTVarno.VarnoVMSetNewContext(vm, object, Switchboard, 1)", "RTVarno.VarnoVMRun(vm)"));
}

// One row of the failure ladder: what is missing or fails, the start's result, the report that
// ends the trace and the cursors set.
struct LadderRow {
  const char* name;
  Layout layout;
  const char* failing;  // $PROGRAM_FIXTURE_FAIL
  std::vector<std::string> lastReports;
  std::vector<int> cursors;
  const char* messageBox;  // the text of a message box shown, or null
};

Layout Without(bool Layout::*part) {
  Layout layout;
  layout.*part = false;
  return layout;
}

const LadderRow kLadder[] = {
    {"NoInstanceStore", Without(&Layout::store), "", {"raise: Cannot locate component: RTInstanceStore"}, {}, nullptr},
    {"NoRasterizer", Without(&Layout::rasterizer), "", {"raise: Couldn't create an RTRasterizer instance"}, {-2}, nullptr},
    {"NoScriptingComponent", Without(&Layout::varno), "",
     {"raise: Couldn't create an instance of the RTVarno component"}, {-2}, nullptr},
    {"NoGameComponent", Without(&Layout::game), "",
     {"raise: Couldn't create an instance of the RTTeskGame component"}, {-2}, nullptr},
    {"NoVm", {}, "RTVarno.VarnoVMFactory", {"raise: Couldn't create a VM object"}, {-2}, nullptr},
    {"NoGameRoot", Without(&Layout::gameRoot), "",
     {"raise: Couldn't open the Tesk Root registry key", "raise: Error retrieving registry key"}, {-2},
     "GetRegistryKeyP failed with error 2: The system cannot find the file specified."},
    {"ScriptUnparsableAtBothPaths", {}, "RTVarno.VarnoParseBrellinAnsiFile",
     {"RTVarno.VarnoParseBrellinAnsiFile(c:/usr/brellin/varno/classes/tesk/teskgame.varno, null)",
      "raise: Unable to parse the game!"},
     {-2}, nullptr},
    {"CodeGenerationFails", {}, "RTVarno.TypeTableGenerateCode",
     {"RTVarno.TypeTableGenerateCode(table)", "raise: Error during code generation"}, {-2}, nullptr},
    {"TypeTableRefused", {}, "RTVarno.VarnoVMSetTypeTable", {"raise: Couldn't hand the game's type table to the VM"},
     {-2}, nullptr},
    {"HostCallbackRefused", {}, "RTVarno.VarnoVMSetHostCallback", {"raise: Couldn't hand the message pump to the VM"},
     {-2}, nullptr},
    {"GameObjectNotConstructed", {}, "RTVarno.VarnoVMConstructObject",
     {"raise: Couldn't construct the game's script object"}, {-2}, nullptr},
    {"SwitchboardNotStarted", {}, "RTVarno.VarnoVMSetNewContext",
     {"RTVarno.VarnoVMSetNewContext(vm, object, Switchboard, 1)", "raise: Couldn't start the game's Switchboard context"},
     {-2}, nullptr},
};

class StartGameLadder : public StartGameTest, public ::testing::WithParamInterface<LadderRow> {};

TEST_P(StartGameLadder, EndsWithItsReportResultAndCursor) {
  const LadderRow& row = GetParam();
  StartCore(row.layout);
  setenv("PROGRAM_FIXTURE_FAIL", row.failing, 1);
  EXPECT_EQ(Start(), 0);
  const auto trace = Trace();
  ASSERT_GE(trace.size(), row.lastReports.size());
  EXPECT_THAT(std::vector<std::string>(trace.end() - static_cast<long>(row.lastReports.size()), trace.end()),
              ElementsAreArray(row.lastReports));
  EXPECT_FALSE(Contains(trace, "RTVarno.VarnoVMRun(vm)"));
  EXPECT_THAT(cursors(), ElementsAreArray(row.cursors));
  if (row.messageBox) {
    // Every read of the missing value shows it, the game's callbacks' reads included.
    ASSERT_FALSE(messages().empty());
    EXPECT_EQ(messages().back().title, u"Error");
    EXPECT_EQ(platform::ToUtf8(messages().back().text), row.messageBox);
  } else {
    EXPECT_THAT(messages(), IsEmpty());
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, StartGameLadder, ::testing::ValuesIn(kLadder),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tesk::testing
