#include "platform/window.h"

#include <SDL.h>

#include <cstdlib>
#include <vector>

#include "platform/cursors.h"
#include "platform/debug_output.h"
#include "platform/leak_check.h"
#include "platform/utf.h"
#include "platform/virtual_keys.h"

namespace platform {

namespace {

constexpr int kWheelNotch = 120;

std::vector<Window*>& LiveWindows() {
  static std::vector<Window*> windows;
  return windows;
}

Window* FindBySdlId(uint32_t id) {
  for (Window* window : LiveWindows())
    if (window->sdlWindowId() == id) return window;
  return nullptr;
}

bool InitVideo() {
  // Leave the screen saver as the system has it; the program switches it itself.
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  DriverSetUp driver;
  return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

}  // namespace

bool StartVideo(std::string* error) {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
  if (InitVideo()) return true;
  const std::string first = SDL_GetError();
  const char* asked = std::getenv("SDL_VIDEODRIVER");
  if (!asked || std::string(asked) != "offscreen") {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    if (InitVideo()) {
      DebugOutput(FromUtf8("No display (" + first + "): the window is offscreen"));
      return true;
    }
  }
  *error = SDL_GetError();
  return false;
}

std::string VideoDriverName() {
  const char* name = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetCurrentVideoDriver() : nullptr;
  return name ? name : "";
}

Window* Window::Create(std::u16string_view title, int width, int height, std::string* error) {
  if (!StartVideo(error)) return nullptr;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  const std::string title8 = ToUtf8(title);
  DriverSetUp driver;
  SDL_Window* sdl = SDL_CreateWindow(title8.c_str(), 0, 0, width, height,
                                     SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
  if (!sdl) {
    *error = SDL_GetError();
    return nullptr;
  }
  auto* window = new Window();
  window->window_ = sdl;
  window->id_ = SDL_GetWindowID(sdl);
  window->width_ = width;
  window->height_ = height;
  window->context_ = SDL_GL_CreateContext(sdl);
  if (!window->context_) DebugOutput(FromUtf8(std::string("No OpenGL context for the window: ") + SDL_GetError()));
  LiveWindows().push_back(window);
  return window;
}

Window* Window::FromHandle(void* handle) {
  for (Window* window : LiveWindows())
    if (window == handle) return window;
  return nullptr;
}

void Window::Destroy() {
  auto& windows = LiveWindows();
  std::erase(windows, this);
  if (context_) SDL_GL_DeleteContext(context_);
  SDL_DestroyWindow(static_cast<SDL_Window*>(window_));
  delete this;
}

void Window::SetHandlers(WindowHandlers handlers) { handlers_ = std::move(handlers); }

void Window::Show() { SDL_ShowWindow(static_cast<SDL_Window*>(window_)); }

void Window::SetPosition(int x, int y) { SDL_SetWindowPosition(static_cast<SDL_Window*>(window_), x, y); }

void Window::SetClientSize(int width, int height) {
  SDL_SetWindowSize(static_cast<SDL_Window*>(window_), width, height);
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  if (handlers_.resize) handlers_.resize(width, height);
}

FullScreenResult Window::SetFullScreen(int width, int height, int bitsPerPixel) {
  auto* sdl = static_cast<SDL_Window*>(window_);
  SDL_DisplayMode mode{};
  mode.w = width;
  mode.h = height;
  mode.format = bitsPerPixel == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB888;
  SDL_DisplayMode closest{};
  const int display = SDL_GetWindowDisplayIndex(sdl);
  if (SDL_GetClosestDisplayMode(display < 0 ? 0 : display, &mode, &closest) && closest.w == width &&
      closest.h == height && SDL_SetWindowDisplayMode(sdl, &closest) == 0 &&
      SDL_SetWindowFullscreen(sdl, SDL_WINDOW_FULLSCREEN) == 0)
    return FullScreenResult::kAskedMode;
  if (SDL_SetWindowFullscreen(sdl, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0) return FullScreenResult::kDesktopMode;
  return FullScreenResult::kFailed;
}

bool Window::MakeContextCurrent() {
  DriverSetUp driver;
  return context_ && SDL_GL_MakeCurrent(static_cast<SDL_Window*>(window_), context_) == 0;
}

void* Window::GLProcAddress(const char* name) { return SDL_GL_GetProcAddress(name); }

void Window::SwapBuffers() {
  if (context_) SDL_GL_SwapWindow(static_cast<SDL_Window*>(window_));
}

void Window::PostClose() {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.windowID = id_;
  event.window.event = SDL_WINDOWEVENT_CLOSE;
  SDL_PushEvent(&event);
}

void Window::Dispatch(const void* sdlEvent) {
  const SDL_Event& event = *static_cast<const SDL_Event*>(sdlEvent);
  switch (event.type) {
    case SDL_WINDOWEVENT:
      switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          if (handlers_.close) handlers_.close();
          break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
          if (handlers_.activate) handlers_.activate();
          break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          if (event.window.data1 != width_ || event.window.data2 != height_) {
            width_ = event.window.data1;
            height_ = event.window.data2;
            if (handlers_.resize) handlers_.resize(width_, height_);
          }
          break;
        default:
          break;
      }
      break;
    case SDL_MOUSEBUTTONDOWN: {
      buttons_ |= SDL_BUTTON(event.button.button);
      const bool left = buttons_ & SDL_BUTTON_LMASK;
      const bool right = buttons_ & SDL_BUTTON_RMASK;
      MouseButton button = MouseButton::kMiddle;
      if (event.button.button == SDL_BUTTON_LEFT) button = MouseButton::kLeft;
      if (event.button.button == SDL_BUTTON_RIGHT) button = MouseButton::kRight;
      if (event.button.button > SDL_BUTTON_RIGHT) break;
      // The second press of a left double click reports the double click, then its mouse-down.
      if (button == MouseButton::kLeft && event.button.clicks >= 2 && event.button.clicks % 2 == 0 &&
          handlers_.doubleClick)
        handlers_.doubleClick();
      if (handlers_.mouseDown) handlers_.mouseDown(button, left, right, event.button.x, event.button.y);
      break;
    }
    case SDL_MOUSEBUTTONUP:
      buttons_ &= ~SDL_BUTTON(event.button.button);
      break;
    case SDL_MOUSEMOTION:
      if (handlers_.mouseMove)
        handlers_.mouseMove(event.motion.state & SDL_BUTTON_LMASK, event.motion.state & SDL_BUTTON_RMASK,
                            event.motion.x, event.motion.y);
      break;
    case SDL_MOUSEWHEEL: {
      const int notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
      if (notches != 0 && handlers_.wheel) handlers_.wheel(event.wheel.mouseX, event.wheel.mouseY, notches * kWheelNotch);
      break;
    }
    case SDL_KEYDOWN: {
      const uint32_t key = VirtualKeyFromSdl(event.key.keysym.sym);
      if (key != 0 && handlers_.keyDown) handlers_.keyDown(key, (event.key.keysym.mod & KMOD_SHIFT) != 0);
      break;
    }
    default:
      break;
  }
}

void ProcessMessages() {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    uint32_t id = 0;
    switch (event.type) {
      case SDL_QUIT:
        // The system asks the program to end (the last window closed, SIGINT, SIGTERM).
        for (Window* window : std::vector<Window*>(LiveWindows())) {
          SDL_Event close{};
          close.type = SDL_WINDOWEVENT;
          close.window.windowID = window->sdlWindowId();
          close.window.event = SDL_WINDOWEVENT_CLOSE;
          window->Dispatch(&close);
        }
        continue;
      case SDL_WINDOWEVENT:
        id = event.window.windowID;
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        id = event.button.windowID;
        break;
      case SDL_MOUSEMOTION:
        id = event.motion.windowID;
        break;
      case SDL_MOUSEWHEEL:
        id = event.wheel.windowID;
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        id = event.key.windowID;
        break;
      default:
        continue;
    }
    // Events without a window (injected, or from a driver without focus) go to the first window.
    Window* window = FindBySdlId(id);
    if (!window && id == 0 && !LiveWindows().empty()) window = LiveWindows().front();
    if (window) window->Dispatch(&event);
  }
  StepScreenCursor();
}

bool ScreenSaverEnabled() { return SDL_WasInit(SDL_INIT_VIDEO) && SDL_IsScreenSaverEnabled(); }

void SetScreenSaverEnabled(bool enabled) {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
  if (enabled) {
    SDL_EnableScreenSaver();
  } else {
    SDL_DisableScreenSaver();
  }
}

}  // namespace platform

