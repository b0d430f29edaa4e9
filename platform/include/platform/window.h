// The program's main window: an SDL2 window with an OpenGL compatibility context (24-bit depth,
// 8-bit stencil, double buffer), standing in for a borderless form with its render panel. Window,
// mouse and key events reach the handlers the form installs when messages are processed; keys
// arrive as Windows virtual-key codes and a wheel notch as 120.
//
// Without a display the video starts with SDL's offscreen driver (GL through EGL and Mesa), so a
// window and its context exist in every run.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace platform {

// Starts SDL's video (once per process). Falls back to the offscreen driver when no display can be
// opened; false with a reason when neither works. The system's screen-saver setting is left alone.
bool StartVideo(std::string* error);
// The video driver in use ("x11", "wayland", "offscreen"); empty before StartVideo.
std::string VideoDriverName();

enum class MouseButton { kLeft, kRight, kMiddle };

struct WindowHandlers {
  std::function<void()> close;     // the user or the system asks the window to close
  std::function<void()> activate;  // the window gains the input focus
  std::function<void(int width, int height)> resize;
  // left and right: whether those buttons are held, the pressed one included.
  std::function<void(MouseButton button, bool left, bool right, int x, int y)> mouseDown;
  std::function<void(bool left, bool right, int x, int y)> mouseMove;
  std::function<void()> doubleClick;  // the second press of a left double click, before its mouse-down
  std::function<void(uint32_t virtualKey, bool shift)> keyDown;
  std::function<void(int x, int y, int delta)> wheel;  // delta: +120 per notch away from the user
};

enum class FullScreenResult { kAskedMode, kDesktopMode, kFailed };

class Window {
 public:
  // A hidden, borderless window of the given client size with its GL context made current; null
  // with a reason when SDL cannot make the window. A missing GL context is reported and the
  // window works without one (HasGLContext is false).
  static Window* Create(std::u16string_view title, int width, int height, std::string* error);
  // The window a handle names, or null when the handle is not a live window.
  static Window* FromHandle(void* handle);
  void Destroy();

  // What the window is known by outside the program (the form's window handle).
  void* handle() { return this; }

  void SetHandlers(WindowHandlers handlers);
  void Show();
  void SetPosition(int x, int y);
  // Sets the client size; the resize handler runs at once when the size changes.
  void SetClientSize(int width, int height);
  int width() const { return width_; }
  int height() const { return height_; }
  FullScreenResult SetFullScreen(int width, int height, int bitsPerPixel);

  bool HasGLContext() const { return context_ != nullptr; }
  bool MakeContextCurrent();
  void SwapBuffers();
  // A GL function of the windows' contexts that the GL library need not export (extensions).
  static void* GLProcAddress(const char* name);
  // Asks the window to close as the user does: the close handler runs when messages are next
  // processed.
  void PostClose();

  uint32_t sdlWindowId() const { return id_; }
  void Dispatch(const void* sdlEvent);

 private:
  Window() = default;
  ~Window() = default;

  void* window_ = nullptr;   // SDL_Window
  void* context_ = nullptr;  // SDL_GLContext
  uint32_t id_ = 0;
  int width_ = 0;
  int height_ = 0;
  uint32_t buttons_ = 0;  // SDL button mask of the presses seen
  WindowHandlers handlers_;
};

// Hands every pending window event to its window's handlers and steps the animated screen cursor.
void ProcessMessages();

bool ScreenSaverEnabled();
void SetScreenSaverEnabled(bool enabled);

}  // namespace platform
