// The sample game's script under the real scripting component: the program compiles
// classes/tesk/teskgame.varno and runs its "Switchboard" state, which creates and starts the game
// in its first pass, runs the front end (over at once here) and then asks for the environment and
// makes its characters, pumping the loading screen after the start and the load, and then calls
// its Main once per pass. The test game
// component records those calls.
#include <algorithm>

#include "program_test.h"

namespace tesk::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

TEST_F(ProgramTest, TheSampleScriptRunsItsSwitchboard) {
  Layout layout;
  layout.varno = false;
  Prepare(layout);
  host_->InstallComponent(CoreHost::StagedComponent("RTVarno"));
  // The sample's characters reach the actor component, which without the store's fonts and motions
  // is made without its record and answers 0 to them.
  for (const char* name : {"RTVarnoController", "RTTeskActor"})
    host_->InstallComponent(CoreHost::StagedComponent(name));
  std::filesystem::copy(std::filesystem::path(TESK_GAME_DIR) / "classes", gameDir() / "classes",
                        std::filesystem::copy_options::recursive);
  WriteOptions("[Video Resolution]\nFull Screen=0\n");
  const ProcessResult run = RunProgram({"--frames", "8"});
  ASSERT_TRUE(run.exited) << run.err << ErrorLog();
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const auto trace = Trace();
  const auto fromRun = From(trace, "raise: Past the code generation...");
  ASSERT_FALSE(fromRun.empty()) << ErrorLog();
  const auto create = std::find(fromRun.begin(), fromRun.end(), "RTTeskGame.Create()");
  const auto startup = std::find(fromRun.begin(), fromRun.end(), "RTTeskGame.Startup()");
  EXPECT_LT(create - fromRun.begin(), startup - fromRun.begin());
  const auto environment = std::find(startup, fromRun.end(), "RTTeskGame.SetEnvironment()");
  const auto firstMain = std::find(startup, fromRun.end(), "RTTeskGame.Main()");
  EXPECT_LT(environment - fromRun.begin(), firstMain - fromRun.begin());
  EXPECT_EQ(std::count(startup, environment, "RTTeskGame.PumpLoadingScreen()"), 1)
      << "the loading screen shows once the game is up";
  EXPECT_EQ(std::count(startup, environment, "RTTeskGame.PresentStartup()"), 1) << "the front end, over at once";
  EXPECT_EQ(std::count(environment, firstMain, "RTTeskGame.PumpLoadingScreen()"), 1)
      << "and again after the load";
  EXPECT_EQ(std::count(environment, firstMain, "RTTeskGame.CloseMenus()"), 1) << "the world's screen before the frames";
  EXPECT_EQ(std::count(firstMain, fromRun.end(), "RTTeskGame.PumpLoadingScreen()"), 0);
  EXPECT_GE(std::count(firstMain, fromRun.end(), "RTTeskGame.Main()"), 3)
      << "a frame every pass after the start, the front end and the load";
  EXPECT_THAT(ErrorLog(), Not(HasSubstr("[VARNO")));
}

}  // namespace
}  // namespace tesk::testing
