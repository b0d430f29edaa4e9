// The "ogl" module: drawing on the GL context of the program's window.
#include <GL/gl.h>

#include "draw_target.h"
#include "platform/window.h"

namespace rasterizer {

namespace {

class WindowTarget final : public DrawTarget {
 public:
  WindowTarget(void* handle, int width, int height) {
    window_ = handle;
    width_ = width;
    height_ = height;
  }
  bool MakeCurrent() override {
    platform::Window* window = platform::Window::FromHandle(window_);
    return window && window->MakeContextCurrent();
  }
  void Present() override {
    if (platform::Window* window = platform::Window::FromHandle(window_)) window->SwapBuffers();
  }
  bool ReadPresented(std::vector<uint8_t>* rgba) override {
    return MakeCurrent() && ReadShownPixels(width_, height_, rgba);
  }
  void* ProcAddress(const char* name) const override { return platform::Window::GLProcAddress(name); }
};

}  // namespace

std::unique_ptr<DrawTarget> MakeDrawTarget(void* windowHandle, int width, int height, std::string* error) {
  platform::Window* window = platform::Window::FromHandle(windowHandle);
  if (!window) {
    *error = "the window handle names no window";
    return nullptr;
  }
  if (!window->MakeContextCurrent()) {
    *error = "the window has no OpenGL context";
    return nullptr;
  }
  return std::make_unique<WindowTarget>(windowHandle, width > 0 ? width : window->width(),
                                        height > 0 ? height : window->height());
}

}  // namespace rasterizer
