// Calls on the rasterizer (class RTRasterizer), by their byte offsets in the slot table of its
// class level. Colours are 0xAARRGGBB words; clear bits are 1 colour, 2 depth, 4 stencil.
#pragma once

#include "kivo/slots.h"

namespace kivo::rasterizer {

inline constexpr char16_t kClassName[] = u"RTRasterizer";
inline constexpr uint32_t kLevel = 0x08;

enum Slot : uint32_t {
  kCreateWindowContext = 0x00,  // (window handle, const uint32_t descriptor[12], out context)
  kBeginFrame = 0x04,           // (context): 1 to draw the frame, 0 not to
  kBeginScene = 0x08,           // (): clears the buffers the clear mask names
  kEndScene = 0x0C,             // ()
  kPresentFrame = 0x10,         // (): shows the frame
  kSetClearMask = 0x14,         // (bits)
  kClear = 0x18,                // (bits, colour)
  kScreenshot = 0x1C,           // (UTF-16 path): the last shown frame as a PNG file
};

// The window-context descriptor: twelve 32-bit words.
inline constexpr size_t kDescriptorWords = 12;
enum DescriptorWord : size_t {
  kDescriptorHeight = 3,
  kDescriptorWidth = 4,
  kDescriptorColourBits = 5,
  kDescriptorDepthBits = 6,
  kDescriptorStencilBits = 7,
  kDescriptorDoubleBuffer = 11,
};

inline constexpr uint32_t kClearColour = 1;
inline constexpr uint32_t kClearDepth = 2;
inline constexpr uint32_t kClearStencil = 4;

using WindowContext = void*;

inline RTSuccess CreateWindowContext(RTInstance r, void* window, const uint32_t* descriptor, WindowContext* out) {
  return CallMethod(r, kLevel, kCreateWindowContext, window, descriptor, out);
}
inline RTSuccess BeginFrame(RTInstance r, WindowContext context) { return CallMethod(r, kLevel, kBeginFrame, context); }
inline RTSuccess BeginScene(RTInstance r) { return CallMethod(r, kLevel, kBeginScene); }
inline RTSuccess EndScene(RTInstance r) { return CallMethod(r, kLevel, kEndScene); }
inline RTSuccess PresentFrame(RTInstance r) { return CallMethod(r, kLevel, kPresentFrame); }
inline RTSuccess SetClearMask(RTInstance r, uint32_t bits) { return CallMethod(r, kLevel, kSetClearMask, bits); }
inline RTSuccess Clear(RTInstance r, uint32_t bits, uint32_t colour) { return CallMethod(r, kLevel, kClear, bits, colour); }
inline RTSuccess Screenshot(RTInstance r, const char16_t* path) { return CallMethod(r, kLevel, kScreenshot, path); }

}  // namespace kivo::rasterizer
