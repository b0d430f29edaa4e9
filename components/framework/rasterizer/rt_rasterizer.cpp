// RTRasterizer: all drawing of the game, over OpenGL 1.x. One source builds two modules: "ogl"
// draws on the GL context of the program's window, "pix" on a software context of its own (see
// draw_target.h); the program copies the one its options name over "rtrasterizer.so". A
// singleton; it has no stream of its own.
#include <GL/gl.h>

#include <new>
#include <string>

#include "call_log.h"
#include "draw_target.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/format.h"
#include "kivo/support/raise.h"
#include "platform/paths.h"
#include "platform/utf.h"
#include "platform/window.h"
#include "png_file.h"

namespace {

using namespace kivo;
namespace slot = kivo::rasterizer;

constexpr uint32_t kStateWord = slot::kLevel + 8;

struct RasterizerState {
  std::unique_ptr<::rasterizer::DrawTarget> target;
  uint32_t clearMask = slot::kClearColour | slot::kClearDepth;
  ::rasterizer::CallLog log;
};

RasterizerState* StateOf(RTInstance self) {
  return static_cast<RasterizerState*>(Word(ComponentObject(self), kStateWord));
}

RTSuccess Construct(RTInstance self) {
  void* block = nullptr;
  if (!ModuleCore()->MemAlloc(nullptr, sizeof(RasterizerState), &block, 0)) return kRTFailure;
  Word(ComponentObject(self), kStateWord) = new (block) RasterizerState();
  return kRTSuccess;
}

RTSuccess Destroy(RTInstance self) {
  RasterizerState* state = StateOf(self);
  if (!state) return kRTSuccess;
  state->~RasterizerState();
  ModuleCore()->MemFree(nullptr, state);
  Word(ComponentObject(self), kStateWord) = nullptr;
  return kRTSuccess;
}

// A line of the call log, formatted as every text of the system is and written as UTF-8.
template <class... Args>
std::string Text(std::u16string_view format, const Args&... args) {
  return platform::ToUtf8(Format(format, args...));
}

const char* WindowName(void* window) {
  if (!window) return "null";
  return platform::Window::FromHandle(window) ? "window" : "unknown";
}

RTSuccess Logged(const RasterizerState* state, const std::string& call, RTSuccess result) {
  state->log.Record(call, result);
  return result;
}

// The clear bits as GL buffer bits.
GLbitfield GlBuffers(uint32_t bits) {
  GLbitfield buffers = 0;
  if (bits & slot::kClearColour) buffers |= GL_COLOR_BUFFER_BIT;
  if (bits & slot::kClearDepth) buffers |= GL_DEPTH_BUFFER_BIT;
  if (bits & slot::kClearStencil) buffers |= GL_STENCIL_BUFFER_BIT;
  return buffers;
}

RTSuccess CreateWindowContext(RTInstance self, void* window, const uint32_t* descriptor, slot::WindowContext* out) {
  RasterizerState* state = StateOf(self);
  if (!state) return kRTFailure;
  std::string call = Text(u"CreateWindowContext(%s, [", WindowName(window));
  for (size_t i = 0; descriptor && i < slot::kDescriptorWords; ++i)
    call += Text(i ? u", %u" : u"%u", i == 0 ? 0u : descriptor[i]);  // word 0 is not set by callers
  call += "])";
  if (!descriptor || !out) return Logged(state, call, kRTFailure);
  *out = nullptr;
  std::string error;
  state->target = ::rasterizer::MakeDrawTarget(window, static_cast<int>(descriptor[slot::kDescriptorWidth]),
                                               static_cast<int>(descriptor[slot::kDescriptorHeight]), &error);
  if (!state->target) {
    RaiseFormatted(kLevelError, u"RTRasterizer::CreateWindowContext()... %s", error.c_str());
    return Logged(state, call, kRTFailure);
  }
  glViewport(0, 0, state->target->width(), state->target->height());
  *out = state->target.get();
  return Logged(state, call, kRTSuccess);
}

RTSuccess BeginFrame(RTInstance self, slot::WindowContext context) {
  RasterizerState* state = StateOf(self);
  if (!state) return kRTFailure;
  const char* name = !context ? "null" : (context == state->target.get() ? "context" : "unknown");
  const bool draw = state->target && context == state->target.get() && state->target->MakeCurrent();
  if (draw) glViewport(0, 0, state->target->width(), state->target->height());
  return Logged(state, Text(u"BeginFrame(%s)", name), draw ? kRTSuccess : kRTFailure);
}

RTSuccess BeginScene(RTInstance self) {
  RasterizerState* state = StateOf(self);
  if (!state) return kRTFailure;
  if (state->target) glClear(GlBuffers(state->clearMask));
  return Logged(state, "BeginScene()", state->target ? kRTSuccess : kRTFailure);
}

RTSuccess EndScene(RTInstance self) {
  RasterizerState* state = StateOf(self);
  if (!state) return kRTFailure;
  if (state->target) glFlush();
  return Logged(state, "EndScene()", state->target ? kRTSuccess : kRTFailure);
}

RTSuccess PresentFrame(RTInstance self) {
  RasterizerState* state = StateOf(self);
  if (!state) return kRTFailure;
  if (state->target) state->target->Present();
  return Logged(state, "PresentFrame()", state->target ? kRTSuccess : kRTFailure);
}

RTSuccess SetClearMask(RTInstance self, uint32_t bits) {
  RasterizerState* state = StateOf(self);
  if (!state) return kRTFailure;
  state->clearMask = bits;
  return Logged(state, Text(u"SetClearMask(%u)", bits), kRTSuccess);
}

RTSuccess Clear(RTInstance self, uint32_t bits, uint32_t colour) {
  RasterizerState* state = StateOf(self);
  if (!state) return kRTFailure;
  if (state->target) {
    glClearColor(((colour >> 16) & 0xFF) / 255.0f, ((colour >> 8) & 0xFF) / 255.0f, (colour & 0xFF) / 255.0f,
                 (colour >> 24) / 255.0f);
    glClear(GlBuffers(bits));
  }
  return Logged(state, Text(u"Clear(%u, 0x%08X)", bits, colour), state->target ? kRTSuccess : kRTFailure);
}

RTSuccess Screenshot(RTInstance self, const char16_t* path) {
  RasterizerState* state = StateOf(self);
  if (!state) return kRTFailure;
  const std::string file = path ? platform::NativePath(path).string() : std::string();
  const std::string call = "Screenshot(" + (path ? platform::ToUtf8(path) : std::string("null")) + ")";
  std::vector<uint8_t> pixels;
  const bool written = state->target && path && state->target->ReadPresented(&pixels) &&
                       ::rasterizer::WritePng(file, state->target->width(), state->target->height(), pixels);
  if (!written && path) RaiseFormatted(kLevelError, u"RTRasterizer::Screenshot()... cannot write %s", path);
  return Logged(state, call, written ? kRTSuccess : kRTFailure);
}

RTMethodRecord gMethods[] = {
    Method(u"CreateWindowContext", CreateWindowContext, slot::kCreateWindowContext, u"RTSuccess",
           u"uint ahWindow, uint[] apDescriptor, uint out opContext"),
    Method(u"BeginFrame", BeginFrame, slot::kBeginFrame, u"RTSuccess", u"uint ahContext"),
    Method(u"BeginScene", BeginScene, slot::kBeginScene, u"RTSuccess", u""),
    Method(u"EndScene", EndScene, slot::kEndScene, u"RTSuccess", u""),
    Method(u"PresentFrame", PresentFrame, slot::kPresentFrame, u"RTSuccess", u""),
    Method(u"SetClearMask", SetClearMask, slot::kSetClearMask, u"RTSuccess", u"uint aBits"),
    Method(u"Clear", Clear, slot::kClear, u"RTSuccess", u"uint aBits, uint aColor"),
    Method(u"Screenshot", Screenshot, slot::kScreenshot, u"RTSuccess", u"wchar[] apFilename"),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = u"RTComponent",
#ifdef TESK_SOFTWARE_RASTERIZER
    .description = u"Draws with OpenGL on a software context",
#else
    .description = u"Draws with OpenGL on the window's context",
#endif
    .singleton = true,
    .objectSize = kStateWord + 4,
    .slotTableSize = 0x20,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kLevel + 4,
    .methods = gMethods,
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
