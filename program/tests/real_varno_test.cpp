// The sample game's script under the real scripting component: the program compiles
// classes/tesk/teskgame.varno and runs its "Switchboard" state, which creates and starts the
// game, makes its characters and then calls its Main and pumps its loading screen once per pass.
// The test game component records those calls.
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
  const ProcessResult run = RunProgram({"--frames", "5"});
  ASSERT_TRUE(run.exited) << run.err << ErrorLog();
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const auto trace = Trace();
  const auto fromRun = From(trace, "raise: Past the code generation...");
  ASSERT_FALSE(fromRun.empty()) << ErrorLog();
  const auto create = std::find(fromRun.begin(), fromRun.end(), "RTTeskGame.Create()");
  const auto startup = std::find(fromRun.begin(), fromRun.end(), "RTTeskGame.Startup()");
  EXPECT_LT(create - fromRun.begin(), startup - fromRun.begin());
  EXPECT_GE(std::count(startup, fromRun.end(), "RTTeskGame.Main()"), 5);
  EXPECT_EQ(std::count(startup, fromRun.end(), "RTTeskGame.PumpLoadingScreen()"),
            std::count(startup, fromRun.end(), "RTTeskGame.Main()"))
      << "the loading screen is pumped on every pass until an environment arrives";
  EXPECT_THAT(ErrorLog(), Not(HasSubstr("[VARNO")));
}

}  // namespace
}  // namespace tesk::testing
