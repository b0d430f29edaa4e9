// The main form: its construction (guard, options, module choice, core start, cursors) and its
// first activation (display options, game start and its result).
#include <SDL.h>

#include <cstdlib>

#include "animated_cursors.h"
#include "game_form.h"
#include "host_record.h"
#include "kivo_loader.h"
#include "platform/cursors.h"
#include "platform/utf.h"
#include "platform/window.h"
#include "program_test.h"

namespace tesk::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

const std::filesystem::path kResources = std::filesystem::path(TESK_GAME_DIR) / "Tesk.resource";

std::string Message(const RecordedMessage& message) {
  return platform::ToUtf8(message.title) + ": " + platform::ToUtf8(message.text);
}

TEST_F(ProgramTest, ConstructionStartsTheCoreAndRegistersTheCursors) {
  Prepare();
  WriteOptions("[Video Driver]\nDriver=0\n[Extra]\nKept=yes\n");
  TGameForm form({}, kResources);
  ASSERT_TRUE(form.GameFormCreate());
  EXPECT_TRUE(CoreStarted());
  ASSERT_NE(Host(), nullptr);
  // Hidden, the target cursor while the core starts, then the wait cursor.
  EXPECT_THAT(cursors(), ElementsAre(-1, 101, 107));
  for (int id : {101, 102, 103, 104, 106, 107}) {
    ASSERT_NE(platform::RegisteredScreenCursor(id), nullptr) << id;
    EXPECT_EQ(platform::RegisteredScreenCursor(id)->frames[0].width, 32) << id;
  }
  EXPECT_EQ(platform::RegisteredScreenCursor(105), nullptr);
  EXPECT_EQ(platform::RegisteredScreenCursor(107)->frames.size(), 3u);
  // Driver 0 chose the software module.
  EXPECT_EQ(ReadFile(kivoRoot() / "components/bin/rtrasterizer.so"),
            ReadFile(kivoRoot() / "components/bin/rtrasterizer.pix"));
  EXPECT_EQ(Options(), "[Video Driver]\nDriver=0\n[Extra]\nKept=yes\n");
  EXPECT_THAT(messages(), IsEmpty());
}

TEST_F(ProgramTest, Width800ChoosesTheSmallCursorsAndNoOptionsFileGetsOne) {
  Prepare();
  WriteOptions("[Video Resolution]\nWidth=800\n");
  TGameForm form({}, kResources);
  ASSERT_TRUE(form.GameFormCreate());
  for (int id : {101, 102, 103, 104, 106, 107}) EXPECT_EQ(platform::RegisteredScreenCursor(id)->frames[0].width, 16);
  EXPECT_EQ(Options(), "[Video Resolution]\nWidth=800\n[Video Driver]\nDriver=1\n");
  EXPECT_EQ(ReadFile(kivoRoot() / "components/bin/rtrasterizer.so"),
            ReadFile(kivoRoot() / "components/bin/rtrasterizer.ogl"));
}

TEST_F(ProgramTest, WithoutTheGameKeyTheOptionsLiveInTheFallbackRoot) {
  Layout layout;
  layout.teskKey = false;
  Prepare(layout);
  const std::filesystem::path fallback = dir_.path() / "c/usr/brellin/bin";
  std::filesystem::create_directories(fallback);
  TGameForm form({}, kResources);
  ASSERT_TRUE(form.GameFormCreate());
  EXPECT_EQ(ReadFile(fallback / "tesk.ini"), "[Video Driver]\nDriver=1\n");
}

TEST_F(ProgramTest, WithoutTheKivoKeyTheFormClosesBeforeTheCore) {
  Layout layout;
  layout.kivoKey = false;
  Prepare(layout);
  TGameForm form({}, kResources);
  EXPECT_FALSE(form.GameFormCreate());
  EXPECT_EQ(form.exitCode(), kExitCoreStartFailed);
  EXPECT_FALSE(CoreStarted());
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(Message(messages()[0]),
            "Kivo Initialization Error!: Cannot open Kivo Root Registry key (expected in): Software\\Ostrawen\\Kivo\\1.0\\");
}

TEST_F(ProgramTest, FailedCoreStartEndsWithItsMessage) {
  Prepare();
  host_->WriteRegistry("[HKEY_LOCAL_MACHINE\\Software\\Ostrawen\\Kivo\\1.0]\nAdditionalPaths=/nowhere\n");
  TGameForm form({}, kResources);
  EXPECT_FALSE(form.GameFormCreate());
  EXPECT_EQ(form.exitCode(), kExitCoreStartFailed);
  ASSERT_EQ(messages().size(), 2u);
  EXPECT_EQ(Message(messages()[0]), "Kivo Initialization Error!: Cannot open the Root Path value from registry!");
  EXPECT_EQ(Message(messages()[1]), "Tesk -- The Game: Couldn't start game -- check error log");
}

TEST_F(ProgramTest, MissingCursorResourceEndsTheProgram) {
  Prepare();
  TGameForm form({}, dir_.path() / "nothing.resource");
  EXPECT_FALSE(form.GameFormCreate());
  EXPECT_EQ(form.exitCode(), kExitCoreStartFailed);
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_THAT(Message(messages()[0]), HasSubstr("Cannot open the program's resources"));
}

TEST_F(ProgramTest, FirstActivationAppliesTheOptionsAndRunsTheGame) {
  Prepare();
  WriteOptions("[Video Resolution]\nWidth=800\nHeight=600\nFull Screen=0\n");
  setenv("PROGRAM_FIXTURE_RUN", "return:1", 1);
  TGameForm form({}, kResources);
  ASSERT_TRUE(form.GameFormCreate());
  EXPECT_FALSE(platform::ScreenSaverEnabled());
  form.window()->Show();
  form.FormActivate();
  EXPECT_EQ(form.exitCode(), kExitNormal);
  EXPECT_TRUE(StartFlag());
  EXPECT_EQ(Host()->quit, 1u);
  EXPECT_TRUE(platform::ScreenSaverEnabled());
  EXPECT_EQ(form.window()->width(), 800);
  EXPECT_EQ(form.window()->height(), 600);
  EXPECT_EQ(Options(),
            "[Video Resolution]\nWidth=800\nHeight=600\nFull Screen=0\nDepth=32\n[Video Driver]\nDriver=1\n"
            "[Video capture]\nPath=c:\\\n[Misc]\nClock=12\n");  // the test game set the clock option
  EXPECT_TRUE(Contains(Trace(), "RTTeskGame.SetMainWindowHandle(window, 800, 600)"));
  // The cursor callback the game got sets the screen cursor.
  EXPECT_TRUE(Contains(Trace(), "RTTeskGame.SetMouseCursorCallback(callback(103) -> 1)"));
  EXPECT_EQ(cursors().back(), 103);
  EXPECT_THAT(messages(), IsEmpty());

  const size_t runs = From(Trace(), "RTVarno.VarnoVMRun(vm)").size();
  form.FormActivate();
  EXPECT_EQ(From(Trace(), "RTVarno.VarnoVMRun(vm)").size(), runs);
}

TEST_F(ProgramTest, FailedGameStartShowsItsMessage) {
  Layout layout;
  layout.game = false;
  Prepare(layout);
  WriteOptions("[Video Resolution]\nFull Screen=0\n");
  TGameForm form({}, kResources);
  ASSERT_TRUE(form.GameFormCreate());
  form.FormActivate();
  EXPECT_EQ(form.exitCode(), kExitGameStartFailed);
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(Message(messages()[0]), "Tesk -- The Game: Game startup failed!");
  EXPECT_EQ(cursors().back(), -2);
}

TEST_F(ProgramTest, FullScreenUsesTheWholeDisplay) {
  Prepare();
  WriteOptions("[Video Resolution]\nWidth=640\nHeight=480\n");
  setenv("PROGRAM_FIXTURE_RUN", "return:1", 1);
  TGameForm form({}, kResources);
  ASSERT_TRUE(form.GameFormCreate());
  form.FormActivate();
  EXPECT_NE(SDL_GetWindowFlags(SDL_GetWindowFromID(form.window()->sdlWindowId())) & SDL_WINDOW_FULLSCREEN, 0u);
  EXPECT_THAT(Options(), HasSubstr("Full Screen=1\n"));
  EXPECT_THAT(messages(), IsEmpty());
}

}  // namespace
}  // namespace tesk::testing
