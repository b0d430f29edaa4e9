// Input reaching the game: what the form forwards to which game slot, with which arguments, and
// what waits for the start flag; an input file played into the window as a player's input.
#include <SDL.h>

#include <cstdlib>

#include "game_form.h"
#include "host_record.h"
#include "input_script.h"
#include "kivo_loader.h"
#include "program_test.h"

namespace tesk::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::filesystem::path kResources = std::filesystem::path(TESK_GAME_DIR) / "Tesk.resource";

class InputRoutingTest : public ProgramTest {
 protected:
  void CreateForm() {
    Prepare();
    WriteOptions("[Video Resolution]\nFull Screen=0\n");
    setenv("PROGRAM_FIXTURE_RUN", "return:1", 1);
    form_ = std::make_unique<TGameForm>(RunLimits{}, kResources);
    ASSERT_TRUE(form_->GameFormCreate());
  }
  uint32_t WindowId() { return form_->window()->sdlWindowId(); }

  void Move(int x, int y, uint32_t buttons = 0) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = WindowId();
    e.motion.x = x;
    e.motion.y = y;
    e.motion.state = buttons;
    SDL_PushEvent(&e);
  }
  void Button(bool down, uint8_t button, uint8_t clicks, int x, int y) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = WindowId();
    e.button.button = button;
    e.button.clicks = clicks;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
  }
  void Click(uint8_t button, uint8_t clicks, int x, int y) {
    Button(true, button, clicks, x, y);
    Button(false, button, clicks, x, y);
  }
  void Wheel(int notches, bool flipped = false) {
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.windowID = WindowId();
    e.wheel.y = notches;
    e.wheel.direction = flipped ? SDL_MOUSEWHEEL_FLIPPED : SDL_MOUSEWHEEL_NORMAL;
    e.wheel.mouseX = 5;
    e.wheel.mouseY = 6;
    SDL_PushEvent(&e);
  }
  void Key(SDL_Keycode key, uint16_t mod = KMOD_NONE) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.windowID = WindowId();
    e.key.keysym.sym = key;
    e.key.keysym.mod = mod;
    SDL_PushEvent(&e);
  }
  void Resize(int width, int height) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = WindowId();
    e.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
    e.window.data1 = width;
    e.window.data2 = height;
    SDL_PushEvent(&e);
  }
  // Everything at once, so that each test sees the same input.
  void InjectAll() {
    Key(SDLK_a, KMOD_LSHIFT);
    Click(SDL_BUTTON_LEFT, 2, 1, 1);
    Move(10, 20);
    Wheel(1);
    Resize(800, 600);
  }
  std::vector<std::string> InputCalls(bool passes = false) {
    std::vector<std::string> calls;
    for (const std::string& entry : Trace()) {
      if (passes && entry.rfind("RTVarno.HostCallback()", 0) == 0) calls.push_back("pass");
      for (const char* method : {"ResizeMainWindow", "MouseMove", "SetInitialMousePos", "MouseClick", "KeyDown",
                                 "MouseDblClick", "MouseWheel"})
        if (entry.rfind(std::string("RTTeskGame.") + method + "(", 0) == 0) calls.push_back(entry);
    }
    return calls;
  }

  std::unique_ptr<TGameForm> form_;
};

TEST_F(InputRoutingTest, NothingReachesAGameThatDoesNotExist) {
  CreateForm();
  InjectAll();
  platform::ProcessMessages();
  EXPECT_THAT(InputCalls(), IsEmpty());
}

TEST_F(InputRoutingTest, KeysAndDoubleClicksDoNotWaitForTheStartFlag) {
  CreateForm();
  // A game that exists before the form's first activation.
  ASSERT_TRUE(CoreInterface()->GetFirstInstanceByString(nullptr, u"RTTeskGame", &Host()->game, 1, nullptr));
  ASSERT_FALSE(StartFlag());
  InjectAll();
  platform::ProcessMessages();
  EXPECT_THAT(InputCalls(), ElementsAre("RTTeskGame.KeyDown(0x41, 1)", "RTTeskGame.MouseDblClick(0, 0)"));
}

TEST_F(InputRoutingTest, AfterTheStartEachEventReachesItsSlot) {
  CreateForm();
  form_->FormActivate();
  ASSERT_TRUE(StartFlag());
  Move(10, 20, SDL_BUTTON_RMASK);
  Click(SDL_BUTTON_LEFT, 1, 10, 20);
  Click(SDL_BUTTON_LEFT, 2, 10, 20);
  Click(SDL_BUTTON_RIGHT, 1, 11, 21);
  Click(SDL_BUTTON_MIDDLE, 1, 12, 22);
  Wheel(1);
  Wheel(-2);
  Wheel(1, true);
  Key(SDLK_a, KMOD_LSHIFT);
  Key(SDLK_F1);
  Key(SDLK_ESCAPE);
  Key(SDLK_LEFT, KMOD_RSHIFT);
  Resize(800, 600);
  Resize(800, 600);
  platform::ProcessMessages();
  EXPECT_THAT(InputCalls(),
              ElementsAre("RTTeskGame.MouseMove(0, 1, 10, 20)",
                          "RTTeskGame.SetInitialMousePos(10, 20)", "RTTeskGame.MouseClick(1, 0, 10, 20)",
                          // The second press of a double click: the double click, then its press.
                          "RTTeskGame.MouseDblClick(10, 20)", "RTTeskGame.SetInitialMousePos(10, 20)",
                          "RTTeskGame.MouseClick(1, 0, 10, 20)",
                          "RTTeskGame.SetInitialMousePos(11, 21)", "RTTeskGame.MouseClick(0, 1, 11, 21)",
                          "RTTeskGame.SetInitialMousePos(12, 22)", "RTTeskGame.MouseClick(0, 0, 12, 22)",
                          "RTTeskGame.MouseWheel(5, 6, 120)", "RTTeskGame.MouseWheel(5, 6, -240)",
                          "RTTeskGame.MouseWheel(5, 6, -120)", "RTTeskGame.KeyDown(0x41, 1)",
                          "RTTeskGame.KeyDown(0x70, 0)", "RTTeskGame.KeyDown(0x1B, 0)",
                          "RTTeskGame.KeyDown(0x25, 1)", "RTTeskGame.ResizeMainWindow(800, 600)"));
}

TEST_F(InputRoutingTest, ClosingTheWindowMakesTheNextPumpReturnZeroAndEndsTheRun) {
  // The form closes itself after two pumps, as a user closing the window would: the pump that
  // handles the close returns 0 and the VM's run ends.
  Prepare();
  WriteOptions("[Video Resolution]\nFull Screen=0\n");
  RunLimits limits;
  limits.frames = 2;
  TGameForm form(limits, kResources);
  ASSERT_TRUE(form.GameFormCreate());
  form.FormActivate();
  EXPECT_EQ(form.exitCode(), kExitNormal);
  EXPECT_THAT(From(Trace(), "RTVarno.VarnoVMRun(vm)"),
              ElementsAre("RTVarno.VarnoVMRun(vm)", "RTTeskGame.Main()", "RTVarno.HostCallback() -> 1",
                          "RTTeskGame.Main()", "RTVarno.HostCallback() -> 1", "RTTeskGame.Main()",
                          "RTVarno.HostCallback() -> 0"));
}

class InputFileTest : public InputRoutingTest {
 protected:
  // Plays the file in a run of `frames` passes of the message pump.
  int Play(std::string_view text, uint32_t frames) {
    Prepare();
    WriteOptions("[Video Resolution]\nFull Screen=0\n");
    setenv("PROGRAM_FIXTURE_PRINT", "printed by the script", 1);
    std::string error;
    RunLimits limits;
    limits.frames = frames;
    limits.input = ParseInputScript(text, &error).value();
    TGameForm form(std::move(limits), kResources);
    EXPECT_TRUE(form.GameFormCreate());
    form.FormActivate();
    return form.exitCode();
  }
  void TearDown() override {
    unsetenv("PROGRAM_FIXTURE_PRINT");
    InputRoutingTest::TearDown();
  }
};

// One command a pass, so the game draws a frame between two inputs; a drag spreads its moves, a
// held button stays held on the moves after it, and waits hold the rest.
TEST_F(InputFileTest, EachCommandReachesTheGameInItsOwnPass) {
  const int code = Play(
      "wait-line printed by the script\n"
      "press right 10 20\n"
      "move 30 40\n"
      "release right 30 40\n"
      "click 5 6\n"
      "key Escape\n"
      "wait-line RTTeskGame.KeyDown(0x1B\n"
      "type aB\n"
      "wheel -1\n"
      "drag left 0 0 10 10 2\n"
      "wait 2\n"
      "key a shift\n",
      14);
  EXPECT_EQ(code, kExitNormal);
  EXPECT_THAT(InputCalls(true),
              ElementsAre("RTTeskGame.MouseMove(0, 0, 10, 20)", "RTTeskGame.SetInitialMousePos(10, 20)",
                          "RTTeskGame.MouseClick(0, 1, 10, 20)", "pass",  //
                          "RTTeskGame.MouseMove(0, 1, 30, 40)", "pass",   // the right button still held
                          "pass",                                         // a release reaches no slot
                          "RTTeskGame.MouseMove(0, 0, 5, 6)", "RTTeskGame.SetInitialMousePos(5, 6)",
                          "RTTeskGame.MouseClick(1, 0, 5, 6)", "pass",  //
                          "RTTeskGame.KeyDown(0x1B, 0)", "pass",        //
                          "RTTeskGame.KeyDown(0x41, 0)", "RTTeskGame.KeyDown(0x42, 1)", "pass",  //
                          "RTTeskGame.MouseWheel(5, 6, -120)", "pass",                          //
                          "RTTeskGame.MouseMove(0, 0, 0, 0)", "RTTeskGame.SetInitialMousePos(0, 0)",
                          "RTTeskGame.MouseClick(1, 0, 0, 0)", "pass",  //
                          "RTTeskGame.MouseMove(1, 0, 5, 5)", "pass",   //
                          "RTTeskGame.MouseMove(1, 0, 10, 10)", "pass", //
                          "pass", "pass", "pass",                        // the release, then wait 2
                          "RTTeskGame.KeyDown(0x41, 1)", "pass", "pass"));
}

TEST_F(InputFileTest, TheFrameLimitBeforeTheFilesEndIsReported) {
  ::testing::internal::CaptureStderr();
  const int code = Play("click 1 1\nwait-line never shown\nclick 2 2\n", 3);
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(code, kExitInputUnfinished);
  EXPECT_THAT(err, ::testing::HasSubstr("it stopped at line 2 (wait-line never shown)"));
  EXPECT_FALSE(Contains(Trace(), "RTTeskGame.MouseClick(1, 0, 2, 2)"));
}

}  // namespace
}  // namespace tesk::testing
