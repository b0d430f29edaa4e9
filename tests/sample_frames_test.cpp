// The sample game's frames and prints, byte for byte. The program's own game start plays the
// staged sample in a child process of the test, as ./tesk run plays it but on the software
// rasterizer, with every rasterizer call recorded and a message pump of the test's: the monotonic
// clock stands still but for the pump, which moves it on by a fixed step each pass and ends the run after a fixed
// number of passes. What the game draws and prints then depends on nothing outside it, so the
// test compares the recording, cut after each PresentFrame (the first frame holds the start-up's
// loads, the last piece the calls after the last frame), by each frame's call count and CRC, and
// the script's prints line by line, with what tests/golden/ keeps. A second run plays the frame
// benchmark's game (the sample's with 200 walkers crowding three points) for a few passes.
//
// A change that means to alter what the game draws or prints writes the kept files again:
//   TESK_GOLDEN_UPDATE=1 ctest --test-dir build/asan -R SampleFrames
// (the release tree gives the same files), and the commit shows what changed in tests/golden/.
// A mismatch names the first frame or line that differs and keeps the run's recording in the build
// tree (NAME_calls.txt beside this test's program), to set against one made before the change.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "host/staged_game.h"
#include "host/temp_dir.h"
#include "input_routing.h"
#include "kivo/support/pack_index.h"
#include "kivo_loader.h"
#include "platform/clock.h"
#include "platform/utf.h"
#include "rasterizer_module.h"
#include "start_game.h"

namespace {

namespace fs = std::filesystem;

constexpr uint32_t kWidth = 1024;  // the sample's tesk.ini
constexpr uint32_t kHeight = 768;
// Passes enough for the front end and for the patients to walk past the doctor and each other, 30
// to the second.
constexpr uint32_t kSamplePasses = 190;
constexpr uint32_t kWalkerPasses = 8;
constexpr uint64_t kStep = platform::kTicksPerSecond / 30;
constexpr uint64_t kClockStart = 1'000'000'000;
// The time the core's start takes before the game starts, as in a run of the program: the loading
// screen then draws its first frame at the end of the first pass (it draws once more than 67 ms
// have passed since its last).
constexpr uint64_t kCoreStartTime = platform::kTicksPerSecond;

const fs::path kGolden = TESK_GOLDEN_DIR;

// The game's window: a tag that is no program window, which the software rasterizer takes as an
// offscreen buffer of the game's size.
int gOffscreen = 0;

// A left press the pump hands the game after a pass, as the window's handler does.
struct Press {
  uint32_t afterPass;
  int32_t x;
  int32_t y;
};
// The sample's way through its front end at 1024 x 768: New Game, the character screen's OK, the
// start screen's Go; then, in the hospital, the OK of the dialog the game opens there and the OK of
// the notice its answer brings.
const std::vector<Press> kSamplePresses = {{4, 175, 224}, {6, 707, 639}, {8, 447, 499}, {14, 427, 449},
                                           {16, 512, 434}};

uint32_t gPumps = 0;
uint32_t gPasses = 0;
std::vector<Press> gPresses;
void FixedStepPump() {
  platform::AdvanceClock(kStep);
  ++gPumps;
  for (const Press& press : gPresses)
    if (press.afterPass == gPumps) tesk::ForwardMouseDown(true, false, press.x, press.y);
  if (gPumps == gPasses) tesk::RequestQuit();
}

// How the game's process ended: the outcome is its exit code.
enum Outcome : int { kPlayed, kNoCore, kNoOutput, kNoGame, kWrongPassCount };
constexpr const char* kOutcomes[] = {"played", "the core did not start", "standard output could not be redirected",
                                     "the game did not start or its run failed",
                                     "the pump ran a wrong number of passes"};

// Plays the game in this process, made for it: the core started as the program starts it, with
// the software rasterizer, and the game's start run with the fixed-step pump, standard output into
// `prints`. The core is never shut down, as in the program.
Outcome PlayHere(const fs::path& kivo, const fs::path& prints, uint32_t passes) {
  // The core's clock starts from the frozen one.
  platform::SetManualClock(kClockStart);
  if (!tesk::CopyRasterizerModule(platform::FromUtf8(kivo.string() + "/"), 0) || tesk::StartKivo() != 1)
    return kNoCore;
  platform::AdvanceClock(kCoreStartTime);
  const int out = open(prints.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (out < 0 || dup2(out, STDOUT_FILENO) < 0) return kNoOutput;
  close(out);
  gPasses = passes;
  if (tesk::StartGame(&gOffscreen, kWidth, kHeight, 32, 24, FixedStepPump) <= 0) return kNoGame;
  return gPumps == passes ? kPlayed : kWrongPassCount;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// "frame N: C calls, crc X" for each frame of the recording: its calls up to and including its
// PresentFrame, with the calls after the last one as a last piece.
std::vector<std::string> FrameDigests(const std::string& recording) {
  std::vector<std::string> digests;
  std::string frame;
  uint32_t calls = 0;
  auto endFrame = [&] {
    char line[64];
    std::snprintf(line, sizeof line, "frame %zu: %u calls, crc %08x", digests.size(), calls,
                  kivo::Crc32Mpeg2({reinterpret_cast<const uint8_t*>(frame.data()), frame.size()}));
    digests.push_back(line);
    frame.clear();
    calls = 0;
  };
  for (const std::string& call : Lines(recording)) {
    frame += call + "\n";
    ++calls;
    if (call.rfind("PresentFrame(", 0) == 0) endFrame();
  }
  if (calls) endFrame();
  return digests;
}

// The first line where `now` and the kept file part, with both sides, or empty when they agree.
std::string FirstDifference(const std::vector<std::string>& now, const fs::path& keptFile) {
  const std::vector<std::string> kept = Lines(tesk::testing::ReadFile(keptFile));
  for (size_t i = 0; i < now.size() || i < kept.size(); ++i) {
    const std::string ran = i < now.size() ? now[i] : "(nothing)";
    const std::string held = i < kept.size() ? kept[i] : "(nothing)";
    if (ran != held)
      return "line " + std::to_string(i + 1) + " of " + keptFile.string() + " (" + std::to_string(kept.size()) +
             " lines; the run gives " + std::to_string(now.size()) + ") differs: the run gives\n  " + ran +
             "\nwhere the file keeps\n  " + held;
  }
  return "";
}

class SampleFrames : public ::testing::Test {
 protected:
  struct Run {
    bool played = false;
    std::vector<std::string> frames;  // their digests
    std::vector<std::string> prints;
    std::string calls;
  };

  // The game played for `passes` passes of the fixed-step pump, in a process of its own (the
  // program binds its core once per process).
  Run Play(uint32_t passes, std::vector<Press> presses = {}) {
    const fs::path prints = staged_.dir() / "prints.txt";
    const fs::path calls = staged_.dir() / "calls.txt";
    setenv("TESK_REGISTRY", staged_.registry().c_str(), 1);
    setenv("TESK_DRIVE_C", staged_.driveC().c_str(), 1);
    setenv("XDG_RUNTIME_DIR", staged_.runtime().c_str(), 1);
    setenv("TESK_DEBUG_LOG", debugLog().c_str(), 1);
    setenv("TESK_RASTERIZER_RECORD", calls.c_str(), 1);
    setenv("ALSOFT_DRIVERS", "none", 1);
    std::fflush(nullptr);
    gPresses = std::move(presses);
    const pid_t game = fork();
    if (game == 0) _exit(PlayHere(staged_.kivo(), prints, passes));
    Run run;
    int status = 0;
    if (game < 0 || waitpid(game, &status, 0) != game) {
      ADD_FAILURE() << "the game's process did not start";
      return run;
    }
    const int outcome = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.played = outcome == kPlayed;
    EXPECT_TRUE(run.played) << (outcome < 0                 ? "the game's process was killed"
                                : outcome <= kWrongPassCount ? kOutcomes[outcome]
                                                             : "the game's process failed")
                            << "\n"
                            << tesk::testing::ReadFile(debugLog());
    run.calls = tesk::testing::ReadFile(calls);
    run.frames = FrameDigests(run.calls);
    run.prints = Lines(tesk::testing::ReadFile(prints));
    return run;
  }

  // The run's frames and prints against NAME_frames.txt and NAME_prints.txt of tests/golden/, or
  // written into them when TESK_GOLDEN_UPDATE is set.
  void ExpectKept(const std::string& name, const Run& run) {
    const fs::path keptFrames = kGolden / (name + "_frames.txt");
    const fs::path keptPrints = kGolden / (name + "_prints.txt");
    if (const char* update = std::getenv("TESK_GOLDEN_UPDATE"); update && *update) {
      tesk::testing::WriteFile(keptFrames, JoinLines(run.frames));
      tesk::testing::WriteFile(keptPrints, JoinLines(run.prints));
      GTEST_SKIP() << "wrote " << keptFrames << " and " << keptPrints;
    }
    const char* meant = "\n(a change meant to alter them writes them again with TESK_GOLDEN_UPDATE=1)";
    const std::string frameDifference = FirstDifference(run.frames, keptFrames);
    const fs::path failedRun = fs::path(TESK_FAILED_RUN_DIR) / (name + "_calls.txt");
    if (!frameDifference.empty()) tesk::testing::WriteFile(failedRun, run.calls);
    EXPECT_TRUE(frameDifference.empty()) << frameDifference << "\nthe run's calls are in " << failedRun << meant;
    const std::string printDifference = FirstDifference(run.prints, keptPrints);
    EXPECT_TRUE(printDifference.empty()) << printDifference << meant;
  }

  fs::path debugLog() const { return staged_.dir() / "debug.log"; }

  tesk::testing::StagedGame staged_{TESK_STAGE_DIR};
};

// The sample through its front end (New Game, the character screen, Go) to its doctor and two
// patients: a frame each pass after the loading screen's, and a line of places each.
TEST_F(SampleFrames, TheSamplesAreThoseKept) {
  const Run run = Play(kSamplePasses, kSamplePresses);
  ASSERT_TRUE(run.played);
  ASSERT_GT(run.frames.size(), kSamplePasses / 2) << "the game draws its frames";
  ASSERT_GT(run.prints.size(), kSamplePasses / 2) << "the game prints its people's places";
  ExpectKept("sample", run);
}

// The frame benchmark's game in the game script's place, the sample's game class (its parent)
// in the first class folder, where the compiler finds it before the script's folder.
TEST_F(SampleFrames, TheWalkersAreThoseKept) {
  const fs::path tesk = staged_.game() / "classes/tesk";
  fs::rename(tesk / "teskgame.varno", staged_.game() / "classes/teskgame.varno");
  fs::copy_file(FRAME_BENCH_CLASS, tesk / "teskgame.varno");
  const Run run = Play(kWalkerPasses);
  ASSERT_TRUE(run.played);
  ASSERT_GT(run.frames.size(), kWalkerPasses / 2) << "the game draws its frames";
  ExpectKept("walkers", run);
}

}  // namespace
