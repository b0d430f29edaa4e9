#include "platform/cursors.h"

#include <SDL.h>

#include <algorithm>
#include <map>

#include "platform/clock.h"
#include "platform/debug_output.h"

namespace platform {

namespace {

constexpr uint64_t kTicksPerJiffy = kTicksPerSecond / 60;

struct Registered {
  AnimatedCursor cursor;
  std::vector<SDL_Cursor*> made;  // per frame, made when first shown
};

struct ScreenCursorState {
  std::map<int, Registered> cursors;
  int current = kCursorDefault;
  size_t step = 0;
  uint64_t stepStart = 0;
  SDL_Cursor* arrow = nullptr;
  bool reportedNoCursors = false;
  CursorObserver observer;
};

ScreenCursorState& State() {
  static ScreenCursorState state;
  return state;
}

bool VideoRunning() { return SDL_WasInit(SDL_INIT_VIDEO) != 0; }

SDL_Cursor* MakeColourCursor(const CursorImage& image) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<uint32_t*>(image.pixels.data()), image.width, image.height, 32, image.width * 4,
      SDL_PIXELFORMAT_ARGB8888);
  if (!surface) return nullptr;
  SDL_Cursor* cursor = SDL_CreateColorCursor(surface, image.hotX, image.hotY);
  SDL_FreeSurface(surface);
  return cursor;
}

// Shows one frame of a registered cursor; drivers without cursors only keep the id.
void ShowFrame(Registered& registered, uint32_t frame) {
  if (!VideoRunning()) return;
  if (registered.made.size() != registered.cursor.frames.size())
    registered.made.assign(registered.cursor.frames.size(), nullptr);
  SDL_Cursor*& made = registered.made[frame];
  if (!made) made = MakeColourCursor(registered.cursor.frames[frame]);
  ScreenCursorState& state = State();
  if (!made) {
    if (!state.reportedNoCursors) DebugOutput(u"Screen cursors are not available with this video driver");
    state.reportedNoCursors = true;
    return;
  }
  SDL_SetCursor(made);
}

void ShowCurrent() {
  ScreenCursorState& state = State();
  if (!VideoRunning()) return;
  if (state.current == kCursorNone) {
    SDL_ShowCursor(SDL_DISABLE);
    return;
  }
  SDL_ShowCursor(SDL_ENABLE);
  if (auto found = state.cursors.find(state.current); found != state.cursors.end()) {
    ShowFrame(found->second, found->second.cursor.steps[state.step].frame);
    return;
  }
  if (state.current == kCursorArrow) {
    if (!state.arrow) state.arrow = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    if (state.arrow) {
      SDL_SetCursor(state.arrow);
      return;
    }
  }
  if (SDL_Cursor* fallback = SDL_GetDefaultCursor()) SDL_SetCursor(fallback);
}

}  // namespace

void RegisterScreenCursor(int id, AnimatedCursor cursor) {
  if (cursor.frames.empty() || cursor.steps.empty()) return;
  ScreenCursorState& state = State();
  Registered& entry = state.cursors[id];
  for (SDL_Cursor* made : entry.made)
    if (made) SDL_FreeCursor(made);
  entry.made.clear();
  entry.cursor = std::move(cursor);
  if (state.current == id) {
    state.step = 0;
    ShowCurrent();
  }
}

bool IsScreenCursorRegistered(int id) { return State().cursors.count(id) != 0; }

const AnimatedCursor* RegisteredScreenCursor(int id) {
  const auto found = State().cursors.find(id);
  return found == State().cursors.end() ? nullptr : &found->second.cursor;
}

void SetScreenCursor(int id) {
  ScreenCursorState& state = State();
  if (state.observer) state.observer(id);
  state.current = id;
  state.step = 0;
  state.stepStart = MonotonicTicks();
  ShowCurrent();
}

int ScreenCursor() { return State().current; }

void StepScreenCursor() {
  ScreenCursorState& state = State();
  auto found = state.cursors.find(state.current);
  if (found == state.cursors.end() || found->second.cursor.steps.size() < 2) return;
  const std::vector<CursorStep>& steps = found->second.cursor.steps;
  const uint64_t now = MonotonicTicks();
  const size_t before = state.step;
  // A step of 0 jiffies lasts one pass, as a zero rate would on the system's own cursors.
  while (now - state.stepStart >= std::max<uint64_t>(1, steps[state.step].jiffies) * kTicksPerJiffy) {
    state.stepStart += std::max<uint64_t>(1, steps[state.step].jiffies) * kTicksPerJiffy;
    state.step = (state.step + 1) % steps.size();
    if (state.step == before) {
      state.stepStart = now;
      break;
    }
  }
  if (state.step != before) ShowFrame(found->second, steps[state.step].frame);
}

void SetCursorObserver(CursorObserver observer) { State().observer = std::move(observer); }

}  // namespace platform
