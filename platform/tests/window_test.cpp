// The main window offscreen: events turned into the form's handlers, keys as virtual-key codes,
// wheel notches as 120, the double-click sequence, and sizes reported once.
#include "platform/window.h"

#include <SDL.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/cursors.h"
#include "platform/virtual_keys.h"

namespace {

using ::testing::ElementsAre;

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    std::string error;
    window_ = platform::Window::Create(u"test", 320, 200, &error);
    ASSERT_NE(window_, nullptr) << error;
    platform::WindowHandlers h;
    h.close = [this] { events_.push_back("close"); };
    h.activate = [this] { events_.push_back("activate"); };
    h.resize = [this](int w, int hh) { events_.push_back("resize " + std::to_string(w) + " " + std::to_string(hh)); };
    h.mouseDown = [this](platform::MouseButton b, bool l, bool r, int x, int y) {
      events_.push_back("down " + std::to_string(static_cast<int>(b)) + " " + std::to_string(l) + std::to_string(r) +
                        " " + std::to_string(x) + "," + std::to_string(y));
    };
    h.mouseMove = [this](bool l, bool r, int x, int y) {
      events_.push_back("move " + std::to_string(l) + std::to_string(r) + " " + std::to_string(x) + "," + std::to_string(y));
    };
    h.doubleClick = [this] { events_.push_back("double"); };
    h.keyDown = [this](uint32_t key, bool shift) { events_.push_back("key " + std::to_string(key) + " " + std::to_string(shift)); };
    h.wheel = [this](int x, int y, int d) {
      events_.push_back("wheel " + std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(d));
    };
    window_->SetHandlers(h);
    platform::ProcessMessages();
    events_.clear();
  }
  void TearDown() override {
    if (window_) window_->Destroy();
  }
  void Push(SDL_Event e) {
    if (e.type == SDL_KEYDOWN) e.key.windowID = window_->sdlWindowId();
    SDL_PushEvent(&e);
  }
  void Button(uint8_t button, uint8_t clicks, bool down = true) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = window_->sdlWindowId();
    e.button.button = button;
    e.button.clicks = clicks;
    e.button.x = 3;
    e.button.y = 4;
    Push(e);
  }

  platform::Window* window_ = nullptr;
  std::vector<std::string> events_;
};

TEST_F(WindowTest, HasAGLContextAndIsFoundByItsHandle) {
  EXPECT_TRUE(window_->HasGLContext());
  EXPECT_TRUE(window_->MakeContextCurrent());
  EXPECT_EQ(platform::Window::FromHandle(window_->handle()), window_);
  int local = 0;
  EXPECT_EQ(platform::Window::FromHandle(&local), nullptr);
  EXPECT_EQ(platform::Window::FromHandle(nullptr), nullptr);
  EXPECT_EQ(platform::VideoDriverName(), "offscreen");
}

TEST_F(WindowTest, ButtonPressesAndTheDoubleClickSequence) {
  Button(SDL_BUTTON_LEFT, 1);
  Button(SDL_BUTTON_RIGHT, 1);  // the left one is still held
  Button(SDL_BUTTON_RIGHT, 1, false);
  Button(SDL_BUTTON_LEFT, 1, false);
  Button(SDL_BUTTON_LEFT, 2);
  Button(SDL_BUTTON_LEFT, 2, false);
  Button(SDL_BUTTON_LEFT, 3);  // a third press is a plain press again
  Button(SDL_BUTTON_LEFT, 3, false);
  Button(SDL_BUTTON_RIGHT, 2);  // only the left button double-clicks
  Button(SDL_BUTTON_RIGHT, 2, false);
  Button(SDL_BUTTON_X1, 1);
  platform::ProcessMessages();
  EXPECT_THAT(events_, ElementsAre("down 0 10 3,4", "down 1 11 3,4", "double", "down 0 10 3,4", "down 0 10 3,4",
                                   "down 1 01 3,4"));
}

TEST_F(WindowTest, MovesWheelsAndKeys) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = window_->sdlWindowId();
  e.motion.state = SDL_BUTTON_LMASK | SDL_BUTTON_RMASK;
  e.motion.x = 7;
  e.motion.y = 8;
  Push(e);
  for (int notches : {1, -1, 3, 0}) {
    SDL_Event w{};
    w.type = SDL_MOUSEWHEEL;
    w.wheel.windowID = window_->sdlWindowId();
    w.wheel.y = notches;
    w.wheel.mouseX = 1;
    w.wheel.mouseY = 2;
    Push(w);
  }
  SDL_Event flipped{};
  flipped.type = SDL_MOUSEWHEEL;
  flipped.wheel.y = 1;
  flipped.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
  Push(flipped);
  for (auto [key, mod] : {std::pair<SDL_Keycode, uint16_t>{SDLK_z, KMOD_RSHIFT}, {SDLK_7, 0}, {SDLK_RETURN, 0},
                          {SDLK_F12, 0}, {SDLK_KP_5, 0}, {SDLK_SEMICOLON, 0}, {SDLK_LSHIFT, KMOD_LSHIFT}, {SDLK_MUTE, 0}}) {
    SDL_Event k{};
    k.type = SDL_KEYDOWN;
    k.key.keysym.sym = key;
    k.key.keysym.mod = mod;
    Push(k);
  }
  platform::ProcessMessages();
  EXPECT_THAT(events_, ElementsAre("move 11 7,8", "wheel 1,2 120", "wheel 1,2 -120", "wheel 1,2 360", "wheel 0,0 -120",
                                   "key 90 1", "key 55 0", "key 13 0", "key 123 0", "key 101 0", "key 186 0",
                                   "key 16 1"));
}

TEST_F(WindowTest, SizesAreReportedOnceAndClosesReachTheHandler) {
  window_->SetClientSize(640, 480);
  window_->SetClientSize(640, 480);
  EXPECT_THAT(events_, ElementsAre("resize 640 480"));
  platform::ProcessMessages();  // the driver's own size event changes nothing
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.windowID = window_->sdlWindowId();
  e.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
  e.window.data1 = 800;
  e.window.data2 = 600;
  Push(e);
  window_->PostClose();
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  Push(quit);
  platform::ProcessMessages();
  EXPECT_THAT(events_, ElementsAre("resize 640 480", "resize 800 600", "close", "close"));
  EXPECT_EQ(window_->width(), 800);
}

TEST_F(WindowTest, ScreenSaverAndCursorsFollowWhatIsSet) {
  const bool before = platform::ScreenSaverEnabled();
  platform::SetScreenSaverEnabled(false);
  EXPECT_FALSE(platform::ScreenSaverEnabled());
  platform::SetScreenSaverEnabled(true);
  EXPECT_TRUE(platform::ScreenSaverEnabled());
  platform::SetScreenSaverEnabled(before);

  std::vector<int> seen;
  platform::SetCursorObserver([&](int id) { seen.push_back(id); });
  platform::AnimatedCursor cursor;
  cursor.frames.push_back({1, 1, 0, 0, {0xFF000000}});
  cursor.steps.push_back({0, 1});
  platform::RegisterScreenCursor(150, cursor);
  for (int id : {-1, 150, 0, -2}) platform::SetScreenCursor(id);
  platform::ProcessMessages();
  EXPECT_EQ(platform::ScreenCursor(), -2);
  EXPECT_THAT(seen, ElementsAre(-1, 150, 0, -2));
  EXPECT_TRUE(platform::IsScreenCursorRegistered(150));
  platform::SetCursorObserver(nullptr);
}

TEST(VirtualKeys, TranslatesLettersDigitsFunctionAndNamedKeys) {
  EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_a), 0x41u);
  EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_0), 0x30u);
  EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_F1), 0x70u);
  EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_F24), 0x87u);
  EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_ESCAPE), platform::kVkEscape);
  EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_DOWN), platform::kVkDown);
  EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_RCTRL), platform::kVkControl);
  EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_QUOTE), 0xDEu);
  EXPECT_EQ(platform::VirtualKeyFromSdl(SDLK_MUTE), 0u);
}

}  // namespace
