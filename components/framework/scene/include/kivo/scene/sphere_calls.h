// Calls on RTSphere: a small sphere entity in one colour that marks a place (an RTRenderable; it
// draws itself as an octahedron of radius 0.15 about its node's origin, unlit). Every call returns
// 1 on success and 0 on failure.
#pragma once

#include "kivo/scene/renderable_calls.h"
#include "kivo/slots.h"

namespace kivo::sphere {

inline constexpr char16_t kClassName[] = u"RTSphere";

inline constexpr MethodSlot<float, float, float> kSetColor{0x200};  // (red, green, blue)
inline constexpr MethodSlot<RTFColorRGB*> kGetColor{0x204};  // (out RTFColorRGB)
inline constexpr uint32_t kLevel = renderable::kObjectSize;
inline constexpr uint32_t kOwnTable = kLevel + 4;
inline constexpr uint32_t kObjectSize = kLevel + 12;
inline constexpr uint32_t kSlotTableSize = kGetColor + 4;
inline constexpr float kRadius = 0.15f;

// White when made.
inline RTSuccess SetColor(RTInstance s, float red, float green, float blue) {
  return CallMethod(s, kLevel, kSetColor, red, green, blue);
}
inline RTSuccess GetColor(RTInstance s, RTFColorRGB* colour) { return CallMethod(s, kLevel, kGetColor, colour); }

}  // namespace kivo::sphere
