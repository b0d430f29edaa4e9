// Where the rasterizer draws: the program window's own GL context (the "ogl" module) or a
// software context of Mesa's llvmpipe in an offscreen buffer (the "pix" module), whose frames
// are copied into the window when there is one. Each module builds one of the two.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace rasterizer {

class DrawTarget {
 public:
  virtual ~DrawTarget() = default;
  virtual bool MakeCurrent() = 0;
  // Shows the frame drawn since the last one.
  virtual void Present() = 0;
  // The frame last shown, RGBA rows from the bottom up.
  virtual bool ReadPresented(std::vector<uint8_t>* rgba) = 0;
  // A GL function of this context that the GL library need not export (extensions); null when
  // the driver has none of that name.
  virtual void* ProcAddress(const char* name) const = 0;
  int width() const { return width_; }
  int height() const { return height_; }
  // The program window's handle, or null for an offscreen buffer.
  void* window() const { return window_; }

 protected:
  void* window_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// The module's target on the window of `windowHandle` (a platform window, or null for none) with
// the size given (0: the window's); null with a reason when it cannot be made.
std::unique_ptr<DrawTarget> MakeDrawTarget(void* windowHandle, int width, int height, std::string* error);

// Reads the colour buffer that holds the frame last shown of the current context.
bool ReadShownPixels(int width, int height, std::vector<uint8_t>* rgba);

}  // namespace rasterizer
