// The Tesk program as a process, headless: a whole start and run with the test components, its
// window drawn through the chosen rasterizer module, and how each kind of end sets the exit code.
#include <stb_image.h>

#include <csignal>
#include <cstdlib>

#include "command_line.h"
#include "platform/single_instance.h"
#include "program_test.h"

namespace tesk::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

class ProgramRun : public ProgramTest {
 protected:
  std::string Game() const { return gameDir().string() + "/"; }
  // The colour of the screenshot's centre pixel as 0xRRGGBB.
  uint32_t CentreColour(const std::filesystem::path& png, int* width, int* height) {
    int channels = 0;
    unsigned char* pixels = stbi_load(png.c_str(), width, height, &channels, 3);
    if (!pixels) return 0xFFFFFFFFu;
    const unsigned char* p = pixels + ((*height / 2) * *width + *width / 2) * 3;
    const uint32_t colour = (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    stbi_image_free(pixels);
    return colour;
  }
};

TEST_F(ProgramRun, StartsTheGameRunsFramesAndEndsWhenTheWindowCloses) {
  Prepare();
  WriteOptions("[Video Resolution]\nWidth=800\nHeight=600\nFull Screen=0\n");
  setenv("PROGRAM_FIXTURE_DRAW", "FF336699", 1);
  setenv("PROGRAM_FIXTURE_PRINT", "printed by the script", 1);
  const std::filesystem::path shot = dir_.path() / "shot.png";
  const ProcessResult run = RunProgram({"--frames", "3", "--screenshot", shot.string()});
  ASSERT_TRUE(run.exited) << run.err;
  EXPECT_EQ(run.exitCode, 0) << run.err;
  // A quiet run: the script's prints on standard output, the debug output in the debug log.
  EXPECT_EQ(run.out, "printed by the script\n");
  EXPECT_EQ(run.err, "");
  EXPECT_THAT(host_->DebugLog(), HasSubstr("Start with module binding\n"));
  EXPECT_THAT(host_->DebugLog(), HasSubstr("\nprinted by the script\n"));
  const auto trace = Trace();
  EXPECT_TRUE(Contains(trace, "RTTeskGame.SetMainWindowHandle(window, 800, 600)"));
  EXPECT_THAT(From(trace, "RTVarno.VarnoVMRun(vm)"),
              ElementsAre("RTVarno.VarnoVMRun(vm)", "RTTeskGame.Main()", "RTVarno.HostCallback() -> 1",
                          "RTTeskGame.Main()", "RTVarno.HostCallback() -> 1", "RTTeskGame.Main()",
                          "RTVarno.HostCallback() -> 1", "RTTeskGame.Main()", "RTVarno.HostCallback() -> 0"));
  // The frame the game drew on the window, through the window's own GL context.
  int width = 0;
  int height = 0;
  EXPECT_EQ(CentreColour(shot, &width, &height), 0x336699u);
  EXPECT_EQ(width, 800);
  EXPECT_EQ(height, 600);
  EXPECT_EQ(ReadFile(kivoRoot() / "components/bin/rtrasterizer.so"),
            ReadFile(kivoRoot() / "components/bin/rtrasterizer.ogl"));
  EXPECT_THAT(ErrorLog(), HasSubstr("Past the code generation..."));
}

TEST_F(ProgramRun, TheSoftwareModuleDrawsTheSameFrame) {
  Prepare();
  WriteOptions("[Video Resolution]\nFull Screen=0\n[Video Driver]\nDriver=0\n");
  setenv("PROGRAM_FIXTURE_DRAW", "FFC08040", 1);
  const std::filesystem::path shot = dir_.path() / "shot.png";
  const ProcessResult run = RunProgram({"--frames", "2", "--screenshot", shot.string()});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  int width = 0;
  int height = 0;
  EXPECT_EQ(CentreColour(shot, &width, &height), 0xC08040u);
  EXPECT_EQ(width, 1024);
  EXPECT_EQ(ReadFile(kivoRoot() / "components/bin/rtrasterizer.so"),
            ReadFile(kivoRoot() / "components/bin/rtrasterizer.pix"));
}

TEST_F(ProgramRun, ASecondInstanceIsRefusedWithExitCodeZero) {
  Prepare();
  ASSERT_FALSE(platform::CheckSecondInstance(u"Tesk: THE GAME"));  // this process is the first
  const ProcessResult run = RunProgram();
  EXPECT_TRUE(run.exited);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_THAT(run.err, HasSubstr("[Tesk -- The Game] Another instance of Tesk is already running"));
  EXPECT_FALSE(std::filesystem::exists(kivoRoot() / "kivo-error-log.txt"));
}

// Without $TESK_DEBUG_LOG the program keeps a debug log of its own, made afresh each run; with
// --verbose the debug output goes to standard error and the prints still to standard output.
TEST_F(ProgramRun, TheDebugOutputGoesToItsOwnLogOrWithVerboseToStandardError) {
  Prepare();
  WriteOptions("[Video Resolution]\nFull Screen=0\n");
  setenv("PROGRAM_FIXTURE_PRINT", "printed by the script", 1);
  unsetenv("TESK_DEBUG_LOG");
  const std::filesystem::path own = stateDir() / "tesk/tesk-debug.log";
  WriteFile(own, "a line of the last run\n");
  ProcessResult run = RunProgram({"--frames", "2"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "printed by the script\n");
  EXPECT_EQ(run.err, "");
  const std::string log = ReadFile(own);
  EXPECT_THAT(log, HasSubstr("Start with module binding\n"));
  EXPECT_THAT(log, Not(HasSubstr("a line of the last run")));
  EXPECT_THAT(log, HasSubstr("[ERROR RAISED]: ("));

  run = RunProgram({"--frames", "2", "--verbose"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "printed by the script\n");
  EXPECT_THAT(run.err, HasSubstr("Start with module binding\n"));
  EXPECT_THAT(run.err, HasSubstr("\nprinted by the script\n"));
  EXPECT_THAT(run.err, HasSubstr("[ERROR RAISED]: ("));
  EXPECT_EQ(ReadFile(own), log) << "the log is left as it was";
}

// A runtime folder that does not exist leaves the lock to the temporary folder; without that
// either the game still runs, unguarded, and says so.
TEST_F(ProgramRun, StartsWhenTheLockFolderIsMissing) {
  Prepare();
  WriteOptions("[Video Resolution]\nFull Screen=0\n");
  setenv("XDG_RUNTIME_DIR", (dir_.path() / "missing").c_str(), 1);
  setenv("TMPDIR", runtimeDir().c_str(), 1);
  ProcessResult run = RunProgram({"--frames", "3"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(std::filesystem::exists(runtimeDir() / "Tesk__THE_GAME.lock"));

  setenv("TMPDIR", (dir_.path() / "missing too").c_str(), 1);
  run = RunProgram({"--frames", "3"});
  unsetenv("TMPDIR");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_THAT(host_->DebugLog(), HasSubstr("running without the single-instance guard"));
  EXPECT_EQ(Trace().back(), "RTVarno.HostCallback() -> 0");
}

// How a run ends: its exit code and the message it leaves.
struct EndRow {
  const char* name;
  Layout layout;
  const char* crash;  // $PROGRAM_FIXTURE_CRASH
  int exitCode;
  const char* message;
};

Layout WithoutPart(bool Layout::*part) {
  Layout layout;
  layout.*part = false;
  return layout;
}

const EndRow kEnds[] = {
    {"NoKivoKey", WithoutPart(&Layout::kivoKey), "", 1,
     "[Kivo Initialization Error!] Cannot open Kivo Root Registry key (expected in): Software\\Ostrawen\\Kivo\\1.0\\"},
    {"GameDidNotStart", WithoutPart(&Layout::game), "", 2, "[Tesk -- The Game] Game startup failed!"},
    {"GameCrashed", {}, "segv", 3, "[Tesk -- The Game] Tesk has encountered an error. Please click OK to continue"},
};

class ProgramEnd : public ProgramRun, public ::testing::WithParamInterface<EndRow> {};

TEST_P(ProgramEnd, SetsItsExitCodeAndMessage) {
  const EndRow& row = GetParam();
  Prepare(row.layout);
  WriteOptions("[Video Resolution]\nFull Screen=0\n");
  setenv("PROGRAM_FIXTURE_CRASH", row.crash, 1);
  const ProcessResult run = RunProgram({"--frames", "50"});
  ASSERT_TRUE(run.exited) << run.err;
  EXPECT_EQ(run.exitCode, row.exitCode) << run.err;
  EXPECT_THAT(run.err, HasSubstr(row.message));
  // The last line says the run failed and where its debug output is.
  EXPECT_THAT(run.err, ::testing::EndsWith("\nTesk: the run ended with an error (exit code " +
                                           std::to_string(row.exitCode) + "); the debug log is " +
                                           std::getenv("TESK_DEBUG_LOG") + "\n"));
}

INSTANTIATE_TEST_SUITE_P(Rows, ProgramEnd, ::testing::ValuesIn(kEnds),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProgramRun, ACrashLeavesTheVmDumpInTheErrorLog) {
  Prepare();
  WriteOptions("[Video Resolution]\nFull Screen=0\n");
  setenv("PROGRAM_FIXTURE_CRASH", "segv", 1);
  const ProcessResult run = RunProgram();
  EXPECT_EQ(run.exitCode, 3) << run.err;
  EXPECT_THAT(From(Trace(), "RTTeskGame.Main()"),
              ElementsAre("RTTeskGame.Main()", "raise: AV Error during EXECUTION of game",
                          "raise: Caught AV as expected.", "raise: ***Attempting to reconstruct the accident",
                          "RTVarno.VMDumpRunningState(vm)", "raise: Running contexts: 1"));
}

TEST_F(ProgramRun, AnArithmeticFaultEndsTheProcessByItsSignal) {
  Prepare();
  WriteOptions("[Video Resolution]\nFull Screen=0\n");
  setenv("PROGRAM_FIXTURE_CRASH", "fpe", 1);
  const ProcessResult run = RunProgram();
  EXPECT_FALSE(run.exited);
  EXPECT_EQ(run.signal, SIGFPE);
  EXPECT_THAT(ErrorLog(), HasSubstr("Didn't catch AV, unexpected."));
  EXPECT_THAT(run.err, Not(HasSubstr("Tesk has encountered an error")));
}

TEST_F(ProgramRun, TheHelpListsTheOptionsAndBadArgumentsAreRefused) {
  Prepare();
  ProcessResult run = RunProgram({"--help"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out.rfind(kUsage, 0), 0u);
  EXPECT_THAT(run.out, HasSubstr("\n  --verbose "));
  EXPECT_EQ(run.err, "");
  run = RunProgram({"--frames", "0"});
  EXPECT_EQ(run.exitCode, 64);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, kUsage);
  // A malformed input file is refused before anything starts, naming its line.
  const std::filesystem::path input = dir_.path() / "bad.events";
  WriteFile(input, "click 1 2\njump\n");
  run = RunProgram({"--input", input.string()});
  EXPECT_EQ(run.exitCode, 64);
  EXPECT_EQ(run.err, "Tesk: the input file is refused: " + input.string() + ": line 2: unknown command \"jump\"\n");
  EXPECT_FALSE(std::filesystem::exists(kivoRoot() / "kivo-error-log.txt"));
}

}  // namespace
}  // namespace tesk::testing
