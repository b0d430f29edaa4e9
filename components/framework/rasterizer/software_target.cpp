// The "pix" module: Mesa's software rasterizer (llvmpipe) through EGL, drawing into an offscreen
// buffer. When it belongs to a program window, each shown frame is also copied into the window.
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstring>

#include "draw_target.h"
#include "platform/leak_check.h"
#include "platform/window.h"

namespace rasterizer {

namespace {

// The software device when EGL lists its devices, else the surfaceless platform.
EGLDisplay SoftwareDisplay() {
  auto queryDevices = reinterpret_cast<PFNEGLQUERYDEVICESEXTPROC>(eglGetProcAddress("eglQueryDevicesEXT"));
  auto queryDeviceString =
      reinterpret_cast<PFNEGLQUERYDEVICESTRINGEXTPROC>(eglGetProcAddress("eglQueryDeviceStringEXT"));
  auto platformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (!platformDisplay) return EGL_NO_DISPLAY;
  if (queryDevices && queryDeviceString) {
    EGLDeviceEXT devices[16];
    EGLint count = 0;
    if (queryDevices(16, devices, &count)) {
      for (EGLint i = 0; i < count; ++i) {
        const char* extensions = queryDeviceString(devices[i], EGL_EXTENSIONS);
        if (extensions && std::strstr(extensions, "EGL_MESA_device_software"))
          return platformDisplay(EGL_PLATFORM_DEVICE_EXT, devices[i], nullptr);
      }
    }
  }
  return platformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

class SoftwareTarget final : public DrawTarget {
 public:
  ~SoftwareTarget() override {
    if (display_ == EGL_NO_DISPLAY) return;
    eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context_ != EGL_NO_CONTEXT) eglDestroyContext(display_, context_);
    if (surface_ != EGL_NO_SURFACE) eglDestroySurface(display_, surface_);
  }

  bool Make(void* windowHandle, int width, int height, std::string* error) {
    window_ = windowHandle;
    if (platform::Window* window = platform::Window::FromHandle(windowHandle)) {
      if (width <= 0) width = window->width();
      if (height <= 0) height = window->height();
    }
    if (width <= 0 || height <= 0) return Fail(error, "no size for the offscreen buffer");
    width_ = width;
    height_ = height;
    platform::DriverSetUp driver;
    display_ = SoftwareDisplay();
    EGLint major = 0;
    EGLint minor = 0;
    if (display_ == EGL_NO_DISPLAY || !eglInitialize(display_, &major, &minor))
      return Fail(error, "no EGL display for software drawing");
    const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8,
                                       EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8, EGL_DEPTH_SIZE, 24, EGL_STENCIL_SIZE, 8,
                                       EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configs = 0;
    if (!eglChooseConfig(display_, configAttributes, &config, 1, &configs) || configs < 1)
      return Fail(error, "no EGL configuration with colour, depth and stencil");
    const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    surface_ = eglCreatePbufferSurface(display_, config, surfaceAttributes);
    if (surface_ == EGL_NO_SURFACE) return Fail(error, "cannot make the offscreen buffer");
    if (!eglBindAPI(EGL_OPENGL_API)) return Fail(error, "EGL has no desktop OpenGL");
    context_ = eglCreateContext(display_, config, EGL_NO_CONTEXT, nullptr);
    if (context_ == EGL_NO_CONTEXT) return Fail(error, "cannot make the software context");
    if (!MakeCurrent()) return Fail(error, "cannot make the software context current");
    return true;
  }

  bool MakeCurrent() override {
    platform::DriverSetUp driver;  // switching between the window's context and this one
    return eglMakeCurrent(display_, surface_, surface_, context_) == EGL_TRUE;
  }

  void Present() override {
    // The driver keeps what it makes for copying pixels into the window (a texture, a program).
    platform::DriverSetUp driver;
    if (!MakeCurrent()) return;
    glFinish();
    platform::Window* window = platform::Window::FromHandle(window_);
    if (!window || !window->HasGLContext()) return;
    std::vector<uint8_t> pixels;
    if (!ReadShownPixels(width_, height_, &pixels) || !window->MakeContextCurrent()) return;
    glViewport(0, 0, window->width(), window->height());
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRasterPos2f(-1.0f, -1.0f);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glDrawPixels(width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    window->SwapBuffers();
    MakeCurrent();
  }

  bool ReadPresented(std::vector<uint8_t>* rgba) override {
    return MakeCurrent() && ReadShownPixels(width_, height_, rgba);
  }

  void* ProcAddress(const char* name) const override {
    return reinterpret_cast<void*>(eglGetProcAddress(name));
  }

 private:
  static bool Fail(std::string* error, const char* why) {
    *error = why;
    return false;
  }

  EGLDisplay display_ = EGL_NO_DISPLAY;
  EGLSurface surface_ = EGL_NO_SURFACE;
  EGLContext context_ = EGL_NO_CONTEXT;
};

}  // namespace

std::unique_ptr<DrawTarget> MakeDrawTarget(void* windowHandle, int width, int height, std::string* error) {
  auto target = std::make_unique<SoftwareTarget>();
  if (!target->Make(windowHandle, width, height, error)) return nullptr;
  return target;
}

}  // namespace rasterizer
