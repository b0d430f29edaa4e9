// The window context, frames, clearing, the drawing area and the recording switch.
#include <string>

#include "gl_state.h"
#include "kivo/support/raise.h"
#include "op_runner.h"
#include "ops.h"
#include "platform/paths.h"
#include "platform/utf.h"
#include "platform/window.h"
#include "png_file.h"

namespace rasterizer {

namespace {

namespace slot = kivo::rasterizer;

// How a context or window argument is logged.
Named Described(const State* state, void* handle) {
  if (!handle) return {"null"};
  if (state && state->target && handle == state->target.get()) return {"context"};
  if (state && state->target && handle == state->target->window()) return {"window"};
  return {platform::Window::FromHandle(handle) ? "other window" : "unknown"};
}

bool IsOurs(const State& state, const void* contextOrWindow) {
  return state.target && contextOrWindow &&
         (contextOrWindow == state.target.get() || contextOrWindow == state.target->window());
}

GLbitfield GlBuffers(uint32_t bits) {
  GLbitfield buffers = 0;
  if (bits & slot::kClearColour) buffers |= GL_COLOR_BUFFER_BIT;
  if (bits & slot::kClearDepth) buffers |= GL_DEPTH_BUFFER_BIT;
  if (bits & slot::kClearStencil) buffers |= GL_STENCIL_BUFFER_BIT;
  return buffers;
}

// Clears with every write mask open (drawing may have closed some), then puts the masks back.
void ClearBuffers(const State& state, uint32_t bits) {
  glClearColor(state.clearColour[0], state.clearColour[1], state.clearColour[2], state.clearColour[3]);
  glClearStencil(static_cast<GLint>(state.clearStencil));
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glDepthMask(GL_TRUE);
  glStencilMask(0xFFFFFFFFu);
  glClear(GlBuffers(bits));
  glColorMask(state.colourMask[0], state.colourMask[1], state.colourMask[2], state.colourMask[3]);
  glDepthMask(state.depthWrite ? GL_TRUE : GL_FALSE);
  glStencilMask(state.stencilWriteMask);
}

bool ValidSize(int32_t width, int32_t height) { return width >= 0 && height >= 0; }

}  // namespace

RTSuccess CreateWindowContext(RTInstance self, void* window, const uint32_t* descriptor, WindowContext* out) {
  uint32_t words[slot::kDescriptorWords] = {};
  for (size_t i = 1; descriptor && i < slot::kDescriptorWords; ++i) words[i] = descriptor[i];
  const Named windowName = Described(StateOf(self), window);
  return Anytime(
      self, "CreateWindowContext",
      [&](State& state) {
        if (!descriptor || !out) return false;
        *out = nullptr;
        std::string error;
        // A context made before goes first: taking it down leaves no context current, and the new
        // one must be current afterwards.
        state.target.reset();
        state.target = MakeDrawTarget(window, static_cast<int>(words[slot::kDescriptorWidth]),
                                      static_cast<int>(words[slot::kDescriptorHeight]), &error);
        if (!state.target) {
          kivo::RaiseFormatted(kivo::kLevelError, u"RTRasterizer::CreateWindowContext()... %s", error.c_str());
          return false;
        }
        ApplyNewContext(state, state.target->width(), state.target->height());
        *out = state.target.get();
        return true;
      },
      windowName, descriptor ? Array<uint32_t>{words, slot::kDescriptorWords} : Array<uint32_t>{nullptr, 1},
      Later{[&](std::string& line) { line += out && *out ? "out context" : "out null"; }});
}

RTSuccess BeginFrame(RTInstance self, void* contextOrWindow) {
  const Named name = Described(StateOf(self), contextOrWindow);
  return Drawing(
      self, "BeginFrame",
      [&](State& s) {
        if (!IsOurs(s, contextOrWindow) || !s.target->MakeCurrent()) return false;
        glViewport(s.viewport[0], s.viewport[1], s.viewport[2], s.viewport[3]);
        return true;
      },
      name);
}

RTSuccess BeginScene(RTInstance self) {
  return Drawing(self, "BeginScene", [](State& s) {
    glDisable(GL_SCISSOR_TEST);
    ClearBuffers(s, s.clearMask);
    return true;
  });
}

RTSuccess EndScene(RTInstance self) {
  return Drawing(self, "EndScene", [](State&) {
    glFlush();
    return true;
  });
}

RTSuccess PresentFrame(RTInstance self) {
  return Drawing(self, "PresentFrame", [](State& s) {
    s.target->Present();
    return true;
  });
}

RTSuccess Screenshot(RTInstance self, const char16_t* path) {
  return Drawing(
      self, "Screenshot",
      [&](State& s) {
        std::vector<uint8_t> pixels;
        const bool written = path && s.target->ReadPresented(&pixels) &&
                             WritePng(platform::NativePath(path), s.target->width(), s.target->height(), pixels);
        if (!written && path) kivo::RaiseFormatted(kivo::kLevelError, u"RTRasterizer::Screenshot()... cannot write %s", path);
        return written;
      },
      Text{path});
}

RTSuccess Record(RTInstance self, const char16_t* path) {
  State* state = StateOf(self);
  if (!state) return kRTFailure;
  const std::string file = path && *path ? platform::NativePath(path).string() : std::string();
  if (state->log.Open(file)) return kRTSuccess;
  kivo::RaiseFormatted(kivo::kLevelError, u"RTRasterizer::Record()... cannot open %s", path);
  return kRTFailure;
}

RTSuccess GetWindowRect(RTInstance self, void* contextOrWindow, uint32_t* rect) {
  const Named name = Described(StateOf(self), contextOrWindow);
  return Drawing(
      self, "GetWindowRect",
      [&](State& s) {
        if (!rect || !IsOurs(s, contextOrWindow)) return false;
        // Callers divide by the height and the width: neither is ever 0.
        rect[0] = 0;
        rect[slot::kRectTop] = 0;
        rect[slot::kRectLeft] = 0;
        rect[slot::kRectHeight] = s.areaHeight ? s.areaHeight : 1;
        rect[slot::kRectWidth] = s.areaWidth ? s.areaWidth : 1;
        return true;
      },
      name, Later{[&](std::string& line) {
        line += "out ";
        Append(line, Array<uint32_t>{rect, rect ? static_cast<uint32_t>(slot::kWindowRectWords) : 1u});
      }});
}

RTSuccess GetCurrentWindow(RTInstance self, WindowContext* out) {
  return Drawing(
      self, "GetCurrentWindow",
      [&](State& s) {
        if (!out) return false;
        *out = s.target.get();
        return true;
      },
      Later{[&](std::string& line) { line += out && *out ? "out context" : "out null"; }});
}

RTSuccess SetClearColor(RTInstance self, float red, float green, float blue, float alpha) {
  return Drawing(
      self, "SetClearColor",
      [&](State& s) {
        s.clearColour = {red, green, blue, alpha};
        return true;
      },
      red, green, blue, alpha);
}

RTSuccess SetClearMask(RTInstance self, uint32_t bits) {
  return Drawing(
      self, "SetClearMask",
      [&](State& s) {
        s.clearMask = bits;
        return true;
      },
      bits);
}

RTSuccess SetClearStencil(RTInstance self, uint32_t value) {
  return Drawing(
      self, "SetClearStencil",
      [&](State& s) {
        s.clearStencil = value;
        return true;
      },
      value);
}

RTSuccess Clear(RTInstance self, uint32_t bits) {
  return Drawing(
      self, "Clear",
      [&](State& s) {
        ClearBuffers(s, bits);
        return true;
      },
      bits);
}

RTSuccess ResizeViewport(RTInstance self, uint32_t width, uint32_t height) {
  return Drawing(
      self, "ResizeViewport",
      [&](State& s) {
        if (!ValidSize(static_cast<int32_t>(width), static_cast<int32_t>(height))) return false;
        s.areaWidth = width;
        s.areaHeight = height;
        s.viewport = {0, 0, static_cast<int32_t>(width), static_cast<int32_t>(height)};
        glViewport(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
        ApplyProjection(s);
        return true;
      },
      width, height);
}

RTSuccess SetViewport(RTInstance self, int32_t x, int32_t y, int32_t width, int32_t height) {
  return Drawing(
      self, "SetViewport",
      [&](State& s) {
        if (!ValidSize(width, height)) return false;
        s.viewport = {x, y, width, height};
        glViewport(x, y, width, height);
        ApplyProjection(s);
        return true;
      },
      x, y, width, height);
}

RTSuccess EnableScissor(RTInstance self, uint32_t flag) {
  return Drawing(
      self, "EnableScissor",
      [&](State&) {
        SetCapability(GL_SCISSOR_TEST, flag != 0);
        return true;
      },
      flag);
}

RTSuccess SetScissor(RTInstance self, int32_t x, int32_t y, int32_t width, int32_t height) {
  return Drawing(
      self, "SetScissor",
      [&](State&) {
        if (!ValidSize(width, height)) return false;
        glScissor(x, y, width, height);
        return true;
      },
      x, y, width, height);
}

RTSuccess SetOverlayMode(RTInstance self, uint32_t mode) {
  return Drawing(
      self, "SetOverlayMode",
      [&](State& s) {
        s.overlayMode = mode;
        ApplyFog(s);
        return true;
      },
      mode);
}

}  // namespace rasterizer
