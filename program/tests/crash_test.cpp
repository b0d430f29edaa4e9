// A fault inside the script run: an access violation takes the crash path (report, VM dump,
// result -1) and the program goes on; any other fault goes on to the system, which ends the
// process by its signal.
#include <csignal>
#include <cstdlib>

#include "kivo_loader.h"
#include "program_test.h"
#include "rasterizer_module.h"
#include "platform/utf.h"
#include "start_game.h"

namespace tesk::testing {
namespace {

using ::testing::ElementsAre;

void NoPump() {}

class CrashTest : public ProgramTest {
 protected:
  void StartCore() {
    Prepare();
    CopyRasterizerModule(platform::FromUtf8(kivoRoot().string()), 0);
    ASSERT_EQ(StartKivo(), 1);
  }
};

TEST_F(CrashTest, NullDereferenceInANativeCallEndsInTheCrashPath) {
  StartCore();
  setenv("PROGRAM_FIXTURE_CRASH", "segv", 1);
  EXPECT_EQ(StartGame(nullptr, 1024, 768, 32, 24, NoPump), -1);
  EXPECT_THAT(From(Trace(), "RTVarno.VarnoVMRun(vm)"),
              ElementsAre("RTVarno.VarnoVMRun(vm)", "RTTeskGame.Main()", "raise: AV Error during EXECUTION of game",
                          "raise: Caught AV as expected.", "raise: ***Attempting to reconstruct the accident",
                          "RTVarno.VMDumpRunningState(vm)", "raise: Running contexts: 1"));
  EXPECT_NE(ErrorLog().find("AV Error during EXECUTION of game"), std::string::npos);
  // The process lives on: the host callbacks still answer.
  EXPECT_EQ(PumpMessages(), 1);
}

TEST_F(CrashTest, FaultInsideTheDumpEndsOnlyTheDump) {
  StartCore();
  setenv("PROGRAM_FIXTURE_CRASH", "dump", 1);
  RTInstance varno = nullptr;
  ASSERT_TRUE(CoreInterface()->GetFirstInstanceByString(nullptr, u"RTVarno", &varno, 1, nullptr));
  EXPECT_TRUE(ReconstructAccident(varno, nullptr, kAccessViolation));
  EXPECT_THAT(From(Trace(), "raise: AV Error during EXECUTION of game"),
              ElementsAre("raise: AV Error during EXECUTION of game", "raise: Caught AV as expected.",
                          "raise: ***Attempting to reconstruct the accident", "RTVarno.VMDumpRunningState(null)"));
  EXPECT_EQ(PumpMessages(), 1);
}

TEST_F(CrashTest, AnotherFaultIsNotHandled) {
  StartCore();
  EXPECT_FALSE(ReconstructAccident(nullptr, nullptr, kIntegerDivideByZero));
  EXPECT_THAT(From(Trace(), "raise: AV Error during EXECUTION of game"),
              ElementsAre("raise: AV Error during EXECUTION of game", "raise: Didn't catch AV, unexpected."));
  EXPECT_EQ(ExceptionCodeOfSignal(SIGSEGV), kAccessViolation);
  EXPECT_EQ(ExceptionCodeOfSignal(SIGBUS), kAccessViolation);
  EXPECT_EQ(ExceptionCodeOfSignal(SIGFPE), kIntegerDivideByZero);
}

TEST_F(CrashTest, ArithmeticFaultEndsTheProcessByItsSignal) {
  GTEST_FLAG_SET(death_test_style, "fast");
  StartCore();
  setenv("PROGRAM_FIXTURE_CRASH", "fpe", 1);
  EXPECT_EXIT(StartGame(nullptr, 1024, 768, 32, 24, NoPump), ::testing::KilledBySignal(SIGFPE), "");
  const std::string log = ErrorLog();
  EXPECT_NE(log.find("AV Error during EXECUTION of game"), std::string::npos);
  EXPECT_NE(log.find("Didn't catch AV, unexpected."), std::string::npos);
}

}  // namespace
}  // namespace tesk::testing
